// CAccessProject_ComponentResultTable: the calculation results of components
// (table componentresult: resultid, comid, itemname, value).
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CAccessProject_ComponentResultTable
{
public:
    struct CFieldInfo
    {
        static constexpr LPCTSTR resultid = L"resultid";
        static constexpr LPCTSTR comid = L"comid";
        static constexpr LPCTSTR itemname = L"itemname";
        static constexpr LPCTSTR value = L"value";
    };

    CAccessProject_ComponentResultTable();
    virtual ~CAccessProject_ComponentResultTable();

    // Deletes every result row of the component; TRUE also when it had none.
    BOOL DelResult(int nComId);
    // Adds one result row; returns its id, 0 when it could not be written.
    int AddResult(int nComId, LPCTSTR pszItemName, double dValue);
    int GetResultCount(int nComId);
};
