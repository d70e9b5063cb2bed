// A right click on the benchmark project (Bench.h), by floor, in the panel as a host docks it:
// from the button press until the context menu is built, shown and idle (the menu's loop
// sends its owner WM_ENTERIDLE once nothing is left to paint), then the menu is closed with
// Escape. The clicks alternate between two items, so each one also moves the selection and
// the panel's count field, as a user's right click on another item does.
//
// Figures: rclick_menu_ms_100k (on a component), rclick_menu_ms_100k_folder (on a folder,
// whose menu also scans the folder rows for its add list and rules), popup_menu_only_ms (the
// component's menu, already built, shown by TrackPopupMenu alone: what the platform takes),
// selection_walk_ms_100k (CountSelected, once; a right click asks it several times). The left
// clicks on this project are bench-multiselect's.
#include "Bench.h"

#include <commctrl.h>
#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

namespace {
const int kRuns = 21;

double g_dShownAt = 0.0;
WNDPROC g_pfnTreeProc = NULL;

// Takes the moment the menu went idle and closes it as the user would. The tree's window
// procedure is wrapped rather than hooked: a hook on the thread would tax every message.
LRESULT CALLBACK TreeProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_ENTERIDLE && wParam == MSGF_MENU && g_dShownAt == 0.0) {
        g_dShownAt = NowMs();
        PostMessageW((HWND)lParam, WM_KEYDOWN, VK_ESCAPE, 1);
    }
    return CallWindowProcW(g_pfnTreeProc, hWnd, nMsg, wParam, lParam);
}

// Median time from open(i) until the menu it opens is shown, prepare(i) running untimed
// before each; negative when a menu did not show.
double MenuShownMs(const std::function<void(int)>& prepare, const std::function<bool(int)>& open)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        prepare(i);
        PumpPending();
        g_dShownAt = 0.0;
        const double dStart = NowMs();
        if (!open(i) || g_dShownAt == 0.0)
            return -1.0;
        times.push_back(g_dShownAt - dStart);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// Right-clicks the two items in turns; each click must select its item.
double RightClickMs(CCompoentsTreeCtrl& tree, HTREEITEM hFirst, HTREEITEM hSecond)
{
    CPoint at;
    return MenuShownMs(
        [&](int i) {
            tree.EnsureVisible(i % 2 ? hSecond : hFirst);
            tree.UpdateWindow();
            CRect rc;
            tree.GetItemRect(i % 2 ? hSecond : hFirst, &rc, TRUE);
            at = rc.CenterPoint();
        },
        [&](int i) {
            // The release is queued first: the tree view's own press handling waits for it.
            tree.PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            tree.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
            return tree.GetSelectedItem() == (i % 2 ? hSecond : hFirst);
        });
}
} // namespace

int RunBench()
{
    const std::wstring strPath = BenchProjectPath();
    if (!OpenBenchProject(strPath))
        return 1;
    CWnd host;
    CDlg_ComTree* pPanel = CreateBenchPanel(host);
    if (pPanel == NULL)
        return 1;
    CCompoentsTreeCtrl& tree = pPanel->m_treeCtrl;
    if (!pPanel->m_bByFloor) {
        fprintf(stderr, "the benchmark project is not laid out by floor\n");
        return 1;
    }

    // The first floor's first folder that holds components, opened down to them.
    HTREEITEM hFloor = tree.GetChildItem(tree.GetRootItem());
    HTREEITEM hFolder = NULL, hComponent = NULL;
    for (HTREEITEM h = tree.GetChildItem(hFloor); h && !hComponent;
         h = tree.GetNextSiblingItem(h)) {
        for (HTREEITEM c = tree.GetChildItem(h); c && !hComponent; c = tree.GetNextSiblingItem(c)) {
            const CParamProp* p = tree.GetItemProp(tree.GetChildItem(c));
            if (p && p->m_nNodeType == CParamProp::NodeComponent) {
                hFolder = c;
                hComponent = tree.GetChildItem(c);
            }
        }
    }
    if (!hComponent || !tree.GetNextSiblingItem(hComponent))
        return 1;
    tree.Expand(hFloor, TVE_EXPAND);
    tree.Expand(tree.GetParentItem(hFolder), TVE_EXPAND);
    tree.Expand(hFolder, TVE_EXPAND);
    tree.EnsureVisible(tree.GetNextSiblingItem(hComponent));
    tree.UpdateWindow();

    g_pfnTreeProc = (WNDPROC)SetWindowLongPtrW(tree.GetSafeHwnd(), GWLP_WNDPROC,
                                               (LONG_PTR)TreeProc);
    const double dComponent = RightClickMs(tree, hComponent, tree.GetNextSiblingItem(hComponent));
    const double dFolder = RightClickMs(tree, hFolder, tree.GetNextSiblingItem(hFolder));
    // The platform's share: the component's menu, built once, shown by the popup alone.
    const CParamProp* pProp = tree.GetItemProp(hComponent);
    tree.GetPopupMenu(pProp->m_nFloorID, pProp->m_strID, pProp->m_nNodeType, 1);
    const double dPopup = MenuShownMs([](int) {},
                                      [&](int) {
                                          return tree.m_menu.TrackPopupMenu(
                                              TPM_LEFTALIGN | TPM_RIGHTBUTTON, 100, 100, &tree);
                                      });
    SetWindowLongPtrW(tree.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_pfnTreeProc);
    if (dComponent < 0 || dFolder < 0 || dPopup < 0) {
        fprintf(stderr, "a right click opened no menu\n");
        return 2;
    }
    Report("rclick_menu_ms_100k", dComponent, "ms");
    Report("rclick_menu_ms_100k_folder", dFolder, "ms");
    Report("popup_menu_only_ms", dPopup, "ms");
    Report("selection_walk_ms_100k",
           MedianMs(
               kRuns, [] {}, [&] { tree.CountSelected(); }),
           "ms");

    tree.FreeAllData();
    pPanel->DestroyWindow();
    delete pPanel;
    host.DestroyWindow();
    CProjectDatabase::Close();
    return 0;
}
