// The new-component wizard dialog (template 102): classes on the left, the types of the
// chosen class as pictures on the right, the chosen type's help text below them.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "wizard/LeftTreeCtrl.h"
#include "wizard/RightListCtrl.h"
#include "wizard/CreateComFolderRuleManager.h"
#include "resources/resource.h"

class AFX_EXT_CLASS CCLWDlg : public CDialog
{
public:
    enum
    {
        IDD = IDD_CLW_DIALOG
    };

    explicit CCLWDlg(CWnd* pParent = NULL);

    void SetInitComType(CString strInitComType) { m_strInitComType = strInitComType; }

    CRightListCtrl m_rightList;
    CLeftTreeCtrl m_leftTree;
    CString m_strMessage;
    CString m_strInitComType;
    UINT_PTR m_nResult;
    CCreateComFolderRuleManager m_ruleManager;

protected:
    HICON m_hIcon;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
