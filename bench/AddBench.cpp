// Adding on the benchmark project (Bench.h), by floor, in the panel as a host docks it, on a
// copy of the project (the shared one stays as written): from the command until the new item
// stands and the queue is idle.
//
// Figures: add_floor_ms_100k (a floor with its rule folders; the new floor's folders look for
// components by a scan of the whole component table each), add_user_folder_ms_100k (the next
// id over every folder row, the row and the folder table's commit), add_custom_component_ms_100k
// (the component's row, its set-up copy and its name, one transaction; the count applied).
#include "Bench.h"

#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

#ifndef COMTREE_SAMPLE_DATA_DIR
#error "COMTREE_SAMPLE_DATA_DIR names the source tree's samples/data"
#endif

namespace {
const int kRuns = 7;

// Nothing may wait for a person; a message box here would be a fault of the run.
int CountBox(LPCTSTR, LPCTSTR, UINT, void* pContext)
{
    ++*static_cast<int*>(pContext);
    return IDOK;
}
} // namespace

int RunBench()
{
    const std::wstring strShared = BenchProjectPath();
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring strPath = std::wstring(tmp) + L"comtree-bench-add.db";
    CString strError;
    if (strShared.empty() || !CopyFileW(strShared.c_str(), strPath.c_str(), FALSE)
        || !CProjectDatabase::Open(strPath.c_str(), &strError)) {
        fprintf(stderr, "no benchmark project: %s\n", strError.ToUtf8().c_str());
        return 1;
    }
    KxMfc::Fun::SetSysDataPath(COMTREE_SAMPLE_DATA_DIR);
    int nBoxes = 0;
    UIFunction::SetMessageBoxHandler(&CountBox, &nBoxes);
    CWnd host;
    if (!CreateHostWindow(host, 700, 700))
        return 1;
    CDlg_ComTree* pPanel = new CDlg_ComTree(&host);
    if (!pPanel->Create(IDD_DLG_COMTREE, &host))
        return 1;
    CAccessProject_ProjectInfoTable info;
    pPanel->InitTree(info.GetProjectName());
    pPanel->MoveWindow(0, 0, 330, 650);
    pPanel->ShowWindow(SW_SHOW);
    CCompoentsTreeCtrl& tree = pPanel->m_treeCtrl;

    // A folder of the first floor that takes components and user folders.
    HTREEITEM hFolder = NULL;
    HTREEITEM hFloor = tree.GetChildItem(tree.GetRootItem());
    for (HTREEITEM h = tree.GetNextItemEx(hFloor, TVGN_EX_ALL); h && !hFolder;
         h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
        const CParamProp* p = tree.GetItemProp(h);
        if (p && p->m_nNodeType == CParamProp::NodeFolder && p->m_nComType != 0
            && tree.m_pFolderManager->IsAllowOwnerCom(p->m_nFloorID, p->m_strID)
            && tree.m_pFolderManager->IsAllowAddUserFolder(p->m_nFloorID, p->m_strID))
            hFolder = h;
    }
    if (hFolder == NULL) {
        fprintf(stderr, "no folder takes components and user folders\n");
        return 1;
    }

    auto command = [&](UINT nId, HTREEITEM hSelect) {
        return MedianMs(
            kRuns,
            [&] {
                tree.SelectItem(hSelect);
                PumpPending();
            },
            [&] {
                tree.SendMessage(WM_COMMAND, nId, 0);
                PumpPending();
                tree.UpdateWindow();
            });
    };
    const UINT nItemsBefore = tree.GetCount();
    Report("add_floor_ms_100k", command(ID_COMTREE_ADD_FLOOR, hFloor), "ms");
    Report("add_user_folder_ms_100k", command(ID_COMTREE_ADD_USER_FOLD, hFolder), "ms");
    Report("add_custom_component_ms_100k", command(ID_COMTREE_USER_COMPONENT, hFolder), "ms");
    const bool bAdded = tree.GetCount() > nItemsBefore + 2 * kRuns;

    tree.FreeAllData();
    pPanel->DestroyWindow();
    delete pPanel;
    host.DestroyWindow();
    CProjectDatabase::Close();
    UIFunction::SetMessageBoxHandler(NULL);
    DeleteFileW(strPath.c_str());
    if (nBoxes != 0 || !bAdded) {
        fprintf(stderr, "%d message boxes; items added: %s\n", nBoxes, bAdded ? "yes" : "no");
        return 2;
    }
    return 0;
}
