// Temporary project files for the host suites: each test gets its own file under the temp
// folder, removed (with its journal) when the test ends.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

std::wstring TempFilePath(const wchar_t* stem);
void RemoveProjectFile(const std::wstring& path);
std::vector<unsigned char> ReadAllBytes(const std::wstring& path);
void WriteAllBytes(const std::wstring& path, const void* data, size_t size);
std::string Narrow(const wchar_t* text);

// Creates and opens a fresh project as the current one; closes and removes it at the end.
class CTempProject
{
public:
    explicit CTempProject(const wchar_t* stem = L"项目");
    ~CTempProject();
    const std::wstring& Path() const { return m_path; }
    bool IsOpen() const { return m_bOpen; }
    // Runs a query on a separate connection, as another reader of the file would.
    std::vector<std::vector<std::wstring>> Peek(const wchar_t* sql,
                                                const std::vector<std::wstring>& params = {});

private:
    std::wstring m_path;
    bool m_bOpen;
};
