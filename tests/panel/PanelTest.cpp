// The panel on a real project: the stored layout, the quantity field's checks, what the field
// shows for each kind of item, the host message on every selection change, the pixel layout
// and Enter. Items are selected by clicks at their label rectangles.
#include "PanelFixture.h"

#include "resources/resource.h"

using Kind = CParamProp::TreeNodeType;

namespace {

// The kinds of the project item's children: floors in the by-floor layout, category
// folders in the by-component layout.
std::vector<int> TopKinds(CDlg_ComTree* pPanel)
{
    std::vector<int> kinds;
    CTreeCtrl& tree = pPanel->m_treeCtrl;
    for (HTREEITEM h = tree.GetChildItem(tree.GetRootItem()); h; h = tree.GetNextSiblingItem(h))
        kinds.push_back(reinterpret_cast<CParamProp*>(tree.GetItemData(h))->m_nNodeType);
    return kinds;
}

CRect ChildRect(CWnd* pParent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Layout stored in the project ("GJJG")

TEST_F(PanelTest, NewProjectOpensByFloorWithByFloorChecked)
{
    WriteStandardProject();
    CreatePanel();
    EXPECT_EQ(1, m_pPanel->m_bByFloor);
    EXPECT_TRUE(IsChecked(IDC_RADIO_BYFLOOR));
    EXPECT_FALSE(IsChecked(IDC_RADIO_BYCOMPONENT));
    EXPECT_EQ((std::vector<int>{ Kind::NodeFloor, Kind::NodeFloor }), TopKinds(m_pPanel));
    EXPECT_EQ(L"<none>", Value(L"SELECT parmvalue FROM projectinfo WHERE parmname = 'GJJG'"));
}

TEST_F(PanelTest, RadioClicksStoreTheLayoutAndTheNextPanelOpensInIt)
{
    WriteStandardProject();
    CreatePanel();
    ::SendMessageW(::GetDlgItem(m_pPanel->GetSafeHwnd(), IDC_RADIO_BYCOMPONENT), BM_CLICK, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(L"按构件", Value(L"SELECT parmvalue FROM projectinfo WHERE parmname = 'GJJG'"));
    EXPECT_EQ(0, m_pPanel->m_bByFloor);
    EXPECT_TRUE(IsChecked(IDC_RADIO_BYCOMPONENT));
    EXPECT_FALSE(IsChecked(IDC_RADIO_BYFLOOR));
    std::vector<int> kinds = TopKinds(m_pPanel);
    ASSERT_FALSE(kinds.empty());
    for (int k : kinds)
        EXPECT_EQ(Kind::NodeFolder, k);

    // A new panel on the same project: the template checks 按楼层 first, InitTree restores.
    DestroyPanel();
    CreatePanel();
    EXPECT_EQ(0, m_pPanel->m_bByFloor);
    EXPECT_TRUE(IsChecked(IDC_RADIO_BYCOMPONENT));
    EXPECT_FALSE(IsChecked(IDC_RADIO_BYFLOOR));
    EXPECT_EQ(kinds, TopKinds(m_pPanel));

    m_pPanel->OnRadioByfloor();
    EXPECT_EQ(L"按楼层", Value(L"SELECT parmvalue FROM projectinfo WHERE parmname = 'GJJG'"));
    EXPECT_EQ(1, m_pPanel->m_bByFloor);
    EXPECT_TRUE(IsChecked(IDC_RADIO_BYFLOOR));
    EXPECT_EQ((std::vector<int>{ Kind::NodeFloor, Kind::NodeFloor }), TopKinds(m_pPanel));
    // Rebuilding never leaves records of the earlier trees behind.
    LONG nItems = (LONG)TreeView_GetCount(Tree());
    EXPECT_EQ(m_nRecordsBefore + nItems, CParamProp::GetLiveCount());
}

TEST_F(PanelTest, AnUnknownStoredValueKeepsTheLayoutShown)
{
    WriteStandardProject();
    SetLayoutValue(L"按构件");
    CreatePanel();
    ASSERT_EQ(0, m_pPanel->m_bByFloor);
    SetLayoutValue(L"竖排");
    m_pPanel->ReBuildTree();
    EXPECT_EQ(0, m_pPanel->m_bByFloor);
    EXPECT_TRUE(IsChecked(IDC_RADIO_BYCOMPONENT));
    EXPECT_EQ(Kind::NodeFolder, TopKinds(m_pPanel).at(0));
    EXPECT_EQ(L"测试工程", Label(TreeView_GetRoot(Tree())));
}

// ---------------------------------------------------------------------------------------------
// The quantity field's checks

TEST_F(PanelTest, AcceptedCountTextsAreAppliedStoredAndAnnounced)
{
    WriteStandardProject();
    CreatePanel();
    HTREEITEM hKL1 = FindItem(Kind::NodeComponent, 1, L"1");
    Click(hKL1);
    struct Case
    {
        const wchar_t* text;
        float volume;
    };
    for (const Case& c : { Case{ L"12", 12.0f }, Case{ L"1.5", 1.5f }, Case{ L"", 0.0f } }) {
        SCOPED_TRACE(c.text);
        m_host.m_arrCounts.clear();
        TypeCount(c.text);
        EXPECT_TRUE(m_boxes.boxes.empty());
        EXPECT_FLOAT_EQ(c.volume, Prop(hKL1)->m_fVolume);
        EXPECT_EQ(std::wstring(L"KL-1*") + c.text, Label(hKL1));
        EXPECT_FLOAT_EQ(c.volume, std::stof(Value(L"SELECT volume FROM component WHERE id = 1")));
        ASSERT_EQ(1u, m_host.m_arrCounts.size());
        EXPECT_EQ(Prop(hKL1), m_host.m_arrCounts[0].pRecord);
        EXPECT_EQ(std::wstring(c.text), m_pPanel->GetSelTreeNodeNum().GetString());
    }
}

TEST_F(PanelTest, RejectedCountTextsShowTheirMessageAndChangeNothing)
{
    WriteStandardProject();
    CreatePanel();
    HTREEITEM hKL1 = FindItem(Kind::NodeComponent, 1, L"1");
    Click(hKL1);
    struct Case
    {
        const wchar_t* text;
        const wchar_t* message;
    };
    const Case cases[] = {
        { L".5", L"第一位不能是小数点" },   { L"1.2.3", L"小数点个数不能大于1" },
        { L"1a", L"不能输入非数字字符" },   { L"-1", L"不能输入非数字字符" },
        { L"1..", L"小数点个数不能大于1" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        m_boxes.boxes.clear();
        m_host.m_arrCounts.clear();
        ::SetFocus(Tree());
        TypeCount(c.text);
        ASSERT_EQ(1u, m_boxes.boxes.size());
        EXPECT_EQ(std::wstring(c.message), m_boxes.boxes[0].text);
        EXPECT_EQ(L"错误提示", m_boxes.boxes[0].caption);
        EXPECT_EQ((UINT)MB_OK, m_boxes.boxes[0].style & 0xF);
        EXPECT_EQ(CountField(), ::GetFocus());
        EXPECT_EQ(std::wstring(c.text), CountText()); // left as typed
        EXPECT_FLOAT_EQ(2.5f, Prop(hKL1)->m_fVolume);
        EXPECT_EQ(L"KL-1*2.500", Label(hKL1));
        EXPECT_FLOAT_EQ(2.5f, std::stof(Value(L"SELECT volume FROM component WHERE id = 1")));
        EXPECT_TRUE(m_host.m_arrCounts.empty());
    }
}

// ---------------------------------------------------------------------------------------------
// What the field shows for each kind of selected item, and the host message that follows

TEST_F(PanelTest, FieldFollowsTheKindOfTheSelectedItem)
{
    WriteStandardProject();
    CreatePanel();
    struct Case
    {
        HTREEITEM item;
        BOOL enabled;
        const wchar_t* text;
    };
    const Case cases[] = {
        { FindItem(Kind::NodeComponent, 1, L"1"), TRUE, L"2.500" },
        { FindItem(Kind::NodeFloor, 1, L""), FALSE, L"" },
        { FindItem(Kind::NodeComponent, 1, L"2"), TRUE, L"3" },
        { FindItem(Kind::NodeFolder, 1, L"11"), FALSE, L"" },
        { FindItem(Kind::NodeFolder, 1, L"100"), TRUE, L"4" },
        { TreeView_GetRoot(Tree()), FALSE, L"" },
    };
    for (const Case& c : cases) {
        ASSERT_NE(nullptr, c.item);
        SCOPED_TRACE(Label(c.item));
        Click(c.item);
        EXPECT_EQ(c.enabled, ::IsWindowEnabled(CountField()));
        EXPECT_EQ(std::wstring(c.text), CountText());
        EXPECT_EQ(Label(c.item), std::wstring(m_pPanel->GetSelTreeNodeName().GetString()));
    }
}

TEST_F(PanelTest, EverySelectionChangeSendsTheHostTheNewItemsRecord)
{
    WriteStandardProject();
    CreatePanel();
    // The build leaves the first floor selected; start elsewhere.
    const HTREEITEM items[] = {
        FindItem(Kind::NodeComponent, 1, L"3"), FindItem(Kind::NodeFolder, 1, L"21"),
        FindItem(Kind::NodeComponent, 1, L"4"), FindItem(Kind::NodeFloor, 1, L""),
        FindItem(Kind::NodeFloor, 0, L""), // floor after floor: the field was empty already
    };
    for (HTREEITEM h : items) {
        ASSERT_NE(nullptr, h);
        SCOPED_TRACE(Label(h));
        m_host.m_arrCounts.clear();
        Click(h);
        ASSERT_EQ(1u, m_host.m_arrCounts.size());
        const CountMessage& m = m_host.m_arrCounts[0];
        EXPECT_EQ(Prop(h), m.pRecord);
        EXPECT_EQ(Prop(h)->m_nNodeType, m.nKind);
        EXPECT_EQ(Prop(h)->m_nFloorID, m.nFloorId);
        EXPECT_EQ(Prop(h)->m_strID.GetString(), m.strId);
    }
}

// Re-showing a count stores it again but changes nothing, and a count typed on a rule folder
// or floor is not applied, though the host is still told.
TEST_F(PanelTest, CountsOnRuleFoldersAndFloorsChangeNothing)
{
    WriteStandardProject();
    CreatePanel();
    HTREEITEM hFolder = FindItem(Kind::NodeFolder, 1, L"11");
    Click(hFolder);
    std::wstring label = Label(hFolder);
    m_host.m_arrCounts.clear();
    TypeCount(L"7");
    EXPECT_EQ(label, Label(hFolder));
    EXPECT_FLOAT_EQ(
        1.0f,
        std::stof(Value(L"SELECT volume FROM comfolder WHERE comfolderid = '11' AND floorid = 1")));
    ASSERT_EQ(1u, m_host.m_arrCounts.size());
    EXPECT_EQ(Prop(hFolder), m_host.m_arrCounts[0].pRecord);

    HTREEITEM hUser = FindItem(Kind::NodeFolder, 1, L"100");
    Click(hUser);
    TypeCount(L"5");
    EXPECT_EQ(L"标准间*5", Label(hUser));
    EXPECT_FLOAT_EQ(
        5.0f,
        std::stof(
            Value(L"SELECT volume FROM comfolder WHERE comfolderid = '100' AND floorid = 1")));
    // KL-3 (2) inside the user folder: its total follows the folder's new count.
    EXPECT_FLOAT_EQ(10.0f, std::stof(Value(L"SELECT sumvolume FROM component WHERE id = 3")));
}

// ---------------------------------------------------------------------------------------------
// Pixel layout and keyboard

TEST_F(PanelTest, ResizeLaysTheControlsOutFromTheBottom)
{
    WriteStandardProject();
    CreatePanel();
    CRect rcGroupBefore = ChildRect(m_pPanel, m_pPanel->m_staticGroup);
    m_pPanel->MoveWindow(0, 0, 260, 400); // no frame: the client is the window
    CRect rcClient;
    m_pPanel->GetClientRect(&rcClient);
    ASSERT_EQ(400, rcClient.Height());
    const int cx = rcClient.Width();

    EXPECT_EQ(CRect(2, 10, 2 + cx, 300), ChildRect(m_pPanel, m_pPanel->m_treeCtrl));
    EXPECT_EQ(CRect(95, 370, 185, 390), ChildRect(m_pPanel, m_pPanel->m_editNum));
    EXPECT_EQ(CRect(10, 375, 100, 400), ChildRect(m_pPanel, m_pPanel->m_staticNum));
    EXPECT_EQ(CRect(25, 330, 85, 350), ChildRect(m_pPanel, m_pPanel->m_radioByFloor));
    EXPECT_EQ(CRect(115, 330, 175, 350), ChildRect(m_pPanel, m_pPanel->m_radioByComponent));
    CRect rcGroup = ChildRect(m_pPanel, m_pPanel->m_staticGroup);
    EXPECT_EQ(CPoint(10, 310), rcGroup.TopLeft());
    EXPECT_EQ(rcGroupBefore.Size(), rcGroup.Size());
}

TEST_F(PanelTest, EnterInThePanelDoesNotCloseIt)
{
    WriteStandardProject();
    CreatePanel();
    Click(FindItem(Kind::NodeComponent, 1, L"1"));
    ::SetFocus(CountField());
    PostKey(CountField(), VK_RETURN);
    m_pPanel->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    PumpUntilIdle();
    EXPECT_TRUE(::IsWindow(m_pPanel->GetSafeHwnd()));
    EXPECT_TRUE(m_pPanel->IsWindowVisible());
    EXPECT_EQ(L"2.500", CountText());
    EXPECT_TRUE(m_boxes.boxes.empty());
}

// Two components selected with Ctrl: the field keeps the first one's count and the host is
// not told again; a click on a single item afterwards shows its count as usual.
TEST_F(PanelTest, TwoSelectedComponentsLeaveTheFieldAsItWas)
{
    WriteStandardProject();
    CreatePanel();
    HTREEITEM hKL1 = FindItem(Kind::NodeComponent, 1, L"1");
    HTREEITEM hKL2 = FindItem(Kind::NodeComponent, 1, L"2");
    Click(hKL1);
    ASSERT_EQ(L"2.500", CountText());
    m_host.m_arrCounts.clear();
    Click(hKL2, MK_CONTROL);
    ASSERT_EQ(2, (int)m_pPanel->m_treeCtrl.m_arrSelItems.GetSize());
    EXPECT_EQ(L"2.500", CountText());
    EXPECT_TRUE(::IsWindowEnabled(CountField()));
    EXPECT_TRUE(m_host.m_arrCounts.empty());
    EXPECT_FLOAT_EQ(3.0f, Prop(hKL2)->m_fVolume);

    Click(FindItem(Kind::NodeComponent, 1, L"4"));
    EXPECT_EQ(L"1", CountText());
    EXPECT_EQ(1u, m_host.m_arrCounts.size());
}
