// One open project file: a SQLite connection addressed by a UTF-16 path.
//
// Besides plain statements the connection keeps the state of the project transaction
// (CProjectConnectTransaction): how deeply scopes are nested and whether any statement inside
// them failed, so the outermost scope knows whether to commit or to roll back.
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
    // (NULL as an empty text, a whole REAL without its ".0").
    BOOL Query(const wchar_t* sql, const std::vector<std::wstring>& params,
               std::vector<std::vector<std::wstring>>& rows);
    // Runs one statement that cannot change the file (a SELECT), given as the user typed it
    // (no parameters). Refuses anything that writes, a PRAGMA other than those that only
    // report, and more than one statement, with the reason in *pWhy; nothing is run then.
    // A query that returns more than nMaxRows rows or runs longer than nMaxMs is stopped
    // and refused the same way.
    BOOL QueryReadOnly(const wchar_t* sql, std::vector<std::vector<std::wstring>>& rows,
                       std::wstring* pWhy, size_t nMaxRows = 1000, DWORD nMaxMs = 2000);

    // Transaction scopes. BeginScope opens the transaction at depth 0; EndScope at the
    // outermost level commits, or rolls back when a statement inside failed or MarkFailed was
    // called. Returns FALSE when the outermost end had to roll back or could not commit.
    BOOL BeginScope();
    BOOL EndScope();
    int ScopeDepth() const { return m_nScopeDepth; }
    BOOL ScopeFailed() const { return m_bScopeFailed; }
    void MarkFailed()
    {
        if (m_nScopeDepth > 0)
            m_bScopeFailed = TRUE;
    }

    // Statement bookkeeping for the host's own statement helper: a failure inside a scope
    // dooms the scope; a write while a scope lost its transaction is refused. A failed write
    // on the current project also tells the user (ReportWriteFailure).
    void ReportFailure(const wchar_t* what);
    void ReportWriteFailure(const wchar_t* what);
    BOOL MayWrite();

    // Prepared statements kept for reuse, keyed by their SQL text (the host runs the same
    // few statements thousands of times while a tree is built). Take returns NULL when none
    // is free; Give hands a reset statement back (or finalizes it when the cache is full).
    sqlite3_stmt* TakeStatement(const wchar_t* sql);
    void GiveStatement(const wchar_t* sql, sqlite3_stmt* stmt);

    long long LastInsertRowId() const;
    int Changes() const;

    sqlite3* Handle() const { return m_pDb; }
    const std::wstring& GetLastErrorText() const { return m_strError; }
    void SetErrorText(const std::wstring& text) { m_strError = text; }

private:
    CProjectConnection(const CProjectConnection&) = delete;
    CProjectConnection& operator=(const CProjectConnection&) = delete;
    void SetError(const wchar_t* what);
    sqlite3_stmt* Prepare(const wchar_t* sql, const std::vector<std::wstring>& params);

    void DropStatements();

    sqlite3* m_pDb;
    std::wstring m_strError;
    std::vector<std::pair<std::wstring, sqlite3_stmt*>> m_cache;
    int m_nScopeDepth;
    BOOL m_bScopeFailed;
};
