// CProjectConnectTransaction: a scope whose project changes form one transaction.
//
// Scopes nest: only the outermost one opens and ends the SQLite transaction. When any
// statement inside failed (or Abort was called on any scope), the outermost scope rolls back
// everything done inside it when it ends; otherwise it commits. So a command's component
// writes land all or nothing. Without an open project the scope does nothing.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CProjectConnectTransaction
{
public:
    CProjectConnectTransaction();
    virtual ~CProjectConnectTransaction();

    // Dooms the transaction: the outermost scope will roll back.
    void Abort();
    // FALSE once a statement inside failed or Abort was called.
    BOOL IsGood() const;
    // Ends this scope now instead of at destruction; the result is what EndScope says
    // (for the outermost scope: TRUE when committed).
    BOOL End();

private:
    CProjectConnectTransaction(const CProjectConnectTransaction&) = delete;
    CProjectConnectTransaction& operator=(const CProjectConnectTransaction&) = delete;
    class CProjectConnection* m_pConn;
    BOOL m_bOpen;
};
