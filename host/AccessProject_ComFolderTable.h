// CAccessProject_ComFolderTable: the component-folder rows of all floors (table comfolder).
//
// The table's twelve columns are declared once, in AccessProject_ComFolderTable.cpp, in this
// order: comfolderid (text, key), floorid (key), allowownercom, parentid (text, empty for a
// floor's top-level folders), foldername (text), imageindex, selectedindex, comtype,
// allowadduserfolder, initcreate, volume, showid. The dataset fields (DeclareFields), the
// dataset's SELECT and the table's CREATE statement are all made from that declaration.
// A dataset declares volume as an integer, as the folder layout says, and keeps the fraction
// written into it; the file stores it as REAL. FolderRow reads and writes one row.
#pragma once
#include <string>
#include <vector>
#include "afxwin.h"
#include "HostExport.h"

class CSQLDataSet;
class NDataModelDataSet;

class KXHOST_API CAccessProject_ComFolderTable
{
public:
    struct CFieldInfo
    {
        static constexpr LPCTSTR comfolderid = L"comfolderid";
        static constexpr LPCTSTR floorid = L"floorid";
        static constexpr LPCTSTR allowownercom = L"allowownercom";
        static constexpr LPCTSTR parentid = L"parentid";
        static constexpr LPCTSTR foldername = L"foldername";
        static constexpr LPCTSTR imageindex = L"imageindex";
        static constexpr LPCTSTR selectedindex = L"selectedindex";
        static constexpr LPCTSTR comtype = L"comtype";
        static constexpr LPCTSTR allowadduserfolder = L"allowadduserfolder";
        static constexpr LPCTSTR initcreate = L"initcreate";
        static constexpr LPCTSTR volume = L"volume";
        static constexpr LPCTSTR showid = L"showid";
    };
    static constexpr LPCTSTR TableName = L"comfolder";

    CAccessProject_ComFolderTable();
    virtual ~CAccessProject_ComFolderTable();

    // Every folder row in table order; the caller deletes it. Never NULL.
    CSQLDataSet* GetDataSet();
    // Reads the stored volume of folder (id text, floor id) into nVolume / dVolume (an integer
    // reading takes the whole part). FALSE, leaving the value alone, when there is no such row.
    BOOL GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId, int& nVolume);
    BOOL GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId, double& dVolume);

    // Declares the twelve fields, the key and the table name on a dataset; returns the field
    // count. nIdType and nParentType are the type codes of comfolderid and parentid: text in
    // the project's datasets, integer in the merged views that sort ids as numbers.
    static int DeclareFields(NDataModelDataSet* pDataSet, int nIdType, int nParentType);

    // The column names in table order, and the statement that creates the table: what the
    // project file must have and what a new project gets.
    static std::vector<std::wstring> GetColumnNames();
    static std::wstring GetCreateSql();
};
