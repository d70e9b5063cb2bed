#include "AccessProject_ProjectInfoTable.h"
#include "ProjectDatabase.h"
#include "SqlStatement.h"

CAccessProject_ProjectInfoTable::CAccessProject_ProjectInfoTable() {}

CAccessProject_ProjectInfoTable::~CAccessProject_ProjectInfoTable() {}

CString CAccessProject_ProjectInfoTable::GetProjectName()
{
    CString name;
    GetProjectInfo_ParmValue(L"ProjectName", name);
    return name;
}

BOOL CAccessProject_ProjectInfoTable::SetProjectName(LPCTSTR pszName)
{
    return SetProjectInfo_ParmValue(L"ProjectName", pszName);
}

BOOL CAccessProject_ProjectInfoTable::GetProjectInfo_ParmValue(LPCTSTR pszKey, CString& strValue)
{
    strValue.Empty();
    CSqlStatement st(CProjectDatabase::GetConnection(),
                     L"SELECT parmvalue FROM projectinfo WHERE parmname = ?1");
    st.Bind(1, pszKey ? pszKey : L"");
    if (!st.Step() || !st.HasRow())
        return FALSE;
    std::wstring v = st.Text(0);
    strValue = CString(v.c_str(), static_cast<int>(v.size()));
    return TRUE;
}

BOOL CAccessProject_ProjectInfoTable::SetProjectInfo_ParmValue(LPCTSTR pszKey, LPCTSTR pszValue)
{
    if (!pszKey || !*pszKey)
        return FALSE;
    CSqlStatement st(CProjectDatabase::GetConnection(),
                     L"INSERT INTO projectinfo (parmname, parmvalue) VALUES (?1, ?2) "
                     L"ON CONFLICT (parmname) DO UPDATE SET parmvalue = excluded.parmvalue");
    st.Bind(1, pszKey);
    st.Bind(2, pszValue ? pszValue : L"");
    return st.Step() ? TRUE : FALSE;
}
