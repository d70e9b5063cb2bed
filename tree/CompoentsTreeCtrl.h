// CCompoentsTreeCtrl: the component tree of a project.
//
// Creation sequence (as the panel does it):
//   the control comes from the panel's dialog template (or Create), and its constructor has
//   already opened the folder store (floor and folder datasets);
//   InitTree(projectName, byFloor) builds everything: project item, merged folder view,
//   floors, folders, components, each item with a CParamProp record as its data;
//   InitTree may run again at any time (every change of layout does);
//   FreeAllData releases items and records before the control goes away: the destructor
//   does not walk the tree.
//
// Layouts. By floor: project / floors in display order / top-level folders / components of
// a folder first, then its child folders. By component: project / category folders of
// floor 0 (ids 10, 20, ... 90) / floors (only the first under the foundation category 50) /
// the folders of that floor under the category / as by floor below them.
//
// Records belong to their items. Whoever removes an item releases its record first
// (FreeTree); no handle of a removed item is used again.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"

#include "multiselect/TreeCtrlEx.h"
#include "tree/ComTreeMessages.h"
#include "tree/ParamProp.h"
#include "tree/TreeCopyInfo.h"

class CComFolderManager;
class CComponentRowIndex;
class CComTreeHostSite;
class CProject_ComFolderTable;
class NDataModelDataSet;
struct FolderRow;

class AFX_EXT_CLASS CCompoentsTreeCtrl : public CTreeCtrlEx
{
public:
    CCompoentsTreeCtrl();
    virtual ~CCompoentsTreeCtrl();

    // Building and releasing.
    int InitTree(CString strProjectName, int nByFloor);
    HTREEITEM InsertItem(HTREEITEM hParent, CString strText, DWORD_PTR dwData, int nImage,
                         int nSelectedImage);
    void InitAllTreeData();
    void FreeTree(HTREEITEM hItem);
    void FreeAllData();

    // Display order of the components, renumbered; both rebuild the tree by floor.
    void ReListTreeNode(CString strProjectName);
    void ReListTreeNode_ComID(CString strProjectName);

    // Queries about the selection and the components below an item.
    int GetChildItemInfo(CDWordArray& arrIds, CStringArray& arrNames, CDWordArray& arrTypes);
    void GetTreeNodeInfo(HTREEITEM hStart, CDWordArray& arrIds, CStringArray& arrNames,
                         CDWordArray& arrTypes);
    void GetTreeComponentArray(HTREEITEM hStart, CStringArray& arrIds);
    CString GetTreeNodeName();
    void SetComName(int nUnused, CString strName);
    void InitSelItem();
    void DelFloor(int nFloorId);

    // Applies the panel's same-component count to the selected component or user folder and
    // tells the host of the selected item (WM_COMTREE_COUNTAPPLIED), whatever its kind.
    void OnChangeEditNum();

    // The host marks that it has just added a component; a double-click clears the mark.
    void SetNewAdd(int nNewAdd) { m_nNewAdd = nNewAdd; }
    int IsNewAdd() const { return m_nNewAdd; }

    // The record of an item; NULL for no item or an item without one.
    CParamProp* GetItemProp(HTREEITEM hItem);

    // The panel that holds the tree (see ComTreeHostSite.h). Without one set, the parent
    // window is asked whether it implements the interface.
    void SetHostSite(CComTreeHostSite* pSite) { m_pHostSite = pSite; }
    CComTreeHostSite* GetHostSite();

    // Fields read and written by the editing commands, the panel and the host.
    int m_bMovePending; // the host asks to re-file m_nMoveComId
    int m_nMoveComId;
    CArray<HTREEITEM, HTREEITEM> m_arrOpItems;  // items of a multi-item operation
    CArray<HTREEITEM, HTREEITEM> m_arrSelItems; // the selected components (InitSelItem)
    int m_bTreeReady;                           // 1 while a built tree stands
    CMenu m_menu;                               // the context menu, rebuilt per right click
    CTreeCopyInfo CopyInfo;                     // the control's own clipboard record
    HTREEITEM cutItem;                          // the item last cut, for the paste that follows
    CImageList m_imageList;                     // the 13 icons
    CComFolderManager* m_pFolderManager;        // owned folder store
    HTREEITEM m_hFirstItem;                     // first child of the project item
    CString m_strComName;                       // pending name of a component being added
    int m_nNewAdd;
    CString m_strEditLabel;                 // "*count" suffix of the label edited in place
    int m_nFolderRowCursor;                 // next merged-view row the population scans
    CProject_ComFolderTable* m_pFolderView; // owned merged folder view

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    void InitTreeFolderDataSet(NDataModelDataSet* pFloors, NDataModelDataSet* pFolders);

    // Population of the full build, from the merged folder view and component queries.
    void InsertItemByFloor(HTREEITEM hParent, CString strCategoryId);
    void InsertItemByComFolder(HTREEITEM hProjectItem);
    void InsertItemByComFolder(HTREEITEM hParent, int nFloorShowId, CString strParentId);
    void InsertItemByOwnerCom(HTREEITEM hFolderItem, int nFloorId, CString strFolderId);

    // Population of one newly added floor, from the folder dataset and table scans.
    int InitFloor(int nFloorId, HTREEITEM hFloorItem);
    BOOL IsFolderOnBranch(HTREEITEM hItem, const CString& strId);
    int CreateChildItem(int nFloorId, NDataModelDataSet* pFolders, CString strParentId,
                        HTREEITEM hParentItem);
    void InitOwnerCom(int nFloorId, CString strFolderId, HTREEITEM hFolderItem);

    // Inserts the item of a folder row, with its record, as the last child of hParent: the
    // row's floor, id, name, type and images. The callers read the count differently and pass
    // it in: fVolume for the record and its text for the label of a user folder (id above
    // 99: "name*count"); other folders show their name alone.
    HTREEITEM InsertFolderRowItem(HTREEITEM hParent, const FolderRow& row, float fVolume,
                                  const CString& strVolumeText);

    // Totals of components through their enclosing user folders, stored in the project.
    void ReSumNodeVolume(HTREEITEM hStart);
    void ReSumTreeNodeVolumeValue(HTREEITEM hItem);

    CComTreeHostSite* m_pHostSite;
    CComponentRowIndex* m_pBuildIndex; // the component rows, during a full build only

public:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSetfocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnKillfocus(NMHDR* pNMHDR, LRESULT* pResult);

    // The editing commands. Their bodies live in edit/, one file per family; each family
    // declares its members in its own group below and adds its entries to the message map.

    // Menus (edit/TreeMenus.cpp). GetPopupMenu builds one item's context menu into m_menu;
    // fromClick 1 for a right click, 0 for GetMenu, which leaves out what would be grayed
    // and never offers own components. GetMenu builds the caret item's menu for the host,
    // who delivers its commands to this control; NULL while no tree stands or nothing is
    // selected. ReMoveCopyInfo empties the clipboard record.
    void GetPopupMenu(int nFloorId, CString strFolderId, CParamProp::TreeNodeType nNodeType,
                      int fromClick);
    CMenu* GetMenu();
    void ReMoveCopyInfo();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);

    // Adding (edit/TreeAdd.cpp). Each command adds under the caret item: the row first, then
    // the one new item with its record. OnAddFloor appends a floor with its rule folders, and
    // OnAddPopupMenuClick shows the add list's folder (both leave the folder store's datasets
    // for the host to commit). AddCom asks the wizard for a type, stores the component, asks
    // the host (WM_COMTREE_NEWCOMPONENT: -1 rejects, SetComName names) and names it by
    // GetNewTreeNodeName unless the host did; OnUserComponent adds the category's custom
    // component. GetNewTreeNodeName: the type's prefix and the count of such components on
    // the floor ("KL-3").
    afx_msg void OnAddFloor();
    afx_msg void OnAddPopupMenuClick(UINT nID);
    afx_msg void OnAddUserFold();
    afx_msg void OnOwnerCom();
    afx_msg void OnUserComponent();
    void AddCom();
    CString GetNewTreeNodeName(int nFloorId, int nComType);

    // Renaming (edit/TreeRename.cpp). A floor, folder or component gets a new name through
    // the rename dialog (OnReName), in place (the label-edit notifications; the editor shows
    // the name without the label's "*count" or floor mark, kept in m_strEditLabel), or from
    // the host: ChangeSelectedItemName renames the selected component and is a no-op on
    // anything else or for an empty name or one holding "*". KillEditBox closes an open
    // label editor. Escape in the tree or its editor cancels the edit (PreTranslateMessage).
    afx_msg void OnReName();
    afx_msg void OnBeginlabeledit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnEndlabeledit(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void ChangeSelectedItemName(CString strName);
    void KillEditBox();
    // Set when Escape cancelled the open edit: Wine's tree then reports the typed text as
    // well, when the hidden editor loses the focus, and that report must be ignored.
    int m_bLabelEditCancelled = 0;

    // Delete, cut, copy, paste, quick copy, modify (edit/TreeClipboard.cpp). DelChildItem
    // deletes an item, everything below it and their rows; PasteChildItem pastes the source
    // recorded in CopyInfo under an item, a folder with everything in it. Each runs as one
    // transaction of the project file (or inside the caller's): when a statement fails the
    // file keeps what it had, the tree is rebuilt from it and the user sees the error.
    void DelChildItem(HTREEITEM hItem);
    void PasteChildItem(HTREEITEM hTarget);
    afx_msg void OnDel();
    afx_msg void OnCut();
    afx_msg void OnCopy();
    afx_msg void OnPaste();
    afx_msg void OnQuickCopy();
    afx_msg void OnModifyCom();
    afx_msg void OnModifyBatch();

protected:
    // The item that received the paste (new, or the rule folder merged into); NULL when
    // nothing was pasted because the source's rows are gone or the target cannot take it.
    HTREEITEM PasteSourceUnder(HTREEITEM hTarget);
    // DelChildItem's walk: a folder's content first, each item's record, item and rows.
    void DeleteBranch(HTREEITEM hItem);
    // Why the recorded source cannot go under hTarget (a box text), or NULL.
    LPCTSTR PasteRefusal(HTREEITEM hTarget);
    // Records the item as the single source of a cut or copy (kind, floor, id, parent).
    void RecordSource(HTREEITEM hSource);
    // The item of the recorded source in the tree as it stands now (a rebuild since the cut
    // gave it a new handle); NULL when it is not in the tree.
    HTREEITEM FindSourceItem(int nKind, int nFloorId, const CString& strId);
    // Ends a command's transaction; FALSE when it rolled back (tree rebuilt, error shown).
    BOOL EndCommand(class CProjectConnectTransaction& transaction);

public:
    // Multi-node operations and the double-click (edit/TreeMultiNode.cpp). A multi-node copy
    // or cut only marks the selected components (m_arrOpItems); the paste writes every row in
    // one transaction and changes the tree only when it committed, and so does the delete. A
    // pending item that is removed before the paste drops out of it (OnItemRemoved).
    // IsInTheSameLevel: 1 when nothing is collected, else whether hItem's parent and the
    // caret's parent are the same folder (floor and id). SetItems_State re-marks the collected
    // selection. MoveNode files component m_nMoveComId, whose row the host has just changed,
    // under the folder its row names, when that folder sits beside the current one.
    afx_msg void OnMCopy();
    afx_msg void OnMCut();
    afx_msg void OnMPaste();
    afx_msg void OnMDel();
    int IsInTheSameLevel(HTREEITEM hItem);
    void SetItems_State();
    void MoveNode();

protected:
    // Pastes a pending multi-node copy or cut; 1 when it did.
    int DoMPaste();

public:
    DECLARE_MESSAGE_MAP()

protected:
    // A removed item leaves every handle the control keeps: the clipboard's cut item and
    // source parent, the pending multi-node items, the collected selection, the first item.
    void OnItemRemoved(HTREEITEM hItem) override;

private:
    void LoadImageList();
    void ReleaseAllItems();
    void ReleaseRecords(HTREEITEM hItem);
    // After the whole tree went: the kept handles (selection, operation items, clipboard
    // source) name removed items and are dropped.
    void ForgetItemHandles();
    HTREEITEM InsertComponentItem(HTREEITEM hParent, int nFloorId, int nId, const CString& strName,
                                  int nComType, float fVolume, const CString& strVolumeText);

    // Visits the components met by the subtree walk from hStart: hStart, everything below
    // it and every later sibling with everything below them; from NULL, the whole tree.
    template <class F>
    void WalkComponents(HTREEITEM hStart, F fnVisit);

    CCompoentsTreeCtrl(const CCompoentsTreeCtrl&) = delete;
    CCompoentsTreeCtrl& operator=(const CCompoentsTreeCtrl&) = delete;
};
