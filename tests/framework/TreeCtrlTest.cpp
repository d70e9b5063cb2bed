// The control wrappers where they do more than pass a message on: the label editor's
// temporary wrapper and the notifications around it, image lists handed back, and the list's
// selection walk. The plain message wrappers are exercised by every suite above this one.
#include <gtest/gtest.h>
#include <string>
#include "afxwin.h"
#include "afxcmn.h"
#include "FwTestSupport.h"

namespace {
struct TreeFixture
{
    CNotifyRecorder host;
    CTreeCtrl tree;
    TreeFixture()
    {
        EXPECT_TRUE(host.CreateRecorder());
        EXPECT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES
                                    | TVS_LINESATROOT | TVS_EDITLABELS,
                                CRect(0, 0, 300, 300), &host, 1000));
    }
    ~TreeFixture() { host.DestroyWindow(); }
};
} // namespace

TEST(TreeCtrl, LabelEditingAndImageLists)
{
    TreeFixture f;
    CTreeCtrl& t = f.tree;
    HTREEITEM item = t.InsertItem(L"KL-1");
    t.SetFocus();
    CEdit* edit = t.EditLabel(item);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(edit->m_hWnd, t.GetEditControl()->m_hWnd);
    CString text;
    edit->GetWindowText(text);
    EXPECT_EQ(CString(L"KL-1"), text);
    edit->SetWindowText(L"KL-9");
    f.host.answers.push_back({ TVN_ENDLABELEDITW, TRUE }); // the parent accepts the text
    EXPECT_TRUE(t.EndEditLabelNow(FALSE));
    PumpUntilIdle();
    EXPECT_EQ(CString(L"KL-9"), t.GetItemText(item));
    EXPECT_EQ(nullptr, t.GetEditControl());
    EXPECT_LE(1, f.host.CountNotify(TVN_BEGINLABELEDITW));
    EXPECT_LE(1, f.host.CountNotify(TVN_ENDLABELEDITW));

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR16 | ILC_MASK, 4, 4));
    HICON icon = LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION);
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(i, images.Add(icon));
    EXPECT_EQ(13, images.GetImageCount()) << "grows past its initial size";
    EXPECT_EQ(nullptr, t.SetImageList(&images, TVSIL_NORMAL)) << "no previous list";
    EXPECT_EQ(images.m_hImageList, t.GetImageList(TVSIL_NORMAL)->GetSafeHandle());

    // A new list replaces the old one: the control hands the previous one back.
    CImageList second;
    ASSERT_TRUE(second.Create(16, 16, ILC_COLOR16 | ILC_MASK, 4, 4));
    CImageList* previous = t.SetImageList(&second, TVSIL_NORMAL);
    ASSERT_NE(nullptr, previous);
    EXPECT_EQ(images.m_hImageList, previous->m_hImageList);
    EXPECT_TRUE(images.DeleteImageList());
    EXPECT_EQ(NULL, images.m_hImageList);
    EXPECT_EQ(0, images.GetImageCount());
    t.SetImageList(NULL, TVSIL_NORMAL);
}

TEST(ListCtrl, IconViewGroupsAndSelectionWalk)
{
    CNotifyRecorder host;
    ASSERT_TRUE(host.CreateRecorder());
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHOWSELALWAYS,
                            CRect(0, 0, 380, 300), &host, 1001));
    CImageList images;
    ASSERT_TRUE(images.Create(32, 32, ILC_COLOR24 | ILC_MASK, 2, 1));
    images.Add(LoadIconW(NULL, (LPCWSTR)IDI_APPLICATION));
    list.SetImageList(&images, LVSIL_NORMAL);
    EXPECT_EQ(images.m_hImageList, list.GetImageList(LVSIL_NORMAL)->m_hImageList);

    // Group view is a comctl32 version 6 feature; where the control supports it the group
    // must exist after insertion (Wine 8's list view answers without keeping groups).
    list.EnableGroupView(TRUE);
    LVGROUP g = {};
    g.cbSize = sizeof(g);
    g.mask = LVGF_HEADER | LVGF_GROUPID;
    g.pszHeader = const_cast<LPWSTR>(L"框架梁");
    g.iGroupId = 1;
    bool groups = list.IsGroupViewEnabled() != FALSE;
    EXPECT_EQ(0, list.InsertGroup(0, &g));
    if (groups) {
        EXPECT_TRUE(list.HasGroup(1));
    }
    const wchar_t* names[] = { L"KL", L"WKL", L"L" };
    for (int i = 0; i < 3; ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_GROUPID;
        item.iItem = i;
        item.pszText = const_cast<LPWSTR>(names[i]);
        item.iImage = 0;
        item.lParam = 1100 + i;
        item.iGroupId = 1;
        EXPECT_EQ(i, list.InsertItem(&item));
    }
    EXPECT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"WKL"), list.GetItemText(1, 0));
    EXPECT_EQ(1102u, list.GetItemData(2));

    EXPECT_EQ(nullptr, list.GetFirstSelectedItemPosition());
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(2u, list.GetSelectedCount());
    std::vector<int> seen;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos)
        seen.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ((std::vector<int>{ 0, 2 }), seen);

    if (groups) {
        EXPECT_GE(list.RemoveGroup(1), 0);
        EXPECT_FALSE(list.HasGroup(1));
    }
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    list.SetImageList(NULL, LVSIL_NORMAL);
    host.DestroyWindow();
}
