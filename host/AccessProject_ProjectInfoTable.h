// CAccessProject_ProjectInfoTable: the project parameters (table projectinfo), among them
// "ProjectName" (the project's name) and "GJJG" (the tree layout). A value set is readable
// back at once. Works on the current project (CProjectDatabase); without one reads give
// nothing and writes return FALSE.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CAccessProject_ProjectInfoTable
{
public:
    struct CFieldInfo
    {
        static constexpr LPCTSTR parmname = L"parmname";
        static constexpr LPCTSTR parmvalue = L"parmvalue";
    };

    CAccessProject_ProjectInfoTable();
    virtual ~CAccessProject_ProjectInfoTable();

    CString GetProjectName();
    BOOL SetProjectName(LPCTSTR pszName);
    // FALSE, and an empty value, when the key is not stored.
    BOOL GetProjectInfo_ParmValue(LPCTSTR pszKey, CString& strValue);
    BOOL SetProjectInfo_ParmValue(LPCTSTR pszKey, LPCTSTR pszValue);
};
