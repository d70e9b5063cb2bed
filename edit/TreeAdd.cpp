// The commands of the component tree that create things: a floor, a rule folder from the add
// list, a user folder, a component through the wizard and a custom component. Each acts on the
// caret item, writes the new row first (folder store or project), then inserts the one new item
// with its record where it belongs: the tree is never rebuilt for an addition.
//
// Floors and rule folders from the add list change the folder store's datasets only; the host
// commits them with its own save, as it does for a floor's first folders. Components are rows of
// the project at once, each command's rows in one transaction.
#include "tree/CompoentsTreeCtrl.h"

#include <algorithm>
#include <cstdlib>

#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "tree/ComTreeHostSite.h"
#include "wizard/InitTreeDlg.h"

namespace {

// Image indexes of the tree's image list (the order its icons are loaded in).
const int kImageUserFolder = 0;
const int kImageFloor = 9;
const int kImageComponent = 10;

const wchar_t kNewFloorName[] = L"新楼层";
const double kNewFloorHeight = 4.0;
const int kNewFloorType = 1;
const wchar_t kNewUserFolderLabel[] = L"新建构件夹 * 1";
const wchar_t kNewUserFolderName[] = L"新建构件夹";
const wchar_t kCustomComponentName[] = L"自定义构件";
const wchar_t kCustomTypeMissing[] = L"新增自定义钢筋出错.";
const wchar_t kPrefixMissing[] = L"新构件名称缺少!";
// The count a new component starts with, put into the panel's count field.
const wchar_t kFirstCount[] = L"1";

// Field names of a floor as Add floor writes it; the floor dataset maps the first two and the
// last onto "id", "lcmc" and "showid".
const wchar_t kFloorId[] = L"floorid";
const wchar_t kFloorType[] = L"floortype";
const wchar_t kFloorName[] = L"floorname";
const wchar_t kFloorHeight[] = L"floorheight";
const wchar_t kFloorRemark[] = L"remark";
const wchar_t kFloorOrder[] = L"ordernum";

struct TypePrefix
{
    int nComType;
    const wchar_t* pszPrefix;
};

// The name prefix of every component type the wizard offers. 125 and 131 share JZL; 531 is CT4
// and 532 CT3. Custom types (ending in 99) have none: custom components are named apart.
const TypePrefix kPrefixes[] = {
    { 111, L"KL" },     { 112, L"WKL" },      { 113, L"KZL" },        { 114, L"ZKL" },
    { 115, L"HKL" },    { 116, L"GKL" },      { 121, L"L" },          { 122, L"HCL" },
    { 123, L"GCL" },    { 124, L"ZL" },       { 125, L"JZL" },        { 131, L"JZL" },
    { 132, L"JCL" },    { 133, L"JLJY" },     { 141, L"QL" },         { 142, L"GL" },
    { 143, L"CTL" },    { 144, L"JCLL" },     { 211, L"KZ" },         { 212, L"LZ" },
    { 213, L"QZ" },     { 214, L"KZZ" },      { 215, L"XZ" },         { 221, L"GZ" },
    { 222, L"QGZ" },    { 223, L"LGZ" },      { 231, L"AZ" },         { 241, L"NT" },
    { 311, L"Q1" },     { 312, L"Q2" },       { 322, L"LL" },         { 411, L"XB1" },
    { 412, L"XB2" },    { 413, L"XB3" },      { 511, L"TJ1" },        { 512, L"TJ2" },
    { 521, L"J1" },     { 522, L"J2" },       { 523, L"J3" },         { 531, L"CT4" },
    { 532, L"CT3" },    { 533, L"CT5" },      { 534, L"CT6" },        { 535, L"CT8" },
    { 536, L"CT" },     { 541, L"灌注桩" },   { 542, L"人工灌注桩" }, { 551, L"ZH" },
    { 552, L"JZ" },     { 553, L"焊接桩" },   { 561, L"LPB" },        { 562, L"BPB" },
    { 563, L"FPB" },    { 571, L"满堂基础" }, { 581, L"JSJ" },        { 582, L"HJD" },
    { 583, L"DTJJC" },  { 611, L"TL" },       { 612, L"PTB" },        { 613, L"楼梯1" },
    { 614, L"楼梯2" },  { 621, L"TB" },       { 711, L"YT" },         { 712, L"YP" },
    { 713, L"LB" },     { 714, L"YD" },       { 715, L"YG" },         { 716, L"外墙线脚" },
    { 717, L"女儿墙" }, { 718, L"拉结筋" },   { 719, L"PC" },
};

const wchar_t* FindPrefix(int nComType)
{
    for (const TypePrefix& entry : kPrefixes) {
        if (entry.nComType == nComType)
            return entry.pszPrefix;
    }
    return NULL;
}

// A custom component takes its category's custom type: 111 gives 199, 412 gives 499.
int CustomTypeOf(int nComType) { return nComType / 100 * 100 + 99; }

CString DecimalText(int nValue)
{
    CString strText;
    strText.Format(L"%d", nValue);
    return strText;
}

CParamProp* NewRecord(CParamProp::TreeNodeType nType, int nFloorId, int nComType,
                      const CString& strId, const CString& strName)
{
    CParamProp* pProp = new CParamProp;
    pProp->m_nNodeType = nType;
    pProp->m_nFloorID = nFloorId;
    pProp->m_nComType = nComType;
    pProp->m_fVolume = 1.0f;
    pProp->m_strID = strId;
    pProp->m_strName = strName;
    return pProp;
}

// The window that receives the module's messages: the panel's host, or the tree's parent when
// the tree stands alone.
CWnd* HostWindowOf(CCompoentsTreeCtrl& tree)
{
    CComTreeHostSite* pSite = tree.GetHostSite();
    CWnd* pHost = pSite ? pSite->GetHostWindow() : tree.GetParent();
    return pHost && pHost->GetSafeHwnd() ? pHost : NULL;
}

// Whether the item is a folder whose row admits what is to be added: the menus offer the
// commands only there, and a command routed to another item (a component, a floor) does
// nothing rather than store a row whose parent is no folder.
bool TakesComponents(CComFolderManager* pStore, const CParamProp* pProp)
{
    return pProp != NULL && pProp->m_nNodeType == CParamProp::NodeFolder
        && pStore->IsAllowOwnerCom(pProp->m_nFloorID, pProp->m_strID) != 0;
}

bool TakesUserFolders(CComFolderManager* pStore, const CParamProp* pProp)
{
    return pProp != NULL && pProp->m_nNodeType == CParamProp::NodeFolder
        && pStore->IsAllowAddUserFolder(pProp->m_nFloorID, pProp->m_strID) != 0;
}

// Puts the first count into the panel's field. Like typing, that applies it to the selected
// (new) item at once: its label becomes name*1, the count is stored and the host is told.
void StartCount(CCompoentsTreeCtrl& tree)
{
    if (CComTreeHostSite* pSite = tree.GetHostSite())
        pSite->SetCountText(kFirstCount);
}

} // namespace

void CCompoentsTreeCtrl::OnAddFloor()
{
    CSQLDataSet* pFloors = m_pFolderManager->m_pFloorDataSet;
    HTREEITEM hProject = GetSafeHwnd() ? GetRootItem() : NULL;
    if (pFloors == NULL || hProject == NULL)
        return;

    const int nRows = pFloors->GetRowCount();
    int nMaxId = 0;
    for (int nRow = 1; nRow <= nRows; ++nRow)
        nMaxId = std::max(nMaxId, pFloors->GetAsInteger(kFloorId, nRow));
    const int nRow = pFloors->InsertRow(nRows + 1);
    if (nRow <= 0)
        return;
    const int nFloorId = nMaxId + 1;
    pFloors->SetAsInteger(kFloorId, nRow, nFloorId);
    pFloors->SetAsInteger(kFloorType, nRow, kNewFloorType);
    pFloors->SetAsString(kFloorName, nRow, kNewFloorName);
    pFloors->SetAsFloat(kFloorHeight, nRow, kNewFloorHeight);
    pFloors->SetAsString(kFloorRemark, nRow, kNewFloorName);
    pFloors->SetAsInteger(kFloorOrder, nRow, nRows + 1);

    m_pFolderManager->CreateFloorFolders(nFloorId);

    // The item shows what the row holds now.
    CParamProp* pProp = NewRecord(CParamProp::NodeFloor, pFloors->GetAsInteger(kFloorId, nRow), 0,
                                  CString(), CString());
    HTREEITEM hFloor = InsertItem(hProject, pFloors->GetAsString(kFloorName, nRow),
                                  (DWORD_PTR)pProp, kImageFloor, kImageFloor);
    if (hFloor == NULL) {
        delete pProp;
        return;
    }
    InitFloor(pProp->m_nFloorID, hFloor);
}

void CCompoentsTreeCtrl::OnAddPopupMenuClick(UINT nID)
{
    // An id past the add list is the collection's invalid-argument exception: the window
    // procedure reports it and the command does nothing.
    const CFolderArray* pEntry = reinterpret_cast<const CFolderArray*>(
        m_pFolderManager->m_arrFolder.GetAt((INT_PTR)nID - ID_COMTREE_ADD_FOLDER_FIRST));
    const HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    const CParamProp* pSel = GetItemProp(hSel);
    CSQLDataSet* pFolders = m_pFolderManager->m_pComFolderDataSet;
    if (pSel == NULL || pFolders == NULL)
        return;

    // The entry's row on the selected item's floor, while it is still not shown: a row shown
    // meanwhile (the same entry chosen twice) is not added again.
    const FolderRow::Columns folders(pFolders);
    const int nRows = pFolders->GetRowCount();
    int nFound = 0;
    for (int nRow = 1; nRow <= nRows && nFound == 0; ++nRow) {
        if (pFolders->GetAsInteger(folders.nFloorId, nRow) == pSel->m_nFloorID
            && pFolders->GetAsString(folders.nId, nRow) == pEntry->m_strFolderId
            && pFolders->GetAsInteger(folders.nInitCreate, nRow) == 0)
            nFound = nRow;
    }
    if (nFound > 0) {
        pFolders->SetAsInteger(folders.nInitCreate, nFound, 1);
        pFolders->SetAsInteger(folders.nVolume, nFound, 1);
        FolderRow row;
        row.Read(folders, nFound);
        InsertFolderRowItem(hSel, row, 1.0f, DecimalText(1));
    }
    Invalidate();
}

void CCompoentsTreeCtrl::OnAddUserFold()
{
    const HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    const CParamProp* pSel = GetItemProp(hSel);
    if (!TakesUserFolders(m_pFolderManager, pSel))
        return;
    const int nFloorId = pSel->m_nFloorID;
    const int nComType = pSel->m_nComType;
    const CString strId = m_pFolderManager->AddUserFolderRow(nFloorId, pSel->m_strID, nComType);

    CParamProp* pProp = NewRecord(CParamProp::NodeFolder, nFloorId, nComType, strId,
                                  kNewUserFolderName);
    if (InsertItem(hSel, kNewUserFolderLabel, (DWORD_PTR)pProp, kImageUserFolder, kImageUserFolder)
        == NULL)
        delete pProp;
    Invalidate();
}

void CCompoentsTreeCtrl::OnOwnerCom() { AddCom(); }

void CCompoentsTreeCtrl::AddCom()
{
    const HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    const CParamProp* pSel = GetItemProp(hSel);
    if (!TakesComponents(m_pFolderManager, pSel))
        return;
    const CString strFolderId = pSel->m_strID;
    const int nFloorId = pSel->m_nFloorID;
    // Only a name the host gives while it hears of this component counts.
    m_strComName.Empty();

    // The wizard's template and icons, and anything the host shows meanwhile, come from this
    // module until the command ends, on every path.
    UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
    CInitTreeDlg wizard;
    const int nComType = (int)wizard.GetValue(DecimalText(pSel->m_nComType));
    if (nComType == 0) {
        m_strComName.Empty();
        return;
    }

    // The row, the host's answer, the name: one transaction. A rejected component leaves
    // neither its row nor its results, and no item.
    int nComId = 0;
    CString strName, strCount;
    {
        CProjectConnectTransaction transaction;
        nComId = m_pFolderManager->AddComponentRow(nFloorId, strFolderId, nComType);
        if (nComId <= 0) {
            m_strComName.Empty();
            return;
        }
        CWnd* pHost = HostWindowOf(*this);
        m_strComName.Empty(); // nor one set while the wizard was open
        if (pHost != NULL) {
            const int nAnswer = (int)pHost->SendMessage(WM_COMTREE_NEWCOMPONENT, 0, nComId);
            if (nAnswer == -1) {
                m_pFolderManager->DelComponentRows(nComId);
                m_strComName.Empty();
                return;
            }
            nComId = nAnswer;
        }
        if (m_strComName.IsEmpty())
            strName = GetNewTreeNodeName(nFloorId, nComType);
        else
            strName = m_strComName;
        m_strComName.Empty();
        m_pFolderManager->RenameComponent(nComId, strName);
        strCount = m_pFolderManager->GetVolumeText(nComId, nFloorId, CParamProp::NodeComponent);
        if (!transaction.End())
            return; // nothing of it was stored, so nothing is shown
    }

    HTREEITEM hNew = InsertComponentItem(hSel, nFloorId, nComId, strName, nComType, 1.0f, strCount);
    if (hNew == NULL)
        return;
    SelectItem(hNew);
    StartCount(*this);
    Invalidate();
}

void CCompoentsTreeCtrl::OnUserComponent()
{
    const HTREEITEM hSel = GetSafeHwnd() ? GetSelectedItem() : NULL;
    const CParamProp* pSel = GetItemProp(hSel);
    if (!TakesComponents(m_pFolderManager, pSel))
        return;
    const int nFloorId = pSel->m_nFloorID;
    if (pSel->m_nComType == 0) {
        UIFunction::KxMessageBox(kCustomTypeMissing, L"", MB_OK);
        return;
    }
    const int nComType = CustomTypeOf(pSel->m_nComType);

    // The row, its copy of the type's calculation set-up and its name land together.
    int nComId = 0;
    CString strCount;
    {
        CProjectConnectTransaction transaction;
        nComId = m_pFolderManager->AddComponentRow(nFloorId, pSel->m_strID, nComType);
        if (nComId <= 0)
            return;
        CParmAccess parms;
        CSQLDataSet* pSetup = parms.GetComCalSetupDataSetByType(nComType);
        parms.SetComSetupDataSet(nComId, pSetup);
        delete pSetup;
        m_pFolderManager->RenameComponent(nComId, kCustomComponentName);
        strCount = m_pFolderManager->GetVolumeText(nComId, nFloorId, CParamProp::NodeComponent);
        if (!transaction.End())
            return;
    }
    const double dCount = _wtof(strCount);
    if (dCount == (double)(int)dCount)
        strCount = DecimalText((int)dCount);

    // Among its siblings in label order, unlike the wizard's components.
    CParamProp* pProp = NewRecord(CParamProp::NodeComponent, nFloorId, nComType,
                                  DecimalText(nComId), kCustomComponentName);
    const CString strLabel = CString(kCustomComponentName) + L"*" + strCount;
    HTREEITEM hNew = CTreeCtrl::InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM,
                                           strLabel, kImageComponent, kImageComponent, 0, 0,
                                           (LPARAM)pProp, hSel, TVI_SORT);
    if (hNew == NULL) {
        delete pProp;
        return;
    }
    Invalidate();
    SelectItem(hNew);
    StartCount(*this);
    if (CWnd* pParent = GetParent())
        pParent->UpdateData(FALSE);
}

CString CCompoentsTreeCtrl::GetNewTreeNodeName(int nFloorId, int nComType)
{
    const wchar_t* pszPrefix = FindPrefix(nComType);
    if (pszPrefix == NULL) {
        UIFunction::KxMessageBox(kPrefixMissing, L"", MB_OK);
        pszPrefix = L"";
    }
    // Numbered by how many components of the type the floor has, the new one included; a
    // number freed by a deletion may come again.
    CStringArray arrFields, arrValues;
    arrFields.Add(CAccessProject_Components_GJTable::CFieldInfo::floorid);
    arrValues.Add(DecimalText(nFloorId));
    arrFields.Add(CAccessProject_Components_GJTable::CFieldInfo::comtype);
    arrValues.Add(DecimalText(nComType));
    CAccessProject_Components_GJTable table;
    CSQLDataSet* pSame = table.GetDataSet(arrFields, arrValues);
    const int nCount = pSame ? pSame->GetRowCount() : 0;
    delete pSame;

    CString strName;
    strName.Format(L"%s-%d", pszPrefix, nCount);
    return strName;
}
