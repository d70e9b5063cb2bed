// Clicks and keys on multi-selection trees. Each figure covers the mouse or key messages and
// the repaint they cause.
//
// A bare CTreeCtrlEx of 10,000 visible items: tree_walk_ms_10k_visible, click_ms_10k_visible,
// shift_click_ms_10k_visible (twenty rows below the anchor).
// The benchmark project (Bench.h) in the panel, by floor, every item expanded (about 100,000
// visible), the clicked rows in the middle of the tree, the panel's selection handling
// included: click_ms_100k, shift_click_ms_100k (twenty rows), ctrl_click_ms_100k (a second
// item added), key_down_ms_100k (Down with Shift held, one row added to a range).
#include <stdio.h>

#include "afxwin.h"
#include "afxcmn.h"
#include "Bench.h"
#include "ComTreeHost.h"
#include "multiselect/TreeCtrlEx.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

namespace {
LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcW(h, m, w, l);
}

const int kRuns = 21;

CPoint LabelPoint(CTreeCtrl& tree, HTREEITEM item)
{
    CRect rc;
    tree.GetItemRect(item, &rc, TRUE);
    return rc.CenterPoint();
}

void Click(CTreeCtrl& tree, HTREEITEM item, UINT flags)
{
    const CPoint at = LabelPoint(tree, item);
    tree.SendMessage(WM_LBUTTONDOWN, flags | MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree.SendMessage(WM_LBUTTONUP, flags, MAKELPARAM(at.x, at.y));
    tree.UpdateWindow();
}

// Sends a key with Shift held or not, as the keyboard would leave the thread's key state.
void ShiftKey(CTreeCtrl& tree, UINT nKey)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    tree.SendMessage(WM_KEYDOWN, nKey, 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    tree.UpdateWindow();
}

int RunProjectBench()
{
    const std::wstring strPath = BenchProjectPath();
    if (!OpenBenchProject(strPath))
        return 1;
    CWnd host;
    CDlg_ComTree* pPanel = CreateBenchPanel(host, false);
    if (pPanel == NULL)
        return 1;
    CCompoentsTreeCtrl& tree = pPanel->m_treeCtrl;
    if (!pPanel->m_bByFloor) {
        fprintf(stderr, "the benchmark project is not laid out by floor\n");
        return 1;
    }

    // Everything expanded, children before parents so no expansion moves a visible row twice.
    tree.SendMessage(WM_SETREDRAW, FALSE);
    std::vector<HTREEITEM> parents;
    for (HTREEITEM h = tree.GetRootItem(); h != NULL; h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
        if (tree.ItemHasChildren(h))
            parents.push_back(h);
    }
    for (auto it = parents.rbegin(); it != parents.rend(); ++it)
        tree.Expand(*it, TVE_EXPAND);
    tree.SendMessage(WM_SETREDRAW, TRUE);

    // Twenty-two rows from the middle floor's first component on.
    HTREEITEM hFloor = tree.GetChildItem(tree.GetRootItem());
    for (int i = 0; i < 50 && tree.GetNextSiblingItem(hFloor); ++i)
        hFloor = tree.GetNextSiblingItem(hFloor);
    HTREEITEM hRow = hFloor;
    for (; hRow != NULL; hRow = tree.GetNextVisibleItem(hRow)) {
        const CParamProp* p = tree.GetItemProp(hRow);
        if (p && p->m_nNodeType == CParamProp::NodeComponent)
            break;
    }
    HTREEITEM rows[22] = { hRow };
    for (int i = 1; i < 22 && rows[i - 1]; ++i)
        rows[i] = tree.GetNextVisibleItem(rows[i - 1]);
    if (rows[21] == NULL)
        return 1;
    tree.SelectItem(rows[0]);
    tree.EnsureVisible(rows[21]);
    tree.EnsureVisible(rows[0]);
    tree.UpdateWindow();
    PumpPending();

    int turn = 0;
    Report("click_ms_100k",
           MedianMs(
               kRuns, [] {}, [&] { Click(tree, rows[2 * (turn++ % 2)], 0); }),
           "ms");
    Report("shift_click_ms_100k",
           MedianMs(
               kRuns, [&] { Click(tree, rows[0], 0); }, [&] { Click(tree, rows[20], MK_SHIFT); }),
           "ms");
    if (tree.CountSelected() != 21)
        return 2;
    Report("ctrl_click_ms_100k",
           MedianMs(
               kRuns, [&] { Click(tree, rows[0], 0); }, [&] { Click(tree, rows[4], MK_CONTROL); }),
           "ms");
    if (tree.CountSelected() != 2)
        return 2;
    Report("key_down_ms_100k",
           MedianMs(
               kRuns, [&] { Click(tree, rows[0], 0); }, [&] { ShiftKey(tree, VK_DOWN); }),
           "ms");
    if (tree.CountSelected() != 2 || tree.GetSelectedItem() != rows[1])
        return 2;

    tree.FreeAllData();
    pPanel->DestroyWindow();
    delete pPanel;
    host.DestroyWindow();
    CProjectDatabase::Close();
    return 0;
}
} // namespace

int RunBench()
{
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS; // found whichever module instance creates the window
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = L"ClickBenchHost";
    RegisterClassW(&wc);
    CWnd host;
    if (!host.CreateEx(0, L"ClickBenchHost", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                       CRect(0, 0, 400, 700), NULL, 0))
        return 1;
    CTreeCtrlEx tree;
    if (!tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT
                         | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP,
                     CRect(0, 0, 380, 660), &host, 1000))
        return 1;

    // 100 floors of 99 components, all expanded: 10,000 visible items.
    tree.SendMessage(WM_SETREDRAW, FALSE);
    HTREEITEM first = NULL;
    for (int f = 0; f < 100; ++f) {
        CString name;
        name.Format(L"第%d层", f + 1);
        HTREEITEM floor = tree.InsertItem(name, TVI_ROOT, TVI_LAST);
        if (first == NULL)
            first = floor;
        for (int c = 0; c < 99; ++c) {
            name.Format(L"KZ-%d*2", c + 1);
            tree.InsertItem(name, floor, TVI_LAST);
        }
        tree.Expand(floor, TVE_EXPAND);
    }
    tree.SendMessage(WM_SETREDRAW, TRUE);
    tree.UpdateWindow();
    PumpPending();

    // What one pass over the visible items costs the tree view itself, before any logic of
    // ours: every selection walk pays at least this.
    const double walk = MedianMs(
        kRuns, [] {},
        [&] {
            UINT n = 0;
            for (HTREEITEM h = tree.GetRootItem(); h != NULL; h = tree.GetNextVisibleItem(h))
                n += tree.GetItemState(h, TVIS_SELECTED) != 0;
        });
    Report("tree_walk_ms_10k_visible", walk, "ms");

    HTREEITEM rows[22] = { tree.GetNextVisibleItem(first) };
    for (int i = 1; i < 22; ++i)
        rows[i] = tree.GetNextVisibleItem(rows[i - 1]);
    int turn = 0;
    const double click = MedianMs(
        kRuns, [] {}, [&] { Click(tree, rows[2 * (turn++ % 2)], 0); });
    Report("click_ms_10k_visible", click, "ms");

    // The everyday range: anchor on one row, Shift click twenty rows further down.
    const double shiftClick = MedianMs(
        kRuns, [&] { Click(tree, rows[0], 0); }, [&] { Click(tree, rows[20], MK_SHIFT); });
    Report("shift_click_ms_10k_visible", shiftClick, "ms");
    if (tree.CountSelected() != 21)
        return 2; // the measured action did not do what it claims

    host.DestroyWindow();
    return RunProjectBench();
}
