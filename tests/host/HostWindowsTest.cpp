// The host's window classes the module builds on: the dialog base a docked panel derives from,
// and the list control with groups the wizard's type list derives from.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "FwTestSupport.h"
#include "hosttest_ids.h"

namespace {

HWND MakeFrame()
{
    return CreateWindowExW(0, L"STATIC", L"主框架", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                           300, NULL, NULL, GetModuleHandleW(NULL), NULL);
}

} // namespace

TEST(HostDialogCommon, DockedDialogIsNotClosedByOkOrCancel)
{
    HWND frame = MakeFrame();
    CDialog_Common dlg(IDD_HOST_DOCKED, CWnd::FromHandle(frame));
    ASSERT_TRUE(dlg.Create(IDD_HOST_DOCKED, CWnd::FromHandle(frame)));
    HWND hDlg = dlg.GetSafeHwnd();
    // Enter and Escape reach a dialog as IDOK and IDCANCEL; a docked panel must survive both.
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(hDlg));
    EXPECT_TRUE(::IsWindowVisible(hDlg));
    dlg.DestroyWindow();
    DestroyWindow(frame);
}

TEST(HostDialogCommon, CaptionedDialogShowsProductIconAndEndsWithOk)
{
    HWND frame = MakeFrame();
    LRESULT icon = 0;
    auto driver = DriveNextDialog([&](HWND hDlg) {
        icon = ::SendMessageW(hDlg, WM_GETICON, ICON_BIG, 0);
        ::SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    CDialog_Common dlg(IDD_HOST_POPUP, CWnd::FromHandle(frame));
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver->Ran());
    EXPECT_NE(0, icon);
    DestroyWindow(frame);
}

TEST(HostKxListCtrl, ItemsGoIntoTheirGroupAndGroupsGoAway)
{
    HWND frame = MakeFrame();
    HWND hList = CreateWindowExW(0, WC_LISTVIEWW, L"",
                                 WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SINGLESEL, 0, 0, 300, 200,
                                 frame, (HMENU)1001, GetModuleHandleW(NULL), NULL);
    CKxListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(hList));
    list.EnableGroupView(1);
    // Wine's list view keeps no groups (it ignores group view and group ids); items must
    // still arrive with their text, picture and data, and only the group checks wait for a
    // list view that has groups.
    const bool groups = list.IsGroupViewEnabled() != FALSE;
    int added = list.InsertGroup(0, 1, CString(L"框架梁"));
    if (groups) {
        EXPECT_GE(added, 0);
        EXPECT_EQ(-1, list.InsertGroup(0, 1, CString(L"重复"))); // one group per id
    }

    wchar_t first[] = L"楼层框架梁";
    wchar_t second[] = L"屋面框架梁";
    EXPECT_EQ(0, list.InsertGroupItem(0, first, 1, 0, 111));
    EXPECT_EQ(1, list.InsertGroupItem(1, second, 1, 1, 112));
    for (int i = 0; i < 2; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_GROUPID | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = i;
        ASSERT_TRUE(::SendMessageW(hList, LVM_GETITEMW, 0, (LPARAM)&item));
        if (groups) {
            EXPECT_EQ(1, item.iGroupId);
        }
        EXPECT_EQ(111 + i, (int)item.lParam);
        EXPECT_EQ(i, item.iImage);
    }
    EXPECT_EQ(CString(L"屋面框架梁"), list.GetItemText(1, 0));

    list.RemoveGroup(1);
    EXPECT_FALSE(list.HasGroup(1));
    EXPECT_EQ(2, list.GetItemCount());
    if (!groups)
        GTEST_SKIP() << "this list view keeps no groups; items checked, group ids not";
    list.UnsubclassWindow();
    DestroyWindow(frame);
}
