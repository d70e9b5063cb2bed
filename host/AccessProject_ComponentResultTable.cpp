#include "AccessProject_ComponentResultTable.h"
#include "ProjectDatabase.h"
#include "SqlStatement.h"

CAccessProject_ComponentResultTable::CAccessProject_ComponentResultTable() {}

CAccessProject_ComponentResultTable::~CAccessProject_ComponentResultTable() {}

BOOL CAccessProject_ComponentResultTable::DelResult(int nComId)
{
    CSqlStatement st(CProjectDatabase::GetConnection(),
                     L"DELETE FROM componentresult WHERE comid = ?1");
    st.BindInt(1, nComId);
    return st.Step() ? TRUE : FALSE;
}

int CAccessProject_ComponentResultTable::AddResult(int nComId, LPCTSTR pszItemName, double dValue)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    CSqlStatement st(pConn,
                     L"INSERT INTO componentresult (comid, itemname, value) VALUES (?1, ?2, ?3)");
    st.BindInt(1, nComId);
    st.Bind(2, pszItemName ? pszItemName : L"");
    st.BindDouble(3, dValue);
    return st.Step() ? static_cast<int>(pConn->LastInsertRowId()) : 0;
}

int CAccessProject_ComponentResultTable::GetResultCount(int nComId)
{
    CSqlStatement st(CProjectDatabase::GetConnection(),
                     L"SELECT count(*) FROM componentresult WHERE comid = ?1");
    st.BindInt(1, nComId);
    return st.Step() && st.HasRow() ? static_cast<int>(st.Int(0)) : 0;
}
