// Renaming on the seeded project (EditFixture.h): names that stress the text path reach the
// file unchanged by every way of renaming, a floor's name waits for the host's save, the
// label editor's Escape and KillEditBox change nothing, and the host's rename of a folder
// reaches no component. The dialog's and the editor's everyday cases are scripted sessions
// of the demo (tests/demo/scripts/rename-*.txt).
#include "EditFixture.h"

#include "folders/ComFolderManager.h"
#include "resources/resource.h"

namespace {

enum Way
{
    kDialog,
    kInPlace,
    kHost
};
const char* const kWayNames[] = { "dialog", "in place", "host" };

std::wstring StoredComName(int nId)
{
    CAccessProject_Components_GJTable table;
    return table.GetComName(nId).GetString();
}

std::wstring StoredFloorName(int nFloorId)
{
    std::vector<std::vector<std::wstring>> rows;
    CProjectDatabase::GetConnection()->Query(L"SELECT lcmc FROM floor WHERE id = ?1",
                                             { std::to_wstring(nFloorId) }, rows);
    return rows.size() == 1 ? rows[0][0] : L"<no row>";
}

class RenameTest : public EditTest
{
protected:
    // Renames the item one way; what the dialog or the editor offered first is returned.
    std::wstring Rename(HTREEITEM hItem, Way way, const std::wstring& strName)
    {
        std::wstring strOffered;
        TreeView_SelectItem(Tree(), hItem);
        if (way == kHost) {
            Ctrl().ChangeSelectedItemName(strName.c_str());
        } else if (way == kDialog) {
            auto driver = DriveNextDialog([&](HWND hDlg) {
                HWND hEdit = GetDlgItem(hDlg, IDC_RENAME_NAME);
                strOffered = WindowText(hEdit);
                SetWindowTextW(hEdit, strName.c_str());
                SendMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
            });
            SendMessageW(Tree(), WM_COMMAND, ID_COMTREE_RENAME, 0);
            EXPECT_TRUE(driver->Ran()) << "no rename dialog";
        } else {
            HWND hEdit = TreeView_EditLabel(Tree(), hItem);
            EXPECT_NE(nullptr, hEdit) << "no label editor";
            if (hEdit == NULL)
                return strOffered;
            strOffered = WindowText(hEdit);
            SetWindowTextW(hEdit, strName.c_str());
            PostKey(hEdit, VK_RETURN);
        }
        PumpUntilIdle();
        return strOffered;
    }
    std::wstring Label(HTREEITEM hItem) { return Ctrl().GetItemText(hItem).GetString(); }
    std::wstring Name(HTREEITEM hItem) { return Ctrl().GetItemProp(hItem)->m_strName.GetString(); }
};

TEST_F(RenameTest, NamesReachTheFileAsTypedEveryWay)
{
    SeedProject();
    OpenPanel();
    // Quotes would break spliced SQL, a percent sign a format string, and the emoji is a
    // surrogate pair that a narrow or truncating copy would damage.
    const wchar_t* const kNames[] = { L"KL-'1\"", L"KL-100%s%d", L"框架梁一", L"梁😀" };
    // The dialog and the editor offer the stored name alone, without the count.
    std::wstring strStored = L"KL-1";
    for (Way way : { kDialog, kInPlace, kHost }) {
        for (const wchar_t* pszName : kNames) {
            SCOPED_TRACE(testing::Message() << kWayNames[way] << " " << pszName);
            HTREEITEM hItem = Item(CParamProp::NodeComponent, 1, L"1");
            const std::wstring strOffered = Rename(hItem, way, pszName);
            EXPECT_EQ(way == kHost ? L"" : strStored, strOffered);
            strStored = pszName;
            EXPECT_EQ(std::wstring(pszName) + L"*1", Label(hItem));
            EXPECT_EQ(pszName, Name(hItem));
            EXPECT_EQ(pszName, StoredComName(1));
        }
    }
    // The next build reads the last name back whole.
    ClosePanel();
    OpenPanel();
    EXPECT_EQ(L"梁😀*1", Label(Item(CParamProp::NodeComponent, 1, L"1")));
}

TEST_F(RenameTest, FloorNameWaitsForTheHostsSaveAndKeepsItsMark)
{
    SeedProject();
    OpenPanel();
    HTREEITEM hFloor = Item(CParamProp::NodeFloor, 1, L"");
    EXPECT_EQ(L"首", Rename(hFloor, kDialog, L"二"));
    EXPECT_EQ(L"二层", Label(hFloor));
    EXPECT_EQ(L"首", StoredFloorName(1));
    // In place the editor shows the name without the floor mark, and the mark comes back.
    EXPECT_EQ(L"二", Rename(hFloor, kInPlace, L"三"));
    EXPECT_EQ(L"三层", Label(hFloor));
    EXPECT_EQ(L"三层", Name(hFloor));
    EXPECT_EQ(L"首", StoredFloorName(1));

    Ctrl().m_pFolderManager->m_pFloorDataSet->DoSqlUpdate();
    EXPECT_EQ(L"三", StoredFloorName(1));
    ClosePanel();
    OpenPanel();
    EXPECT_EQ(L"三层", Label(Item(CParamProp::NodeFloor, 1, L"")));
}

TEST_F(RenameTest, LabelEditorClosedWithoutChange)
{
    SeedProject();
    OpenPanel();
    HTREEITEM hItem = Item(CParamProp::NodeComponent, 1, L"1");
    TreeView_SelectItem(Tree(), hItem);

    // Escape after typing: the typed text is dropped, not committed by the focus change.
    HWND hEdit = TreeView_EditLabel(Tree(), hItem);
    ASSERT_NE(nullptr, hEdit);
    SetWindowTextW(hEdit, L"KL-X");
    PostKey(hEdit, VK_ESCAPE);
    EXPECT_EQ(nullptr, TreeView_GetEditControl(Tree()));
    EXPECT_EQ(L"KL-1*1", Label(hItem));
    EXPECT_EQ(GetFocus(), Tree());
    EXPECT_TRUE(TreeView_GetItemState(Tree(), Root(), TVIS_EXPANDED) & TVIS_EXPANDED);

    ASSERT_NE(nullptr, TreeView_EditLabel(Tree(), hItem));
    Ctrl().KillEditBox();
    PumpUntilIdle();
    EXPECT_EQ(nullptr, TreeView_GetEditControl(Tree()));
    Ctrl().KillEditBox(); // nothing open: nothing happens

    EXPECT_EQ(L"KL-1*1", Label(hItem));
    EXPECT_EQ(L"KL-1", StoredComName(1));
    // The project's own label is renamed neither way.
    EXPECT_EQ(nullptr, TreeView_EditLabel(Tree(), Root()));
    TreeView_SelectItem(Tree(), Root());
    auto driver = DriveNextDialog(
        [](HWND hDlg) { SendMessageW(GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0); });
    SendMessageW(Tree(), WM_COMMAND, ID_COMTREE_RENAME, 0);
    EXPECT_FALSE(driver->Ran());
    EXPECT_TRUE(m_boxes.boxes.empty());
}

TEST_F(RenameTest, HostRenameOfAFolderLeavesTheComponentOfItsId)
{
    SeedProject();
    // A component whose id reads like the user folder's: the host's rename of the folder
    // (a selection it does not rename) must not reach it.
    Exec(L"INSERT INTO component (id, floorid, folderid, comname, comtype, volume, showid) "
         L"VALUES (100, 1, '21', 'KZ-100', 111, 1, 100)",
         {});
    OpenPanel();
    HTREEITEM hFolder = Item(CParamProp::NodeFolder, 1, L"100");
    const std::wstring strFolderLabel = Label(hFolder);
    Rename(hFolder, kHost, L"X");
    EXPECT_EQ(strFolderLabel, Label(hFolder));
    EXPECT_EQ(L"KZ-100", StoredComName(100));
}

} // namespace
