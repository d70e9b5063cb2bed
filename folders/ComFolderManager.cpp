#include "folders/ComFolderManager.h"
#include "folders/ComFolderDalc.h"
#include "folders/FloorDalc.h"
#include <stdlib.h>

namespace {

// Column names of the component-folder table.
const wchar_t kFolderId[] = L"comfolderid";
const wchar_t kFloorId[] = L"floorid";
const wchar_t kAllowOwnerCom[] = L"allowownercom";
const wchar_t kParentId[] = L"parentid";
const wchar_t kFolderName[] = L"foldername";
const wchar_t kImageIndex[] = L"imageindex";
const wchar_t kSelectedIndex[] = L"selectedindex";
const wchar_t kComType[] = L"comtype";
const wchar_t kAllowAddUserFolder[] = L"allowadduserfolder";
const wchar_t kInitCreate[] = L"initcreate";
const wchar_t kVolume[] = L"volume";
const wchar_t kShowId[] = L"showid";

const int kComponentNode = 3;       // the tree item kind of a component
const int kFirstUserFolderId = 100; // rule folder ids stay below it

// Text fields copied as text, integer fields as integers; volume separately as a float.
const wchar_t* const kTextFields[] = { kFolderId, kParentId, kFolderName };
const wchar_t* const kIntegerFields[] = { kFloorId,       kAllowOwnerCom, kImageIndex,
                                          kSelectedIndex, kComType,       kAllowAddUserFolder,
                                          kInitCreate,    kShowId };

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

    for (INT_PTR i = 0; i < m_RuleManager.m_arrRule.GetSize(); ++i) {
        const CComFolderProp* pRule = m_RuleManager.m_arrRule[i];
        int nRow = m_pComFolderDataSet->InsertRow(m_pComFolderDataSet->GetRowCount() + 1);
        m_pComFolderDataSet->SetAsString(kFolderId, nRow, pRule->m_strNameId.Right(2));
        m_pComFolderDataSet->SetAsInteger(kFloorId, nRow, nFloorId);
        m_pComFolderDataSet->SetAsInteger(kAllowOwnerCom, nRow, pRule->m_bAllowOwnerCom ? 1 : 0);
        m_pComFolderDataSet->SetAsString(kParentId, nRow, pRule->m_strParentId);
        m_pComFolderDataSet->SetAsString(kFolderName, nRow, pRule->m_strName);
        m_pComFolderDataSet->SetAsInteger(kImageIndex, nRow, pRule->m_nImageIndex);
        m_pComFolderDataSet->SetAsInteger(kSelectedIndex, nRow, pRule->m_nSelectedIndex);
        m_pComFolderDataSet->SetAsInteger(kComType, nRow, pRule->m_nComType);
        m_pComFolderDataSet->SetAsInteger(kAllowAddUserFolder, nRow,
                                          pRule->m_bAllowAddUserFolder ? 1 : 0);
        m_pComFolderDataSet->SetAsInteger(kInitCreate, nRow, pRule->m_bInitCreate ? 1 : 0);
        m_pComFolderDataSet->SetAsInteger(kVolume, nRow, 1);
        m_pComFolderDataSet->SetAsInteger(kShowId, nRow, pRule->m_nShowID);
    }
}

int CComFolderManager::FindFolderRow(const CString& strFolderId, int nFloorId)
{
    if (!m_pComFolderDataSet)
        return 0;
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(kFolderId, nRow) == strFolderId
            && m_pComFolderDataSet->GetAsInteger(kFloorId, nRow) == nFloorId)
            return nRow;
    }
    return 0;
}

int CComFolderManager::IsAllowOwnerCom(int nFloorId, const CString& strFolderId)
{
    int nRow = FindFolderRow(strFolderId, nFloorId);
    return nRow > 0 ? m_pComFolderDataSet->GetAsInteger(kAllowOwnerCom, nRow) : 0;
}

int CComFolderManager::IsAllowAddUserFolder(int nFloorId, const CString& strFolderId)
{
    int nRow = FindFolderRow(strFolderId, nFloorId);
    return nRow > 0 ? m_pComFolderDataSet->GetAsInteger(kAllowAddUserFolder, nRow) : 0;
}

void CComFolderManager::BuildAddFolderList(int nFloorId, const CString& strParentId)
{
    ClearAddList();
    if (!m_pComFolderDataSet)
        return;
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(kParentId, nRow) == strParentId
            && m_pComFolderDataSet->GetAsInteger(kFloorId, nRow) == nFloorId
            && m_pComFolderDataSet->GetAsInteger(kInitCreate, nRow) == 0) {
            CFolderArray* pEntry = new CFolderArray(
                m_pComFolderDataSet->GetAsString(kFolderId, nRow),
                m_pComFolderDataSet->GetAsString(kFolderName, nRow));
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
        int nValue = _wtoi(m_pComFolderDataSet->GetAsString(kFolderId, nRow));
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
    int nRow = m_pComFolderDataSet->InsertRow(1);
    m_pComFolderDataSet->SetAsString(kFolderId, nRow, strId);
    m_pComFolderDataSet->SetAsInteger(kFloorId, nRow, nFloorId);
    m_pComFolderDataSet->SetAsInteger(kAllowOwnerCom, nRow, 1);
    m_pComFolderDataSet->SetAsString(kParentId, nRow, strParentId);
    m_pComFolderDataSet->SetAsString(kFolderName, nRow, L"新建构件夹");
    m_pComFolderDataSet->SetAsInteger(kImageIndex, nRow, 0);
    m_pComFolderDataSet->SetAsInteger(kSelectedIndex, nRow, 0);
    m_pComFolderDataSet->SetAsInteger(kComType, nRow, nComType);
    m_pComFolderDataSet->SetAsInteger(kAllowAddUserFolder, nRow, 1);
    m_pComFolderDataSet->SetAsInteger(kInitCreate, nRow, 1);
    m_pComFolderDataSet->SetAsInteger(kVolume, nRow, 1);
    m_pComFolderDataSet->SetAsInteger(kShowId, nRow, _wtoi(strId));
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

    m_pComFolderDataSet->SetAsString(kFolderId, nRow, strId);
    m_pComFolderDataSet->SetAsInteger(kFloorId, nRow, nDestFloorId);
    m_pComFolderDataSet->SetAsString(kParentId, nRow, strNewParentId);
    m_pComFolderDataSet->SetAsInteger(kShowId, nRow, _wtoi(strId));
    if (nSrc > 0) {
        static const LPCWSTR kCopiedIntegers[] = { kAllowOwnerCom,      kImageIndex,
                                                   kSelectedIndex,      kComType,
                                                   kAllowAddUserFolder, kInitCreate };
        for (LPCWSTR pszField : kCopiedIntegers)
            m_pComFolderDataSet->SetAsInteger(pszField, nRow,
                                              m_pComFolderDataSet->GetAsInteger(pszField, nSrc));
        m_pComFolderDataSet->SetAsString(kFolderName, nRow,
                                         m_pComFolderDataSet->GetAsString(kFolderName, nSrc));
        m_pComFolderDataSet->SetAsFloat(kVolume, nRow,
                                        m_pComFolderDataSet->GetAsFloat(kVolume, nSrc));
    } else {
        // The source vanished (deleted meanwhile): the copy becomes a plain new user folder
        // rather than a row of undefined values.
        m_pComFolderDataSet->SetAsInteger(kAllowOwnerCom, nRow, 1);
        m_pComFolderDataSet->SetAsString(kFolderName, nRow, L"新建构件夹");
        m_pComFolderDataSet->SetAsInteger(kImageIndex, nRow, 0);
        m_pComFolderDataSet->SetAsInteger(kSelectedIndex, nRow, 0);
        m_pComFolderDataSet->SetAsInteger(kComType, nRow, 0);
        m_pComFolderDataSet->SetAsInteger(kAllowAddUserFolder, nRow, 1);
        m_pComFolderDataSet->SetAsInteger(kInitCreate, nRow, 1);
        m_pComFolderDataSet->SetAsInteger(kVolume, nRow, 1);
    }
    m_pComFolderDataSet->DoSqlUpdate();
    return strId;
}

int CComFolderManager::FindFolderRowByFloorOrder(int nFloorId, const CString& strFolderId)
{
    // Sorting by floor lets the walk stop after the floor's rows; the order stays afterwards.
    m_pComFolderDataSet->ResetSortField();
    m_pComFolderDataSet->AddSortField(kFloorId, 1);
    m_pComFolderDataSet->Sort();
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        int nRowFloor = m_pComFolderDataSet->GetAsInteger(kFloorId, nRow);
        if (nRowFloor < nFloorId)
            continue;
        if (nRowFloor > nFloorId)
            break;
        if (m_pComFolderDataSet->GetAsString(kFolderId, nRow).CompareNoCase(strFolderId) == 0)
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
        m_pComFolderDataSet->SetAsInteger(kInitCreate, nRow, 0);
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
            if (m_pComFolderDataSet->GetAsInteger(kFloorId, nRow) == nFloorId)
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
    int nCount = m_pComFolderDataSet->GetRowCount();
    for (int nRow = 1; nRow <= nCount; ++nRow) {
        if (m_pComFolderDataSet->GetAsString(kParentId, nRow) != strParentId
            || m_pComFolderDataSet->GetAsInteger(kFloorId, nRow) != nFloorId)
            continue;
        int nNew = pChildren->InsertRow(0);
        for (const wchar_t* pszField : kTextFields)
            pChildren->SetAsString(pszField, nNew,
                                   m_pComFolderDataSet->GetAsString(pszField, nRow));
        for (const wchar_t* pszField : kIntegerFields)
            pChildren->SetAsInteger(pszField, nNew,
                                    m_pComFolderDataSet->GetAsInteger(pszField, nRow));
        pChildren->SetAsFloat(kVolume, nNew, m_pComFolderDataSet->GetAsFloat(kVolume, nRow));
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
        m_pComFolderDataSet->SetAsFloat(kVolume, nRow, fVolume);
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
