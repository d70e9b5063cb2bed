#include "folders/ComFolderManager.h"
#include "folders/ComFolderDalc.h"
#include "folders/FloorDalc.h"
#include <stdlib.h>

namespace {

using Field = CAccessProject_ComFolderTable::CFieldInfo;

const int kComponentNode = 3;       // the tree item kind of a component
const int kFirstUserFolderId = 100; // rule folder ids stay below it

// A user folder as the user adds it: shown, open to components and sub-folders, one unit.
FolderRow NewUserFolder(const CString& strId, int nFloorId, const CString& strParentId,
                        int nComType)
{
    FolderRow row;
    row.strId = strId;
    row.nFloorId = nFloorId;
    row.nAllowOwnerCom = 1;
    row.strParentId = strParentId;
    row.strName = L"新建构件夹";
    row.nComType = nComType;
    row.nAllowAddUserFolder = 1;
    row.nInitCreate = 1;
    row.nShowId = _wtoi(strId);
    return row;
}

// Empty tables come back from the data-access classes as NULL. The store holds an empty
// dataset of the table instead, so every operation and every direct reader of the datasets
// works on a project that has no floors or folders yet, and a later commit writes into the
// real table.
CSQLDataSet* EmptyComFolderDataSet()
{
    CAccessProject_ComFolderTable table;
    return table.GetDataSet();
}

CSQLDataSet* EmptyFloorDataSet()
{
    CAccessProject_FloorTable table;
    return table.GetDataSet();
}

} // namespace

CComFolderManager::CComFolderManager() : m_pComFolderDataSet(NULL), m_pFloorDataSet(NULL)
{
    CAccessProject_ComFolderTable folderTable;
    m_pComFolderDataSet = folderTable.GetDataSet();
    CAccessProject_FloorTable floorTable;
    m_pFloorDataSet = floorTable.GetSortDataSet();
}

CComFolderManager::~CComFolderManager()
{
    // The floor dataset is only read here; the folder dataset carries pending folder rows
    // (new floors' rule folders, a deleted floor's rows) that must reach the project.
    delete m_pFloorDataSet;
    m_pFloorDataSet = NULL;
    if (m_pComFolderDataSet) {
        m_pComFolderDataSet->DoSqlUpdate();
        delete m_pComFolderDataSet;
        m_pComFolderDataSet = NULL;
    }
    ClearAddList();
    // m_RuleManager deletes its records itself.
}

void CComFolderManager::ClearAddList()
{
    for (INT_PTR i = 0; i < m_arrFolder.GetSize(); ++i)
        delete (CFolderArray*)m_arrFolder[i];
    m_arrFolder.RemoveAll();
}

void CComFolderManager::ClearRules()
{
    for (INT_PTR i = 0; i < m_RuleManager.m_arrRule.GetSize(); ++i)
        delete m_RuleManager.m_arrRule[i];
    m_RuleManager.m_arrRule.SetSize(0);
}

void CComFolderManager::ReLoad()
{
    // No commit: what is still pending in the old datasets is dropped on purpose.
    delete m_pComFolderDataSet;
    delete m_pFloorDataSet;

    CComFolderDalc folderDalc;
    m_pComFolderDataSet = folderDalc.GetComFolderDataSet();
    if (!m_pComFolderDataSet)
        m_pComFolderDataSet = EmptyComFolderDataSet();

    CFloorDalc floorDalc;
    m_pFloorDataSet = floorDalc.GetFloorDataSet();
    if (!m_pFloorDataSet)
        m_pFloorDataSet = EmptyFloorDataSet();

    if (m_pFloorDataSet) {
        m_pFloorDataSet->ResetSortField();
        m_pFloorDataSet->AddSortField(L"ShowID", 1);
        m_pFloorDataSet->Sort();
    }
}

void CComFolderManager::CreateFloorFolders(int nFloorId)
{
    CString strRule = CGJ_GridFaceManager::Instance()->GetGridFace(L"TREE");

    ClearRules();
    if (!m_RuleManager.LoadRule(strRule, L"OtherFloor")) {
        UIFunction::KxMessageBox(L"读取规则失败", L"", 0);
        return;
    }
    if (!m_pComFolderDataSet)
        return;

    const FolderRow::Columns folders(m_pComFolderDataSet);
    for (INT_PTR i = 0; i < m_RuleManager.m_arrRule.GetSize(); ++i) {
        const CComFolderProp* pRule = m_RuleManager.m_arrRule[i];
        FolderRow row;
        row.strId = pRule->m_strNameId.Right(2);
        row.nFloorId = nFloorId;
        row.nAllowOwnerCom = pRule->m_bAllowOwnerCom ? 1 : 0;
        row.strParentId = pRule->m_strParentId;
        row.strName = pRule->m_strName;
        row.nImage = pRule->m_nImageIndex;
        row.nSelectedImage = pRule->m_nSelectedIndex;
        row.nComType = pRule->m_nComType;
        row.nAllowAddUserFolder = pRule->m_bAllowAddUserFolder ? 1 : 0;
        row.nInitCreate = pRule->m_bInitCreate ? 1 : 0;
        row.nShowId = pRule->m_nShowID;
        row.Write(folders, m_pComFolderDataSet->InsertRow(m_pComFolderDataSet->GetRowCount() + 1));
    }
}

int CComFolderManager::FindFolderRow(const CString& strFolderId, int nFloorId)
{
    if (!m_pComFolderDataSet)
        return 0;
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(Field::comfolderid, nRow) == strFolderId
            && m_pComFolderDataSet->GetAsInteger(Field::floorid, nRow) == nFloorId)
            return nRow;
    }
    return 0;
}

int CComFolderManager::IsAllowOwnerCom(int nFloorId, const CString& strFolderId)
{
    int nRow = FindFolderRow(strFolderId, nFloorId);
    return nRow > 0 ? m_pComFolderDataSet->GetAsInteger(Field::allowownercom, nRow) : 0;
}

int CComFolderManager::IsAllowAddUserFolder(int nFloorId, const CString& strFolderId)
{
    int nRow = FindFolderRow(strFolderId, nFloorId);
    return nRow > 0 ? m_pComFolderDataSet->GetAsInteger(Field::allowadduserfolder, nRow) : 0;
}

void CComFolderManager::BuildAddFolderList(int nFloorId, const CString& strParentId)
{
    ClearAddList();
    if (!m_pComFolderDataSet)
        return;
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(Field::parentid, nRow) == strParentId
            && m_pComFolderDataSet->GetAsInteger(Field::floorid, nRow) == nFloorId
            && m_pComFolderDataSet->GetAsInteger(Field::initcreate, nRow) == 0) {
            CFolderArray* pEntry = new CFolderArray(
                m_pComFolderDataSet->GetAsString(Field::comfolderid, nRow),
                m_pComFolderDataSet->GetAsString(Field::foldername, nRow));
            m_arrFolder.Add((CObject*)pEntry);
        }
    }
}

CString CComFolderManager::NextFolderId()
{
    // Over every floor, so a user folder id names one folder in the whole project.
    int nMax = 0;
    int nCount = m_pComFolderDataSet ? m_pComFolderDataSet->GetRowCount() : 0;
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        int nValue = _wtoi(m_pComFolderDataSet->GetAsString(Field::comfolderid, nRow));
        if (nValue > nMax)
            nMax = nValue;
    }
    int nId = nMax + 1;
    if (nId < kFirstUserFolderId)
        nId = kFirstUserFolderId;
    CString strId;
    strId.Format(L"%d", nId);
    return strId;
}

CString CComFolderManager::AddUserFolderRow(int nFloorId, const CString& strParentId, int nComType)
{
    if (!m_pComFolderDataSet)
        return CString();
    CString strId = NextFolderId();
    NewUserFolder(strId, nFloorId, strParentId, nComType)
        .Write(FolderRow::Columns(m_pComFolderDataSet), m_pComFolderDataSet->InsertRow(1));
    m_pComFolderDataSet->DoSqlUpdate();
    return strId;
}

CString CComFolderManager::CopyUserFolderRow(int nSrcFloorId, int nDestFloorId,
                                             const CString& strSrcFolderId,
                                             const CString& strNewParentId)
{
    if (!m_pComFolderDataSet)
        return CString();
    CString strId = NextFolderId();
    int nRow = m_pComFolderDataSet->InsertRow(1);
    // Looked up after the insertion: the new row may have moved the source down.
    int nSrc = FindFolderRow(strSrcFolderId, nSrcFloorId);

    const FolderRow::Columns folders(m_pComFolderDataSet);
    // A source that vanished (deleted meanwhile) gives a plain new user folder rather than a
    // row of undefined values.
    FolderRow row = NewUserFolder(strId, nDestFloorId, strNewParentId, 0);
    if (nSrc > 0) {
        row.Read(folders, nSrc);
        row.strId = strId;
        row.nFloorId = nDestFloorId;
        row.strParentId = strNewParentId;
        row.nShowId = _wtoi(strId);
    }
    row.Write(folders, nRow);
    m_pComFolderDataSet->DoSqlUpdate();
    return strId;
}

int CComFolderManager::FindFolderRowByFloorOrder(int nFloorId, const CString& strFolderId)
{
    // Sorting by floor lets the walk stop after the floor's rows; the order stays afterwards.
    m_pComFolderDataSet->ResetSortField();
    m_pComFolderDataSet->AddSortField(Field::floorid, 1);
    m_pComFolderDataSet->Sort();
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        int nRowFloor = m_pComFolderDataSet->GetAsInteger(Field::floorid, nRow);
        if (nRowFloor < nFloorId)
            continue;
        if (nRowFloor > nFloorId)
            break;
        if (m_pComFolderDataSet->GetAsString(Field::comfolderid, nRow).CompareNoCase(strFolderId)
            == 0)
            return nRow;
    }
    return 0;
}

void CComFolderManager::UncreateBaseFolder(int nFloorId, const CString& strFolderId)
{
    if (!m_pComFolderDataSet)
        return;
    int nRow = FindFolderRowByFloorOrder(nFloorId, strFolderId);
    if (nRow > 0)
        m_pComFolderDataSet->SetAsInteger(Field::initcreate, nRow, 0);
    m_pComFolderDataSet->DoSqlUpdate();
}

void CComFolderManager::DelUserFolderRow(int nFloorId, const CString& strFolderId)
{
    if (!m_pComFolderDataSet)
        return;
    int nRow = FindFolderRowByFloorOrder(nFloorId, strFolderId);
    if (nRow > 0)
        m_pComFolderDataSet->DeleteRow(nRow);
    m_pComFolderDataSet->DoSqlUpdate();
}

void CComFolderManager::DeleteFloor(int nFloorId)
{
    CAccessProject_Components_GJTable comTable;
    comTable.DelOneFloor(nFloorId);

    if (m_pFloorDataSet) {
        int nCount = m_pFloorDataSet->GetRowCount();
        for (int nRow = 1; nRow <= nCount; ++nRow) {
            if (m_pFloorDataSet->GetAsInteger(L"id", nRow) == nFloorId) {
                m_pFloorDataSet->DeleteRow(nRow);
                break;
            }
        }
    }
    if (m_pComFolderDataSet) {
        int nRow = 1;
        while (nRow <= m_pComFolderDataSet->GetRowCount()) {
            if (m_pComFolderDataSet->GetAsInteger(Field::floorid, nRow) == nFloorId)
                m_pComFolderDataSet->DeleteRow(nRow); // the next row moved up into nRow
            else
                ++nRow;
        }
    }
}

CDataSet_ComFolder* CComFolderManager::GetChildFolderRows(const CString& strParentId, int nFloorId)
{
    CDataSet_ComFolder* pChildren = new CDataSet_ComFolder;
    pChildren->InitFieldStr();
    if (!m_pComFolderDataSet)
        return pChildren;
    const FolderRow::Columns folders(m_pComFolderDataSet);
    const FolderRow::Columns children(pChildren);
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(folders.nParentId, nRow) != strParentId
            || m_pComFolderDataSet->GetAsInteger(folders.nFloorId, nRow) != nFloorId)
            continue;
        FolderRow row;
        row.Read(folders, nRow);
        row.Write(children, pChildren->InsertRow(0));
    }
    return pChildren;
}

CString CComFolderManager::GetVolumeText(int nId, int nFloorId, int nNodeType)
{
    CProjectConnectTransaction transaction;
    if (nNodeType == kComponentNode) {
        CAccessProject_Components_GJTable comTable;
        return comTable.GetComVolume(nId);
    }
    CString strId;
    strId.Format(L"%d", nId);
    int nVolume = 1; // stays 1 when the folder has no stored volume
    CAccessProject_ComFolderTable folderTable;
    folderTable.GetComFolder_Volume(strId, nFloorId, nVolume);
    CString strVolume;
    strVolume.Format(L"%d", nVolume);
    return strVolume;
}

void CComFolderManager::SetVolume(int nId, int nFloorId, float fVolume, int nNodeType)
{
    CProjectConnectTransaction transaction;
    if (nNodeType == kComponentNode) {
        CAccessProject_Components_GJTable comTable;
        comTable.SetComVolume(nId, fVolume);
        return;
    }
    if (!m_pComFolderDataSet)
        return;
    CString strId;
    strId.Format(L"%d", nId);
    int nRow = FindFolderRow(strId, nFloorId);
    if (nRow > 0)
        m_pComFolderDataSet->SetAsFloat(Field::volume, nRow, fVolume);
    m_pComFolderDataSet->DoSqlUpdate();
}

int CComFolderManager::AddComponentRow(int nFloorId, const CString& strFolderId, int nComType)
{
    CProjectConnectTransaction transaction;
    CAccessProject_Components_GJTable comTable;
    return comTable.Insert(nFloorId, strFolderId, L"新构件", nComType, 1, 1);
}

void CComFolderManager::DelComponentRows(int nComId)
{
    CProjectConnectTransaction transaction;
    CAccessProject_Components_GJTable comTable;
    comTable.DelOwnCom(nComId);
    CAccessProject_ComponentResultTable resultTable;
    resultTable.DelResult(nComId);
}

void CComFolderManager::DeleteComponents(CArray<int, int&>& arrComIds)
{
    // One transaction for the whole selection. Result rows are left alone here, unlike
    // DelComponentRows: the multi-node delete removes only the components' own rows.
    CProjectConnectTransaction transaction;
    CAccessProject_Components_GJTable comTable;
    for (INT_PTR i = 0; i < arrComIds.GetSize(); ++i)
        comTable.DelOwnCom(arrComIds[i]);
}

CString CComFolderManager::GetComponentName(int nComId)
{
    CAccessProject_Components_GJTable comTable;
    return comTable.GetComName(nComId);
}

void CComFolderManager::RenameComponent(int nComId, const CString& strName)
{
    CProjectConnectTransaction transaction;
    CAccessProject_Components_GJTable comTable;
    comTable.SetComName(nComId, strName);
}

void CComFolderManager::SetComSumVolume(int nComId, float fVolume)
{
    CAccessProject_Components_GJTable comTable;
    comTable.SetComSumVolume(nComId, fVolume);
}
