#include "SqlStatement.h"
#include "DataModelDataSet.h"
#include <sqlite3.h>
#include <cwchar>
#include <cwctype>
#include <cmath>
#include <cstdlib>
#include <windows.h>

namespace KxSql {

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}

static std::wstring IntText(long long v)
{
    wchar_t buf[24];
    wchar_t* p = buf + 24;
    unsigned long long u = v < 0 ? 0ULL - static_cast<unsigned long long>(v)
                                 : static_cast<unsigned long long>(v);
    do {
        *--p = static_cast<wchar_t>(L'0' + u % 10);
        u /= 10;
    } while (u);
    if (v < 0)
        *--p = L'-';
    return std::wstring(p, buf + 24);
}

std::wstring FormatNumber(double value)
{
    if (!std::isfinite(value))
        return L"0";
    if (value == 0)
        return L"0";
    wchar_t buf[64];
    if (std::fabs(value) < 1e15 && value == std::floor(value))
        return IntText(static_cast<long long>(value));
    for (int precision = 15; precision <= 17; ++precision) {
        swprintf(buf, 64, L"%.*g", precision, value);
        if (wcstod(buf, nullptr) == value)
            break;
    }
    return buf;
}

std::wstring ColumnText(sqlite3_stmt* stmt, int col)
{
    switch (sqlite3_column_type(stmt, col)) {
    case SQLITE_INTEGER:
        return IntText(sqlite3_column_int64(stmt, col));
    case SQLITE_FLOAT:
        return FormatNumber(sqlite3_column_double(stmt, col));
    case SQLITE_TEXT: {
        const wchar_t* text = static_cast<const wchar_t*>(sqlite3_column_text16(stmt, col));
        int bytes = sqlite3_column_bytes16(stmt, col);
        return text ? std::wstring(text, bytes / sizeof(wchar_t)) : std::wstring();
    }
    default:
        return std::wstring();
    }
}

int LeadingInt(const std::wstring& text)
{
    const wchar_t* p = text.c_str();
    while (*p == L' ' || *p == L'\t')
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = (*p++ == L'-');
    long long v = 0;
    while (*p >= L'0' && *p <= L'9') {
        v = v * 10 + (*p++ - L'0');
        if (v > 0x80000000LL)
            v = 0x80000000LL;
    }
    if (negative)
        v = -v;
    if (v > 0x7FFFFFFFLL)
        v = 0x7FFFFFFFLL;
    return static_cast<int>(v);
}

double LeadingDouble(const std::wstring& text)
{
    double v = wcstod(text.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0;
}

bool IsWholeInteger(const std::wstring& text, long long& value)
{
    if (text.empty() || iswspace(text[0]))
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    value = wcstoll(text.c_str(), &end, 10);
    return errno == 0 && end && *end == 0;
}

bool IsWholeDouble(const std::wstring& text, double& value)
{
    if (text.empty() || iswspace(text[0]))
        return false;
    wchar_t* end = nullptr;
    value = wcstod(text.c_str(), &end);
    return end && *end == 0 && std::isfinite(value);
}

} // namespace KxSql

CSqlStatement::CSqlStatement(CProjectConnection* pConn, const wchar_t* sql, bool bReuse)
    : m_pConn(pConn), m_pStmt(nullptr), m_bRow(false), m_bConstraint(false)
{
    if (!m_pConn || !m_pConn->Handle())
        return;
    if (bReuse) {
        m_strSql = sql;
        m_pStmt = m_pConn->TakeStatement(sql);
        if (m_pStmt)
            return;
    }
    if (sqlite3_prepare16_v2(m_pConn->Handle(), sql, -1, &m_pStmt, nullptr) != SQLITE_OK) {
        m_pConn->ReportFailure(L"prepare");
        m_pStmt = nullptr;
    }
}

CSqlStatement::~CSqlStatement()
{
    if (!m_pStmt)
        return;
    if (!m_strSql.empty())
        m_pConn->GiveStatement(m_strSql.c_str(), m_pStmt);
    else
        sqlite3_finalize(m_pStmt);
}

void CSqlStatement::Bind(int index, const std::wstring& text)
{
    if (m_pStmt)
        sqlite3_bind_text16(m_pStmt, index, text.c_str(),
                            static_cast<int>(text.size() * sizeof(wchar_t)), SQLITE_TRANSIENT);
}

void CSqlStatement::BindInt(int index, long long value)
{
    if (m_pStmt)
        sqlite3_bind_int64(m_pStmt, index, value);
}

void CSqlStatement::BindDouble(int index, double value)
{
    if (m_pStmt)
        sqlite3_bind_double(m_pStmt, index, value);
}

void CSqlStatement::BindNull(int index)
{
    if (m_pStmt)
        sqlite3_bind_null(m_pStmt, index);
}

void CSqlStatement::BindTyped(int index, const std::wstring& text, int fieldType)
{
    if (fieldType == KXFT_TEXT) {
        Bind(index, text);
        return;
    }
    long long n;
    double d;
    if (text.empty())
        BindNull(index);
    else if (KxSql::IsWholeInteger(text, n))
        BindInt(index, n);
    else if (KxSql::IsWholeDouble(text, d))
        BindDouble(index, d);
    else
        Bind(index, text); // kept as written: a declared type never truncates a value
}

bool CSqlStatement::Step(bool bConstraintIsExpected)
{
    m_bRow = false;
    m_bConstraint = false;
    if (!m_pStmt)
        return false;
    if (!sqlite3_stmt_readonly(m_pStmt) && !m_pConn->MayWrite())
        return false;
    int rc = sqlite3_step(m_pStmt);
    if (rc == SQLITE_ROW) {
        m_bRow = true;
        return true;
    }
    if (rc == SQLITE_DONE)
        return true;
    if ((rc & 0xFF) == SQLITE_CONSTRAINT && bConstraintIsExpected) {
        m_bConstraint = true;
        sqlite3_reset(m_pStmt);
        return false;
    }
    if (sqlite3_stmt_readonly(m_pStmt))
        m_pConn->ReportFailure(L"step");
    else
        m_pConn->ReportWriteFailure(L"step");
    sqlite3_reset(m_pStmt);
    return false;
}

void CSqlStatement::Reset()
{
    if (m_pStmt) {
        sqlite3_reset(m_pStmt);
        sqlite3_clear_bindings(m_pStmt);
    }
    m_bRow = false;
}

int CSqlStatement::ColumnCount() const { return m_pStmt ? sqlite3_column_count(m_pStmt) : 0; }

std::wstring CSqlStatement::ColumnName(int col) const
{
    const void* name = m_pStmt ? sqlite3_column_name16(m_pStmt, col) : nullptr;
    return name ? static_cast<const wchar_t*>(name) : L"";
}

std::wstring CSqlStatement::Text(int col) const
{
    return m_bRow ? KxSql::ColumnText(m_pStmt, col) : std::wstring();
}

long long CSqlStatement::Int(int col) const
{
    return m_bRow ? sqlite3_column_int64(m_pStmt, col) : 0;
}

double CSqlStatement::Double(int col) const
{
    return m_bRow ? sqlite3_column_double(m_pStmt, col) : 0.0;
}

bool CSqlStatement::IsNull(int col) const
{
    return !m_bRow || sqlite3_column_type(m_pStmt, col) == SQLITE_NULL;
}
