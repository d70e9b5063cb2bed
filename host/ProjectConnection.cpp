#include "ProjectConnection.h"
#include <sqlite3.h>

CProjectConnection::CProjectConnection() : m_pDb(nullptr) {}

CProjectConnection::~CProjectConnection() { Close(); }

BOOL CProjectConnection::Open(const wchar_t* path, BOOL bCreate)
{
    Close();
    // sqlite3_open16 always creates; the flags form needs UTF-8.
    int n = WideCharToMultiByte(CP_UTF8, 0, path, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, path, -1, &utf8[0], n, nullptr, nullptr);
    int flags = SQLITE_OPEN_READWRITE | (bCreate ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(utf8.c_str(), &m_pDb, flags, nullptr) != SQLITE_OK) {
        SetError(L"open");
        Close();
        return FALSE;
    }
    sqlite3_busy_timeout(m_pDb, 0);
    return TRUE;
}

void CProjectConnection::Close()
{
    if (m_pDb) {
        sqlite3_close_v2(m_pDb);
        m_pDb = nullptr;
    }
}

BOOL CProjectConnection::Execute(const wchar_t* sql)
{
    if (!m_pDb)
        return FALSE;
    int n = WideCharToMultiByte(CP_UTF8, 0, sql, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, sql, -1, &utf8[0], n, nullptr, nullptr);
    char* err = nullptr;
    if (sqlite3_exec(m_pDb, utf8.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        sqlite3_free(err);
        SetError(L"execute");
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

sqlite3_stmt* CProjectConnection::Prepare(const wchar_t* sql, const std::vector<std::wstring>& params)
{
    if (!m_pDb)
        return nullptr;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare16_v2(m_pDb, sql, -1, &stmt, nullptr) != SQLITE_OK) {
        SetError(L"prepare");
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
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        SetError(L"execute");
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
        for (int c = 0; c < n; ++c) {
            const void* text = sqlite3_column_text16(stmt, c);
            row.emplace_back(text ? static_cast<const wchar_t*>(text) : L"");
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        SetError(L"query");
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}
