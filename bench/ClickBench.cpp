// One plain click and one Shift click on a multi-selection tree of 10,000 visible items.
// Each figure covers the mouse messages and the repaint they cause.
#include "afxwin.h"
#include "afxcmn.h"
#include "Bench.h"
#include "multiselect/TreeCtrlEx.h"

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
    return 0;
}
