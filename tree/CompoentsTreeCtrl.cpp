#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>
#include <iterator>

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
      m_nFolderRowCursor(1), m_pFolderView(NULL), m_pHostSite(NULL), m_pBuildIndex(NULL)
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
    if (nByFloor)
        InsertItemByFloor(hProject, L"0");
    else
        InsertItemByComFolder(hProject);
    m_pBuildIndex = NULL;

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

void CCompoentsTreeCtrl::ReleaseAllItems()
{
    if (GetSafeHwnd() == NULL)
        return;
    // Nothing selected first: the deletions below then cannot hand the parent a selection
    // change whose item carries a released record.
    SelectItem(NULL);
    for (HTREEITEM hTop = GetRootItem(); hTop != NULL; hTop = GetNextSiblingItem(hTop))
        ReleaseRecords(hTop);
    DeleteAllItems();
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
            ReleaseRecords(hTop);
            if (!DeleteItem(hTop)) {
                SetItemData(hTop, 0); // its record is gone; never hand it out again
                break;
            }
        }
        ForgetItemHandles();
        return;
    }
    // Records first, then one deletion of the whole branch: the control removes the
    // descendants with it, and any selection it moves lands outside the branch.
    ReleaseRecords(hItem);
    DeleteItem(hItem);
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
    HTREEITEM hItem = InsertItem(hParent, strText, (DWORD_PTR)pProp, kImageComponent,
                                 kImageComponent);
    if (hItem == NULL)
        delete pProp;
    return hItem;
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
    for (int nRow = m_nFolderRowCursor; nRow <= nRows; ++nRow) {
        const int nRowShowId = pView->GetAsInteger(nFloorShowCol, nRow);
        if (nRowShowId == nFloorShowId && pView->GetAsInteger(view.nInitCreate, nRow) != 0
            && pView->GetAsString(view.nParentId, nRow) == strParentId) {
            FolderRow row;
            row.Read(view, nRow);
            HTREEITEM hFolder = InsertFolderRowItem(hParent, row, (float)row.dVolume,
                                                    FormatVolumeText(row.dVolume));
            if (hFolder == NULL)
                continue;
            if (row.nAllowOwnerCom != 0)
                InsertItemByOwnerCom(hFolder, row.nFloorId, row.strId);
            m_nFolderRowCursor = nRow + 1;
            InsertItemByComFolder(hFolder, nFloorShowId, row.strId);
        } else if (nRowShowId > nFloorShowId) {
            break;
        }
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
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        if (!pFolders->GetAsString(folders.nParentId, nRow).IsEmpty()
            || pFolders->GetAsInteger(folders.nFloorId, nRow) != nFloorId
            || pFolders->GetAsInteger(folders.nInitCreate, nRow) != 1)
            continue;
        FolderRow row;
        row.Read(folders, nRow);
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

// Whether a folder with this id is hItem or one of its ancestors: a damaged folder table
// can make parents of each other, and following such rows would never end.
BOOL CCompoentsTreeCtrl::IsFolderOnBranch(HTREEITEM hItem, const CString& strId)
{
    for (; hItem != NULL; hItem = GetParentItem(hItem)) {
        const CParamProp* pProp = GetItemProp(hItem);
        if (pProp && pProp->m_nNodeType == CParamProp::NodeFolder && pProp->m_strID == strId)
            return TRUE;
    }
    return FALSE;
}

int CCompoentsTreeCtrl::CreateChildItem(int nFloorId, NDataModelDataSet* pFolders,
                                        CString strParentId, HTREEITEM hParentItem)
{
    if (pFolders == NULL || hParentItem == NULL)
        return 1;
    const FolderRow::Columns folders(pFolders);
    const int nRows = pFolders->GetRowCount();
    for (int nRow = 1; nRow <= nRows; ++nRow) {
        if (pFolders->GetAsString(folders.nParentId, nRow) != strParentId
            || pFolders->GetAsInteger(folders.nFloorId, nRow) != nFloorId
            || pFolders->GetAsInteger(folders.nInitCreate, nRow) == 0)
            continue;
        FolderRow row;
        row.Read(folders, nRow);
        if (IsFolderOnBranch(hParentItem, row.strId))
            continue; // rows naming each other as parents would recurse without end
        HTREEITEM hFolder = InsertFolderRowItem(hParentItem, row, (float)row.dVolume,
                                                FormatVolumeText(row.dVolume));
        if (hFolder == NULL)
            continue;
        if (row.nAllowOwnerCom != 0)
            InitOwnerCom(nFloorId, row.strId, hFolder);
        CreateChildItem(nFloorId, pFolders, row.strId, hFolder);
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
    for (HTREEITEM hItem = hStart; hItem != NULL; hItem = GetNextSiblingItem(hItem)) {
        HTREEITEM hChild = GetChildItem(hItem);
        if (hChild != NULL) {
            WalkComponents(hChild, fnVisit);
            continue;
        }
        CParamProp* pProp = GetItemProp(hItem);
        if (pProp != NULL && pProp->m_nNodeType == CParamProp::NodeComponent)
            fnVisit(hItem, pProp);
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
    const UINT nCount = CountSelected();
    HTREEITEM hItem = NULL;
    for (UINT i = 0; i < nCount; ++i) {
        hItem = (i == 0) ? GetFirstSelected() : GetNextSelected(hItem);
        if (hItem == NULL)
            break;
        m_arrSelItems.Add(hItem);
        CParamProp* pProp = GetItemProp(hItem);
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
        m_pFolderManager->SetVolume(_wtoi(pProp->m_strID), pProp->m_nFloorID, pProp->m_fVolume,
                                    pProp->m_nNodeType);
        if (ItemHasChildren(hItem))
            ReSumNodeVolume(hItem);
        else if (pProp->m_nNodeType == CParamProp::NodeComponent)
            ReSumTreeNodeVolumeValue(hItem);
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
