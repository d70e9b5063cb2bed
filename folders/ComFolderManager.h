// The folder store of one component tree: the project's floor and component-folder datasets,
// the folder rules, the add list of not-shown rule folders, and the folder and component
// operations the editing commands use.
//
// Folder rows are keyed by (comfolderid, floorid). Rule folders carry the last two characters
// of their rule's NameId (below 100); user folders get ids from 100 up, unique over all floors.
// Folder-row changes reach the project file only at the commit points (DoSqlUpdate on the
// folder dataset): adding, copying, hiding and deleting a folder row, a folder's SetVolume, and
// the destructor. CreateFloorFolders and DeleteFloor leave their changes pending.
//
// The datasets and the add list are public: the tree control reads and writes their rows.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "ComTreeHost.h"
#include "folders/ComFolderRuleManager.h"
#include "folders/DataSet_ComFolder.h"
#include "folders/FolderArray.h"

class AFX_EXT_CLASS CComFolderManager
{
public:
    CComFolderManager();
    virtual ~CComFolderManager();

    // Floor set-up and lookups.
    void CreateFloorFolders(int nFloorId);
    int FindFolderRow(const CString& strFolderId, int nFloorId);
    int IsAllowOwnerCom(int nFloorId, const CString& strFolderId);
    int IsAllowAddUserFolder(int nFloorId, const CString& strFolderId);
    // Re-reads both tables; changes still pending in the old datasets are dropped.
    void ReLoad();

    // Folder rows.
    void BuildAddFolderList(int nFloorId, const CString& strParentId);
    void ClearAddList();
    CString AddUserFolderRow(int nFloorId, const CString& strParentId, int nComType);
    CString CopyUserFolderRow(int nSrcFloorId, int nDestFloorId, const CString& strSrcFolderId,
                              const CString& strNewParentId);
    void UncreateBaseFolder(int nFloorId, const CString& strFolderId);
    void DelUserFolderRow(int nFloorId, const CString& strFolderId);
    void DeleteFloor(int nFloorId);
    CDataSet_ComFolder* GetChildFolderRows(const CString& strParentId, int nFloorId);

    // Volumes: nNodeType is the tree item's kind; 3 is a component, anything else a folder.
    CString GetVolumeText(int nId, int nFloorId, int nNodeType);
    void SetVolume(int nId, int nFloorId, float fVolume, int nNodeType);

    // Components.
    int AddComponentRow(int nFloorId, const CString& strFolderId, int nComType);
    void DelComponentRows(int nComId);
    void DeleteComponents(CArray<int, int&>& arrComIds);
    CString GetComponentName(int nComId);
    void RenameComponent(int nComId, const CString& strName);
    void SetComSumVolume(int nComId, float fVolume);

    CObArray m_arrFolder; // owned CFolderArray entries (stored through a cast)
    CComFolderRuleManager m_RuleManager;
    CSQLDataSet* m_pComFolderDataSet; // owned; all floors
    CSQLDataSet* m_pFloorDataSet;     // owned

private:
    CString NextFolderId();
    // Shared walk of UncreateBaseFolder and DelUserFolderRow: sorted by floor, first match.
    int FindFolderRowByFloorOrder(int nFloorId, const CString& strFolderId);
    void ClearRules();
    CComFolderManager(const CComFolderManager&) = delete;
    CComFolderManager& operator=(const CComFolderManager&) = delete;
};
