// CDlg_ComTree: the component tree panel the host docks into its main window.
//
// Creation sequence (what a host does):
//   CDlg_ComTree* pPanel = new CDlg_ComTree(pHostWnd);   // pHostWnd receives WM_COMTREE_...
//   pPanel->Create(IDD_DLG_COMTREE, pHostWnd);            // builds the tree once, by floor
//   pPanel->InitTree(strProjectName);                     // the layout stored in the project
//   ... the host moves the panel; OnSize lays the controls out ...
//   pPanel->m_treeCtrl.FreeAllData();                     // before the panel goes away
//   pPanel->DestroyWindow();
//
// The layout is the project parameter "GJJG", whose values are the radio texts themselves.
// The quantity field shows the selected component's or user folder's count; every change of
// its text that passes the checks is applied by the tree (OnChangeEditNum), which also tells
// the host of the selected item with WM_COMTREE_COUNTAPPLIED. The panel sends nothing by itself.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "ComTreeHost.h"
#include "tree/ComTreeHostSite.h"
#include "tree/CompoentsTreeCtrl.h"

class AFX_EXT_CLASS CDlg_ComTree : public CDialog_Common, public CComTreeHostSite
{
public:
    CDlg_ComTree(CWnd* pParent = NULL);
    virtual ~CDlg_ComTree();

    using CDialog_Common::Create;
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    void InitTree(CString strProjectName);
    int ReBuildTree();

    CString GetSelTreeNodeName();
    CString GetSelTreeNodeNum();

    // Drag hooks a host may call; the tree is not dragged (it sends no begin-drag).
    void OnDrag();
    void OnDragMove(POINT point);
    void OnDragRelease(POINT point, HTREEITEM hItem);

    // CComTreeHostSite: what the tree control asks of the panel.
    BOOL IsByFloor() override;
    CString GetCountText() override;
    void SetCountText(LPCTSTR pszText) override;
    CWnd* GetHostWindow() override;

    int m_bByFloor;     // 1 by floor, 0 by component
    int m_bLayoutReady; // OnSize lays out only after OnInitDialog
    CStatic m_staticNum;
    CEdit m_editNum;
    CButton m_radioByFloor;
    CButton m_radioByComponent;
    CStatic m_staticGroup;
    CCompoentsTreeCtrl m_treeCtrl;

    afx_msg void OnRadioByfloor();
    afx_msg void OnRadioBycomponent();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog();
    virtual void OnOK();

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnChangeEditNum();
    afx_msg void OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnKeydownTree(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void StoreLayout(LPCTSTR pszLayout, int nByFloor);
    void RejectCount(LPCTSTR pszMessage);

    CDlg_ComTree(const CDlg_ComTree&) = delete;
    CDlg_ComTree& operator=(const CDlg_ComTree&) = delete;
};
