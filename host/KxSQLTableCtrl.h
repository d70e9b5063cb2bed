// CKxSQLTableCtrl: a forward cursor over the rows of one query on the open project.
//
//   CKxSQLTableCtrl* pCtrl = NULL;
//   if (table.GetAllRow_TableCtrl(pCtrl)) {
//       while (pCtrl->TableNextRow()) { pCtrl->GetAsInterger(L"id", nId); ... }
//       delete pCtrl;
//   }
//
// TableNextRow moves to the next row (the first call to the first row) and returns 1, or 0
// at the end. Reads take the field by name (any case) and return FALSE, leaving the value
// alone, for an unknown field or when no row is current.
#pragma once
#include <string>
#include <unordered_map>
#include <vector>
#include "afxwin.h"
#include "HostExport.h"

class CSqlStatement;

class KXHOST_API CKxSQLTableCtrl
{
public:
    CKxSQLTableCtrl();
    virtual ~CKxSQLTableCtrl();

    // Runs the query with its values bound; FALSE when no project is open or it fails.
    BOOL Open(LPCTSTR pszSelect, const std::vector<std::wstring>& params);

    int TableNextRow();
    BOOL GetAsInterger(LPCTSTR pszField, int& nValue) const;
    BOOL GetAsString(LPCTSTR pszField, CString& strValue) const;
    BOOL GetAsFloat(LPCTSTR pszField, double& dValue) const;

private:
    CKxSQLTableCtrl(const CKxSQLTableCtrl&) = delete;
    CKxSQLTableCtrl& operator=(const CKxSQLTableCtrl&) = delete;
    int Column(LPCTSTR pszField) const;

    CSqlStatement* m_pStmt;
    class CProjectConnection* m_pConn; // the project the query runs on
    std::unordered_map<std::wstring, int> m_columns;
    bool m_bOnRow;
};
