// A project file of the test's own, and what the module's suites do with it.
//
//   CTestProject project;             // created and opened as the current project; closed
//                                     // and removed (with its journal) when it goes
//   project.AddFloor(1, L"首层", 1);   // rows written with bound values into the file
//   project.AddFolder(1, L"11", L"10", L"框架梁");
//   project.AddComponent(1, L"11", L"KL1", 2.5);
//   project.SetRules(xml);            // the folder rule text the module reads under "TREE"
//   project.Peek(sql) / Value(sql)    // read back through a connection of its own, as
//                                     // another reader of the file would
//   CBoxRecorder boxes;               // every message box of the host recorded and answered
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "ComTreeHost.h"

typedef std::vector<std::vector<std::wstring>> Rows;

// A file name under the temp folder, unique for the running test; nothing is there yet.
std::wstring TempFilePath(const wchar_t* stem);
void RemoveProjectFile(const std::wstring& path);
std::vector<unsigned char> ReadAllBytes(const std::wstring& path);
void WriteAllBytes(const std::wstring& path, const void* data, size_t size);
// UTF-8, for test messages.
std::string Narrow(const wchar_t* text);
inline std::string Narrow(const std::wstring& text) { return Narrow(text.c_str()); }
inline std::wstring W(const CString& s) { return std::wstring(s.GetString(), s.GetLength()); }

class CTestProject
{
public:
    explicit CTestProject(const wchar_t* stem = L"项目");
    virtual ~CTestProject();
    CTestProject(const CTestProject&) = delete;
    CTestProject& operator=(const CTestProject&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool IsOpen() const { return m_bOpen; }

    void AddFloor(int nId, const wchar_t* pszName, int nShowId, int nCreateMode = 0);
    // A folder row; its show id is its id's number unless given.
    void AddFolder(int nFloorId, const wchar_t* pszId, const wchar_t* pszParentId,
                   const wchar_t* pszName, int nAllowOwnerCom = 1, int nInitCreate = 1,
                   double dVolume = 1.0, int nImage = 0, int nComType = 0, int nShowId = -1,
                   int nAllowAddUserFolder = 1);
    // Through the host's own insert, so ids come from where the project gives them.
    int AddComponent(int nFloorId, const wchar_t* pszFolderId, const wchar_t* pszName,
                     double dVolume = 1.0, int nComType = 111);
    void AddResult(int nComId, const wchar_t* pszItem);
    void SetRules(const wchar_t* pszXml);
    // A statement on the current connection (inside the caller's transaction, if any).
    void Exec(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});

    Rows Peek(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});
    // The first value of the first row, "<none>" without one.
    std::wstring Value(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});
    int Count(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});

private:
    std::wstring m_path;
    bool m_bOpen;
};

struct RecordedBox
{
    std::wstring text, caption;
    UINT style;
};

// Installs itself as the host's message-box handler for its lifetime.
class CBoxRecorder
{
public:
    explicit CBoxRecorder(int nAnswer = IDOK);
    ~CBoxRecorder();
    std::vector<RecordedBox> boxes;
    int answer;

private:
    static int Record(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle, void* pContext);
    UIFunction::KxMessageBoxHandler m_pfnPrevious;
};
