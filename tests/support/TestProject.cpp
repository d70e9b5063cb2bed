#include "TestProject.h"
#include <gtest/gtest.h>
#include <cwchar>

std::wstring TempFilePath(const wchar_t* stem)
{
    static int counter = 0;
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::wstring name = std::wstring(dir) + stem + L"_";
    if (info)
        for (const char* p = info->name(); *p; ++p)
            name += static_cast<wchar_t>(*p);
    name += L"_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter)
        + L".kxp";
    RemoveProjectFile(name);
    return name;
}

void RemoveProjectFile(const std::wstring& path)
{
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    DeleteFileW((path + L"-journal").c_str());
}

std::vector<unsigned char> ReadAllBytes(const std::wstring& path)
{
    std::vector<unsigned char> bytes;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size;
    GetFileSizeEx(h, &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    bytes.resize(got);
    CloseHandle(h);
    return bytes;
}

void WriteAllBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    if (h != INVALID_HANDLE_VALUE) {
        WriteFile(h, data, static_cast<DWORD>(size), &put, nullptr);
        CloseHandle(h);
    }
}

std::string Narrow(const wchar_t* text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &s[0], n, nullptr, nullptr);
    return s;
}

namespace {
// Every digit a double needs to come back the same.
std::wstring Number(double d)
{
    wchar_t text[40];
    _snwprintf(text, 39, L"%.17g", d);
    text[39] = 0;
    return text;
}
} // namespace

CTestProject::CTestProject(const wchar_t* stem) : m_path(TempFilePath(stem)), m_bOpen(false)
{
    CString error;
    m_bOpen = CProjectDatabase::Create(m_path.c_str(), L"测试工程", &error) != FALSE;
    EXPECT_TRUE(m_bOpen) << Narrow(error.GetString());
}

CTestProject::~CTestProject()
{
    CGJ_GridFaceManager::Instance()->ClearGridFaces();
    CProjectDatabase::Close();
    RemoveProjectFile(m_path);
}

void CTestProject::Exec(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    ASSERT_TRUE(pConn != nullptr);
    EXPECT_TRUE(pConn->ExecuteBound(pszSql, params))
        << Narrow(pszSql) << ": " << Narrow(pConn->GetLastErrorText().c_str());
}

void CTestProject::AddFloor(int nId, const wchar_t* pszName, int nShowId, int nCreateMode)
{
    Exec(L"INSERT INTO floor (id, lcmc, showid, createmode) VALUES (?1, ?2, ?3, ?4)",
         { std::to_wstring(nId), pszName, std::to_wstring(nShowId), std::to_wstring(nCreateMode) });
}

void CTestProject::AddFolder(int nFloorId, const wchar_t* pszId, const wchar_t* pszParentId,
                             const wchar_t* pszName, int nAllowOwnerCom, int nInitCreate,
                             double dVolume, int nImage, int nComType, int nShowId,
                             int nAllowAddUserFolder)
{
    Exec(L"INSERT INTO comfolder (comfolderid, floorid, allowownercom, parentid, foldername, "
         L"imageindex, selectedindex, comtype, allowadduserfolder, initcreate, volume, showid) "
         L"VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?6, ?7, ?11, ?8, ?9, ?10)",
         { pszId, std::to_wstring(nFloorId), std::to_wstring(nAllowOwnerCom), pszParentId, pszName,
           std::to_wstring(nImage), std::to_wstring(nComType), std::to_wstring(nInitCreate),
           Number(dVolume), std::to_wstring(nShowId < 0 ? _wtoi(pszId) : nShowId),
           std::to_wstring(nAllowAddUserFolder) });
}

int CTestProject::AddComponent(int nFloorId, const wchar_t* pszFolderId, const wchar_t* pszName,
                               double dVolume, int nComType)
{
    CAccessProject_Components_GJTable table;
    const int nId = table.Insert(nFloorId, pszFolderId, pszName, nComType, dVolume, 1);
    EXPECT_GT(nId, 0);
    return nId;
}

void CTestProject::AddResult(int nComId, const wchar_t* pszItem)
{
    Exec(L"INSERT INTO componentresult (comid, itemname, value) VALUES (?1, ?2, 1)",
         { std::to_wstring(nComId), pszItem });
}

void CTestProject::SetRules(const wchar_t* pszXml)
{
    CGJ_GridFaceManager::Instance()->SetGridFace(L"TREE", pszXml);
}

Rows CTestProject::Peek(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    CProjectConnection other;
    Rows rows;
    EXPECT_TRUE(other.Open(m_path.c_str(), FALSE));
    EXPECT_TRUE(other.Query(pszSql, params, rows)) << Narrow(other.GetLastErrorText().c_str());
    return rows;
}

std::wstring CTestProject::Value(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    Rows rows = Peek(pszSql, params);
    return rows.empty() || rows[0].empty() ? L"<none>" : rows[0][0];
}

int CTestProject::Count(const wchar_t* pszSql, const std::vector<std::wstring>& params)
{
    Rows rows = Peek(pszSql, params);
    return rows.empty() || rows[0].empty() ? -1 : _wtoi(rows[0][0].c_str());
}

CBoxRecorder::CBoxRecorder(int nAnswer) : answer(nAnswer)
{
    m_pfnPrevious = UIFunction::SetMessageBoxHandler(&CBoxRecorder::Record, this);
}

CBoxRecorder::~CBoxRecorder() { UIFunction::SetMessageBoxHandler(m_pfnPrevious); }

int CBoxRecorder::Record(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle, void* pContext)
{
    CBoxRecorder* self = static_cast<CBoxRecorder*>(pContext);
    self->boxes.push_back({ pszText ? pszText : L"", pszCaption ? pszCaption : L"", nStyle });
    return self->answer;
}
