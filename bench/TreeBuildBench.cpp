// Building the component tree of a large project against inserting the same items, with the
// same texts and images, into a bare tree view in the same run.
//
// The project is the benchmark project (Bench.h). Both trees are children of
// one visible host window, have the same style, size and image list, and start empty; the two
// are timed in turns and each figure is the median of five runs.
//
// Figures: build_ms_by_floor, build_ms_by_component, bare_insert_ms (the by-floor items),
// bare_insert_ms_by_component, build_ratio_by_floor, build_ratio_by_component and
// bytes_per_item (heap bytes the built by-floor tree holds per item: tree-view items, texts and
// records).
#include "Bench.h"

#include <commctrl.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "tree/CompoentsTreeCtrl.h"

namespace {
const int kRuns = 5;

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

void InsertBare(HWND hTree, const std::vector<Item>& items, std::vector<HTREEITEM>& handles)
{
    handles.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        TVINSERTSTRUCTW tvi = {};
        tvi.hParent = items[i].nParent < 0 ? TVI_ROOT : handles[items[i].nParent];
        tvi.hInsertAfter = TVI_LAST;
        tvi.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        tvi.item.pszText = const_cast<LPWSTR>(items[i].strText.c_str());
        tvi.item.iImage = items[i].nImage;
        tvi.item.iSelectedImage = items[i].nSelImage;
        tvi.item.lParam = (LPARAM)i;
        handles[i] = (HTREEITEM)SendMessageW(hTree, TVM_INSERTITEMW, 0, (LPARAM)&tvi);
    }
    // The control builds selects the first floor; so does the bare tree.
    if (items.size() > 1)
        SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, (LPARAM)handles[1]);
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

    double dBuild[2], dBare[2];
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
        std::vector<double> build, bare;
        std::vector<HTREEITEM> handles;
        for (int nRun = 0; nRun < kRuns; ++nRun) {
            build.push_back(MedianMs(
                1, [&] { pTree->FreeAllData(); }, [&] { pTree->InitTree(L"", nByFloor); }));
            bare.push_back(MedianMs(
                1, [&] { SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT); },
                [&] { InsertBare(hBare, items, handles); }));
        }
        SendMessageW(hBare, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
        std::sort(build.begin(), build.end());
        std::sort(bare.begin(), bare.end());
        dBuild[nLayout] = build[build.size() / 2];
        dBare[nLayout] = bare[bare.size() / 2];
    }

    Report("items_by_floor", (double)nItems[0], "items");
    Report("items_by_component", (double)nItems[1], "items");
    Report("build_ms_by_floor", dBuild[0], "ms");
    Report("build_ms_by_component", dBuild[1], "ms");
    Report("bare_insert_ms", dBare[0], "ms");
    Report("bare_insert_ms_by_component", dBare[1], "ms");
    Report("build_ratio_by_floor", dBuild[0] / dBare[0], "x");
    Report("build_ratio_by_component", dBuild[1] / dBare[1], "x");
    Report("bytes_per_item", dBytesPerItem, "bytes");

    pTree->FreeAllData();
    pTree->DestroyWindow();
    delete pTree;
    DestroyWindow(hBare);
    host.DestroyWindow();
    CProjectDatabase::Close();
    return 0;
}
