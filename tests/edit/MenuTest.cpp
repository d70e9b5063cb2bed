// The context menus on the seeded project (EditFixture.h): the menu of every kind of item in
// both layouts, by right click and through GetMenu, as the clipboard changes; where a right
// click opens no menu; the multi-node menu; GetMenu without a tree.
#include "EditFixture.h"

#include <algorithm>

#include "MenuText.h"
#include "folders/ComFolderManager.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"

namespace {

// An item of the seeded project by its record; in the by-component layout a floor is looked
// for under the category head pszHead.
struct Where
{
    int nKind, nFloor;
    const wchar_t* pszId;
    const wchar_t* pszHead;
};
const Where kProject = { 0, -1, L"", nullptr };
const Where kFloor = { 1, 1, L"", nullptr };
const Where kBeams = { 2, 1, L"10", nullptr };        // 次梁 still to add
const Where kFrameBeams = { 2, 1, L"11", nullptr };   // own components and user folders
const Where kFrameBeams0 = { 2, 0, L"11", nullptr };  // the same folder on floor 0
const Where kBeams0 = { 2, 0, L"10", nullptr };       // a top-level folder of floor 0
const Where kFrameColumns = { 2, 1, L"21", nullptr }; // own components only
const Where kUserFolder = { 2, 1, L"100", nullptr };
const Where kComponent = { 3, 1, L"1", nullptr }; // KL-1 in 框架梁
const Where kBeamHead = { 2, -1, L"10", L"" };    // by component: a head, by its id
const Where kFloorUnderBeams = { 1, 1, L"", L"10" };
const Where kFloorUnderColumns = { 1, 1, L"", L"20" };
const Where kFrameBeams0UnderBeams = { 2, 0, L"11", L"10" };

enum Clip
{
    kEmpty,
    kCopiedComponent,  // KL-1, parent 框架梁 "11"
    kCopiedUserFolder, // 标准间 "100", parent 框架梁 "11"
    kCopiedTopFolder,  // a folder right under floor 0: 梁 by floor, 框架梁 by component
    kMultiCopy,
    kForgotten, // KL-1 copied, then ReMoveCopyInfo
};

const wchar_t kGrayedPaste[] = L"粘贴(&V):grayed";

// The top-level paste entry of a menu text, or "" when it has none.
std::wstring PasteEntry(const std::wstring& strMenu)
{
    size_t nStart = 0;
    while (nStart <= strMenu.size()) {
        size_t nEnd = strMenu.find(L'|', nStart);
        if (nEnd == std::wstring::npos)
            nEnd = strMenu.size();
        const std::wstring strEntry = strMenu.substr(nStart, nEnd - nStart);
        if (strEntry.rfind(L"粘贴(&V)", 0) == 0)
            return strEntry;
        nStart = nEnd + 1;
    }
    return L"";
}

class MenuTest : public EditTest
{
protected:
    // Runs check on the item of every row, the panel opened once per layout.
    template <class Row, size_t N, class F>
    void ForEachRow(const Row (&rows)[N], F check)
    {
        SeedProject();
        for (bool bByFloor : { true, false }) {
            OpenPanel(bByFloor);
            for (const Row& row : rows) {
                if (row.bByFloor != bByFloor)
                    continue;
                SCOPED_TRACE(testing::Message()
                             << (bByFloor ? "by floor, item " : "by component, item ")
                             << row.at.nKind << " " << row.at.nFloor << " " << row.at.pszId);
                HTREEITEM hItem = Find(row.at);
                ASSERT_NE(nullptr, hItem);
                check(row, hItem);
            }
            ClosePanel();
        }
    }

    HTREEITEM Find(const Where& at)
    {
        if (at.pszHead == nullptr)
            return Item(at.nKind, at.nFloor, at.pszId);
        for (HTREEITEM h = TreeView_GetChild(Tree(), Root()); h;
             h = TreeView_GetNextSibling(Tree(), h)) {
            const CParamProp* p = Ctrl().GetItemProp(h);
            if (*at.pszHead == L'\0' && p->m_strID == at.pszId)
                return h;
            if (*at.pszHead != L'\0' && p->m_strID == at.pszHead)
                return Item(at.nKind, at.nFloor, at.pszId, h);
        }
        return NULL;
    }

    void SetClip(Clip clip, bool bByFloor)
    {
        Ctrl().ReMoveCopyInfo();
        switch (clip) {
        case kEmpty:
            break;
        case kCopiedComponent:
            HoldCopy(Find(kComponent));
            break;
        case kCopiedUserFolder:
            HoldCopy(Find(kUserFolder));
            break;
        case kCopiedTopFolder:
            HoldCopy(Find(bByFloor ? kBeams0 : kFrameBeams0UnderBeams));
            break;
        case kMultiCopy:
            Ctrl().CopyInfo.multiCopyPending = 1;
            break;
        case kForgotten:
            HoldCopy(Find(kComponent));
            Ctrl().ReMoveCopyInfo();
            break;
        }
    }
};

struct FullMenu
{
    bool bByFloor;
    Where at;
    const wchar_t* pszClick; // the right click's menu
    const wchar_t* pszHost;  // GetMenu's menu of the same item
};

// With an empty clipboard.
const FullMenu kFullMenus[] = {
    { true, kProject, L"批量修改(&M)", L"批量修改(&M)" },
    { true, kFloor,
      L"添加(&T):grayed|删除(&D):grayed|重命名(&R)|-|剪切(&X):grayed|快速复制(&Q):grayed|"
      L"复制(&C):grayed|粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T):grayed|删除(&D):grayed|重命名(&R)|-|批量修改(&M)" },
    { true, kBeams,
      L"添加(&T)|>次梁|删除(&D):grayed|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T)|>次梁|删除(&D):grayed|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|批量修改(&M)" },
    { true, kFrameBeams,
      L"添加(&T)|>添加自定义文件夹(&U)|>新增自定义构件(&O)|>构件向导(&G)|删除(&D):grayed|"
      L"重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T)|>添加自定义文件夹(&U)|删除(&D):grayed|重命名(&R)|-|剪切(&X)|快速复制(&Q)|"
      L"复制(&C)|批量修改(&M)" },
    // Own components only: the click's add submenu has entries, GetMenu's has none.
    { true, kFrameColumns,
      L"添加(&T)|>新增自定义构件(&O)|>构件向导(&G)|删除(&D):grayed|重命名(&R)|-|剪切(&X)|"
      L"快速复制(&Q)|复制(&C)|粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T):grayed|删除(&D):grayed|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"批量修改(&M)" },
    { true, kUserFolder,
      L"添加(&T)|>添加自定义文件夹(&U)|>新增自定义构件(&O)|>构件向导(&G)|删除(&D)|重命名(&R)|-|"
      L"剪切(&X)|快速复制(&Q)|复制(&C)|粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T)|>添加自定义文件夹(&U)|删除(&D)|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"批量修改(&M)" },
    { true, kComponent,
      L"修改构件|添加(&T):grayed|删除(&D)|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"粘贴(&V):grayed|批量修改(&M)",
      L"修改构件|添加(&T):grayed|删除(&D)|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"批量修改(&M)" },
    // By component the project, the heads and the floors have batch modify (and paste)
    // only; 100 is a user folder although a multiple of ten. Below the floors the menus are
    // those by floor (the scripted session menus-by-component shows them).
    { false, kProject, L"批量修改(&M)", L"批量修改(&M)" },
    { false, kBeamHead, L"批量修改(&M)", L"批量修改(&M)" },
    { false, kFloorUnderBeams, L"批量修改(&M)|粘贴(&V):grayed", L"批量修改(&M)|粘贴(&V):grayed" },
    { false, kUserFolder,
      L"添加(&T)|>添加自定义文件夹(&U)|>新增自定义构件(&O)|>构件向导(&G)|删除(&D)|重命名(&R)|-|"
      L"剪切(&X)|快速复制(&Q)|复制(&C)|粘贴(&V):grayed|批量修改(&M)",
      L"添加(&T)|>添加自定义文件夹(&U)|删除(&D)|重命名(&R)|-|剪切(&X)|快速复制(&Q)|复制(&C)|"
      L"批量修改(&M)" },
};

struct PasteCase
{
    bool bByFloor;
    Clip clip;
    Where at;
    const wchar_t* pszClick; // the paste entry of the right click's menu ("" none)
    const wchar_t* pszHost;  // the paste entry of GetMenu's menu
};

const PasteCase kPasteCases[] = {
    // A component goes into folders that take own components; GetMenu never offers it.
    { true, kCopiedComponent, kFrameBeams, L"粘贴(&V)", L"" },
    { true, kCopiedComponent, kUserFolder, L"粘贴(&V)", L"" },
    { true, kCopiedComponent, kBeams, kGrayedPaste, L"" },
    { true, kCopiedComponent, kFloor, kGrayedPaste, L"" },
    { true, kCopiedComponent, kComponent, kGrayedPaste, L"" },
    // A folder goes under a folder of its parent's id, on any floor, or into a user folder.
    { true, kCopiedUserFolder, kFrameBeams0, L"粘贴(&V)", L"粘贴(&V)" },
    { true, kCopiedUserFolder, kUserFolder, L"粘贴(&V)", L"粘贴(&V)" },
    { true, kCopiedUserFolder, kBeams, kGrayedPaste, L"" },
    { true, kCopiedUserFolder, kFrameColumns, kGrayedPaste, L"" },
    { true, kCopiedUserFolder, kFloor, kGrayedPaste, L"" },
    { true, kCopiedUserFolder, kComponent, kGrayedPaste, L"" },
    // A top-level folder goes back onto a floor.
    { true, kCopiedTopFolder, kFloor, L"粘贴(&V)", L"粘贴(&V)" },
    { true, kMultiCopy, kFrameBeams, L"粘贴(&V)", L"" },
    { true, kMultiCopy, kBeams, kGrayedPaste, L"" },
    { true, kMultiCopy, kComponent, kGrayedPaste, L"" },
    { true, kForgotten, kFrameBeams, kGrayedPaste, L"" },
    // By component a floor takes a top-level folder from a floor under the same head only.
    { false, kCopiedTopFolder, kFloorUnderBeams, L"粘贴(&V)", L"粘贴(&V)" },
    { false, kCopiedTopFolder, kFloorUnderColumns, kGrayedPaste, kGrayedPaste },
    { false, kCopiedComponent, kFloorUnderBeams, kGrayedPaste, kGrayedPaste },
    { false, kCopiedComponent, kFrameBeams, L"粘贴(&V)", L"" },
};

} // namespace

TEST_F(MenuTest, EveryKindOfItemInBothLayouts)
{
    ForEachRow(kFullMenus, [&](const FullMenu& row, HTREEITEM hItem) {
        EXPECT_EQ(row.pszClick, RightClick(hItem));
        EXPECT_EQ(hItem, TreeView_GetSelection(Tree())) << "the click selects its item";
        EXPECT_EQ(row.pszHost, HostMenu());
    });
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(MenuTest, PasteFollowsTheClipboard)
{
    ForEachRow(kPasteCases, [&](const PasteCase& row, HTREEITEM hItem) {
        SetClip(row.clip, row.bByFloor);
        EXPECT_EQ(row.pszClick, PasteEntry(RightClick(hItem))) << "clipboard " << row.clip;
        EXPECT_EQ(row.pszHost, PasteEntry(HostMenu())) << "clipboard " << row.clip;
    });
}

TEST_F(MenuTest, EntriesCarryTheirCommandIds)
{
    SeedProject();
    OpenPanel();
    // Every command of the single-item menus, by its text: a wrong id runs another command.
    const std::pair<const wchar_t*, UINT> kIds[] = {
        { L"修改构件", 32833 },           { L"添加自定义文件夹(&U)", 32974 },
        { L"新增自定义构件(&O)", 33777 }, { L"构件向导(&G)", 32818 },
        { L"删除(&D)", 32816 },           { L"重命名(&R)", 32917 },
        { L"剪切(&X)", 32913 },           { L"快速复制(&Q)", 32916 },
        { L"复制(&C)", 32914 },           { L"粘贴(&V)", 32915 },
        { L"批量修改(&M)", 33776 },
    };
    std::vector<std::wstring> seen;
    auto check = [&](HMENU hMenu, auto& self) -> void {
        for (const MenuEntry& e : ReadMenu(hMenu)) {
            if (e.hSub) {
                self(e.hSub, self);
                continue;
            }
            for (const auto& id : kIds)
                if (e.text == id.first) {
                    EXPECT_EQ(id.second, e.nId) << testing::PrintToString(e.text);
                    seen.push_back(e.text);
                }
        }
    };
    Ctrl().GetPopupMenu(1, L"100", CParamProp::NodeFolder, 1);
    check(Ctrl().m_menu.GetSafeHmenu(), check);
    Ctrl().GetPopupMenu(1, L"1", CParamProp::NodeComponent, 1);
    check(Ctrl().m_menu.GetSafeHmenu(), check);
    for (const auto& id : kIds)
        EXPECT_NE(seen.end(), std::find(seen.begin(), seen.end(), id.first))
            << testing::PrintToString(std::wstring(id.first)) << " never shown";

    // The multi-node menu as the module's resources hold it.
    HMENU hMultiNode = LoadMenuW(CComTreeModule::GetInstance(), MAKEINTRESOURCEW(12007));
    ASSERT_NE(nullptr, hMultiNode);
    wchar_t szTitle[32] = L"";
    GetMenuStringW(hMultiNode, 0, szTitle, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"多节点操作", szTitle);
    std::vector<UINT> ids;
    for (const MenuEntry& e : ReadMenu(GetSubMenu(hMultiNode, 0)))
        ids.push_back(e.nId);
    EXPECT_EQ((std::vector<UINT>{ 32772, 32773, 32774, 32775 }), ids);
    DestroyMenu(hMultiNode);
}

TEST_F(MenuTest, NoMenuOffTheLabel)
{
    SeedProject();
    OpenPanel();
    const HTREEITEM hFolder = Find(kFrameBeams); // has a button and an icon
    RECT rcLabel = {};
    ASSERT_TRUE(TreeView_GetItemRect(Tree(), hFolder, &rcLabel, TRUE));
    const int y = (rcLabel.top + rcLabel.bottom) / 2;
    // The first point of the row left of the label that hits as asked.
    auto probe = [&](UINT nFlag) {
        for (int x = 0; x < rcLabel.left; ++x) {
            TVHITTESTINFO hit = {};
            hit.pt = POINT{ x, y };
            if (TreeView_HitTest(Tree(), &hit) == hFolder && (hit.flags & nFlag))
                return POINT{ x, y };
        }
        return POINT{ -1, -1 };
    };
    RECT rcLast = {};
    HTREEITEM hLast = Root();
    while (HTREEITEM h = TreeView_GetNextVisible(Tree(), hLast))
        hLast = h;
    TreeView_GetItemRect(Tree(), hLast, &rcLast, FALSE);
    const POINT points[] = { probe(TVHT_ONITEMBUTTON),
                             probe(TVHT_ONITEMICON),
                             { rcLabel.right + 8, y },
                             { 20, rcLast.bottom + 20 } };
    const UINT flags[] = { TVHT_ONITEMBUTTON, TVHT_ONITEMICON, TVHT_ONITEMRIGHT, TVHT_NOWHERE };
    for (int i = 0; i < 4; ++i) {
        TVHITTESTINFO hit = {};
        hit.pt = points[i];
        TreeView_HitTest(Tree(), &hit);
        ASSERT_TRUE(hit.flags & flags[i]) << "point " << i << " hits " << hit.flags;
        EXPECT_EQ(L"", RightClickAt(points[i])) << "point " << i;
    }
    EXPECT_TRUE(m_boxes.boxes.empty());
    EXPECT_NE(L"", RightClick(hFolder)) << "the label itself opens the menu";
}

TEST_F(MenuTest, AGroupOfComponentsGetsTheMultiNodeMenuAMixedGroupNone)
{
    SeedProject();
    OpenPanel();
    const HTREEITEM hKL1 = Find(kComponent), hKZ1 = Item(3, 1, L"3"), hFolder = Find(kFrameBeams);
    ASSERT_TRUE(ClickTreeItem(Tree(), hKL1));
    ASSERT_TRUE(ClickTreeItem(Tree(), hKZ1, MK_CONTROL));
    EXPECT_EQ(L"复制|剪切|粘贴:grayed|删除", RightClick(hKL1));
    EXPECT_EQ(2u, Ctrl().CountSelected()) << "the group stays selected";

    // The panel dissolves a mixed group at every selection change; one marked otherwise (by
    // a host, or a selection path to come) is dissolved by the right click, and the menu of
    // the item under the cursor is not offered while the caret, which the commands act on,
    // is another item.
    ASSERT_TRUE(ClickTreeItem(Tree(), hFolder));
    TreeView_SetItemState(Tree(), hKL1, TVIS_SELECTED, TVIS_SELECTED);
    ASSERT_EQ(2u, Ctrl().CountSelected());
    EXPECT_EQ(L"", RightClick(hKL1));
    for (HTREEITEM h : { hFolder, hKL1 })
        EXPECT_EQ(0u, TreeView_GetItemState(Tree(), h, TVIS_SELECTED)) << "marks cleared";
    EXPECT_EQ(0u, RightClick(hKL1).find(L"修改构件|")) << "the next right click serves it";
}

TEST_F(MenuTest, TwelveFoldersToAddTheTwelfthOutsideTheHandledIds)
{
    SeedProject();
    for (int i = 0; i < 12; ++i)
        AddFolder(1, std::to_wstring(81 + i).c_str(), L"20",
                  (L"F" + std::to_wstring(i + 1)).c_str(), 0, 0, 0);
    OpenPanel();
    const HTREEITEM hColumns = Item(2, 1, L"20");
    const std::wstring strMenu = RightClick(hColumns);
    EXPECT_EQ(0u, strMenu.find(L"添加(&T)|>F1|>F2|")) << testing::PrintToString(strMenu);
    EXPECT_NE(std::wstring::npos, strMenu.find(L"|>F11|>F12|删除(&D):grayed"));

    CMenu* pMenu = Ctrl().GetMenu();
    ASSERT_NE(nullptr, pMenu);
    const std::vector<MenuEntry> entries = ReadMenu(ReadMenu(pMenu->GetSafeHmenu())[0].hSub);
    ASSERT_EQ(12u, entries.size());
    for (UINT i = 0; i < 12; ++i)
        EXPECT_EQ(34775 + i, entries[i].nId) << "entry " << i;
    EXPECT_GT(entries[11].nId, (UINT)ID_COMTREE_ADD_FOLDER_LAST);

    // The twelfth chosen: no folder is shown or created.
    const std::wstring strBefore = DescribeMenu(Ctrl().GetMenu()->GetSafeHmenu());
    const UINT nItems = TreeView_GetCount(Tree());
    SendMessageW(Tree(), WM_COMMAND, entries[11].nId, 0);
    PumpUntilIdle();
    EXPECT_EQ(nItems, TreeView_GetCount(Tree()));
    EXPECT_EQ(strBefore, DescribeMenu(Ctrl().GetMenu()->GetSafeHmenu()));
    EXPECT_EQ(14, Count(L"SELECT count(*) FROM comfolder WHERE initcreate = 0"))
        << "次梁 on both floors and the twelve";
}

TEST_F(MenuTest, AComponentNeverOffersTheFoldersOfAnotherItem)
{
    SeedProject();
    OpenPanel();
    CObArray& arrAdd = Ctrl().m_pFolderManager->m_arrFolder;
    EXPECT_EQ(0u, RightClick(Find(kBeams)).find(L"添加(&T)|>次梁|"));
    EXPECT_EQ(1, arrAdd.GetSize());
    EXPECT_EQ(0u, RightClick(Find(kComponent)).find(L"修改构件|添加(&T):grayed|删除(&D)|"));
    EXPECT_EQ(0, arrAdd.GetSize()) << "an add command after it finds nothing to add";

    ClickTreeItem(Tree(), Find(kBeams));
    EXPECT_EQ(0u, HostMenu().find(L"添加(&T)|>次梁|"));
    ClickTreeItem(Tree(), Find(kComponent));
    EXPECT_EQ(0u, HostMenu().find(L"修改构件|添加(&T):grayed|删除(&D)|"));
    EXPECT_EQ(0, arrAdd.GetSize());
}

TEST_F(MenuTest, GetMenuWithoutATreeOrASelectionBuildsNothing)
{
    SeedProject();
    {
        CCompoentsTreeCtrl bare;
        ASSERT_TRUE(bare.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &m_host, 1000));
        EXPECT_EQ(nullptr, bare.GetMenu());
        EXPECT_EQ(nullptr, bare.m_menu.GetSafeHmenu());
        bare.DestroyWindow();
    }
    OpenPanel();
    Ctrl().SelectItem(NULL);
    EXPECT_EQ(L"null", HostMenu());
    Ctrl().SelectItem(Find(kComponent));
    ASSERT_NE(L"null", HostMenu());
    const HMENU hBuilt = Ctrl().m_menu.GetSafeHmenu();
    const std::wstring strBuilt = DescribeMenu(hBuilt);
    Ctrl().FreeAllData();
    EXPECT_EQ(L"null", HostMenu());
    EXPECT_EQ(hBuilt, Ctrl().m_menu.GetSafeHmenu()) << "the host's last menu stays as it was";
    EXPECT_EQ(strBuilt, DescribeMenu(hBuilt));
}

TEST_F(MenuTest, ForgettingTheClipboardKeepsOnlyTheSourceKind)
{
    SeedProject();
    OpenPanel();
    HoldCopy(Find(kUserFolder));
    Ctrl().CopyInfo.multiCutPending = 1;
    Ctrl().cutItem = Find(kUserFolder);
    Ctrl().ReMoveCopyInfo();
    const CTreeCopyInfo& clip = Ctrl().CopyInfo;
    EXPECT_EQ(0, clip.hasSource + clip.isCopy + clip.multiCopyPending + clip.multiCutPending);
    EXPECT_EQ(-1, clip.sourceFloorId);
    EXPECT_EQ(-1, clip.sourceComType);
    EXPECT_TRUE(clip.sourceId.IsEmpty() && clip.sourceParentId.IsEmpty() && !clip.sourceParentItem);
    EXPECT_EQ(nullptr, Ctrl().cutItem) << "a paste after it must not delete the cut item";
    EXPECT_EQ(CParamProp::NodeFolder, clip.sourceType);
}
