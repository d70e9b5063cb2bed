// Message routing with real windows: handler signatures and default processing, reflection
// of notifications to the control (and the _EX variant letting the parent see them),
// command routing from popup menus including an id range, and PreTranslateMessage in a
// message loop that is not ours.
#include <gtest/gtest.h>
#include "afxwin.h"
#include "afxcmn.h"
#include "FwTestSupport.h"

namespace {

class CRoutedTree : public CTreeCtrl
{
public:
    BOOL m_bStopSelChanged = TRUE;
    int m_nSelChanged = 0;
    int m_nLButtonDown = 0;
    UINT m_nDownFlags = 0;
    CPoint m_ptDown;
    UINT m_nKey = 0;
    UINT_PTR m_nTimer = 0;
    std::vector<UINT> m_commands;
    int m_nRangeCommand = 0;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        ++m_nLButtonDown;
        m_nDownFlags = nFlags;
        m_ptDown = point;
        CTreeCtrl::OnLButtonDown(nFlags, point); // the tree selects the item
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_nKey = nChar;
        CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_nTimer = nIDEvent;
        KillTimer(nIDEvent);
    }
    afx_msg BOOL OnSelchanged(NMHDR*, LRESULT* pResult)
    {
        ++m_nSelChanged;
        *pResult = 0;
        return m_bStopSelChanged;
    }
    BOOL m_bVetoEdit = FALSE;
    int m_nBeginEdit = 0;
    afx_msg void OnBeginlabeledit(NMHDR*, LRESULT* pResult)
    {
        ++m_nBeginEdit;
        *pResult = m_bVetoEdit; // goes back to the control as the notification's result
    }
    afx_msg void OnDelete() { m_commands.push_back(32816); }
    afx_msg void OnRename() { m_commands.push_back(32917); }
    afx_msg void OnAddPopupMenuClick(UINT nID) { m_nRangeCommand = (int)nID; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRoutedTree, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_KEYDOWN()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, &CRoutedTree::OnSelchanged)
    ON_NOTIFY_REFLECT(TVN_BEGINLABELEDITW, &CRoutedTree::OnBeginlabeledit)
    ON_COMMAND(32816, &CRoutedTree::OnDelete)
    ON_COMMAND(32917, &CRoutedTree::OnRename)
    ON_COMMAND_RANGE(34775, 34785, &CRoutedTree::OnAddPopupMenuClick)
END_MESSAGE_MAP()

// A parent with its own map: notifications by id, control notifications, messages.
class CHostWnd : public CWnd
{
public:
    int m_nSelChanged = 0;
    int m_nEditChange = 0;
    int m_nClicked = 0;
    int m_nSize = 0;
    CSize m_size;
    LPARAM m_lUserParam = 0;
    int m_nCreate = 0;
    BOOL m_bFailCreate = FALSE;

    afx_msg void OnSelchangedTree(NMHDR*, LRESULT* pResult)
    {
        ++m_nSelChanged;
        *pResult = 0;
    }
    afx_msg void OnChangeEdit() { ++m_nEditChange; }
    afx_msg void OnClicked() { ++m_nClicked; }
    afx_msg void OnSize(UINT nType, int cx, int cy)
    {
        CWnd::OnSize(nType, cx, cy);
        ++m_nSize;
        m_size = CSize(cx, cy);
    }
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM lParam)
    {
        m_lUserParam = lParam;
        return (LRESULT)wParam * 2;
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_nCreate;
        if (CWnd::OnCreate(lpcs) == -1 || m_bFailCreate)
            return -1;
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHostWnd, CWnd)
    ON_NOTIFY(TVN_SELCHANGED, 1000, &CHostWnd::OnSelchangedTree)
    ON_EN_CHANGE(1001, &CHostWnd::OnChangeEdit)
    ON_BN_CLICKED(1002, &CHostWnd::OnClicked)
    ON_WM_SIZE()
    ON_WM_CREATE()
    ON_MESSAGE(WM_USER + 101, &CHostWnd::OnUser)
END_MESSAGE_MAP()

struct Fixture
{
    CHostWnd host;
    CRoutedTree tree;
    HTREEITEM root = NULL, a = NULL, b = NULL;

    Fixture()
    {
        EXPECT_TRUE(host.CreateEx(0, NULL, L"宿主", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                  400, NULL, NULL));
        EXPECT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES
                                    | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                CRect(0, 0, 300, 300), &host, 1000));
        root = tree.InsertItem(L"工程");
        a = tree.InsertItem(L"首层", root);
        b = tree.InsertItem(L"第2层", root);
        tree.Expand(root, TVE_EXPAND);
        PumpUntilIdle();
    }
};

} // namespace

TEST(MessageRouting, ReflectedNotificationStopsAtControlOrReachesParent)
{
    Fixture f;
    f.tree.m_bStopSelChanged = TRUE;
    ASSERT_TRUE(f.tree.SelectItem(f.a));
    EXPECT_EQ(1, f.tree.m_nSelChanged);
    EXPECT_EQ(0, f.host.m_nSelChanged) << "handler returned TRUE: the parent must not see it";

    f.tree.m_bStopSelChanged = FALSE;
    ASSERT_TRUE(f.tree.SelectItem(f.b));
    EXPECT_EQ(2, f.tree.m_nSelChanged);
    EXPECT_EQ(1, f.host.m_nSelChanged) << "handler returned FALSE: the parent's ON_NOTIFY runs";

    // ON_NOTIFY_REFLECT's result is the notification's result: label editing is vetoed.
    f.tree.ModifyStyle(0, TVS_EDITLABELS);
    f.tree.SetFocus();
    f.tree.m_bVetoEdit = TRUE;
    EXPECT_EQ(nullptr, f.tree.EditLabel(f.a));
    EXPECT_EQ(1, f.tree.m_nBeginEdit);
    f.tree.m_bVetoEdit = FALSE;
    EXPECT_NE(nullptr, f.tree.EditLabel(f.a));
    EXPECT_EQ(2, f.tree.m_nBeginEdit);
    f.tree.EndEditLabelNow(TRUE);
}

TEST(MessageRouting, HandlersGetMfcArgumentsAndDefaultProcessing)
{
    Fixture f;
    POINT pt = TreeItemPoint(f.tree, f.b);
    ASSERT_GE(pt.x, 0);
    ClickTreeItem(f.tree, f.b, MK_CONTROL);
    EXPECT_EQ(1, f.tree.m_nLButtonDown);
    EXPECT_EQ((UINT)(MK_LBUTTON | MK_CONTROL), f.tree.m_nDownFlags);
    EXPECT_EQ(CPoint(pt), f.tree.m_ptDown);
    EXPECT_EQ(f.b, f.tree.GetSelectedItem())
        << "the base handler ran the tree's own click processing";

    PressKey(f.tree, VK_UP);
    EXPECT_EQ((UINT)VK_UP, f.tree.m_nKey);
    EXPECT_EQ(f.a, f.tree.GetSelectedItem()) << "default key processing moved the caret";

    EXPECT_EQ(7u, f.tree.SetTimer(7, 10, NULL));
    for (int i = 0; i < 100 && !f.tree.m_nTimer; ++i)
        PumpUntilIdle(1), Sleep(5);
    EXPECT_EQ(7u, f.tree.m_nTimer);

    f.host.MoveWindow(0, 0, 300, 250);
    CRect rc;
    f.host.GetClientRect(rc);
    EXPECT_GE(f.host.m_nSize, 1);
    EXPECT_EQ(rc.Width(), f.host.m_size.cx);
    EXPECT_EQ(rc.Height(), f.host.m_size.cy);

    EXPECT_EQ(42, f.host.SendMessage(WM_USER + 101, 21, 0x1234));
    EXPECT_EQ(0x1234, f.host.m_lUserParam);
}

TEST(MessageRouting, ControlNotificationsAndCreateFailure)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateEx(0, NULL, L"宿主", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
    EXPECT_EQ(1, host.m_nCreate) << "OnCreate runs inside CreateEx";
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 100, 20), &host, 1001));
    edit.SetWindowText(L"12");
    EXPECT_EQ(1, host.m_nEditChange);
    CButton button;
    ASSERT_TRUE(button.Create(L"按楼层", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                              CRect(0, 30, 100, 50), &host, 1002));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(1, host.m_nClicked);
    EXPECT_EQ(BST_CHECKED, button.GetCheck());
    EXPECT_EQ((UINT)BST_CHECKED, host.IsDlgButtonChecked(1002));
    host.CheckDlgButton(1002, BST_UNCHECKED);
    EXPECT_EQ(BST_UNCHECKED, button.GetCheck());
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(CString(L"12"), text);
    EXPECT_EQ(&edit, host.GetDlgItem(1001));
    EXPECT_EQ(&host, edit.GetParent());
    EXPECT_EQ(&host, CWnd::FromHandlePermanent(host.m_hWnd));

    host.DestroyWindow();
    EXPECT_EQ(NULL, host.m_hWnd) << "destroying the window unbinds the object";
    EXPECT_EQ(NULL, edit.m_hWnd) << "and its children's objects";

    CHostWnd failing;
    failing.m_bFailCreate = TRUE;
    EXPECT_FALSE(failing.CreateEx(0, NULL, L"x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    EXPECT_EQ(NULL, failing.m_hWnd);
}

TEST(MessageRouting, PopupMenuCommandsReachTheOwnersHandlers)
{
    Fixture f;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 32816, L"删除(&D)");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 32917, L"重命名(&R)");
    menu.AppendMenu(MF_SEPARATOR);
    CMenu add;
    ASSERT_TRUE(add.CreatePopupMenu());
    add.AppendMenu(MF_STRING, 34775, L"框架柱");
    add.AppendMenu(MF_STRING, 34776, L"框架梁");
    ASSERT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_POPUP | MF_STRING, (UINT_PTR)add.m_hMenu,
                                L"添加(&T)"));
    add.Detach(); // the submenu now belongs to the menu

    // Read back entries and states.
    ASSERT_EQ(4, menu.GetMenuItemCount());
    CString s;
    menu.GetMenuString(0, s, MF_BYPOSITION);
    EXPECT_EQ(CString(L"添加(&T)"), s);
    EXPECT_EQ((UINT)-1, menu.GetMenuItemID(0)) << "a popup entry has no id";
    EXPECT_EQ(32816u, menu.GetMenuItemID(1));
    EXPECT_TRUE(menu.GetMenuState(32917, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(3, MF_BYPOSITION) & MF_SEPARATOR);
    CMenu* sub = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, sub);
    EXPECT_EQ(2, sub->GetMenuItemCount());
    sub->GetMenuString(34776, s, MF_BYCOMMAND);
    EXPECT_EQ(CString(L"框架梁"), s);
    menu.EnableMenuItem(32917, MF_BYCOMMAND | MF_ENABLED);
    EXPECT_FALSE(menu.GetMenuState(32917, MF_BYCOMMAND) & MF_GRAYED);
    menu.EnableMenuItem(0, MF_BYPOSITION | MF_GRAYED);
    EXPECT_TRUE(menu.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED);
    menu.EnableMenuItem(0, MF_BYPOSITION | MF_ENABLED);

    // Choose entries with the keyboard while the menu tracks; the command goes to the owner.
    CPoint at(50, 50);
    f.tree.ClientToScreen(&at);
    DriveNextPopupMenu({ VK_DOWN, VK_DOWN, VK_RETURN }); // 添加, 删除
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, &f.tree);
    PumpUntilIdle();
    ASSERT_EQ(1u, f.tree.m_commands.size());
    EXPECT_EQ(32816u, f.tree.m_commands[0]);

    DriveNextPopupMenu({ VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN }); // 添加 > 框架梁
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, &f.tree);
    PumpUntilIdle();
    EXPECT_EQ(34776, f.tree.m_nRangeCommand) << "ON_COMMAND_RANGE receives the chosen id";

    // Commands sent by a host (no menu shown) take the same route.
    f.tree.SendMessage(WM_COMMAND, MAKEWPARAM(32917, 0), 0);
    f.tree.SendMessage(WM_COMMAND, MAKEWPARAM(34785, 0), 0);
    f.tree.SendMessage(WM_COMMAND, MAKEWPARAM(34786, 0), 0); // outside the range: ignored
    ASSERT_EQ(2u, f.tree.m_commands.size());
    EXPECT_EQ(32917u, f.tree.m_commands[1]);
    EXPECT_EQ(34785, f.tree.m_nRangeCommand);

    EXPECT_TRUE(menu.DestroyMenu());
    EXPECT_EQ(NULL, menu.m_hMenu);
}

namespace {

// A tree that, like the component tree, consumes Escape meant for it or its edit box.
class CEscapeTree : public CTreeCtrl
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
        return CTreeCtrl::PreTranslateMessage(pMsg);
    }
};

} // namespace

TEST(PreTranslate, EscapeInTheInPlaceEditBoxIsSwallowedInAForeignLoop)
{
    CNotifyRecorder host;
    ASSERT_TRUE(host.CreateRecorder());
    CEscapeTree tree;
    ASSERT_TRUE(
        tree.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(0, 0, 300, 300), &host, 1000));
    HTREEITEM item = tree.InsertItem(L"KL-1*3");
    tree.SetFocus();
    CEdit* edit = tree.EditLabel(item);
    ASSERT_NE(nullptr, edit);
    HWND hEdit = edit->m_hWnd;
    ASSERT_TRUE(::IsWindow(hEdit));
    EXPECT_EQ(hEdit, tree.GetEditControl()->GetSafeHwnd());

    // The test's own loop (PumpUntilIdle) stands for the host's: it knows nothing of us.
    PostKey(hEdit, VK_ESCAPE);
    EXPECT_EQ(1, tree.m_nEscapes) << "offered once, to the tree above the edit box";
    EXPECT_TRUE(::IsWindow(hEdit)) << "swallowed: the edit box never saw Escape";

    // Other keys pass through: Return ends the edit.
    PostKey(hEdit, VK_RETURN);
    EXPECT_FALSE(::IsWindow(hEdit));
    EXPECT_EQ(1, tree.m_nEscapes);
    host.DestroyWindow();

    // Without the override the same key cancels the edit, so the test above is meaningful.
    CNotifyRecorder host2;
    ASSERT_TRUE(host2.CreateRecorder());
    CTreeCtrl plain;
    ASSERT_TRUE(
        plain.Create(WS_CHILD | WS_VISIBLE | TVS_EDITLABELS, CRect(0, 0, 300, 300), &host2, 1000));
    item = plain.InsertItem(L"KL-2");
    plain.SetFocus();
    hEdit = plain.EditLabel(item)->GetSafeHwnd();
    ASSERT_TRUE(::IsWindow(hEdit));
    PostKey(hEdit, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(hEdit));
    host2.DestroyWindow();
}
