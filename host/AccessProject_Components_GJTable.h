// CAccessProject_Components_GJTable: the project's components (table component).
//
// Fields of its datasets: "id" (key), "floorid", "folderid" (the comfolderid of the folder
// that holds it), "comname", "comtype", "volume" (count of identical units), "showid" (order
// within its folder), "sumvolume" (the count times the counts of the enclosing user folders).
//
// Component ids are never given twice in a project, even after deletions. Every operation
// works on the current project (CProjectDatabase); operations on an id that has no row change
// nothing and return 0 / FALSE / an empty text.
#pragma once
#include "afxtempl.h"
#include "HostExport.h"

class CSQLDataSet;
class CKxSQLTableCtrl;

class KXHOST_API CAccessProject_Components_GJTable
{
public:
    struct CFieldInfo
    {
        static constexpr LPCTSTR id = L"id";
        static constexpr LPCTSTR floorid = L"floorid";
        static constexpr LPCTSTR folderid = L"folderid";
        static constexpr LPCTSTR comname = L"comname";
        static constexpr LPCTSTR comtype = L"comtype";
        static constexpr LPCTSTR volume = L"volume";
        static constexpr LPCTSTR showid = L"showid";
        static constexpr LPCTSTR sumvolume = L"sumvolume";
    };

    CAccessProject_Components_GJTable();
    virtual ~CAccessProject_Components_GJTable();

    // Adds a component to folder (floor id, folder id) and returns its new id (0 when no
    // project is open or the write failed). The two trailing arguments:
    //   dVolume    its count of identical units (the module passes 1);
    //   bListLast  1: listed after the existing components of the folder (showid one above
    //              their highest); 0: listed before them (one below their lowest).
    int Insert(int nFloorId, LPCTSTR pszFolderId, LPCTSTR pszName, int nComType,
               double dVolume = 1.0, int bListLast = 1);

    // All rows in id order; never NULL. The caller deletes the dataset.
    CSQLDataSet* GetDataSet();
    // The rows where each listed field equals its value (parallel lists, compared as the
    // column's type: "3" finds floor 3). A field that is not a component column, or lists of
    // different lengths, give an empty dataset. Never NULL.
    CSQLDataSet* GetDataSet(const CStringArray& arrFields, const CStringArray& arrValues);
    // The component's row, or NULL when there is none.
    CSQLDataSet* GetDataSet(int nComId);
    // A cursor over all rows in id order (1), or 0 with pCtrl NULL when none can be had.
    // The caller deletes the cursor.
    int GetAllRow_TableCtrl(CKxSQLTableCtrl*& pCtrl);

    // Copies a component, with its calculation set-up, into folder (floor, folder id), listed
    // last there; returns the new id, 0 when the source does not exist.
    int CopyOneRow(int nComId, int nFloorId, CString strFolderId);
    // Moves a component into folder (floor, folder id), keeping its id; it is listed last
    // there. FALSE when the component does not exist.
    BOOL ModifyOneRow(int nComId, int nFloorId, const CString& strFolderId);

    CString GetComName(int nComId);
    BOOL SetComName(int nComId, LPCTSTR pszName);
    // The count as text in its shortest form ("1", "2.5"); empty when there is no such row.
    CString GetComVolume(int nComId);
    BOOL SetComVolume(int nComId, float fVolume);
    BOOL SetComSumVolume(int nComId, float fSumVolume);
    BOOL SetShowID(int nComId, int nShowId);

    // Deletes a component with its calculation set-up; its result rows stay (see
    // CAccessProject_ComponentResultTable::DelResult).
    BOOL DelOwnCom(int nComId);
    // Deletes every component of a floor, with their set-up and result rows.
    BOOL DelOneFloor(int nFloorId);

    static CSQLDataSet* NewDataSet();
};
