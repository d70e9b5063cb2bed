#include "ProjectConnection.h"
#include "ProjectDatabase.h"
#include "SqlStatement.h"
#include <sqlite3.h>
#include <cwctype>
#include <cstring>

namespace {

// Why a write failed, as the user reads it after "保存失败：".
CString WriteFailureReason(sqlite3* db)
{
    const int code = db ? sqlite3_extended_errcode(db) : SQLITE_CANTOPEN;
    switch (code & 0xFF) {
    case SQLITE_FULL:
        return L"磁盘已满，本次修改没有写入工程文件。";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return L"工程文件已变为只读，本次修改没有写入。";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return L"工程文件正被其他程序使用，本次修改没有写入。";
    case SQLITE_NOMEM:
        return L"内存不足，本次修改没有写入工程文件。";
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return L"读写工程文件出错，本次修改没有写入。";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return L"工程文件已损坏，本次修改没有写入。";
    default: {
        CString s;
        s.Format(L"工程文件拒绝了本次修改（%s），修改没有写入。",
                 static_cast<const wchar_t*>(sqlite3_errmsg16(db)));
        return s;
    }
    }
}

// The pragmas a query may run: they only report, whatever their argument.
const char* const kReportingPragmas[] = {
    "table_info",       "table_xinfo",     "index_list",  "index_info",    "index_xinfo",
    "foreign_key_list", "integrity_check", "quick_check", "database_list", "collation_list",
    "compile_options",  "function_list",   "module_list", "pragma_list",   "table_list",
};
// These report only when asked without a value.
const char* const kQueryOnlyPragmas[] = {
    "user_version",   "schema_version", "application_id", "page_count",  "page_size",
    "freelist_count", "encoding",       "journal_mode",   "auto_vacuum", "foreign_keys",
};

bool InList(const char* name, const char* const* list, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (name && sqlite3_stricmp(name, list[i]) == 0)
            return true;
    return false;
}

// Compile-time check of a typed query: a PRAGMA that would change how the connection works
// (heap limit, locking mode, page limit, busy timeout, optimize, ...) is denied like a write.
int ReadOnlyAuthorizer(void*, int action, const char* arg1, const char* arg2, const char*,
                       const char*)
{
    if (action != SQLITE_PRAGMA)
        return SQLITE_OK;
    if (InList(arg1, kReportingPragmas, sizeof(kReportingPragmas) / sizeof(*kReportingPragmas)))
        return SQLITE_OK;
    if (arg2 == nullptr
        && InList(arg1, kQueryOnlyPragmas, sizeof(kQueryOnlyPragmas) / sizeof(*kQueryOnlyPragmas)))
        return SQLITE_OK;
    return SQLITE_DENY;
}

struct Deadline
{
    DWORD dwStart, dwMaxMs;
};

int PastDeadline(void* p)
{
    const Deadline* d = static_cast<const Deadline*>(p);
    return GetTickCount() - d->dwStart > d->dwMaxMs ? 1 : 0;
}

} // namespace

CProjectConnection::CProjectConnection() : m_pDb(nullptr), m_nScopeDepth(0), m_bScopeFailed(FALSE)
{}

CProjectConnection::~CProjectConnection() { Close(); }

BOOL CProjectConnection::Open(const wchar_t* path, BOOL bCreate)
{
    Close();
    // sqlite3_open16 always creates; the flags form needs UTF-8.
    std::string utf8 = KxSql::ToUtf8(path ? path : L"");
    int flags = SQLITE_OPEN_READWRITE | (bCreate ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(utf8.c_str(), &m_pDb, flags, nullptr) != SQLITE_OK) {
        SetError(L"open");
        Close();
        return FALSE;
    }
    sqlite3_extended_result_codes(m_pDb, 1);
    sqlite3_busy_timeout(m_pDb, 0);
    return TRUE;
}

void CProjectConnection::Close()
{
    DropStatements();
    if (m_pDb) {
        if (!sqlite3_get_autocommit(m_pDb))
            sqlite3_exec(m_pDb, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_pDb);
        m_pDb = nullptr;
    }
    m_nScopeDepth = 0;
    m_bScopeFailed = FALSE;
}

BOOL CProjectConnection::Execute(const wchar_t* sql)
{
    if (!m_pDb)
        return FALSE;
    std::string utf8 = KxSql::ToUtf8(sql);
    char* err = nullptr;
    if (sqlite3_exec(m_pDb, utf8.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        sqlite3_free(err);
        ReportWriteFailure(L"execute"); // schema and transaction statements
        return FALSE;
    }
    return TRUE;
}

void CProjectConnection::SetError(const wchar_t* what)
{
    m_strError = what;
    if (m_pDb) {
        m_strError += L": ";
        m_strError += static_cast<const wchar_t*>(sqlite3_errmsg16(m_pDb));
    }
}

void CProjectConnection::ReportFailure(const wchar_t* what)
{
    SetError(what);
    MarkFailed();
}

void CProjectConnection::ReportWriteFailure(const wchar_t* what)
{
    ReportFailure(what);
    // Files of other connections (a project being opened, a test's own look) say nothing.
    if (this == CProjectDatabase::GetConnection())
        CProjectDatabase::NotifyWriteFailure(WriteFailureReason(m_pDb));
}

BOOL CProjectConnection::MayWrite()
{
    // SQLite ends a transaction on its own after some errors (disk full, I/O); a statement
    // run after that would commit on its own and break the scope's all-or-nothing promise.
    if (m_nScopeDepth > 0 && (!m_pDb || sqlite3_get_autocommit(m_pDb))) {
        m_strError = L"the transaction of this scope is no longer open";
        m_bScopeFailed = TRUE;
        return FALSE;
    }
    return m_pDb != nullptr;
}

sqlite3_stmt* CProjectConnection::Prepare(const wchar_t* sql,
                                          const std::vector<std::wstring>& params)
{
    if (!m_pDb)
        return nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(m_pDb, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        ReportFailure(L"prepare");
        return nullptr;
    }
    for (size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text16(stmt, static_cast<int>(i + 1), params[i].c_str(),
                            static_cast<int>(params[i].size() * sizeof(wchar_t)), SQLITE_TRANSIENT);
    return stmt;
}

BOOL CProjectConnection::ExecuteBound(const wchar_t* sql, const std::vector<std::wstring>& params)
{
    sqlite3_stmt* stmt = Prepare(sql, params);
    if (!stmt)
        return FALSE;
    if (!sqlite3_stmt_readonly(stmt) && !MayWrite()) {
        sqlite3_finalize(stmt);
        return FALSE;
    }
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        if (sqlite3_stmt_readonly(stmt))
            ReportFailure(L"execute");
        else
            ReportWriteFailure(L"execute");
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE || rc == SQLITE_ROW;
}

BOOL CProjectConnection::Query(const wchar_t* sql, const std::vector<std::wstring>& params,
                               std::vector<std::vector<std::wstring>>& rows)
{
    rows.clear();
    sqlite3_stmt* stmt = Prepare(sql, params);
    if (!stmt)
        return FALSE;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<std::wstring> row;
        int n = sqlite3_column_count(stmt);
        for (int c = 0; c < n; ++c)
            row.push_back(KxSql::ColumnText(stmt, c));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        ReportFailure(L"query");
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

BOOL CProjectConnection::QueryReadOnly(const wchar_t* sql,
                                       std::vector<std::vector<std::wstring>>& rows,
                                       std::wstring* pWhy, size_t nMaxRows, DWORD nMaxMs)
{
    rows.clear();
    if (!m_pDb) {
        *pWhy = L"no project is open";
        return FALSE;
    }
    sqlite3_stmt* stmt = nullptr;
    const void* tail = nullptr;
    sqlite3_set_authorizer(m_pDb, ReadOnlyAuthorizer, nullptr);
    const int rcPrepare = sqlite3_prepare16_v2(m_pDb, sql, -1, &stmt, &tail);
    sqlite3_set_authorizer(m_pDb, nullptr, nullptr);
    if (rcPrepare == SQLITE_AUTH) {
        *pWhy = L"only a SELECT that changes nothing may run";
        sqlite3_finalize(stmt);
        return FALSE;
    }
    if (rcPrepare != SQLITE_OK || !stmt) {
        *pWhy = stmt ? L"" : std::wstring(L"not a statement: ");
        *pWhy += static_cast<const wchar_t*>(sqlite3_errmsg16(m_pDb));
        sqlite3_finalize(stmt);
        return FALSE;
    }
    const wchar_t* rest = static_cast<const wchar_t*>(tail);
    while (rest && *rest && (iswspace(*rest) || *rest == L';'))
        ++rest;
    if (rest && *rest) {
        *pWhy = L"more than one statement";
        sqlite3_finalize(stmt);
        return FALSE;
    }
    if (!sqlite3_stmt_readonly(stmt) || sqlite3_column_count(stmt) == 0) {
        *pWhy = L"only a SELECT that changes nothing may run";
        sqlite3_finalize(stmt);
        return FALSE;
    }
    Deadline deadline = { GetTickCount(), nMaxMs };
    sqlite3_progress_handler(m_pDb, 1000, PastDeadline, &deadline);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW && rows.size() <= nMaxRows) {
        std::vector<std::wstring> row;
        int n = sqlite3_column_count(stmt);
        for (int c = 0; c < n; ++c)
            row.push_back(KxSql::ColumnText(stmt, c));
        rows.push_back(std::move(row));
    }
    sqlite3_progress_handler(m_pDb, 0, nullptr, nullptr);
    if (rc == SQLITE_ROW) {
        *pWhy = L"more than " + std::to_wstring(nMaxRows) + L" rows";
    } else if (rc == SQLITE_INTERRUPT) {
        *pWhy = L"stopped after " + std::to_wstring(nMaxMs) + L" ms";
    } else if (rc != SQLITE_DONE) {
        *pWhy = static_cast<const wchar_t*>(sqlite3_errmsg16(m_pDb));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        rows.clear();
    return rc == SQLITE_DONE;
}

BOOL CProjectConnection::BeginScope()
{
    if (!m_pDb)
        return FALSE;
    if (m_nScopeDepth++ > 0)
        return !m_bScopeFailed;
    m_bScopeFailed = FALSE;
    // IMMEDIATE: learn at the start, not halfway through, that another process writes.
    if (sqlite3_exec(m_pDb, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK) {
        ReportWriteFailure(L"begin");
        m_bScopeFailed = TRUE;
        return FALSE;
    }
    return TRUE;
}

BOOL CProjectConnection::EndScope()
{
    if (m_nScopeDepth == 0)
        return FALSE;
    if (--m_nScopeDepth > 0)
        return !m_bScopeFailed;
    BOOL ok = FALSE;
    if (m_pDb && !sqlite3_get_autocommit(m_pDb)) {
        if (!m_bScopeFailed
            && sqlite3_exec(m_pDb, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
            ok = TRUE;
        else {
            if (!m_bScopeFailed)
                ReportWriteFailure(L"commit");
            sqlite3_exec(m_pDb, "ROLLBACK", nullptr, nullptr, nullptr);
        }
    }
    m_bScopeFailed = FALSE;
    return ok;
}

long long CProjectConnection::LastInsertRowId() const
{
    return m_pDb ? sqlite3_last_insert_rowid(m_pDb) : 0;
}

int CProjectConnection::Changes() const { return m_pDb ? sqlite3_changes(m_pDb) : 0; }

sqlite3_stmt* CProjectConnection::TakeStatement(const wchar_t* sql)
{
    for (size_t i = 0; i < m_cache.size(); ++i) {
        if (m_cache[i].first == sql) {
            sqlite3_stmt* stmt = m_cache[i].second;
            m_cache.erase(m_cache.begin() + i);
            return stmt;
        }
    }
    return nullptr;
}

void CProjectConnection::GiveStatement(const wchar_t* sql, sqlite3_stmt* stmt)
{
    if (!stmt)
        return;
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (!m_pDb || m_cache.size() >= 48) {
        sqlite3_finalize(stmt);
        return;
    }
    // Most recently used first, so the lookups of a busy loop end early.
    m_cache.insert(m_cache.begin(), std::make_pair(std::wstring(sql), stmt));
}

void CProjectConnection::DropStatements()
{
    for (auto& entry : m_cache)
        sqlite3_finalize(entry.second);
    m_cache.clear();
}
