#include "HostTestFiles.h"
#include "ComTreeHost.h"
#include <gtest/gtest.h>

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

CTempProject::CTempProject(const wchar_t* stem) : m_path(TempFilePath(stem)), m_bOpen(false)
{
    CString error;
    m_bOpen = CProjectDatabase::Create(m_path.c_str(), L"测试工程", &error) != FALSE;
    EXPECT_TRUE(m_bOpen) << Narrow(error);
}

CTempProject::~CTempProject()
{
    CProjectDatabase::Close();
    RemoveProjectFile(m_path);
}

std::vector<std::vector<std::wstring>> CTempProject::Peek(const wchar_t* sql,
                                                          const std::vector<std::wstring>& params)
{
    CProjectConnection other;
    std::vector<std::vector<std::wstring>> rows;
    EXPECT_TRUE(other.Open(m_path.c_str(), FALSE));
    EXPECT_TRUE(other.Query(sql, params, rows)) << Narrow(other.GetLastErrorText().c_str());
    return rows;
}
