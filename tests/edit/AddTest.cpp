// Adding on the seeded project (EditFixture.h): floors (ids, order, the reopened project),
// the add list's folders, default component names, the host's answer to a new component
// through the real wizard, a custom component without a type. The sessions add-*.txt of the
// demo show each command on the sample project.
#include "EditFixture.h"

#include <commctrl.h>

#include "folders/ComFolderManager.h"
#include "resources/resource.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

Rows Query(LPCWSTR pszSql, const std::vector<std::wstring>& params = {})
{
    Rows rows;
    EXPECT_TRUE(CProjectDatabase::GetConnection()->Query(pszSql, params, rows)) << pszSql;
    return rows;
}

std::wstring ItemLabel(HWND hTree, HTREEITEM hItem)
{
    wchar_t text[256] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = 256;
    TreeView_GetItem(hTree, &item);
    return text;
}

std::vector<std::wstring> ChildLabels(HWND hTree, HTREEITEM hParent)
{
    std::vector<std::wstring> labels;
    for (HTREEITEM h = TreeView_GetChild(hTree, hParent); h; h = TreeView_GetNextSibling(hTree, h))
        labels.push_back(ItemLabel(hTree, h));
    return labels;
}

// The host's answer to WM_COMTREE_NEWCOMPONENT: -1, or agree, naming it when a name is set.
struct HostAnswer
{
    bool bReject = false;
    const wchar_t* pszName = nullptr;
    CCompoentsTreeCtrl* pTree = nullptr;
    WNDPROC pfnPrevious = nullptr;
    int nAsked = 0;
};
HostAnswer g_answer;

LRESULT CALLBACK AnsweringHostProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != WM_COMTREE_NEWCOMPONENT)
        return CallWindowProcW(g_answer.pfnPrevious, hWnd, nMsg, wParam, lParam);
    ++g_answer.nAsked;
    if (g_answer.bReject) {
        // A result the host already made for it goes with the rejected component.
        CProjectDatabase::GetConnection()->ExecuteBound(
            L"INSERT INTO componentresult (comid, itemname, value) VALUES (?1, '箍筋', 2.5)",
            { std::to_wstring((int)lParam) });
        return -1;
    }
    if (g_answer.pszName)
        g_answer.pTree->SetComName(0, g_answer.pszName);
    return lParam;
}

class AddTest : public EditTest
{
protected:
    void TearDown() override
    {
        if (g_answer.pfnPrevious)
            SetWindowLongPtrW(m_host.GetSafeHwnd(), GWLP_WNDPROC, (LONG_PTR)g_answer.pfnPrevious);
        g_answer = HostAnswer();
        EditTest::TearDown();
    }

    void AnswerNewComponents(bool bReject, const wchar_t* pszName)
    {
        g_answer.bReject = bReject;
        g_answer.pszName = pszName;
        g_answer.pTree = &Ctrl();
        if (!g_answer.pfnPrevious)
            g_answer.pfnPrevious = (WNDPROC)SetWindowLongPtrW(m_host.GetSafeHwnd(), GWLP_WNDPROC,
                                                              (LONG_PTR)AnsweringHostProc);
    }

    // Runs the wizard command on the item; the wizard picks nType (0: Cancel).
    void AddThroughWizard(HTREEITEM hFolder, int nType)
    {
        TreeView_SelectItem(Tree(), hFolder);
        auto driver = DriveNextDialog([nType](HWND hDlg) {
            HWND hList = GetDlgItem(hDlg, IDC_WIZARD_LIST);
            const int nCount = ListView_GetItemCount(hList);
            for (int i = 0; i < nCount && nType != 0; ++i) {
                LVITEMW item = {};
                item.mask = LVIF_PARAM;
                item.iItem = i;
                if (ListView_GetItem(hList, &item) && (int)item.lParam == nType)
                    ListView_SetItemState(hList, i, LVIS_SELECTED | LVIS_FOCUSED,
                                          LVIS_SELECTED | LVIS_FOCUSED);
            }
            SendMessageW(GetDlgItem(hDlg, nType ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
        });
        const HINSTANCE hResources = AfxGetResourceHandle();
        SendMessageW(Tree(), WM_COMMAND, ID_COMTREE_OWNER_COM, 0);
        PumpUntilIdle();
        EXPECT_TRUE(driver->Ran()) << "no wizard";
        EXPECT_EQ(hResources, AfxGetResourceHandle()) << "resource handle left switched";
    }

    int ComponentCount() { return std::stoi(Query(L"SELECT count(*) FROM component")[0][0]); }
};

TEST_F(AddTest, FloorTakesNextIdGoesLastAndComesBackWithItsFolders)
{
    Exec(L"INSERT INTO floor (id, lcmc, showid, createmode) VALUES (1, '一', 1, 0), "
         L"(2, '二', 2, 0), (5, '五', 3, 0)",
         {});
    OpenPanel();
    Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_ADD_FLOOR, 0);

    const HTREEITEM hNew = Item(1, 6, L"");
    ASSERT_NE(nullptr, hNew);
    EXPECT_EQ(nullptr, TreeView_GetNextSibling(Tree(), hNew)) << "the new floor is not last";
    EXPECT_EQ(L"新楼层", ItemLabel(Tree(), hNew));
    const std::vector<std::wstring> folders = ChildLabels(Tree(), hNew);
    EXPECT_FALSE(folders.empty()) << "no rule folders";

    // Written as a host saves: folders, then floors.
    CComFolderManager* pStore = Ctrl().m_pFolderManager;
    pStore->m_pComFolderDataSet->DoSqlUpdate();
    pStore->m_pFloorDataSet->DoSqlUpdate();
    EXPECT_EQ((Rows{ { L"6", L"新楼层", L"4", L"1", L"4", L"新楼层", L"" } }),
              Query(L"SELECT id, lcmc, showid, floortype, floorheight, remark, createmode "
                    L"FROM floor WHERE id = 6"));

    ClosePanel();
    OpenPanel();
    const HTREEITEM hReopened = Item(1, 6, L"");
    ASSERT_NE(nullptr, hReopened);
    EXPECT_EQ(folders, ChildLabels(Tree(), hReopened));
}

TEST_F(AddTest, FirstFloorOfAnEmptyProjectIsOne)
{
    OpenPanel();
    Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_ADD_FLOOR, 0);
    ASSERT_NE(nullptr, Item(1, 1, L""));
    CSQLDataSet* pFloors = Ctrl().m_pFolderManager->m_pFloorDataSet;
    ASSERT_EQ(1, pFloors->GetRowCount());
    EXPECT_EQ(1, pFloors->GetAsInteger(L"ordernum", 1));
}

TEST_F(AddTest, AddListChoiceOutsideTheListOrShownAlreadyAddsNothing)
{
    SeedProject();
    OpenPanel();
    const HTREEITEM hBeams = Item(2, 1, L"10");
    TreeView_SelectItem(Tree(), hBeams);
    Ctrl().m_pFolderManager->BuildAddFolderList(1, L"10"); // 次梁 only

    // Past the list: the exception is reported and caught; the host and the tree go on.
    for (UINT nId : { ID_COMTREE_ADD_FOLDER_FIRST + 1, ID_COMTREE_ADD_FOLDER_LAST })
        Ctrl().SendMessage(WM_COMMAND, nId, 0);
    EXPECT_EQ(std::vector<std::wstring>{ L"框架梁" }, ChildLabels(Tree(), hBeams));
    EXPECT_TRUE(IsWindow(m_host.GetSafeHwnd()));

    // The entry is shown once; the same choice again finds its row shown and adds nothing.
    Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_ADD_FOLDER_FIRST, 0);
    Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_ADD_FOLDER_FIRST, 0);
    EXPECT_EQ((std::vector<std::wstring>{ L"框架梁", L"次梁" }), ChildLabels(Tree(), hBeams));
    CSQLDataSet* pFolders = Ctrl().m_pFolderManager->m_pComFolderDataSet;
    const int nRow = Ctrl().m_pFolderManager->FindFolderRow(L"12", 1);
    EXPECT_EQ(1, pFolders->GetAsInteger(L"initcreate", nRow));
    EXPECT_EQ(
        0, pFolders->GetAsInteger(L"initcreate", Ctrl().m_pFolderManager->FindFolderRow(L"12", 0)));
}

TEST_F(AddTest, DefaultNamesFollowThePrefixTableAndTheFloorsCount)
{
    SeedProject(); // floor 1 holds three components of type 111
    OpenPanel();
    struct Case
    {
        int nFloor, nType;
        const wchar_t* pszName;
    };
    const Case kCases[] = {
        { 1, 111, L"KL-3" },  { 0, 111, L"KL-0" },  { 1, 125, L"JZL-0" }, { 1, 131, L"JZL-0" },
        { 1, 531, L"CT4-0" }, { 1, 532, L"CT3-0" }, { 1, 719, L"PC-0" },  { 1, 541, L"灌注桩-0" },
        { 1, 199, L"-0" },    { 1, 0, L"-0" },      { 1, 720, L"-0" },
    };
    for (const Case& c : kCases) {
        m_boxes.boxes.clear();
        EXPECT_EQ(c.pszName, std::wstring(Ctrl().GetNewTreeNodeName(c.nFloor, c.nType))) << c.nType;
        const bool bMissing = c.pszName[0] == L'-';
        ASSERT_EQ(bMissing ? 1u : 0u, m_boxes.boxes.size()) << c.nType;
        if (bMissing) {
            EXPECT_EQ(L"新构件名称缺少!", m_boxes.boxes[0].text);
        }
    }
    // No uniqueness: with KL-1 gone the next number is one that exists already.
    Exec(L"DELETE FROM component WHERE comname = 'KL-1'", {});
    EXPECT_EQ(L"KL-2", std::wstring(Ctrl().GetNewTreeNodeName(1, 111)));
}

TEST_F(AddTest, HostRejectsOrNamesTheWizardsComponent)
{
    SeedProject();
    OpenPanel();
    const HTREEITEM hFrameBeams = Item(2, 1, L"11");
    const std::vector<std::wstring> before = ChildLabels(Tree(), hFrameBeams);
    const int nRows = ComponentCount();

    // Cancelled: nothing asked, nothing stored.
    AddThroughWizard(hFrameBeams, 0);
    // Rejected: its row and results are gone, no item came.
    AnswerNewComponents(true, nullptr);
    AddThroughWizard(hFrameBeams, 111);
    EXPECT_EQ(1, g_answer.nAsked);
    EXPECT_EQ(nRows, ComponentCount());
    EXPECT_EQ(L"0", Query(L"SELECT count(*) FROM componentresult")[0][0]);
    EXPECT_EQ(before, ChildLabels(Tree(), hFrameBeams));

    // A name set before the command is not used; one set while the host is asked is.
    Ctrl().SetComName(0, L"旧名");
    AnswerNewComponents(false, nullptr);
    AddThroughWizard(hFrameBeams, 111);
    AnswerNewComponents(false, L"边梁");
    AddThroughWizard(hFrameBeams, 111);
    EXPECT_EQ((Rows{ { L"KL-4", L"111", L"1", L"11" }, { L"边梁", L"111", L"1", L"11" } }),
              Query(L"SELECT comname, comtype, volume, folderid FROM component "
                    L"WHERE id > (SELECT max(id) - 2 FROM component) ORDER BY id"));
    std::vector<std::wstring> after = before;
    after.push_back(L"KL-4*1");
    after.push_back(L"边梁*1");
    EXPECT_EQ(after, ChildLabels(Tree(), hFrameBeams));
    const CParamProp* pNew = Ctrl().GetItemProp(Ctrl().GetSelectedItem());
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ(L"边梁", std::wstring(pNew->m_strName));
    EXPECT_TRUE(Ctrl().m_strComName.IsEmpty());
}

// Its type, name, place and set-up on the sample project: the add-custom-component session.
TEST_F(AddTest, CustomComponentNeedsATypeAndAFolderThatTakesIt)
{
    SeedProject();
    Exec(L"UPDATE comfolder SET comtype = 0 WHERE comfolderid = '21'", {});
    OpenPanel();
    const int nRows = ComponentCount();
    // A folder of type 0 is refused with the message; a floor or a component, which the menus
    // never offer it on, is passed over.
    for (HTREEITEM hItem : { Item(2, 1, L"21"), Item(1, 1, L""), Item(3, 1, L"1") }) {
        const std::vector<std::wstring> before = ChildLabels(Tree(), hItem);
        TreeView_SelectItem(Tree(), hItem);
        Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_USER_COMPONENT, 0);
        Ctrl().SendMessage(WM_COMMAND, ID_COMTREE_ADD_USER_FOLD, 0);
        EXPECT_EQ(before, ChildLabels(Tree(), hItem));
    }
    EXPECT_EQ(nRows, ComponentCount());
    ASSERT_EQ(1u, m_boxes.boxes.size());
    EXPECT_EQ(L"新增自定义钢筋出错.", m_boxes.boxes[0].text);
}

} // namespace
