#include "ProjectConnectTransaction.h"
#include "ProjectConnection.h"
#include "ProjectDatabase.h"

CProjectConnectTransaction::CProjectConnectTransaction()
    : m_pConn(CProjectDatabase::GetConnection()), m_bOpen(FALSE)
{
    if (m_pConn) {
        m_pConn->BeginScope();
        m_bOpen = TRUE;
    }
}

CProjectConnectTransaction::~CProjectConnectTransaction() { End(); }

void CProjectConnectTransaction::Abort()
{
    if (m_bOpen && m_pConn)
        m_pConn->MarkFailed();
}

BOOL CProjectConnectTransaction::IsGood() const
{
    return m_bOpen && m_pConn && !m_pConn->ScopeFailed();
}

BOOL CProjectConnectTransaction::End()
{
    if (!m_bOpen)
        return FALSE;
    m_bOpen = FALSE;
    // The project may have been closed while the scope was open; then there is nothing to end.
    if (m_pConn != CProjectDatabase::GetConnection())
        return FALSE;
    return m_pConn->EndScope();
}
