// Dialogs from templates: data exchange both ways with validation, modal runs driven to OK
// and Cancel (and Escape through the modal loop's PreTranslateMessage), modeless panels.
#include <gtest/gtest.h>
#include "afxwin.h"
#include "afxcmn.h"
#include "FwTestSupport.h"
#include "fwtest_ids.h"

namespace {

class CDataDlg : public CDialog
{
public:
    explicit CDataDlg(CWnd* pParent = NULL) : CDialog(IDD_FW_DATA, pParent) {}

    CString m_strName;
    int m_nCount = 0;
    CTreeCtrl m_tree;
    CButton m_check;
    int m_nInit = 0;
    BOOL m_bTreeBoundAtInit = FALSE;
    int m_nTreeEscapes = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_FW_TREE, m_tree);
        DDX_Control(pDX, IDC_FW_CHECK, m_check);
        DDX_Text(pDX, IDC_FW_NAME, m_strName);
        DDX_Text(pDX, IDC_FW_COUNT, m_nCount);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++m_nInit;
        m_bTreeBoundAtInit = m_tree.m_hWnd != NULL;
        m_tree.InsertItem(L"首层");
        CheckRadioButton(IDC_FW_RADIO1, IDC_FW_RADIO2, IDC_FW_RADIO1);
        return TRUE;
    }
};

void SetItemText(HWND dlg, int id, LPCWSTR text) { SetDlgItemTextW(dlg, id, text); }

} // namespace

TEST(DataExchange, RoundTripBothWaysAndRejectsBadNumbers)
{
    CNotifyRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder());
    CDataDlg dlg(&owner);
    dlg.m_strName = L"框架梁";
    dlg.m_nCount = 12;
    ASSERT_TRUE(dlg.Create(IDD_FW_DATA, &owner));
    EXPECT_EQ(1, dlg.m_nInit);
    EXPECT_TRUE(dlg.m_bTreeBoundAtInit) << "DDX_Control bound the tree before OnInitDialog went on";
    EXPECT_EQ(&dlg.m_tree, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_FW_TREE)));
    CString text;
    dlg.GetDlgItemText(IDC_FW_NAME, text);
    EXPECT_EQ(CString(L"框架梁"), text);
    dlg.GetDlgItemText(IDC_FW_COUNT, text);
    EXPECT_EQ(CString(L"12"), text);
    EXPECT_EQ((UINT)BST_CHECKED, dlg.IsDlgButtonChecked(IDC_FW_RADIO1));

    SetItemText(dlg.m_hWnd, IDC_FW_NAME, L"  柱 ");
    SetItemText(dlg.m_hWnd, IDC_FW_COUNT, L" -7 ");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(CString(L"  柱 "), dlg.m_strName) << "text is taken as typed";
    EXPECT_EQ(-7, dlg.m_nCount);

    dlg.m_nCount = 3;
    dlg.m_strName = L"梁";
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    dlg.GetDlgItemText(IDC_FW_COUNT, text);
    EXPECT_EQ(CString(L"3"), text);

    for (LPCWSTR bad : { L"1.5", L"12a", L"", L"99999999999" }) {
        SetItemText(dlg.m_hWnd, IDC_FW_NAME, L"新名字");
        SetItemText(dlg.m_hWnd, IDC_FW_COUNT, bad);
        auto box = DriveNextMessageBox(IDOK);
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << bad;
        EXPECT_TRUE(box->driver->Ran()) << bad;
        EXPECT_EQ(L"请输入一个整数。", box->text);
        EXPECT_EQ(3, dlg.m_nCount) << "member unchanged after a rejected value";
        EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_FW_COUNT), ::GetFocus()) << "focus on the bad field";
    }
    dlg.DestroyWindow();
    EXPECT_EQ(NULL, dlg.m_tree.m_hWnd);
    owner.DestroyWindow();
}

TEST(ModalDialog, DrivenToOkAndToCancel)
{
    CNotifyRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder());

    CDataDlg ok(&owner);
    ok.m_strName = L"旧";
    bool ownerDisabled = false;
    auto drive = DriveNextDialog([&](HWND dlg) {
        ownerDisabled = !::IsWindowEnabled(owner.m_hWnd);
        SetDlgItemTextW(dlg, IDC_FW_NAME, L"新构件");
        SetDlgItemTextW(dlg, IDC_FW_COUNT, L"5");
        ::SendMessageW(::GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDOK, ok.DoModal());
    EXPECT_TRUE(drive->Ran());
    EXPECT_TRUE(ownerDisabled) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "and enabled again afterwards";
    EXPECT_EQ(CString(L"新构件"), ok.m_strName);
    EXPECT_EQ(5, ok.m_nCount);
    EXPECT_EQ(NULL, ok.m_hWnd);

    CDataDlg cancel(&owner);
    cancel.m_strName = L"旧";
    drive = DriveNextDialog([](HWND dlg) {
        SetDlgItemTextW(dlg, IDC_FW_NAME, L"不要");
        ::SendMessageW(::GetDlgItem(dlg, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
    EXPECT_EQ(CString(L"旧"), cancel.m_strName) << "Cancel does not exchange data";

    // Escape typed into a field goes through the modal loop's PreTranslateMessage
    // (IsDialogMessage) and cancels; Enter presses the default button.
    CDataDlg esc(&owner);
    drive = DriveNextDialog([](HWND dlg) {
        HWND name = ::GetDlgItem(dlg, IDC_FW_NAME);
        ::SetFocus(name);
        ::PostMessageW(name, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(IDCANCEL, esc.DoModal());

    CDataDlg enter(&owner);
    drive = DriveNextDialog([](HWND dlg) {
        SetDlgItemTextW(dlg, IDC_FW_COUNT, L"8");
        HWND count = ::GetDlgItem(dlg, IDC_FW_COUNT);
        ::SetFocus(count);
        ::PostMessageW(count, WM_KEYDOWN, VK_RETURN, 1);
    });
    EXPECT_EQ(IDOK, enter.DoModal());
    EXPECT_EQ(8, enter.m_nCount);

    // A missing template fails cleanly.
    CDialog missing(4242, &owner);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    owner.DestroyWindow();
}

namespace {
class CEscTreeDlg : public CDataDlg
{
public:
    class CEscTree : public CTreeCtrl
    {
    public:
        int m_nEscapes = 0;
        BOOL PreTranslateMessage(MSG* pMsg) override
        {
            if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE
                && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
                ++m_nEscapes;
                return TRUE;
            }
            return FALSE;
        }
    } m_escTree;
    HWND m_hEdit = NULL;
    BOOL m_bEditAliveAtCancel = FALSE;

    explicit CEscTreeDlg(CWnd* p) : CDataDlg(p) {}

protected:
    BOOL OnInitDialog() override
    {
        CDataDlg::OnInitDialog();
        m_tree.UnsubclassWindow();
        m_escTree.SubclassDlgItem(IDC_FW_TREE, this);
        return TRUE;
    }
    void OnCancel() override
    {
        m_bEditAliveAtCancel = ::IsWindow(m_hEdit);
        CDataDlg::OnCancel();
    }
};
} // namespace

TEST(ModalDialog, TreeSwallowsEscapeOnceInsideTheModalLoop)
{
    CNotifyRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder());
    CEscTreeDlg dlg(&owner);
    auto drive = DriveNextDialog([&](HWND h) {
        CTreeCtrl& tree = dlg.m_escTree;
        tree.SetFocus();
        dlg.m_hEdit = tree.EditLabel(tree.GetRootItem())->GetSafeHwnd();
        // Queued in this order: the Escape is handled before the dialog is cancelled.
        ::PostMessageW(dlg.m_hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    ASSERT_TRUE(drive->Ran());
    EXPECT_NE(nullptr, dlg.m_hEdit);
    EXPECT_TRUE(dlg.m_bEditAliveAtCancel) << "the edit box never saw the Escape";
    EXPECT_EQ(1, dlg.m_escTree.m_nEscapes) << "offered exactly once: our loop relies on the hook";
    owner.DestroyWindow();
}

TEST(ModelessDialog, ChildPanelKeepsEnterFromClosingIt)
{
    CNotifyRecorder host;
    ASSERT_TRUE(host.CreateRecorder());
    CDataDlg panel;
    ASSERT_TRUE(panel.Create(IDD_FW_DATA, &host));
    EXPECT_TRUE(::IsWindow(panel.m_hWnd));
    panel.ShowWindow(SW_SHOW);
    // Enter in a field runs OnOK: data exchange succeeds, the modeless dialog is hidden
    // (EndDialog), not destroyed.
    SetDlgItemTextW(panel.m_hWnd, IDC_FW_COUNT, L"41");
    HWND count = ::GetDlgItem(panel.m_hWnd, IDC_FW_COUNT);
    ::SetFocus(count);
    PostKey(count, VK_RETURN);
    EXPECT_EQ(41, panel.m_nCount);
    EXPECT_TRUE(::IsWindow(panel.m_hWnd));
    panel.DestroyWindow();
    host.DestroyWindow();
}
