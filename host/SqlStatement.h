// Internal to comtree_host.dll: one prepared statement with bound values, and the text and
// number conversions that the dataset library and the table classes share.
#pragma once
#include <string>
#include <vector>
#include "ProjectConnection.h"

struct sqlite3_stmt;

namespace KxSql {

std::string ToUtf8(const std::wstring& text);

// A column as the dataset library holds it: integers in decimal, reals in their shortest
// exact form without a trailing ".0", NULL and blobs as an empty text.
std::wstring ColumnText(sqlite3_stmt* stmt, int col);

// Shortest decimal text that reads back as the same double ("3", "2.5", "0.1").
std::wstring FormatNumber(double value);

// Leading-digit readings: optional blanks and sign, then digits; no digits reads as 0.
int LeadingInt(const std::wstring& text);
double LeadingDouble(const std::wstring& text);

// The whole text is one number (no trailing characters).
bool IsWholeInteger(const std::wstring& text, long long& value);
bool IsWholeDouble(const std::wstring& text, double& value);

} // namespace KxSql

class CSqlStatement
{
public:
    // bReuse: take the statement from the connection's cache and give it back at the end.
    // A statement that may outlive its connection (a cursor) is not reused.
    CSqlStatement(CProjectConnection* pConn, const wchar_t* sql, bool bReuse = true);
    ~CSqlStatement();
    bool IsValid() const { return m_pStmt != nullptr; }

    void Bind(int index, const std::wstring& text);
    void BindInt(int index, long long value);
    void BindDouble(int index, double value);
    void BindNull(int index);
    // A value bound with the dataset field type it was declared with: numeric fields bind
    // their numbers as numbers and an empty value as NULL; text fields bind text.
    void BindTyped(int index, const std::wstring& text, int fieldType);

    // Steps once: true for a row or for the end of a writing statement. A failure marks the
    // open transaction scope as failed, unless bConstraintIsExpected and it was a key clash
    // (that case is reported through WasConstraint()).
    bool Step(bool bConstraintIsExpected = false);
    bool HasRow() const { return m_bRow; }
    bool WasConstraint() const { return m_bConstraint; }
    void Reset();

    int ColumnCount() const;
    std::wstring ColumnName(int col) const;
    std::wstring Text(int col) const;
    long long Int(int col) const;
    double Double(int col) const;
    bool IsNull(int col) const;

private:
    CSqlStatement(const CSqlStatement&) = delete;
    CSqlStatement& operator=(const CSqlStatement&) = delete;

    CProjectConnection* m_pConn;
    sqlite3_stmt* m_pStmt;
    std::wstring m_strSql; // set when the statement goes back to the cache
    bool m_bRow;
    bool m_bConstraint;
};
