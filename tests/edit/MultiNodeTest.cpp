// The multi-node commands on the seeded project (EditFixture.h): a pending copy or cut whose
// items go away before the paste, and commands that write all of their rows or none. The
// everyday paths (labels, caret, double-clicks, re-filing) are the scripted sessions
// multinode-*.txt.
#include "EditFixture.h"

#include <functional>

#include "resources/resource.h"

namespace {

const wchar_t kComponents[] = L"SELECT id, floorid, folderid, comname FROM component ORDER BY id";

class MultiNodeTest : public EditTest
{
protected:
    void SetUp() override
    {
        EditTest::SetUp();
        SeedProject();
        OpenPanel();
    }

    // The three seeded components where SeedProject put them (KZ-1 counting 2), nothing else,
    // and the panel opened anew on them.
    void ResetComponents()
    {
        ClosePanel();
        EXPECT_EQ(m_nRecordsBefore, CParamProp::GetLiveCount()) << "records left behind";
        Exec(L"DELETE FROM component WHERE id > 3", {});
        Exec(L"INSERT OR REPLACE INTO component (id, floorid, folderid, comname, comtype, volume, "
             L"showid) VALUES (1, 1, '11', 'KL-1', 111, 1, 1), (2, 1, '100', 'KL-2', 111, 1, 1), "
             L"(3, 1, '21', 'KZ-1', 111, 2, 1)",
             {});
        OpenPanel();
    }

    HTREEITEM Component(LPCWSTR pszId) { return Item(CParamProp::NodeComponent, 1, pszId); }
    // 框架柱 of floor 0: empty, takes own components.
    HTREEITEM Target() { return Item(CParamProp::NodeFolder, 0, L"21"); }

    // Exactly these items selected, the first one the caret.
    void Select(std::initializer_list<HTREEITEM> items)
    {
        Ctrl().ClearMultiSelection();
        Ctrl().SelectItem(*items.begin());
        for (HTREEITEM h : items)
            Ctrl().SetItemState(h, TVIS_SELECTED, TVIS_SELECTED);
    }
    void Command(UINT nId)
    {
        SendMessageW(Tree(), WM_COMMAND, MAKEWPARAM(nId, 0), 0);
        PumpUntilIdle();
    }
    void Paste()
    {
        Ctrl().SelectItem(Target());
        Command(ID_COMTREE_MPASTE);
    }

    std::wstring Query(LPCWSTR pszSql)
    {
        std::vector<std::vector<std::wstring>> rows;
        EXPECT_TRUE(CProjectDatabase::GetConnection()->Query(pszSql, {}, rows)) << pszSql;
        std::wstring out;
        for (const auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c)
                out += (c ? L"|" : L"") + row[c];
            out += L";";
        }
        return out;
    }
    // Every label in pre-order, the records' ids beside them.
    std::wstring Labels()
    {
        std::wstring out;
        for (HTREEITEM h = Root(); h; h = Ctrl().GetNextItemEx(h, TVGN_EX_ALL))
            out += std::wstring(Ctrl().GetItemText(h).GetString()) + L"#"
                + Ctrl().GetItemProp(h)->m_strID.GetString() + L" ";
        return out;
    }
    std::wstring TargetLabels()
    {
        std::wstring out;
        for (HTREEITEM h = TreeView_GetChild(Tree(), Target()); h;
             h = TreeView_GetNextSibling(Tree(), h))
            out += std::wstring(Ctrl().GetItemText(h).GetString()) + L" ";
        return out;
    }
};

struct Removal
{
    const char* pszName;
    std::function<void()> remove; // takes KL-2 (id 2) out of the tree
    bool bPastesRest; // else nothing is left to paste: a delete ends the pending paste, and a
                      // rebuild removes every item
};

TEST_F(MultiNodeTest, PendingItemsRemovedBeforeThePasteAreLeftOut)
{
    const Removal kRemovals[] = {
        { "multi-node delete",
          [this] {
              Select({ Component(L"2") });
              Command(ID_COMTREE_MDEL);
          },
          false },
        { "host frees the item", [this] { Ctrl().FreeTree(Component(L"2")); }, true },
        { "rebuild", [this] { Ctrl().InitTree(L"编辑测试工程", 1); }, false },
        { "relist", [this] { Ctrl().ReListTreeNode(L"编辑测试工程"); }, false },
    };
    for (bool bCut : { false, true }) {
        for (const Removal& removal : kRemovals) {
            SCOPED_TRACE(testing::Message() << (bCut ? "cut, " : "copy, ") << removal.pszName);
            ResetComponents();
            Select({ Component(L"1"), Component(L"2"), Component(L"3") });
            Command(bCut ? ID_COMTREE_MCUT : ID_COMTREE_MCOPY);
            ASSERT_EQ(3, Ctrl().m_arrOpItems.GetSize());

            removal.remove();
            ExpandAll();
            EXPECT_EQ(removal.bPastesRest ? 2 : 0, Ctrl().m_arrOpItems.GetSize());
            Paste();

            EXPECT_EQ(0, Ctrl().CopyInfo.multiCopyPending + Ctrl().CopyInfo.multiCutPending);
            EXPECT_EQ(0, Ctrl().m_arrOpItems.GetSize());
            if (!removal.bPastesRest) {
                EXPECT_EQ(L"", TargetLabels());
                EXPECT_EQ(L"", Query(L"SELECT id FROM component WHERE floorid = 0"));
                continue;
            }
            EXPECT_EQ(L"KL-1*1 KZ-1*2 ", TargetLabels());
            EXPECT_EQ(bCut ? L"1|KL-1|0|21;1|KZ-1|0|21;" : L"0|KL-1|0|21;0|KZ-1|0|21;",
                      Query(L"SELECT id < 4, comname, floorid, folderid FROM component "
                            L"WHERE floorid = 0 ORDER BY comname"));
            EXPECT_EQ(bCut, Component(L"1") == NULL && Component(L"3") == NULL);
        }
    }
}

// A statement that fails halfway (the trigger refuses KZ-1, the last of the three) rolls the
// whole command back: the file and the tree stay as they were, and a paste stays pending, so
// the same paste succeeds once the fault is gone.
TEST_F(MultiNodeTest, AFailingStatementLeavesFileAndTreeAsTheyWere)
{
    struct Case
    {
        const char* pszName;
        UINT nHold; // 0: delete the selection instead of holding it for a paste
        const wchar_t* pszTrigger;
        const wchar_t* pszAfterRetry;
    };
    const Case kCases[] = {
        { "copy", ID_COMTREE_MCOPY, L"BEFORE INSERT ON component WHEN NEW.comname = 'KZ-1'",
          L"0|KL-1|0|21;0|KL-2|0|21;0|KZ-1|0|21;1|KL-1|1|11;1|KL-2|1|100;1|KZ-1|1|21;" },
        { "cut", ID_COMTREE_MCUT, L"BEFORE UPDATE ON component WHEN OLD.comname = 'KZ-1'",
          L"1|KL-1|0|21;1|KL-2|0|21;1|KZ-1|0|21;" },
        { "delete", 0, L"BEFORE DELETE ON component WHEN OLD.comname = 'KZ-1'", L"" },
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.pszName);
        ResetComponents();
        Exec((std::wstring(L"CREATE TRIGGER fault ") + c.pszTrigger
              + L" BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                 .c_str(),
             {});
        const std::wstring strRows = Query(kComponents), strTree = Labels();

        Select({ Component(L"1"), Component(L"2"), Component(L"3") });
        if (c.nHold != 0) {
            Command(c.nHold);
            Paste();
            EXPECT_EQ(3, Ctrl().m_arrOpItems.GetSize()) << "the paste stays pending";
        } else {
            Command(ID_COMTREE_MDEL);
        }
        EXPECT_EQ(strRows, Query(kComponents));
        EXPECT_EQ(strTree, Labels());

        Exec(L"DROP TRIGGER fault", {});
        if (c.nHold != 0)
            Paste();
        else
            Command(ID_COMTREE_MDEL);
        EXPECT_EQ(c.pszAfterRetry,
                  Query(L"SELECT id < 4, comname, floorid, folderid FROM "
                        L"component ORDER BY floorid, comname"));
        EXPECT_EQ(0, Ctrl().CopyInfo.multiCopyPending + Ctrl().CopyInfo.multiCutPending);
    }
}

// Only a label takes a double-click: on a folder's icon nothing expands or collapses, on the
// label of a folder without own components the tree toggles it. Either clears the host's
// new-component mark.
TEST_F(MultiNodeTest, ADoubleClickActsOnALabelOnly)
{
    const HTREEITEM hBeams = Item(CParamProp::NodeFolder, 1, L"10");
    auto expanded = [&] { return (TreeView_GetItemState(Tree(), hBeams, TVIS_EXPANDED) != 0); };
    ASSERT_TRUE(expanded());
    RECT rcLabel = {};
    TreeView_GetItemRect(Tree(), hBeams, &rcLabel, TRUE);
    TVHITTESTINFO hit = {};
    hit.pt = { rcLabel.left - 8, (rcLabel.top + rcLabel.bottom) / 2 };
    ASSERT_EQ(hBeams, TreeView_HitTest(Tree(), &hit));
    ASSERT_TRUE(hit.flags & TVHT_ONITEMICON);

    Ctrl().SetNewAdd(1);
    SendMessageW(Tree(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(hit.pt.x, hit.pt.y));
    PumpUntilIdle();
    EXPECT_TRUE(expanded());
    EXPECT_EQ(0, Ctrl().IsNewAdd());

    ASSERT_TRUE(DoubleClickTreeItem(Tree(), hBeams));
    PumpUntilIdle();
    EXPECT_FALSE(expanded());
}

} // namespace
