// One open project file: a SQLite connection addressed by a UTF-16 path.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "HostExport.h"

struct sqlite3;
struct sqlite3_stmt;

class KXHOST_API CProjectConnection
{
public:
    CProjectConnection();
    virtual ~CProjectConnection();

    // Opens (or creates, when bCreate) the file; FALSE with the reason in GetLastErrorText.
    BOOL Open(const wchar_t* path, BOOL bCreate);
    void Close();
    BOOL IsOpen() const { return m_pDb != nullptr; }

    // Runs statements that take no parameters (schema, BEGIN/COMMIT).
    BOOL Execute(const wchar_t* sql);

    // Runs one statement with every value bound as a parameter (?1, ?2, ...).
    BOOL ExecuteBound(const wchar_t* sql, const std::vector<std::wstring>& params);
    // Runs one query with bound parameters; every column is returned as text
    // (NULL as an empty text).
    BOOL Query(const wchar_t* sql, const std::vector<std::wstring>& params,
               std::vector<std::vector<std::wstring>>& rows);

    sqlite3* Handle() const { return m_pDb; }
    const std::wstring& GetLastErrorText() const { return m_strError; }

private:
    CProjectConnection(const CProjectConnection&) = delete;
    CProjectConnection& operator=(const CProjectConnection&) = delete;
    void SetError(const wchar_t* what);
    sqlite3_stmt* Prepare(const wchar_t* sql, const std::vector<std::wstring>& params);

    sqlite3* m_pDb;
    std::wstring m_strError;
};
