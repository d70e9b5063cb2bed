// Pasting and deleting a large folder on the benchmark project (Bench.h), by floor, in the
// panel as a host docks it. A copy of the project gets a user folder of 1,000 components in
// 框架梁 (11) of floor 1; it is copied once, then pasted into 11 of floor 2 and the pasted folder
// deleted again, in turns. Each figure runs from the command until the messages it caused are
// handled: the rows written in one transaction, the items inserted or removed, the totals.
//
// Figures: paste_folder_ms_1k (the paste of the folder), delete_folder_ms_1k (its delete,
// confirmed with Yes).
#include "Bench.h"

#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

namespace {
const int kRuns = 7;
const int kComponents = 1000;
const wchar_t kBigFolderId[] = L"1000";

int AnswerYes(LPCTSTR, LPCTSTR, UINT, void*) { return IDYES; }

// The child of hParent whose record has this kind and id.
HTREEITEM ChildById(CCompoentsTreeCtrl& tree, HTREEITEM hParent, int nKind, LPCWSTR pszId)
{
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h)) {
        const CParamProp* p = tree.GetItemProp(h);
        if (p && p->m_nNodeType == nKind && p->m_strID == pszId)
            return h;
    }
    return NULL;
}

// Floor nFloor's folder 11 (under 10), its floor expanded as a user would have it.
HTREEITEM FrameBeams(CCompoentsTreeCtrl& tree, int nFloor)
{
    HTREEITEM hFloor = tree.GetChildItem(tree.GetRootItem());
    for (int i = 0; i < nFloor && hFloor; ++i)
        hFloor = tree.GetNextSiblingItem(hFloor);
    HTREEITEM hBeams = ChildById(tree, hFloor, CParamProp::NodeFolder, L"10");
    tree.Expand(hFloor, TVE_EXPAND);
    tree.Expand(hBeams, TVE_EXPAND);
    return ChildById(tree, hBeams, CParamProp::NodeFolder, L"11");
}

HTREEITEM LastChild(CCompoentsTreeCtrl& tree, HTREEITEM hParent)
{
    HTREEITEM hLast = NULL;
    for (HTREEITEM h = tree.GetChildItem(hParent); h; h = tree.GetNextSiblingItem(h))
        hLast = h;
    return hLast;
}

bool AddBigFolder()
{
    CProjectConnectTransaction scope;
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    pConn->ExecuteBound(L"INSERT INTO comfolder (comfolderid, floorid, allowownercom, parentid, "
                        L"foldername, imageindex, selectedindex, comtype, allowadduserfolder, "
                        L"initcreate, volume, showid) VALUES (?1, 1, 1, '11', '千件夹', 0, 0, "
                        L"111, 1, 1, 1, ?1)",
                        { kBigFolderId });
    CAccessProject_Components_GJTable components;
    for (int i = 0; i < kComponents; ++i) {
        CString strName;
        strName.Format(L"QJ-%d", i + 1);
        components.Insert(1, kBigFolderId, strName, 111, 1 + i % 3, 1);
    }
    return scope.End() != FALSE;
}
} // namespace

int RunBench()
{
    const std::wstring strPath = CopyOfBenchProject(L"comtree-clipboard-bench.db");
    if (!OpenBenchProject(strPath) || !AddBigFolder())
        return 1;
    CWnd host;
    CDlg_ComTree* pPanel = CreateBenchPanel(host);
    if (pPanel == NULL)
        return 1;
    CCompoentsTreeCtrl& tree = pPanel->m_treeCtrl;
    UIFunction::SetMessageBoxHandler(&AnswerYes);

    const HTREEITEM hSource = ChildById(tree, FrameBeams(tree, 1), CParamProp::NodeFolder,
                                        kBigFolderId);
    const HTREEITEM hTarget = FrameBeams(tree, 2);
    if (!hSource || !hTarget) {
        fprintf(stderr, "the benchmark project lacks floor 2 or the big folder\n");
        return 1;
    }
    tree.SelectItem(hSource);
    tree.SendMessage(WM_COMMAND, ID_COMTREE_COPY, 0);

    std::vector<double> arrPaste, arrDelete;
    for (int i = 0; i < kRuns; ++i) {
        tree.SelectItem(hTarget);
        tree.EnsureVisible(hTarget);
        tree.UpdateWindow();
        PumpPending();
        double dStart = NowMs();
        tree.SendMessage(WM_COMMAND, ID_COMTREE_PASTE, 0);
        PumpPending();
        arrPaste.push_back(NowMs() - dStart);

        // The paste used the clipboard up: the next run copies again (untimed).
        tree.SelectItem(hSource);
        tree.SendMessage(WM_COMMAND, ID_COMTREE_COPY, 0);
        const HTREEITEM hPasted = LastChild(tree, hTarget);
        const CParamProp* pPasted = tree.GetItemProp(hPasted);
        if (pPasted == NULL || pPasted->m_nNodeType != CParamProp::NodeFolder
            || tree.GetChildItem(hPasted) == NULL) {
            fprintf(stderr, "the paste added no folder\n");
            return 2;
        }
        tree.SelectItem(hPasted);
        tree.UpdateWindow();
        PumpPending();
        dStart = NowMs();
        tree.SendMessage(WM_COMMAND, ID_COMTREE_DEL, 0);
        PumpPending();
        arrDelete.push_back(NowMs() - dStart);
        if (tree.GetItemProp(hTarget) == NULL) {
            fprintf(stderr, "the delete took the target with it\n");
            return 2;
        }
    }
    std::sort(arrPaste.begin(), arrPaste.end());
    std::sort(arrDelete.begin(), arrDelete.end());
    Report("paste_folder_ms_1k", arrPaste[kRuns / 2], "ms");
    Report("delete_folder_ms_1k", arrDelete[kRuns / 2], "ms");

    UIFunction::SetMessageBoxHandler(NULL);
    tree.FreeAllData();
    pPanel->DestroyWindow();
    delete pPanel;
    CProjectDatabase::Close();
    DeleteFileW(strPath.c_str());
    return 0;
}
