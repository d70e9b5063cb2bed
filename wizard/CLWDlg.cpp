#include "wizard/CLWDlg.h"
#include "ComTreeHost.h"

BEGIN_MESSAGE_MAP(CCLWDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_NOTIFY(NM_DBLCLK, IDC_WIZARD_LIST, OnDblclkList)
END_MESSAGE_MAP()

CCLWDlg::CCLWDlg(CWnd* pParent) : CDialog(CCLWDlg::IDD, pParent), m_nResult(0)
{
    m_hIcon = CSoftShowPicInfoOpr::GetSoftLogIcon(AfxGetInstanceHandle());
}

void CCLWDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZARD_LIST, m_rightList);
    DDX_Control(pDX, IDC_WIZARD_TREE, m_leftTree);
    DDX_Text(pDX, IDC_WIZARD_MESSAGE, m_strMessage);
}

BOOL CCLWDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    // Read afresh at every opening; a missing or broken text leaves the tree with its root.
    m_ruleManager.LoadRule(CGJ_GridFaceManager::Instance()->GetGridFace(L"CreateComTREE"));
    m_rightList.InitList();
    m_leftTree.FillTree();

    m_rightList.SetFocus();
    UpdateData(FALSE);
    return TRUE;
}

void CCLWDlg::OnOK()
{
    POSITION pos = m_rightList.GetFirstSelectedItemPosition();
    if (!pos) {
        UIFunction::KxMessageBox(L"请选择构件类型\n", L"", 0);
        return;
    }
    m_nResult = (UINT_PTR)m_rightList.GetItemData(m_rightList.GetNextSelectedItem(pos));
    EndDialog(IDOK);
}

void CCLWDlg::OnDblclkList(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    OnOK();
}

void CCLWDlg::OnSysCommand(UINT nID, LPARAM lParam) { CDialog::OnSysCommand(nID, lParam); }

// A minimised dialog shows the product icon in place of its client area.
void CCLWDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    CRect rect;
    GetClientRect(&rect);
    int x = (rect.Width() - cxIcon + 1) / 2;
    int y = (rect.Height() - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CCLWDlg::OnQueryDragIcon() { return (HCURSOR)m_hIcon; }
