// The multi-node paste on a copy of the benchmark project (Bench.h), by floor, in the panel as
// a host docks it: 1,000 components of the first floors selected and copied (untimed), a folder
// of another floor made the caret, then from the paste command until the tree has painted.
//
// Figure: mpaste_ms_1k (the median of a few pastes, each into another folder of that floor).
#include "Bench.h"

#include <commctrl.h>
#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

namespace {
const int kRuns = 5;
const int kSelected = 1000;

} // namespace

int RunBench()
{
    // The pastes write rows: they go to a copy, never to the shared benchmark project.
    const std::wstring strPath = CopyOfBenchProject(L"comtree-bench-mpaste.db");
    if (!OpenBenchProject(strPath))
        return 1;
    CWnd host;
    CDlg_ComTree* pPanel = CreateBenchPanel(host);
    if (pPanel == NULL)
        return 1;
    CCompoentsTreeCtrl& tree = pPanel->m_treeCtrl;

    // The components of the first floors' folders, opened, until there are enough; the first
    // folder of the floor after them is the target.
    CArray<HTREEITEM, HTREEITEM> arrComponents;
    HTREEITEM hFloor = tree.GetChildItem(tree.GetRootItem());
    for (; hFloor && arrComponents.GetSize() < kSelected;
         hFloor = tree.GetNextSiblingItem(hFloor)) {
        tree.Expand(hFloor, TVE_EXPAND);
        for (HTREEITEM h = tree.GetNextItemEx(hFloor, TVGN_EX_ALL);
             h && tree.GetParentItem(h) != tree.GetRootItem();
             h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
            const CParamProp* p = tree.GetItemProp(h);
            if (p && p->m_nNodeType == CParamProp::NodeFolder && tree.ItemHasChildren(h))
                tree.Expand(h, TVE_EXPAND);
            if (p && p->m_nNodeType == CParamProp::NodeComponent
                && arrComponents.GetSize() < kSelected)
                arrComponents.Add(h);
        }
    }
    // Each run pastes into a folder of its own, as full as any other.
    CArray<HTREEITEM, HTREEITEM> arrTargets;
    const HTREEITEM hEnd = hFloor ? tree.GetNextSiblingItem(hFloor) : NULL;
    for (HTREEITEM h = hFloor; h && h != hEnd && arrTargets.GetSize() < kRuns;
         h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
        const CParamProp* p = tree.GetItemProp(h);
        if (p && p->m_nNodeType == CParamProp::NodeFolder)
            arrTargets.Add(h);
    }
    if (arrComponents.GetSize() < kSelected || arrTargets.GetSize() < kRuns) {
        fprintf(stderr, "the benchmark project has too few components\n");
        return 1;
    }
    tree.EnsureVisible(arrComponents[0]);
    tree.UpdateWindow();

    int nPasted = 0;
    const double dPaste = MedianMs(
        kRuns,
        [&] {
            tree.SelectItem(arrComponents[0]);
            for (INT_PTR i = 0; i < arrComponents.GetSize(); ++i)
                tree.SetItemState(arrComponents[i], TVIS_SELECTED, TVIS_SELECTED);
            tree.SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMTREE_MCOPY, 0), 0);
            tree.SelectItem(arrTargets[nPasted]);
            tree.UpdateWindow();
        },
        [&] {
            tree.SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMTREE_MPASTE, 0), 0);
            PumpPending();
            tree.UpdateWindow();
            ++nPasted;
        });
    for (INT_PTR i = 0; i < arrTargets.GetSize(); ++i) {
        int nItems = 0;
        for (HTREEITEM h = tree.GetChildItem(arrTargets[i]); h; h = tree.GetNextSiblingItem(h))
            ++nItems;
        if (nItems < kSelected) {
            fprintf(stderr, "a paste added %d items, not %d\n", nItems, kSelected);
            return 2;
        }
    }
    Report("mpaste_ms_1k", dPaste, "ms");

    tree.FreeAllData();
    pPanel->DestroyWindow();
    delete pPanel;
    host.DestroyWindow();
    CProjectDatabase::Close();
    DeleteFileW(strPath.c_str());
    return 0;
}
