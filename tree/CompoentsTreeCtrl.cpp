#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>
#include <iterator>
#include <string>
#include <unordered_set>
#include <vector>

#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "tree/ComponentRowIndex.h"
#include "tree/ComTreeHostSite.h"
#include "tree/VolumeText.h"

namespace {
// The style InitTree gives the control, whatever it was created with: labels edited in place,
// no drag and drop, the selection shown while the focus is elsewhere.
const DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS
    | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
static_assert(kTreeStyle == 0x5081003F, "style of the component tree");

using Field = CAccessProject_ComFolderTable::CFieldInfo;

// Category heads of the by-component layout belong to no floor.
const int kNoFloor = -2000;

// The 13 icons of the image list, in image-index order. Folders take the indexes their rule
// gives them.
constexpr UINT kIconIds[] = {
    IDI_TREE_FOLDER,       IDI_TREE_BRICK_WALL, IDI_TREE_JOINT,     IDI_TREE_SLAB,
    IDI_TREE_COLUMN,       IDI_TREE_PILE,       IDI_TREE_STAIRS,    IDI_TREE_RING,
    IDI_TREE_FOOTING,      IDI_TREE_FLOOR,      IDI_TREE_COMPONENT, IDI_TREE_PROJECT,
    IDI_TREE_SLOPING_SLAB,
};
const int kImageFloor = 9;
const int kImageComponent = 10;
const int kImageProject = 11;
static_assert(kIconIds[kImageFloor] == IDI_TREE_FLOOR
                  && kIconIds[kImageComponent] == IDI_TREE_COMPONENT
                  && kIconIds[kImageProject] == IDI_TREE_PROJECT,
              "floors, components and the project have their own images");

// The floor suffix is the module's one narrow literal: "层" in code page 936, converted
// through the system code page as the rest of the host's narrow texts are.
const char kFloorSuffix[] = "\xb2\xe3";

CParamProp* NewRecord(CParamProp::TreeNodeType nType, int nFloorId, int nComType, float fVolume,
                      const CString& strId, const CString& strName)
{
    CParamProp* pProp = new CParamProp;
    pProp->m_nNodeType = nType;
    pProp->m_nFloorID = nFloorId;
    pProp->m_nComType = nComType;
    pProp->m_fVolume = fVolume;
    pProp->m_strID = strId;
    pProp->m_strName = strName;
    return pProp;
}

CString IntText(int nValue)
{
    wchar_t szDigits[16];
    _itow(nValue, szDigits, 10);
    return CString(szDigits);
}

// The merged folder view's own field: the display order of the row's floor.
const wchar_t kFloorShowId[] = L"floorshowid";

// A folder row's key: its id within its floor.
std::wstring FolderKey(int nFloorId, const CString& strId)
{
    return std::to_wstring(nFloorId) + L'\x1f' + strId.GetString();
}
} // namespace

BEGIN_MESSAGE_MAP(CCompoentsTreeCtrl, CTreeCtrlEx)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDING, OnItemexpanding)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, OnSelchanged)
    ON_NOTIFY_REFLECT_EX(NM_SETFOCUS, OnSetfocus)
    ON_NOTIFY_REFLECT_EX(NM_KILLFOCUS, OnKillfocus)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEM, OnDeleteitem)
    // Adding.
    ON_COMMAND(ID_COMTREE_ADD_FLOOR, &CCompoentsTreeCtrl::OnAddFloor)
    ON_COMMAND_RANGE(ID_COMTREE_ADD_FOLDER_FIRST, ID_COMTREE_ADD_FOLDER_LAST,
                     &CCompoentsTreeCtrl::OnAddPopupMenuClick)
    ON_COMMAND(ID_COMTREE_ADD_USER_FOLD, &CCompoentsTreeCtrl::OnAddUserFold)
    ON_COMMAND(ID_COMTREE_OWNER_COM, &CCompoentsTreeCtrl::OnOwnerCom)
    ON_COMMAND(ID_COMTREE_USER_COMPONENT, &CCompoentsTreeCtrl::OnUserComponent)

    // Renaming.
    ON_COMMAND(ID_COMTREE_RENAME, &CCompoentsTreeCtrl::OnReName)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDIT, &CCompoentsTreeCtrl::OnBeginlabeledit)
    ON_NOTIFY_REFLECT(TVN_ENDLABELEDIT, &CCompoentsTreeCtrl::OnEndlabeledit)

    // Delete, cut, copy, paste, quick copy, modify.
    ON_COMMAND(ID_COMTREE_DEL, &CCompoentsTreeCtrl::OnDel)
    ON_COMMAND(ID_COMTREE_CUT, &CCompoentsTreeCtrl::OnCut)
    ON_COMMAND(ID_COMTREE_COPY, &CCompoentsTreeCtrl::OnCopy)
    ON_COMMAND(ID_COMTREE_PASTE, &CCompoentsTreeCtrl::OnPaste)
    ON_COMMAND(ID_COMTREE_QUICK_COPY, &CCompoentsTreeCtrl::OnQuickCopy)
    ON_COMMAND(ID_COMTREE_MODIFY_COM, &CCompoentsTreeCtrl::OnModifyCom)
    ON_COMMAND(ID_COMTREE_MODIFY_BATCH, &CCompoentsTreeCtrl::OnModifyBatch)

    // Multi-node operations and the double-click.
    ON_COMMAND(ID_COMTREE_MCOPY, &CCompoentsTreeCtrl::OnMCopy)
    ON_COMMAND(ID_COMTREE_MCUT, &CCompoentsTreeCtrl::OnMCut)
    ON_COMMAND(ID_COMTREE_MPASTE, &CCompoentsTreeCtrl::OnMPaste)
    ON_COMMAND(ID_COMTREE_MDEL, &CCompoentsTreeCtrl::OnMDel)

END_MESSAGE_MAP()

CCompoentsTreeCtrl::CCompoentsTreeCtrl()
    : m_bMovePending(0), m_nMoveComId(0), m_bTreeReady(0), cutItem(NULL),
      m_pFolderManager(new CComFolderManager), m_hFirstItem(NULL), m_nNewAdd(0),
      m_nFolderRowCursor(1), m_pFolderView(NULL), m_pHostSite(NULL), m_pBuildIndex(NULL),
      m_pPendingComponents(NULL), m_bReleaseOnDelete(FALSE)
{}

CCompoentsTreeCtrl::~CCompoentsTreeCtrl()
{
    delete m_pFolderView;
    delete m_pFolderManager;
}

BOOL CCompoentsTreeCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    cs.style &= ~WS_BORDER;
    return CTreeCtrlEx::PreCreateWindow(cs);
}

CComTreeHostSite* CCompoentsTreeCtrl::GetHostSite()
{
    if (m_pHostSite == NULL)
        m_pHostSite = dynamic_cast<CComTreeHostSite*>(GetParent());
    return m_pHostSite;
}

CParamProp* CCompoentsTreeCtrl::GetItemProp(HTREEITEM hItem)
{
    if (hItem == NULL || GetSafeHwnd() == NULL)
        return NULL;
    return reinterpret_cast<CParamProp*>(GetItemData(hItem));
}

// ---------------------------------------------------------------------------------------------
// Building and releasing

int CCompoentsTreeCtrl::InitTree(CString strProjectName, int nByFloor)
{
    // Without a window there is nothing to build into; the call is a no-op.
    if (GetSafeHwnd() == NULL)
        return 1;
    CWaitCursor wait;
    m_bTreeReady = 1;
    ReleaseAllItems();

    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, kTreeStyle);
    LoadImageList();

    if (strProjectName.IsEmpty()) {
        CAccessProject_ProjectInfoTable info;
        strProjectName = info.GetProjectName();
    }
    CParamProp* pProject = NewRecord(CParamProp::NodeProject, -1, 0, 0.0f, CString(), CString());
    HTREEITEM hProject = InsertItem(TVI_ROOT, strProjectName, (DWORD_PTR)pProject, kImageProject,
                                    kImageProject);
    if (hProject == NULL) {
        delete pProject;
        return 1;
    }

    InitTreeFolderDataSet(m_pFolderManager->m_pFloorDataSet, m_pFolderManager->m_pComFolderDataSet);
    // One read of the component table serves every folder of this build.
    CComponentRowIndex index;
    m_pBuildIndex = index.Load() ? &index : NULL;
    // Nothing of the build shows before it is complete: one repaint at the end.
    SendMessage(WM_SETREDRAW, FALSE);
    CArray<PendingComponent, const PendingComponent&> arrPending;
    m_pPendingComponents = &arrPending;
    if (nByFloor)
        InsertItemByFloor(hProject, L"0");
    else
        InsertItemByComFolder(hProject);
    m_pPendingComponents = NULL;
    m_pBuildIndex = NULL;
    InsertPendingComponents(arrPending);
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate();

    m_hFirstItem = GetChildItem(hProject);
    if (m_hFirstItem != NULL)
        SelectItem(m_hFirstItem);
    return 1;
}

void CCompoentsTreeCtrl::LoadImageList()
{
    CComTreeModule::LoadIconStrip(m_imageList, ILC_COLOR16, kIconIds, (int)std::size(kIconIds));
    SetImageList(&m_imageList, TVSIL_NORMAL);
}

HTREEITEM CCompoentsTreeCtrl::InsertItem(HTREEITEM hParent, CString strText, DWORD_PTR dwData,
                                         int nImage, int nSelectedImage)
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    // Text, images and the record go in with one insertion: an item never exists without
    // its record, and a refused insertion leaves nothing set.
    return CTreeCtrl::InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, strText,
                                 nImage, nSelectedImage, 0, 0, (LPARAM)dwData, hParent, TVI_LAST);
}

void CCompoentsTreeCtrl::ReleaseRecords(HTREEITEM hItem)
{
    // Iterative pre-order walk of hItem's subtree: a large tree must not cost stack depth.
    if (hItem == NULL)
        return;
    HTREEITEM hCur = hItem;
    while (hCur != NULL) {
        delete GetItemProp(hCur);
        HTREEITEM hNext = GetChildItem(hCur);
        if (hNext == NULL) {
            while (hCur != hItem && (hNext = GetNextSiblingItem(hCur)) == NULL)
                hCur = GetParentItem(hCur);
            if (hCur == hItem)
                hNext = NULL;
        }
        hCur = hNext;
    }
}

BOOL CCompoentsTreeCtrl::DeleteWithRecords(HTREEITEM hItem)
{
    // The tree view tells of every item it removes, with the item's data, through the parent,
    // which passes it back to this control when it is a window of the framework. The records
    // then go item by item as the tree removes them: no walk over the branch, whose every
    // step costs the tree view a search over all items.
    if (CWnd::FromHandlePermanent(::GetParent(m_hWnd)) == NULL) {
        if (hItem == TVI_ROOT) {
            for (HTREEITEM hTop = GetRootItem(); hTop != NULL; hTop = GetNextSiblingItem(hTop))
                ReleaseRecords(hTop);
        } else {
            ReleaseRecords(hItem);
        }
        return DeleteItem(hItem);
    }
    m_bReleaseOnDelete = TRUE;
    const BOOL bDeleted = DeleteItem(hItem);
    m_bReleaseOnDelete = FALSE;
    return bDeleted;
}

BOOL CCompoentsTreeCtrl::OnDeleteitem(NMHDR* pNMHDR, LRESULT* pResult)
{
    CParamProp* pProp
        = reinterpret_cast<CParamProp*>(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemOld.lParam);
    if (m_pRemovedRows != NULL && pProp != NULL) {
        NoteRemovedRow(pProp); // a branch the delete command removes
        delete pProp;
    } else if (m_bReleaseOnDelete) {
        delete pProp;
    }
    return CTreeCtrlEx::OnDeleteitem(pNMHDR, pResult);
}

void CCompoentsTreeCtrl::ReleaseAllItems()
{
    if (GetSafeHwnd() == NULL)
        return;
    // Nothing selected first: the deletions below then cannot hand the parent a selection
    // change whose item carries a released record.
    SelectItem(NULL);
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteWithRecords(TVI_ROOT);
    SendMessage(WM_SETREDRAW, TRUE);
    ForgetItemHandles();
}

void CCompoentsTreeCtrl::FreeTree(HTREEITEM hItem)
{
    m_hFirstItem = NULL;
    m_bTreeReady = 0;
    if (GetSafeHwnd() == NULL)
        return;
    if (hItem == NULL) {
        // Every top-level item in turn; nothing is left, so no kept handle stays valid.
        HTREEITEM hTop;
        while ((hTop = GetRootItem()) != NULL) {
            if (!DeleteWithRecords(hTop)) {
                SetItemData(hTop, 0); // its record is gone; never hand it out again
                break;
            }
        }
        ForgetItemHandles();
        return;
    }
    // One deletion of the whole branch: the control removes the descendants with it, and any
    // selection it moves lands outside the branch.
    DeleteWithRecords(hItem);
}

void CCompoentsTreeCtrl::ForgetItemHandles()
{
    m_hFirstItem = NULL;
    m_arrSelItems.RemoveAll();
    m_arrOpItems.RemoveAll();
    cutItem = NULL;
    CopyInfo.sourceParentItem = NULL;
}

void CCompoentsTreeCtrl::OnItemRemoved(HTREEITEM hItem)
{
    if (cutItem == hItem)
        cutItem = NULL;
    if (CopyInfo.sourceParentItem == hItem)
        CopyInfo.sourceParentItem = NULL;
    if (m_hFirstItem == hItem)
        m_hFirstItem = NULL;
    for (CArray<HTREEITEM, HTREEITEM>* pArr : { &m_arrOpItems, &m_arrSelItems }) {
        for (INT_PTR i = pArr->GetSize() - 1; i >= 0; --i) {
            if ((*pArr)[i] == hItem)
                pArr->RemoveAt(i);
        }
    }
    CTreeCtrlEx::OnItemRemoved(hItem);
}

void CCompoentsTreeCtrl::FreeAllData()
{
    if (GetSafeHwnd() == NULL) {
        m_bTreeReady = 0;
        ForgetItemHandles();
        return;
    }
    HTREEITEM hTop = GetRootItem();
    SelectItem(hTop);
    FreeTree(hTop);
    if (GetRootItem() == NULL)
        ForgetItemHandles();
}

void CCompoentsTreeCtrl::InitAllTreeData()
{
    FreeAllData();
    m_pFolderManager->ReLoad();
}

// ---------------------------------------------------------------------------------------------
// The merged folder view

void CCompoentsTreeCtrl::InitTreeFolderDataSet(NDataModelDataSet* pFloors,
                                               NDataModelDataSet* pFolders)
{
    const int nFloorRows = pFloors ? pFloors->GetRowCount() : 0;

    BOOL bCreated = FALSE;
    for (int nRow = 1; nRow <= nFloorRows; ++nRow) {
        if (pFloors->GetAsInteger(L"createmode", nRow) == 1) {
            m_pFolderManager->CreateFloorFolders(pFloors->GetAsInteger(L"id", nRow));
            pFloors->SetAsInteger(L"createmode", nRow, 0);
            bCreated = TRUE;
        }
    }
    // The new folder rows and the cleared flags stay pending in the folder store: the host
    // commits both datasets (after building, on save, on exit). A host that committed only
    // the folder rows would find the flags still set on the next open and create the folders
    // a second time.
    if (bCreated && pFolders == NULL)
        pFolders = m_pFolderManager->m_pComFolderDataSet;

    delete m_pFolderView;
    m_pFolderView = new CProject_ComFolderTable;
    m_pFolderView->InitFieldStr();
    const int nFloorShowCol = m_pFolderView->AddField(kFloorShowId, KXFT_INTEGER, 0);

    if (pFloors) {
        pFloors->ResetSortField();
        pFloors->AddSortField(L"id", 1);
        pFloors->Sort();
    }
    const int nFolderRows = pFolders ? pFolders->GetRowCount() : 0;
    if (pFolders) {
        pFolders->ResetSortField();
        pFolders->AddSortField(Field::floorid, 1);
        pFolders->Sort();
    }

    if (pFolders && nFolderRows > 0) {
        // Columns of the folder dataset and of the view that hold the same field.
        const int nSrcCols = pFolders->GetFieldCount();
        CArray<int, int> arrDestCol;
        arrDestCol.SetSize(nSrcCols);
        for (int nCol = 0; nCol < nSrcCols; ++nCol)
            arrDestCol[nCol] = m_pFolderView->GetColNum(pFolders->GetFieldName(nCol));
        const int nSrcFloorCol = pFolders->GetColNum(Field::floorid);

        // A folder row is placed once: a second row with the same id on the same floor (a
        // rule text that repeats an id, a table without its key) would make the build insert
        // that folder's whole subtree again per copy. Such rows are left out and reported.
        const int nSrcIdCol = pFolders->GetColNum(Field::comfolderid);
        std::unordered_set<std::wstring> placed;
        int nDuplicates = 0;
        CString strDuplicate;
        int nStartRow = 1;
        for (int nFloor = 1; nFloor <= nFloorRows && nStartRow <= nFolderRows; ++nFloor) {
            const int nFloorId = pFloors->GetAsInteger(L"id", nFloor);
            const int nShowId = pFloors->GetAsInteger(L"showid", nFloor);
            int nRow = nStartRow;
            for (; nRow <= nFolderRows; ++nRow) {
                const int nRowFloor = pFolders->GetAsInteger(nSrcFloorCol, nRow);
                if (nRowFloor > nFloorId)
                    break;
                if (nRowFloor < nFloorId)
                    continue;
                const CString strId = pFolders->GetAsString(nSrcIdCol, nRow);
                if (!placed.insert(FolderKey(nFloorId, strId)).second) {
                    if (nDuplicates++ == 0)
                        strDuplicate.Format(L"楼层 %d 的构件夹 %s", nFloorId, strId.GetString());
                    continue;
                }
                const int nNew = m_pFolderView->InsertRow(m_pFolderView->GetRowCount() + 1);
                for (int nCol = 0; nCol < nSrcCols; ++nCol) {
                    if (arrDestCol[nCol] >= 0)
                        m_pFolderView->SetAsString(arrDestCol[nCol], nNew,
                                                   pFolders->GetAsString(nCol, nRow));
                }
                m_pFolderView->SetAsInteger(nFloorShowCol, nNew, nShowId);
            }
            nStartRow = nRow;
        }
        if (nDuplicates > 0) {
            CString strText;
            strText.Format(L"构件夹数据有重复：%d 行与同一楼层已有构件夹的编号相同（如%s），"
                           L"已忽略这些行。",
                           nDuplicates, strDuplicate.GetString());
            UIFunction::KxMessageBox(strText, L"", MB_OK);
        }
    }

    m_pFolderView->ResetSortField();
    m_pFolderView->AddSortField(kFloorShowId, 1);
    m_pFolderView->AddSortField(Field::comfolderid, 1);
    m_pFolderView->Sort();

    if (pFloors) {
        pFloors->ResetSortField();
        pFloors->AddSortField(L"showid", 1);
        pFloors->Sort();
    }
    m_nFolderRowCursor = 1;
}

// ---------------------------------------------------------------------------------------------
// Population

HTREEITEM CCompoentsTreeCtrl::InsertFolderRowItem(HTREEITEM hParent, const FolderRow& row,
                                                  float fVolume, const CString& strVolumeText)
{
    CParamProp* pProp = NewRecord(CParamProp::NodeFolder, row.nFloorId, row.nComType, fVolume,
                                  row.strId, row.strName);
    CString strText = row.strName;
    if (_wtoi(row.strId) > 99)
        strText.Format(L"%s*%s", row.strName, strVolumeText);
    HTREEITEM hItem = InsertItem(hParent, strText, (DWORD_PTR)pProp, row.nImage,
                                 row.nSelectedImage);
    if (hItem == NULL)
        delete pProp;
    return hItem;
}

HTREEITEM CCompoentsTreeCtrl::InsertComponentItem(HTREEITEM hParent, int nFloorId, int nId,
                                                  const CString& strName, int nComType,
                                                  float fVolume, const CString& strVolumeText)
{
    CParamProp* pProp = NewRecord(CParamProp::NodeComponent, nFloorId, nComType, fVolume,
                                  IntText(nId), strName);
    CString strText(strName);
    strText += L'*';
    strText += strVolumeText;
    if (m_pPendingComponents != NULL) {
        m_pPendingComponents->Add(PendingComponent{ hParent, strText, pProp });
        return NULL;
    }
    HTREEITEM hItem = InsertItem(hParent, strText, (DWORD_PTR)pProp, kImageComponent,
                                 kImageComponent);
    if (hItem == NULL)
        delete pProp;
    return hItem;
}

void CCompoentsTreeCtrl::InsertPendingComponents(
    const CArray<PendingComponent, const PendingComponent&>& arrPending)
{
    // The tree view finds an item handle by a search over all items in the order they were
    // inserted, so an insertion costs as much as its parent is late in that order. Folders
    // and floors went in first; their components now follow, folder by folder, each folder's
    // list from its end and each at the front: they stand in order ahead of the folder's
    // child folders, as a folder lists them.
    const INT_PTR nCount = arrPending.GetSize();
    for (INT_PTR nRun = 0; nRun < nCount;) {
        INT_PTR nEnd = nRun + 1;
        while (nEnd < nCount && arrPending[nEnd].hParent == arrPending[nRun].hParent)
            ++nEnd;
        for (INT_PTR i = nEnd - 1; i >= nRun; --i) {
            const PendingComponent& c = arrPending[i];
            HTREEITEM hItem = CTreeCtrl::InsertItem(
                TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM, c.strText,
                kImageComponent, kImageComponent, 0, 0, (LPARAM)c.pProp, c.hParent, TVI_FIRST);
            if (hItem == NULL)
                delete c.pProp;
        }
        nRun = nEnd;
    }
}

void CCompoentsTreeCtrl::InsertItemByFloor(HTREEITEM hParent, CString strCategoryId)
{
    NDataModelDataSet* pFloors = m_pFolderManager->m_pFloorDataSet;
    if (pFloors == NULL)
        return;
    int nFloorRows = pFloors->GetRowCount();
    if (!strCategoryId.IsEmpty() && _wtoi(strCategoryId) == 50 && nFloorRows > 1)
        nFloorRows = 1; // the foundation category lists the first floor only

    const CString strSuffix(kFloorSuffix);
    for (int nRow = 1; nRow <= nFloorRows; ++nRow) {
        const CString strName = pFloors->GetAsString(L"lcmc", nRow) + strSuffix;
        CParamProp* pProp = NewRecord(CParamProp::NodeFloor, pFloors->GetAsInteger(L"id", nRow), 0,
                                      1.0f, CString(), strName);
        HTREEITEM hFloor = InsertItem(hParent, strName, (DWORD_PTR)pProp, kImageFloor, kImageFloor);
        if (hFloor == NULL) {
            delete pProp;
            continue;
        }
        InsertItemByComFolder(hFloor, pFloors->GetAsInteger(L"showid", nRow), strCategoryId);
    }
}

void CCompoentsTreeCtrl::InsertItemByComFolder(HTREEITEM hProjectItem)
{
    if (m_pFolderView == NULL)
        return;
    const FolderRow::Columns view(m_pFolderView);
    const int nRows = m_pFolderView->GetRowCount();
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        FolderRow row;
        row.Read(view, nRow);
        if (row.nFloorId > 0)
            break;
        const int nId = _wtoi(row.strId);
        if (row.nFloorId != 0 || nId % 10 != 0 || nId >= 99)
            continue;
        // A category head belongs to no floor and shows its count as a whole number.
        row.nFloorId = kNoFloor;
        const int nVolume = m_pFolderView->GetAsInteger(view.nVolume, nRow);
        HTREEITEM hHead = InsertFolderRowItem(hProjectItem, row, (float)nVolume, IntText(nVolume));
        if (hHead == NULL)
            continue;
        m_nFolderRowCursor = nRow + 1;
        InsertItemByFloor(hHead, row.strId);
    }
}

void CCompoentsTreeCtrl::InsertItemByComFolder(HTREEITEM hParent, int nFloorShowId,
                                               CString strParentId)
{
    CProject_ComFolderTable* pView = m_pFolderView;
    if (pView == NULL)
        return;
    const FolderRow::Columns view(pView);
    const int nFloorShowCol = pView->GetColNum(kFloorShowId);
    const int nRows = pView->GetRowCount();
    // Depth first in view order, with an explicit stack: user folders may nest thousands
    // deep, more than the thread's stack holds frames. Each level scans on from where its
    // last child was found; a child's own scan starts at the row after it.
    struct Level
    {
        HTREEITEM hParent;
        CString strParentId;
        int nRow;
    };
    std::vector<Level> levels;
    levels.push_back({ hParent, strParentId, m_nFolderRowCursor });
    while (!levels.empty()) {
        Level& level = levels.back();
        HTREEITEM hFolder = NULL;
        FolderRow row;
        for (; level.nRow <= nRows && hFolder == NULL; ++level.nRow) {
            const int nRow = level.nRow;
            const int nRowShowId = pView->GetAsInteger(nFloorShowCol, nRow);
            if (nRowShowId > nFloorShowId) {
                level.nRow = nRows;
                continue;
            }
            if (nRowShowId != nFloorShowId || pView->GetAsInteger(view.nInitCreate, nRow) == 0
                || pView->GetAsString(view.nParentId, nRow) != level.strParentId)
                continue;
            row.Read(view, nRow);
            hFolder = InsertFolderRowItem(level.hParent, row, (float)row.dVolume,
                                          FormatVolumeText(row.dVolume));
            if (hFolder != NULL && row.nAllowOwnerCom != 0)
                InsertItemByOwnerCom(hFolder, row.nFloorId, row.strId);
        }
        if (hFolder == NULL) {
            levels.pop_back();
            continue;
        }
        m_nFolderRowCursor = level.nRow; // the row after the folder just placed
        levels.push_back({ hFolder, row.strId, m_nFolderRowCursor });
    }
}

void CCompoentsTreeCtrl::InsertItemByOwnerCom(HTREEITEM hFolderItem, int nFloorId,
                                              CString strFolderId)
{
    if (m_pBuildIndex != NULL) {
        int nCount = 0;
        const CComponentRowIndex::Row* pRows = m_pBuildIndex->Find(nFloorId, strFolderId, nCount);
        for (int i = 0; i < nCount; ++i) {
            InsertComponentItem(hFolderItem, nFloorId, pRows[i].nId, pRows[i].strName,
                                pRows[i].nComType, (float)pRows[i].dVolume,
                                FormatVolumeText(pRows[i].dVolume));
        }
        return;
    }

    // Outside a full build: ask the project for this folder's rows.
    CStringArray arrFields, arrValues;
    arrFields.Add(L"floorid");
    arrValues.Add(IntText(nFloorId));
    arrFields.Add(L"folderid");
    arrValues.Add(strFolderId);

    CAccessProject_Components_GJTable table;
    NDataModelDataSet* pComs = table.GetDataSet(arrFields, arrValues);
    if (pComs == NULL)
        return;
    pComs->ResetSortField();
    pComs->AddSortField(L"showid", 1);
    pComs->Sort();

    const int nIdCol = pComs->GetColNum(L"id");
    const int nNameCol = pComs->GetColNum(L"comname");
    const int nTypeCol = pComs->GetColNum(L"comtype");
    const int nVolumeCol = pComs->GetColNum(L"volume");
    const int nRows = pComs->GetRowCount();
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        const double dVolume = pComs->GetAsFloat(nVolumeCol, nRow);
        InsertComponentItem(hFolderItem, nFloorId, pComs->GetAsInteger(nIdCol, nRow),
                            pComs->GetAsString(nNameCol, nRow), pComs->GetAsInteger(nTypeCol, nRow),
                            (float)dVolume, FormatVolumeText(dVolume));
    }
    delete pComs;
}

int CCompoentsTreeCtrl::InitFloor(int nFloorId, HTREEITEM hFloorItem)
{
    NDataModelDataSet* pFolders = m_pFolderManager->m_pComFolderDataSet;
    if (pFolders == NULL || hFloorItem == NULL)
        return 1;
    const FolderRow::Columns folders(pFolders);
    const int nRows = pFolders->GetRowCount();
    std::unordered_set<std::wstring> placed; // a repeated top-level id is placed once
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        if (!pFolders->GetAsString(folders.nParentId, nRow).IsEmpty()
            || pFolders->GetAsInteger(folders.nFloorId, nRow) != nFloorId
            || pFolders->GetAsInteger(folders.nInitCreate, nRow) != 1)
            continue;
        FolderRow row;
        row.Read(folders, nRow);
        if (!placed.insert(row.strId.GetString()).second)
            continue;
        // A new floor's top-level folders show their count as a whole number.
        const int nVolume = pFolders->GetAsInteger(folders.nVolume, nRow);
        HTREEITEM hFolder = InsertFolderRowItem(hFloorItem, row, (float)nVolume, IntText(nVolume));
        if (hFolder == NULL)
            continue;
        if (row.nAllowOwnerCom != 0)
            InitOwnerCom(nFloorId, row.strId, hFolder);
        CreateChildItem(nFloorId, pFolders, row.strId, hFolder);
    }
    return 1;
}

int CCompoentsTreeCtrl::CreateChildItem(int nFloorId, NDataModelDataSet* pFolders,
                                        CString strParentId, HTREEITEM hParentItem)
{
    if (pFolders == NULL || hParentItem == NULL)
        return 1;
    const FolderRow::Columns folders(pFolders);
    const int nRows = pFolders->GetRowCount();
    // Every folder id is placed once below hParentItem, and never again where it is already an
    // ancestor: repeated rows would insert a subtree per copy, and rows naming each other as
    // parents would never end. The walk keeps its own stack, so depth costs no thread stack.
    std::unordered_set<std::wstring> placed;
    for (HTREEITEM hUp = hParentItem; hUp != NULL; hUp = GetParentItem(hUp)) {
        const CParamProp* pProp = GetItemProp(hUp);
        if (pProp && pProp->m_nNodeType == CParamProp::NodeFolder)
            placed.insert(pProp->m_strID.GetString());
    }
    struct Level
    {
        HTREEITEM hParent;
        CString strParentId;
        int nRow;
    };
    std::vector<Level> levels;
    levels.push_back({ hParentItem, strParentId, 1 });
    while (!levels.empty()) {
        Level& level = levels.back();
        HTREEITEM hFolder = NULL;
        FolderRow row;
        for (; level.nRow <= nRows && hFolder == NULL; ++level.nRow) {
            const int nRow = level.nRow;
            if (pFolders->GetAsString(folders.nParentId, nRow) != level.strParentId
                || pFolders->GetAsInteger(folders.nFloorId, nRow) != nFloorId
                || pFolders->GetAsInteger(folders.nInitCreate, nRow) == 0)
                continue;
            row.Read(folders, nRow);
            if (!placed.insert(row.strId.GetString()).second)
                continue;
            hFolder = InsertFolderRowItem(level.hParent, row, (float)row.dVolume,
                                          FormatVolumeText(row.dVolume));
            if (hFolder != NULL && row.nAllowOwnerCom != 0)
                InitOwnerCom(nFloorId, row.strId, hFolder);
        }
        if (hFolder == NULL)
            levels.pop_back();
        else
            levels.push_back({ hFolder, row.strId, 1 });
    }
    return 1;
}

void CCompoentsTreeCtrl::InitOwnerCom(int nFloorId, CString strFolderId, HTREEITEM hFolderItem)
{
    // The folder's own rows in table (id) order, through the floor-and-folder index: a scan of
    // every component row per folder took a new floor 16 s on the benchmark project.
    CStringArray arrFields, arrValues;
    arrFields.Add(L"floorid");
    arrValues.Add(IntText(nFloorId));
    arrFields.Add(L"folderid");
    arrValues.Add(strFolderId);
    CAccessProject_Components_GJTable table;
    NDataModelDataSet* pComs = table.GetDataSet(arrFields, arrValues);
    if (pComs == NULL)
        return;
    const int nIdCol = pComs->GetColNum(L"id");
    const int nNameCol = pComs->GetColNum(L"comname");
    const int nTypeCol = pComs->GetColNum(L"comtype");
    const int nVolumeCol = pComs->GetColNum(L"volume");
    const int nRows = pComs->GetRowCount();
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        const int nVolume = pComs->GetAsInteger(nVolumeCol, nRow);
        InsertComponentItem(hFolderItem, nFloorId, pComs->GetAsInteger(nIdCol, nRow),
                            pComs->GetAsString(nNameCol, nRow), pComs->GetAsInteger(nTypeCol, nRow),
                            (float)nVolume, IntText(nVolume));
    }
    delete pComs;
}

// ---------------------------------------------------------------------------------------------
// Totals, relisting and queries

template <class F>
void CCompoentsTreeCtrl::WalkComponents(HTREEITEM hStart, F fnVisit)
{
    if (GetSafeHwnd() == NULL)
        return;
    if (hStart == NULL)
        hStart = GetRootItem();
    // The later sibling of every item descended into waits on a stack of our own: the depth
    // of nested user folders is not bounded by the thread's stack.
    std::vector<HTREEITEM> resume;
    HTREEITEM hItem = hStart;
    while (hItem != NULL || !resume.empty()) {
        if (hItem == NULL) {
            hItem = resume.back();
            resume.pop_back();
            continue;
        }
        HTREEITEM hChild = GetChildItem(hItem);
        HTREEITEM hNext = GetNextSiblingItem(hItem);
        if (hChild != NULL) {
            resume.push_back(hNext);
            hItem = hChild;
            continue;
        }
        CParamProp* pProp = GetItemProp(hItem);
        if (pProp != NULL && pProp->m_nNodeType == CParamProp::NodeComponent)
            fnVisit(hItem, pProp);
        hItem = hNext;
    }
}

void CCompoentsTreeCtrl::ReSumNodeVolume(HTREEITEM hStart)
{
    WalkComponents(hStart,
                   [this](HTREEITEM hItem, CParamProp*) { ReSumTreeNodeVolumeValue(hItem); });
}

void CCompoentsTreeCtrl::ReSumTreeNodeVolumeValue(HTREEITEM hItem)
{
    // Only components have a total; anything else would store a folder's product under a
    // component id that happens to equal the folder id.
    CParamProp* pProp = GetItemProp(hItem);
    if (pProp == NULL || pProp->m_nNodeType != CParamProp::NodeComponent)
        return;
    float fTotal = pProp->m_fVolume;
    for (HTREEITEM hUp = GetParentItem(hItem); hUp != NULL; hUp = GetParentItem(hUp)) {
        CParamProp* pUp = GetItemProp(hUp);
        if (pUp == NULL || !(pUp->IsUserFolder() || pUp->m_nNodeType == CParamProp::NodeComponent))
            break;
        fTotal *= pUp->m_fVolume;
    }
    m_pFolderManager->SetComSumVolume(_wtoi(pProp->m_strID), fTotal);
}

void CCompoentsTreeCtrl::ReListTreeNode(CString strProjectName)
{
    CStringArray arrIds, arrNames;
    {
        CAccessProject_Components_GJTable table;
        CKxSQLTableCtrl* pCursor = NULL;
        if (!table.GetAllRow_TableCtrl(pCursor) || pCursor == NULL)
            return;
        while (pCursor->TableNextRow()) {
            CString strId, strName;
            pCursor->GetAsString(L"id", strId);
            pCursor->GetAsString(L"comname", strName);
            arrIds.Add(strId);
            arrNames.Add(strName);
        }
        delete pCursor;
    }

    CStringCompositor compositor(arrNames);
    CArray<int, int> arrOrder;
    compositor.GetResult(arrOrder);
    {
        CAccessProject_Components_GJTable table;
        for (INT_PTR k = 0; k < arrOrder.GetSize(); ++k) {
            const int nIndex = arrOrder[k];
            if (nIndex >= 0 && nIndex < arrIds.GetSize())
                table.SetShowID(_wtoi(arrIds[nIndex]), (int)k);
        }
    }
    InitTree(strProjectName, 1);
}

void CCompoentsTreeCtrl::ReListTreeNode_ComID(CString strProjectName)
{
    CAccessProject_Components_GJTable table;
    CSQLDataSet* pComs = table.GetDataSet();
    if (pComs != NULL) {
        const int nRows = pComs->GetRowCount();
        for (int nRow = 1; nRow <= nRows; ++nRow)
            pComs->SetAsString(L"showid", nRow, pComs->GetAsString(L"id", nRow));
        pComs->DoSqlUpdate();
        delete pComs;
    }
    InitTree(strProjectName, 1);
}

int CCompoentsTreeCtrl::GetChildItemInfo(CDWordArray& arrIds, CStringArray& arrNames,
                                         CDWordArray& arrTypes)
{
    HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    CParamProp* pProp = GetItemProp(hSel);
    if (pProp == NULL)
        return 0;
    HTREEITEM hStart = NULL;
    if (pProp->m_nNodeType == CParamProp::NodeFolder)
        hStart = GetChildItem(hSel);
    else if (pProp->m_nNodeType == CParamProp::NodeComponent)
        hStart = hSel;
    if (hStart != NULL)
        GetTreeNodeInfo(hStart, arrIds, arrNames, arrTypes);
    return 0;
}

void CCompoentsTreeCtrl::GetTreeNodeInfo(HTREEITEM hStart, CDWordArray& arrIds,
                                         CStringArray& arrNames, CDWordArray& arrTypes)
{
    WalkComponents(hStart, [&](HTREEITEM, CParamProp* pProp) {
        arrIds.Add((DWORD)_wtoi(pProp->m_strID));
        arrNames.Add(pProp->m_strName);
        arrTypes.Add((DWORD)pProp->m_nComType);
    });
}

void CCompoentsTreeCtrl::GetTreeComponentArray(HTREEITEM hStart, CStringArray& arrIds)
{
    WalkComponents(hStart, [&](HTREEITEM, CParamProp* pProp) { arrIds.Add(pProp->m_strID); });
}

CString CCompoentsTreeCtrl::GetTreeNodeName()
{
    HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    return hSel ? GetItemText(hSel) : CString();
}

void CCompoentsTreeCtrl::SetComName(int, CString strName) { m_strComName = strName; }

void CCompoentsTreeCtrl::InitSelItem()
{
    m_arrSelItems.RemoveAll();
    if (GetSafeHwnd() == NULL)
        return;
    CArray<HTREEITEM, HTREEITEM> arrSelected;
    GetSelectedItems(arrSelected);
    const INT_PTR nCount = arrSelected.GetSize();
    for (INT_PTR i = 0; i < nCount; ++i) {
        m_arrSelItems.Add(arrSelected[i]);
        CParamProp* pProp = GetItemProp(arrSelected[i]);
        if (pProp == NULL || pProp->m_nNodeType != CParamProp::NodeComponent) {
            // A selection that mixes in anything but components collapses.
            if (nCount >= 2)
                ClearMultiSelection();
            m_arrSelItems.RemoveAll();
            return;
        }
    }
}

void CCompoentsTreeCtrl::OnChangeEditNum()
{
    // Showing the stored count again after a failed write changes the field once more; that
    // change is the file's own value and applies nothing.
    static bool s_bShowingStored = false;
    if (s_bShowingStored)
        return;
    CComTreeHostSite* pSite = GetHostSite();
    HTREEITEM hItem = GetSelectedItem();
    CParamProp* pProp = GetItemProp(hItem);
    CString strCount = pSite ? pSite->GetCountText() : CString();
    if (pProp && (pProp->m_nNodeType == CParamProp::NodeComponent || pProp->IsUserFolder())) {
        // The count and the totals above it are stored together or not at all.
        CProjectConnectTransaction transaction;
        // The label keeps the text exactly as typed; the record keeps what it reads as.
        SetItemText(hItem, pProp->m_strName + L"*" + strCount);
        pProp->m_fVolume = (float)_wtof(strCount);
        const int nId = _wtoi(pProp->m_strID);
        BOOL bStored;
        {
            // The count and the totals it changes land together or not at all.
            CProjectConnectTransaction transaction;
            m_pFolderManager->SetVolume(nId, pProp->m_nFloorID, pProp->m_fVolume,
                                        pProp->m_nNodeType);
            if (ItemHasChildren(hItem))
                ReSumNodeVolume(hItem);
            else if (pProp->m_nNodeType == CParamProp::NodeComponent)
                ReSumTreeNodeVolumeValue(hItem);
            bStored = transaction.End();
        }
        if (!bStored && CProjectDatabase::IsOpen()) {
            // The user was told (保存失败); the item and the field show what the file holds.
            const CString strStored = m_pFolderManager->GetVolumeText(nId, pProp->m_nFloorID,
                                                                      pProp->m_nNodeType);
            pProp->m_fVolume = (float)_wtof(strStored);
            const CString strShown = FormatVolumeText(pProp->m_fVolume);
            SetItemText(hItem, pProp->m_strName + L"*" + strShown);
            if (pSite) {
                s_bShowingStored = true;
                pSite->SetCountText(strShown);
                s_bShowingStored = false;
            }
        }
    }
    // The host hears of every selected item, also when nothing was applied.
    CWnd* pHost = pSite ? pSite->GetHostWindow() : GetParent();
    if (pHost && pHost->GetSafeHwnd())
        pHost->SendMessage(WM_COMTREE_COUNTAPPLIED, 0, reinterpret_cast<LPARAM>(pProp));
}

void CCompoentsTreeCtrl::DelFloor(int nFloorId) { m_pFolderManager->DeleteFloor(nFloorId); }

// ---------------------------------------------------------------------------------------------
// Handlers shared with the multi-selection base; the editing commands extend some of them.

void CCompoentsTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTreeCtrlEx::OnLButtonDown(nFlags, point);
}
void CCompoentsTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    CTreeCtrlEx::OnLButtonUp(nFlags, point);
}
void CCompoentsTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CTreeCtrlEx::OnMouseMove(nFlags, point);
}
void CCompoentsTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CTreeCtrlEx::OnKeyDown(nChar, nRepCnt, nFlags);
}
void CCompoentsTreeCtrl::OnTimer(UINT_PTR nIDEvent) { CTreeCtrlEx::OnTimer(nIDEvent); }
BOOL CCompoentsTreeCtrl::OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    return CTreeCtrlEx::OnItemexpanding(pNMHDR, pResult);
}
BOOL CCompoentsTreeCtrl::OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    return CTreeCtrlEx::OnSelchanged(pNMHDR, pResult);
}
BOOL CCompoentsTreeCtrl::OnSetfocus(NMHDR* pNMHDR, LRESULT* pResult)
{
    return CTreeCtrlEx::OnSetfocus(pNMHDR, pResult);
}
BOOL CCompoentsTreeCtrl::OnKillfocus(NMHDR* pNMHDR, LRESULT* pResult)
{
    return CTreeCtrlEx::OnKillfocus(pNMHDR, pResult);
}
