// CAccessProject_ComFolderTable: the component-folder rows of all floors (table comfolder).
//
// The dataset's fields, in this order: comfolderid (text, key), floorid (key), allowownercom,
// parentid (text, empty for a floor's top-level folders), foldername (text), imageindex,
// selectedindex, comtype, allowadduserfolder, initcreate, volume, showid. volume is declared as
// an integer, as the folder layout says, and keeps the fraction written into it.
#pragma once
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

    CAccessProject_ComFolderTable();
    virtual ~CAccessProject_ComFolderTable();

    // Every folder row in table order; the caller deletes it. Never NULL.
    CSQLDataSet* GetDataSet();
    // Reads the stored volume of folder (id text, floor id) into nVolume / dVolume (an integer
    // reading takes the whole part). FALSE, leaving the value alone, when there is no such row.
    BOOL GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId, int& nVolume);
    BOOL GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId, double& dVolume);

    // Declares the twelve fields, the key and the table name on a dataset; returns the field
    // count. Shared by the project dataset and the host's other folder-shaped datasets.
    static int DeclareFields(NDataModelDataSet* pDataSet, int nIdType, int nParentType);
};
