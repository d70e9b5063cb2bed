#include "EditFixture.h"

#include "MenuText.h"
#include "resources/resource.h"

#ifndef COMTREE_SAMPLE_DATA_DIR
#error "COMTREE_SAMPLE_DATA_DIR names the source tree's samples/data"
#endif

namespace {

// A thread timer reads the popup from inside the menu's own modal loop, then closes it.
std::wstring* g_pCapturedMenu = nullptr;

void CALLBACK CaptureMenuTick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND hPopup = FindWindowW(L"#32768", NULL);
    if (g_pCapturedMenu == nullptr || !g_pCapturedMenu->empty() || hPopup == NULL
        || !IsWindowVisible(hPopup))
        return;
    *g_pCapturedMenu = DescribeMenu((HMENU)SendMessageW(hPopup, MN_GETHMENU, 0, 0));
    PostMessageW(hPopup, WM_KEYDOWN, VK_ESCAPE, 1);
}

} // namespace

void EditTest::SetUp()
{
    ASSERT_TRUE(IsOpen());
    KxMfc::Fun::SetSysDataPath(COMTREE_SAMPLE_DATA_DIR);
    ASSERT_TRUE(m_host.CreateEx(0, NULL, L"host",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 500, 700,
                                NULL, NULL));
    m_nRecordsBefore = CParamProp::GetLiveCount();
}

void EditTest::TearDown()
{
    ClosePanel();
    EXPECT_EQ(m_nRecordsBefore, CParamProp::GetLiveCount()) << "records left behind";
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
}

void EditTest::SeedProject()
{
    AddFloor(0, L"基础", 1);
    AddFloor(1, L"首", 2);
    for (int nFloor : { 0, 1 }) {
        AddFolder(nFloor, L"10", L"", L"梁", 0, 0, 1);
        AddFolder(nFloor, L"11", L"10", L"框架梁", 1, 1, 1);
        AddFolder(nFloor, L"12", L"10", L"次梁", 1, 0, 0);
        AddFolder(nFloor, L"20", L"", L"柱", 0, 0, 1);
        AddFolder(nFloor, L"21", L"20", L"框架柱", 1, 0, 1);
    }
    AddFolder(1, L"100", L"11", L"标准间", 1, 1, 1);
    AddComponent(1, L"11", L"KL-1");
    AddComponent(1, L"100", L"KL-2");
    AddComponent(1, L"21", L"KZ-1");
}

void EditTest::OpenPanel(bool bByFloor)
{
    CAccessProject_ProjectInfoTable info;
    ASSERT_TRUE(info.SetProjectInfo_ParmValue(L"GJJG", bByFloor ? L"按楼层" : L"按构件"));
    m_pPanel = new CDlg_ComTree(&m_host);
    ASSERT_TRUE(m_pPanel->Create(IDD_DLG_COMTREE, &m_host));
    m_pPanel->InitTree(info.GetProjectName());
    ASSERT_EQ(bByFloor ? 1 : 0, m_pPanel->m_bByFloor);
    m_pPanel->MoveWindow(0, 0, 300, 650);
    m_pPanel->ShowWindow(SW_SHOW);
    ExpandAll();
}

void EditTest::ExpandAll()
{
    for (HTREEITEM h = Root(); h; h = Ctrl().GetNextItemEx(h, TVGN_EX_ALL))
        TreeView_Expand(Tree(), h, TVE_EXPAND);
    PumpUntilIdle();
}

void EditTest::ClosePanel()
{
    if (!m_pPanel)
        return;
    m_pPanel->m_treeCtrl.FreeAllData();
    m_pPanel->DestroyWindow();
    delete m_pPanel;
    m_pPanel = nullptr;
}

HTREEITEM EditTest::Item(int nKind, int nFloorId, LPCWSTR pszId, HTREEITEM hUnder)
{
    HTREEITEM hStart = hUnder ? hUnder : Root();
    HTREEITEM hEnd = hUnder ? TreeView_GetNextSibling(Tree(), hUnder) : NULL;
    for (HTREEITEM h = hStart; h && h != hEnd; h = Ctrl().GetNextItemEx(h, TVGN_EX_ALL)) {
        const CParamProp* p = Ctrl().GetItemProp(h);
        if (p && p->m_nNodeType == nKind && p->m_nFloorID == nFloorId && p->m_strID == pszId)
            return h;
    }
    return NULL;
}

std::wstring EditTest::RightClickAt(POINT pt)
{
    std::wstring strMenu;
    g_pCapturedMenu = &strMenu;
    const UINT_PTR nTimer = SetTimer(NULL, 0, 10, CaptureMenuTick);
    // The release is queued first: the tree view's own press handling waits for it.
    PostMessageW(Tree(), WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
    SendMessageW(Tree(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    KillTimer(NULL, nTimer);
    g_pCapturedMenu = nullptr;
    PumpUntilIdle();
    return strMenu;
}

std::wstring EditTest::RightClick(HTREEITEM hItem)
{
    EXPECT_NE(nullptr, hItem);
    TreeView_EnsureVisible(Tree(), hItem);
    const POINT pt = TreeItemPoint(Tree(), hItem);
    EXPECT_GE(pt.x, 0) << "item without a rectangle";
    return RightClickAt(pt);
}

std::wstring EditTest::HostMenu()
{
    CMenu* pMenu = Ctrl().GetMenu();
    return pMenu ? DescribeMenu(pMenu->GetSafeHmenu()) : L"null";
}

void EditTest::HoldCopy(HTREEITEM hSource)
{
    const CParamProp* pSource = Ctrl().GetItemProp(hSource);
    ASSERT_NE(nullptr, pSource);
    const HTREEITEM hParent = TreeView_GetParent(Tree(), hSource);
    const CParamProp* pParent = Ctrl().GetItemProp(hParent);
    CTreeCopyInfo& clip = Ctrl().CopyInfo;
    clip.multiCopyPending = clip.multiCutPending = 0;
    clip.isCopy = clip.hasSource = 1;
    clip.sourceId = pSource->m_strID;
    clip.sourceFloorId = pSource->m_nFloorID;
    clip.sourceType = pSource->m_nNodeType;
    clip.sourceComType = pSource->m_nComType;
    clip.sourceParentId = pParent ? pParent->m_strID : CString();
    clip.sourceParentItem = hParent;
}
