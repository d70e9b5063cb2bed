#include "PanelFixture.h"

#include "resources/resource.h"

#ifndef COMTREE_SAMPLE_DATA_DIR
#error "COMTREE_SAMPLE_DATA_DIR names the source tree's samples/data"
#endif

LRESULT CRecordingHost::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMTREE_COUNTAPPLIED) {
        const CParamProp* p = reinterpret_cast<const CParamProp*>(lParam);
        CountMessage m = { p, -1, 0, L"", L"", 0.0f };
        if (p) {
            m.nKind = p->m_nNodeType;
            m.nFloorId = p->m_nFloorID;
            m.strId = p->m_strID.GetString();
            m.strName = p->m_strName.GetString();
            m.fVolume = p->m_fVolume;
        }
        m_arrCounts.push_back(m);
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void PanelTest::SetUp()
{
    KxMfc::Fun::SetSysDataPath(COMTREE_SAMPLE_DATA_DIR);
    ASSERT_TRUE(m_host.CreateEx(0, NULL, L"host",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 700,
                                NULL, NULL));
    m_nRecordsBefore = CParamProp::GetLiveCount();
}

void PanelTest::TearDown()
{
    DestroyPanel();
    EXPECT_EQ(m_nRecordsBefore, CParamProp::GetLiveCount()) << "records left behind";
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
}

void PanelTest::SetLayoutValue(LPCWSTR pszValue)
{
    CAccessProject_ProjectInfoTable info;
    ASSERT_TRUE(info.SetProjectInfo_ParmValue(L"GJJG", pszValue));
}

// Floor 0 (基础) and floor 1 (首): on each the beam category 10 with the frame-beam folder 11,
// and the column category 20 with 21. On floor 1: KL-1 (2.5) and KL-2 (3) in 11, the user
// folder 100 (count 4) in 11 holding KL-3 (2), and KZ-1 (1) in 21.
void PanelTest::WriteStandardProject()
{
    AddFloor(0, L"基础", 1);
    AddFloor(1, L"首", 2);
    for (int nFloor : { 0, 1 }) {
        AddFolder(nFloor, L"10", L"", L"梁");
        AddFolder(nFloor, L"11", L"10", L"框架梁");
        AddFolder(nFloor, L"20", L"", L"柱");
        AddFolder(nFloor, L"21", L"20", L"框架柱");
    }
    AddFolder(1, L"100", L"11", L"标准间", 1, 1, 4.0);
    AddComponent(1, L"11", L"KL-1", 2.5);
    AddComponent(1, L"11", L"KL-2", 3.0);
    AddComponent(1, L"100", L"KL-3", 2.0);
    AddComponent(1, L"21", L"KZ-1", 1.0);
}

void PanelTest::CreatePanel()
{
    m_pPanel = new CDlg_ComTree(&m_host);
    ASSERT_TRUE(m_pPanel->Create(IDD_DLG_COMTREE, &m_host));
    CAccessProject_ProjectInfoTable info;
    m_pPanel->InitTree(info.GetProjectName());
    m_pPanel->MoveWindow(0, 0, 300, 600);
    m_pPanel->ShowWindow(SW_SHOW);
    for (HTREEITEM h = TreeView_GetRoot(Tree()); h;
         h = m_pPanel->m_treeCtrl.GetNextItemEx(h, TVGN_EX_ALL))
        TreeView_Expand(Tree(), h, TVE_EXPAND);
    PumpUntilIdle();
}

void PanelTest::DestroyPanel()
{
    if (!m_pPanel)
        return;
    m_pPanel->m_treeCtrl.FreeAllData();
    m_pPanel->DestroyWindow();
    delete m_pPanel;
    m_pPanel = nullptr;
}

HTREEITEM PanelTest::FindItem(int nKind, int nFloorId, LPCWSTR pszId)
{
    for (HTREEITEM h = TreeView_GetRoot(Tree()); h;
         h = m_pPanel->m_treeCtrl.GetNextItemEx(h, TVGN_EX_ALL)) {
        const CParamProp* p = Prop(h);
        if (p && p->m_nNodeType == nKind && p->m_nFloorID == nFloorId && p->m_strID == pszId)
            return h;
    }
    return NULL;
}

CParamProp* PanelTest::Prop(HTREEITEM hItem) { return m_pPanel->m_treeCtrl.GetItemProp(hItem); }

std::wstring PanelTest::Label(HTREEITEM hItem)
{
    return m_pPanel->m_treeCtrl.GetItemText(hItem).GetString();
}

void PanelTest::Click(HTREEITEM hItem, UINT mkModifiers)
{
    ASSERT_NE(nullptr, hItem);
    TreeView_EnsureVisible(Tree(), hItem);
    ASSERT_TRUE(ClickTreeItem(Tree(), hItem, mkModifiers));
    PumpUntilIdle();
}

void PanelTest::TypeCount(LPCWSTR pszText)
{
    ::SetWindowTextW(CountField(), pszText);
    PumpUntilIdle(1);
}
