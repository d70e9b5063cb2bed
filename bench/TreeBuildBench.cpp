// Building the component tree of a large project against inserting the same items, with the
// same texts and images, into a bare tree view in the same run.
//
// The project is the benchmark project (Bench.h). Both trees are children of
// one visible host window, have the same style, size and image list, and start empty; the two
// are timed in turns and each figure is the median of five runs.
//
// Figures: build_ms_by_floor, build_ms_by_component, bare_insert_ms (the by-floor items, each
// the last child of its parent, redraw on), bare_insert_ms_by_component, build_ratio_by_floor,
// build_ratio_by_component; the fastest bare insert of the same items, whichever of redraw off
// with each item after its previous sibling, or redraw off with the leading leaves last
// (InsertBare), is faster in this
// run (the second is the order the control's own build inserts in): bare_insert_best_ms (by floor), bare_insert_best_ms_by_component,
// build_ratio_best_by_floor, build_ratio_best_by_component (each the build against the fastest
// insert of the same layout); bare_delete_ms (removing every by-floor item from the bare tree
// view at once, inserted leaves last: what a close cannot go below); and bytes_per_item (heap bytes the built by-floor tree holds per
// item: tree-view items, texts and records).
#include "Bench.h"

#include <commctrl.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "tree/CompoentsTreeCtrl.h"

namespace {
const int kRuns = 3;

struct Item
{
    int nParent; // index into the list, -1 at the root
    std::wstring strText;
    int nImage, nSelImage;
};

// Bytes allocated on every heap of the process.
size_t HeapBytes()
{
    HANDLE heaps[256];
    const DWORD n = GetProcessHeaps(256, heaps);
    size_t total = 0;
    for (DWORD i = 0; i < n && i < 256; ++i) {
        PROCESS_HEAP_ENTRY e = {};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

std::vector<Item> Capture(CTreeCtrl& tree)
{
    std::vector<Item> items;
    std::vector<std::pair<HTREEITEM, int>> stack; // item, parent index
    for (HTREEITEM h = tree.GetRootItem(); h; h = tree.GetNextSiblingItem(h))
        stack.push_back({ h, -1 });
    std::reverse(stack.begin(), stack.end());
    while (!stack.empty()) {
        auto [h, nParent] = stack.back();
        stack.pop_back();
        Item it;
        it.nParent = nParent;
        it.strText = (LPCWSTR)tree.GetItemText(h);
        tree.GetItemImage(h, it.nImage, it.nSelImage);
        const int nIndex = (int)items.size();
        items.push_back(it);
        std::vector<std::pair<HTREEITEM, int>> children;
        for (HTREEITEM c = tree.GetChildItem(h); c; c = tree.GetNextSiblingItem(c))
            children.push_back({ c, nIndex });
        stack.insert(stack.end(), children.rbegin(), children.rend());
    }
    return items;
}

// The ways of inserting the same items into a bare tree view.
enum class Bare
{
    Last,         // each item as the last child of its parent, redraw on
    AfterSibling, // redraw off, each item after its previous sibling's handle
    LeavesLast,   // redraw off, the leaves that lead their parent's children after all else
};

// The tree view finds a handle by a search over its items in insertion order, so an insertion
// costs as much as its parent is late in that order. LeavesLast first inserts, in tree order,
// every item but the leaves that come first among their siblings (the components of a
// folder), then those leaves, each parent's run from its end and at the front.
void InsertBare(HWND hTree, const std::vector<Item>& items, std::vector<HTREEITEM>& handles,
                Bare how)
{
    handles.assign(items.size(), NULL);
    std::vector<HTREEITEM> lastChild(items.size() + 1, NULL); // [parent + 1]
    auto insert = [&](size_t i, HTREEITEM hAfter) {
        TVINSERTSTRUCTW tvi = {};
        tvi.hParent = items[i].nParent < 0 ? TVI_ROOT : handles[items[i].nParent];
        tvi.hInsertAfter = hAfter;
        tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvi.item.pszText = const_cast<LPWSTR>(items[i].strText.c_str());
        tvi.item.iImage = items[i].nImage;
        tvi.item.iSelectedImage = items[i].nSelImage;
        tvi.item.lParam = (LPARAM)i;
        handles[i] = (HTREEITEM)SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&tvi);
    };
    if (how != Bare::Last)
        SendMessageW(hTree, WM_SETREDRAW, FALSE, 0);
    if (how == Bare::LeavesLast) {
        // In pre-order an item with children is followed by its first child.
        std::vector<bool> parent(items.size(), false), leading(items.size(), false);
        for (size_t i = 1; i < items.size(); ++i)
            parent[i - 1] = parent[i - 1] || items[i].nParent == (int)i - 1;
        std::vector<bool> open(items.size() + 1, true); // [parent + 1]: no child with children yet
        for (size_t i = 0; i < items.size(); ++i) {
            const int p = items[i].nParent + 1;
            if (parent[i])
                open[p] = false;
            leading[i] = open[p] && !parent[i];
        }
        for (size_t i = 0; i < items.size(); ++i) {
            if (!leading[i])
                insert(i, TVI_LAST);
        }
        for (size_t nRun = 0; nRun < items.size();) {
            if (!leading[nRun]) {
                ++nRun;
                continue;
            }
            size_t nEnd = nRun + 1;
            while (nEnd < items.size() && leading[nEnd]
                   && items[nEnd].nParent == items[nRun].nParent)
                ++nEnd;
            for (size_t i = nEnd; i-- > nRun;)
                insert(i, TVI_FIRST);
            nRun = nEnd;
        }
    } else {
        for (size_t i = 0; i < items.size(); ++i) {
            HTREEITEM& hPrev = lastChild[items[i].nParent + 1];
            insert(i, how == Bare::AfterSibling && hPrev != NULL ? hPrev : TVI_LAST);
            hPrev = handles[i];
        }
    }
    // The control builds selects the first floor; so does the bare tree.
    if (items.size() > 1)
        SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)handles[1]);
    if (how != Bare::Last)
        SendMessageW(hTree, WM_SETREDRAW, TRUE, 0);
}
} // namespace

int RunBench()
{
    const std::wstring strPath = BenchProjectPath();
    if (strPath.empty()) {
        fprintf(stderr, "make-bench-project.exe failed\n");
        return 1;
    }
    CString strError;
    if (!CProjectDatabase::Open(strPath.c_str(), &strError)) {
        fprintf(stderr, "cannot open the benchmark project: %s\n", strError.ToUtf8().c_str());
        return 1;
    }

    CWnd host;
    if (!CreateHostWindow(host, 700, 700))
        return 1;
    const CRect rc(0, 0, 330, 650);

    CCompoentsTreeCtrl* pTree = new CCompoentsTreeCtrl;
    pTree->Create(WS_CHILD | WS_VISIBLE, rc, &host, 1000);
    const CRect rcBare(340, 0, 670, 650);
    HWND hBare = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", 0x5081003F, rcBare.left,
                                 rcBare.top, rcBare.Width(), rcBare.Height(), host.m_hWnd,
                                 (HMENU)1001, GetModuleHandleW(NULL), NULL);

    double dBuild[2], dBare[2], dBest[2], dBareDelete = 0.0;
    size_t nItems[2] = {};
    double dBytesPerItem = 0.0;
    for (int nLayout = 0; nLayout < 2; ++nLayout) {
        const int nByFloor = nLayout == 0 ? 1 : 0;
        pTree->FreeAllData();
        pTree->InitTree(L"", nByFloor);
        const std::vector<Item> items = Capture(*pTree);
        nItems[nLayout] = items.size();
        if (nLayout == 0) {
            pTree->FreeAllData();
            PumpPending();
            const size_t nEmpty = HeapBytes();
            pTree->InitTree(L"", 1);
            PumpPending();
            dBytesPerItem = (double)(HeapBytes() - nEmpty) / (double)items.size();
        }
        SendMessageW(hBare, TVM_SETIMAGELIST, TVSIL_NORMAL,
                     (LPARAM)pTree->m_imageList.GetSafeHandle());

        // The two are timed in turns, so a change of the machine's load between runs weighs
        // on both alike.
        std::vector<double> build, bare, sibling, level;
        std::vector<HTREEITEM> handles;
        auto timeBare = [&](Bare how) {
            return MedianMs(
                1, [&] { SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); },
                [&] { InsertBare(hBare, items, handles, how); });
        };
        for (int nRun = 0; nRun < kRuns; ++nRun) {
            build.push_back(MedianMs(
                1, [&] { pTree->FreeAllData(); }, [&] { pTree->InitTree(L"", nByFloor); }));
            bare.push_back(timeBare(Bare::Last));
            sibling.push_back(timeBare(Bare::AfterSibling));
            level.push_back(timeBare(Bare::LeavesLast));
        }
        if (nLayout == 0)
            dBareDelete = MedianMs(
                1, [&] { InsertBare(hBare, items, handles, Bare::LeavesLast); },
                [&] { SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); });
        SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        auto median = [](std::vector<double>& v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        dBuild[nLayout] = median(build);
        dBare[nLayout] = median(bare);
        dBest[nLayout] = std::min(median(sibling), median(level));
        fprintf(stderr, "bare insert %s: after sibling %.1f ms, leaves last %.1f ms\n",
                nLayout == 0 ? "by floor" : "by component", median(sibling), median(level));
    }

    Report("items_by_floor", (double)nItems[0], "items");
    Report("items_by_component", (double)nItems[1], "items");
    Report("build_ms_by_floor", dBuild[0], "ms");
    Report("build_ms_by_component", dBuild[1], "ms");
    Report("bare_insert_ms", dBare[0], "ms");
    Report("bare_insert_ms_by_component", dBare[1], "ms");
    Report("build_ratio_by_floor", dBuild[0] / dBare[0], "x");
    Report("build_ratio_by_component", dBuild[1] / dBare[1], "x");
    Report("bare_insert_best_ms", dBest[0], "ms");
    Report("bare_insert_best_ms_by_component", dBest[1], "ms");
    Report("build_ratio_best_by_floor", dBuild[0] / dBest[0], "x");
    Report("build_ratio_best_by_component", dBuild[1] / dBest[1], "x");
    Report("bare_delete_ms", dBareDelete, "ms");
    Report("bytes_per_item", dBytesPerItem, "bytes");

    pTree->FreeAllData();
    pTree->DestroyWindow();
    delete pTree;
    DestroyWindow(hBare);
    host.DestroyWindow();
    CProjectDatabase::Close();
    return 0;
}
