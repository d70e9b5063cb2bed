#include "KxSQLTableCtrl.h"
#include "ProjectDatabase.h"
#include "SqlStatement.h"

namespace {
std::wstring Lower(std::wstring s)
{
    if (!s.empty())
        CharLowerBuffW(&s[0], static_cast<DWORD>(s.size()));
    return s;
}
} // namespace

CKxSQLTableCtrl::CKxSQLTableCtrl() : m_pStmt(nullptr), m_pConn(nullptr), m_bOnRow(false) {}

CKxSQLTableCtrl::~CKxSQLTableCtrl() { delete m_pStmt; }

BOOL CKxSQLTableCtrl::Open(LPCTSTR pszSelect, const std::vector<std::wstring>& params)
{
    delete m_pStmt;
    m_pStmt = nullptr;
    m_columns.clear();
    m_bOnRow = false;
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn)
        return FALSE;
    m_pConn = pConn;
    m_pStmt = new CSqlStatement(pConn, pszSelect, false);
    if (!m_pStmt->IsValid()) {
        delete m_pStmt;
        m_pStmt = nullptr;
        return FALSE;
    }
    for (size_t i = 0; i < params.size(); ++i)
        m_pStmt->Bind(static_cast<int>(i) + 1, params[i]);
    for (int c = 0; c < m_pStmt->ColumnCount(); ++c)
        m_columns.emplace(Lower(m_pStmt->ColumnName(c)), c);
    return TRUE;
}

int CKxSQLTableCtrl::TableNextRow()
{
    if (!m_pStmt)
        return 0;
    if (m_pConn != CProjectDatabase::GetConnection()) {
        // The project was closed or replaced under the cursor: it has no more rows.
        delete m_pStmt;
        m_pStmt = nullptr;
        m_bOnRow = false;
        return 0;
    }
    m_bOnRow = m_pStmt->Step() && m_pStmt->HasRow();
    if (!m_bOnRow) {
        // At the end the statement is released so that the read lock goes at once.
        delete m_pStmt;
        m_pStmt = nullptr;
    }
    return m_bOnRow ? 1 : 0;
}

int CKxSQLTableCtrl::Column(LPCTSTR pszField) const
{
    if (!m_bOnRow || !pszField)
        return -1;
    auto it = m_columns.find(Lower(pszField));
    return it == m_columns.end() ? -1 : it->second;
}

BOOL CKxSQLTableCtrl::GetAsInterger(LPCTSTR pszField, int& nValue) const
{
    int c = Column(pszField);
    if (c < 0)
        return FALSE;
    nValue = KxSql::LeadingInt(m_pStmt->Text(c));
    return TRUE;
}

BOOL CKxSQLTableCtrl::GetAsString(LPCTSTR pszField, CString& strValue) const
{
    int c = Column(pszField);
    if (c < 0)
        return FALSE;
    std::wstring v = m_pStmt->Text(c);
    strValue = CString(v.c_str(), static_cast<int>(v.size()));
    return TRUE;
}

BOOL CKxSQLTableCtrl::GetAsFloat(LPCTSTR pszField, double& dValue) const
{
    int c = Column(pszField);
    if (c < 0)
        return FALSE;
    dValue = KxSql::LeadingDouble(m_pStmt->Text(c));
    return TRUE;
}
