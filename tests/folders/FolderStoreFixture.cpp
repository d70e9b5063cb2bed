#include "FolderStoreFixture.h"
#include <windows.h>

const wchar_t kStoreRules[] =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<TREE>\n"
    L"  <BaseFloor>\n"
    L"    <Folder Name=\"基础\" NameId=\"1050\" InitCreate=\"true\" ShowID=\"1\"/>\n"
    L"  </BaseFloor>\n"
    L"  <OtherFloor>\n"
    L"    <Folder Name=\"柱\" NameId=\"1010\" ImageIndex=\"1\" SelectedIndex=\"2\" ComType=\"10\"\n"
    L"            AllowOwnerCom=\"true\" InitCreate=\"true\" ShowID=\"1\"/>\n"
    L"    <Folder Name=\"梁\" NameId=\"1020\" ComType=\"20\" AllowAddUserFolder=\"true\" "
    L"ShowID=\"2\">\n"
    L"      <Folder Name=\"框架梁\" NameId=\"1021\" ImageIndex=\"5\" SelectedIndex=\"6\" "
    L"ComType=\"21\"\n"
    L"              AllowOwnerCom=\"true\" InitCreate=\"true\" ShowID=\"9\"/>\n"
    L"    </Folder>\n"
    L"  </OtherFloor>\n"
    L"</TREE>\n";

namespace {

std::wstring TempProjectPath()
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    wchar_t path[MAX_PATH];
    GetTempFileNameW(dir, L"cfs", 0, path);
    DeleteFileW(path); // the project is created new
    return std::wstring(path) + L".sqlite";
}

int RecordBox(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle, void* pContext)
{
    std::vector<std::wstring>* pBoxes = static_cast<std::vector<std::wstring>*>(pContext);
    pBoxes->push_back(std::wstring(pszText ? pszText : L"(null)") + L"|"
                      + (pszCaption ? pszCaption : L"(null)") + L"|" + std::to_wstring(nStyle));
    return IDOK;
}

} // namespace

void FolderStoreTest::SetUp()
{
    m_strPath = TempProjectPath();
    CString strError;
    ASSERT_TRUE(CProjectDatabase::Create(m_strPath.c_str(), L"测试工程", &strError))
        << static_cast<const wchar_t*>(strError);
    ASSERT_TRUE(m_reader.Open(m_strPath.c_str(), FALSE));
    SetRules(kStoreRules);
    m_pfnPreviousBox = UIFunction::SetMessageBoxHandler(RecordBox, &m_boxes);
}

void FolderStoreTest::TearDown()
{
    UIFunction::SetMessageBoxHandler(m_pfnPreviousBox);
    CGJ_GridFaceManager::Instance()->ClearGridFaces();
    m_reader.Close();
    CProjectDatabase::Close();
    DeleteFileW(m_strPath.c_str());
}

void FolderStoreTest::AddFloor(int nId, const wchar_t* pszName, int nShowId, int nCreateMode)
{
    ASSERT_TRUE(m_reader.ExecuteBound(
        L"INSERT INTO floor (id, lcmc, showid, createmode) VALUES (?1, ?2, ?3, ?4)",
        { std::to_wstring(nId), pszName, std::to_wstring(nShowId), std::to_wstring(nCreateMode) }))
        << m_reader.GetLastErrorText();
}

void FolderStoreTest::AddFolderRow(const wchar_t* pszId, int nFloorId, const wchar_t* pszParentId,
                                   int nInitCreate, const wchar_t* pszVolume)
{
    ASSERT_TRUE(m_reader.ExecuteBound(
        L"INSERT INTO comfolder (comfolderid, floorid, allowownercom, parentid, foldername, "
        L"imageindex, selectedindex, comtype, allowadduserfolder, initcreate, volume, showid) "
        L"VALUES (?1, ?2, 1, ?3, ?4, 0, 0, 0, 1, ?5, ?6, 0)",
        { pszId, std::to_wstring(nFloorId), pszParentId, std::wstring(L"文件夹") + pszId,
          std::to_wstring(nInitCreate), pszVolume }))
        << m_reader.GetLastErrorText();
}

int FolderStoreTest::AddComponent(int nFloorId, const wchar_t* pszFolderId, const wchar_t* pszName)
{
    // The host's own insert, so component ids come from where the project gives them.
    CAccessProject_Components_GJTable table;
    return table.Insert(nFloorId, pszFolderId, pszName, 1, 1.0, 1);
}

void FolderStoreTest::AddResult(int nComId, const wchar_t* pszItem)
{
    ASSERT_TRUE(m_reader.ExecuteBound(
        L"INSERT INTO componentresult (comid, itemname, value) VALUES (?1, ?2, 1)",
        { std::to_wstring(nComId), pszItem }))
        << m_reader.GetLastErrorText();
}

Rows FolderStoreTest::Query(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    Rows rows;
    EXPECT_TRUE(m_reader.Query(pszSql, params, rows)) << m_reader.GetLastErrorText();
    return rows;
}

int FolderStoreTest::Count(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    Rows rows = Query(pszSql, params);
    return rows.empty() || rows[0].empty() ? -1 : _wtoi(rows[0][0].c_str());
}

std::wstring FolderStoreTest::Cell(NDataModelDataSet* pData, const wchar_t* pszField, int nRow)
{
    return std::wstring(static_cast<const wchar_t*>(pData->GetAsString(pszField, nRow)));
}
void FolderStoreTest::SetRules(const wchar_t* pszText)
{
    CGJ_GridFaceManager::Instance()->SetGridFace(L"TREE", pszText);
}
