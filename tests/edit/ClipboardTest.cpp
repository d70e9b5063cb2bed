// What the clipboard commands must never do to the project file, on the seeded project
// (EditFixture.h): a failed statement anywhere in a paste or a delete leaves the file exactly
// as it was; a source that went away before its paste, or a target that cannot take it,
// changes no row; a cut survives a rebuild of the tree and still moves.
#include "EditFixture.h"

#include "resources/resource.h"

namespace {

// Component ids of the seeded project.
const wchar_t kKL2[] = L"2"; // in 标准间 100, floor 1

class ClipboardTest : public EditTest
{
protected:
    void SetUp() override
    {
        EditTest::SetUp();
        SeedProject();
    }

    // Every folder and component row, in key order: the file's content as the commands see it.
    std::wstring Rows()
    {
        std::wstring strOut;
        for (LPCWSTR pszSql :
             { L"SELECT * FROM comfolder ORDER BY floorid, comfolderid",
               L"SELECT * FROM component ORDER BY id", L"SELECT * FROM comsetup ORDER BY rowid" }) {
            std::vector<std::vector<std::wstring>> rows;
            EXPECT_TRUE(CProjectDatabase::GetConnection()->Query(pszSql, {}, rows)) << pszSql;
            for (const auto& row : rows) {
                for (const auto& value : row)
                    strOut += value + L"|";
                strOut += L"\n";
            }
        }
        return strOut;
    }

    std::wstring One(LPCWSTR pszSql)
    {
        std::vector<std::vector<std::wstring>> rows;
        EXPECT_TRUE(CProjectDatabase::GetConnection()->Query(pszSql, {}, rows)) << pszSql;
        std::wstring strOut;
        for (const auto& row : rows)
            for (const auto& value : row)
                strOut += (strOut.empty() ? L"" : L",") + value;
        return strOut;
    }

    // A command of the context menu on an item, as the menu posts it.
    void Command(UINT nId, HTREEITEM hItem)
    {
        ASSERT_NE(nullptr, hItem);
        Ctrl().SelectItem(hItem);
        Ctrl().SendMessage(WM_COMMAND, nId, 0);
        PumpUntilIdle();
    }

    std::wstring LastBox() { return m_boxes.boxes.empty() ? L"" : m_boxes.boxes.back().text; }
};

// A statement that fails halfway: the paste of a folder whose second component cannot be
// written, the delete of a folder whose components cannot be deleted, and a cut whose paste
// is written but whose source cannot be removed. The file keeps every row, the tree is read
// again from it, the user is told, and the clipboard still holds the source.
TEST_F(ClipboardTest, FailedStatementLeavesFileAsBefore)
{
    struct Case
    {
        const wchar_t* pszName;
        const wchar_t* pszTrigger;
        UINT nFirst; // cut, copy or delete of 标准间
        bool bPaste; // then pasted into 框架梁 of floor 0
    };
    const Case kCases[] = {
        { L"paste", L"BEFORE INSERT ON component WHEN NEW.comname = 'KL-2'", ID_COMTREE_COPY,
          true },
        { L"delete", L"BEFORE DELETE ON component", ID_COMTREE_DEL, false },
        { L"cut", L"BEFORE DELETE ON component", ID_COMTREE_CUT, true },
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.pszName);
        Exec((std::wstring(L"CREATE TRIGGER fail ") + c.pszTrigger
              + L" BEGIN SELECT RAISE(ABORT, 'disk full'); END")
                 .c_str(),
             {});
        OpenPanel();
        const std::wstring strBefore = Rows();
        m_boxes.boxes.clear();
        Command(c.nFirst, Item(2, 1, L"100"));
        if (c.bPaste)
            Command(ID_COMTREE_PASTE, Item(2, 0, L"11"));

        EXPECT_EQ(strBefore, Rows());
        ASSERT_FALSE(m_boxes.boxes.empty());
        EXPECT_NE(std::wstring::npos, LastBox().find(L"disk full")) << LastBox();
        ExpandAll();
        EXPECT_NE(nullptr, Item(3, 1, kKL2, Item(2, 1, L"100")));
        EXPECT_EQ(nullptr, Item(2, 0, L"101"));
        EXPECT_EQ(c.bPaste ? 1 : 0, Ctrl().CopyInfo.hasSource);
        EXPECT_EQ(c.bPaste ? L"100" : L"", std::wstring(Ctrl().CopyInfo.sourceId));
        ClosePanel();
        Exec(L"DROP TRIGGER fail", {});
    }
}

// A source that was removed between cut and paste. Deleted, it has nothing left to paste and
// the paste changes nothing; after a layout switch or a relist rebuilt the tree, the cut
// item's handle is gone but its rows stand, and the paste moves them.
TEST_F(ClipboardTest, CutSourceRemovedBeforePaste)
{
    enum How
    {
        kDeleted,
        kLayoutSwitched,
        kRelisted
    };
    for (How how : { kDeleted, kLayoutSwitched, kRelisted }) {
        SCOPED_TRACE(testing::Message() << "how " << how);
        OpenPanel();
        Command(ID_COMTREE_CUT, Item(2, 1, L"100"));
        if (how == kDeleted)
            Command(ID_COMTREE_DEL, Item(2, 1, L"100"));
        else if (how == kLayoutSwitched)
            m_pPanel->OnRadioBycomponent();
        else
            Ctrl().ReListTreeNode(L"");
        EXPECT_EQ(nullptr, Ctrl().cutItem);
        ExpandAll();
        const std::wstring strBefore = Rows();
        Command(ID_COMTREE_PASTE, Item(2, 0, L"11"));

        if (how == kDeleted) {
            EXPECT_EQ(strBefore, Rows());
            EXPECT_EQ(L"0", One(L"SELECT count(*) FROM component WHERE comname = 'KL-2'"));
        } else {
            // Moved: a new folder on floor 0 holding a new KL-2, nothing left on floor 1.
            EXPECT_EQ(L"101,0,11,标准间",
                      One(L"SELECT comfolderid, floorid, parentid, foldername FROM comfolder "
                          L"WHERE CAST(comfolderid AS INTEGER) >= 100"));
            EXPECT_EQ(L"0,101",
                      One(L"SELECT floorid, folderid FROM component WHERE comname = "
                          L"'KL-2'"));
            ExpandAll();
            EXPECT_EQ(nullptr, Item(2, 1, L"100"));
            EXPECT_NE(nullptr, Item(2, 0, L"101"));
        }
        EXPECT_TRUE(m_boxes.boxes.empty() || how == kDeleted);
        ClosePanel();
        // Back to the seeded rows for the next case.
        Exec(L"DELETE FROM comfolder", {});
        Exec(L"DELETE FROM component", {});
        Exec(L"DELETE FROM floor", {});
        SeedProject();
        m_boxes.boxes.clear();
    }
}

// Pastes that cannot go where they are aimed change no row and add no item: a rule folder onto
// a floor that has no row of that folder (quietly, the clipboard is used up), a cut rule
// folder onto its own floor and a folder into itself (refused with a message, the clipboard
// keeps its source), and a paste with nothing selected.
TEST_F(ClipboardTest, PasteTheTargetCannotTakeChangesNothing)
{
    Exec(L"DELETE FROM comfolder WHERE floorid = 0 AND comfolderid = '21'", {});
    OpenPanel();
    struct Case
    {
        UINT nFirst;
        HTREEITEM hSource, hTarget;
        const wchar_t* pszBox;
    };
    const Case kCases[] = {
        { ID_COMTREE_COPY, Item(2, 1, L"21"), Item(2, 0, L"20"), L"" },
        { ID_COMTREE_CUT, Item(2, 1, L"11"), Item(2, 1, L"10"),
          L"剪切的规则构件夹不能粘贴到原楼层" },
        { ID_COMTREE_COPY, Item(2, 1, L"100"), Item(2, 1, L"100"), L"不能粘贴到源构件夹之内" },
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.pszBox);
        const std::wstring strBefore = Rows();
        const UINT nChildren = TreeView_GetCount(Tree());
        m_boxes.boxes.clear();
        Command(c.nFirst, c.hSource);
        Command(ID_COMTREE_PASTE, c.hTarget);
        EXPECT_EQ(strBefore, Rows());
        EXPECT_EQ(nChildren, TreeView_GetCount(Tree()));
        EXPECT_EQ(std::wstring(c.pszBox), LastBox());
        EXPECT_EQ(*c.pszBox ? 1 : 0, Ctrl().CopyInfo.hasSource);
    }
    EXPECT_EQ(Item(2, 1, L"11"), Ctrl().cutItem);

    // With nothing selected there is no target: the cut stays where it is, still held.
    const std::wstring strBefore = Rows();
    Ctrl().SelectItem(NULL);
    Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_PASTE, 0);
    EXPECT_EQ(strBefore, Rows());
    EXPECT_EQ(1, Ctrl().CopyInfo.hasSource);
    EXPECT_EQ(Item(2, 1, L"11"), Ctrl().cutItem);
}

} // namespace
