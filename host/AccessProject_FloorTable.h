// CAccessProject_FloorTable: the project's floors (table floor) as a dataset.
//
// Fields: "id", "lcmc" (name), "showid" (display order), "createmode" (1: the floor's rule
// folders are still to be created), "floortype", "floorheight", "remark". The dataset also
// answers to "floorid", "floorname" and "ordernum" as other names of "id", "lcmc" and
// "showid". The key is "id"; DoSqlUpdate on the dataset writes the floor rows.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class CSQLDataSet;

class KXHOST_API CAccessProject_FloorTable
{
public:
    struct CFieldInfo
    {
        static constexpr LPCTSTR id = L"id";
        static constexpr LPCTSTR lcmc = L"lcmc";
        static constexpr LPCTSTR showid = L"showid";
        static constexpr LPCTSTR createmode = L"createmode";
        static constexpr LPCTSTR floortype = L"floortype";
        static constexpr LPCTSTR floorheight = L"floorheight";
        static constexpr LPCTSTR remark = L"remark";
        static constexpr LPCTSTR floorid = L"floorid";
        static constexpr LPCTSTR floorname = L"floorname";
        static constexpr LPCTSTR ordernum = L"ordernum";
    };

    CAccessProject_FloorTable();
    virtual ~CAccessProject_FloorTable();

    // Every floor row in table order; the caller deletes the dataset. Never NULL: with no
    // project or no floors the dataset has its fields and no rows.
    CSQLDataSet* GetDataSet();
    // The same, ordered by "showid", then "id".
    CSQLDataSet* GetSortDataSet();
    // A dataset with the floor fields and no rows.
    static CSQLDataSet* NewDataSet();

private:
    CSQLDataSet* Load(LPCTSTR pszOrder);
};
