// The demo host's main frame in this process, on a sample project: what it shows for the
// module's messages, how it answers them, and opening a file that is not a project.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "afxwin.h"
#include "ComTreeHost.h"
#include "FwTestSupport.h"
#include "DemoProcess.h"
#include "MenuText.h"
#include "demo/DemoFrame.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"
#include "tree/ParamProp.h"

namespace {

int AnswerOk(LPCTSTR pszText, LPCTSTR, UINT, void* pContext)
{
    static_cast<std::wstring*>(pContext)->append(pszText).append(L"\n");
    return IDOK;
}

class DemoFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_strPath = TempProjectPath(L"dfr");
        ASSERT_EQ("", WriteSampleProject(m_strPath));
        KxMfc::Fun::SetSysDataPath(COMTREE_SAMPLE_DATA_DIR);
        UIFunction::SetMessageBoxHandler(&AnswerOk, &m_strBoxes);
        ASSERT_TRUE(m_frame.CreateFrame(TRUE));
        CString strError;
        ASSERT_TRUE(m_frame.OpenProject(m_strPath.c_str(), &strError)) << strError.GetString();
        m_nRecords = CParamProp::GetLiveCount();
    }
    void TearDown() override
    {
        if (m_frame.GetSafeHwnd())
            m_frame.DestroyWindow();
        MSG msg; // the frame posts WM_QUIT when it goes; keep it from the next test
        PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(0, CParamProp::GetLiveCount()) << "records left behind";
        UIFunction::SetMessageBoxHandler(NULL);
        CProjectDatabase::Close();
        DeleteFileW(m_strPath.c_str());
    }
    CCompoentsTreeCtrl& Tree() { return m_frame.GetPanel()->m_treeCtrl; }
    HTREEITEM FirstOfKind(int nKind)
    {
        for (HTREEITEM h = Tree().GetRootItem(); h; h = Tree().GetNextItemEx(h, TVGN_EX_ALL))
            if (Tree().GetItemProp(h) && Tree().GetItemProp(h)->m_nNodeType == nKind)
                return h;
        return NULL;
    }

    std::wstring m_strPath, m_strBoxes;
    CDemoFrame m_frame;
    LONG m_nRecords = 0;
};

} // namespace

TEST_F(DemoFrameTest, TitleNamesTheProjectAndThePanelFillsTheLeftSide)
{
    CAccessProject_ProjectInfoTable info;
    CString strTitle;
    m_frame.GetWindowText(strTitle);
    EXPECT_EQ(0, strTitle.Find(info.GetProjectName())) << strTitle.GetString();

    m_frame.MoveWindow(0, 0, 700, 500);
    PumpUntilIdle();
    CRect rcClient, rcPanel;
    m_frame.GetClientRect(&rcClient);
    m_frame.GetPanel()->GetWindowRect(&rcPanel);
    m_frame.ScreenToClient(&rcPanel);
    EXPECT_EQ(0, rcPanel.left);
    EXPECT_EQ(0, rcPanel.top);
    EXPECT_EQ(rcClient.Height(), rcPanel.Height());
    EXPECT_LT(rcPanel.Width(), rcClient.Width() / 2);
}

TEST_F(DemoFrameTest, SelectingAComponentLogsItsRecordAndShowsItsStoredRow)
{
    m_frame.ShowFirstComponent(FALSE);
    HTREEITEM hCom = FirstOfKind(CParamProp::NodeComponent);
    ASSERT_NE(nullptr, hCom);
    const CParamProp* p = Tree().GetItemProp(hCom);
    INT_PTR nBefore = m_frame.GetLog().GetSize();
    ASSERT_TRUE(ClickTreeItem(Tree().GetSafeHwnd(), hCom));
    PumpUntilIdle();

    ASSERT_EQ(nBefore + 1, m_frame.GetLog().GetSize());
    CString strLine = m_frame.GetLog()[m_frame.GetLog().GetSize() - 1];
    EXPECT_EQ(0, strLine.Find(L"0x465")) << strLine.GetString();
    EXPECT_NE(-1, strLine.Find(L"构件")) << strLine.GetString();
    EXPECT_NE(-1, strLine.Find(L"id " + p->m_strID + L" ")) << strLine.GetString();
    EXPECT_NE(-1, strLine.Find(L"名称 " + p->m_strName)) << strLine.GetString();

    CProjectConnection conn;
    std::vector<std::vector<std::wstring>> rows;
    ASSERT_TRUE(conn.Open(m_strPath.c_str(), FALSE));
    ASSERT_TRUE(conn.Query(L"SELECT comname, comtype FROM component WHERE id = ?1",
                           { p->m_strID.GetString() }, rows));
    ASSERT_EQ(1u, rows.size());
    CString strRow = m_frame.GetSelectedRowText();
    EXPECT_NE(-1, strRow.Find(rows[0][0].c_str())) << strRow.GetString();
    EXPECT_NE(-1, strRow.Find((L"类型 " + rows[0][1]).c_str())) << strRow.GetString();

    // A floor: logged too, and the row says no component is selected.
    ASSERT_TRUE(ClickTreeItem(Tree().GetSafeHwnd(), FirstOfKind(CParamProp::NodeFloor)));
    PumpUntilIdle();
    EXPECT_NE(-1, m_frame.GetLog()[m_frame.GetLog().GetSize() - 1].Find(L"楼层"));
    EXPECT_EQ(-1, m_frame.GetSelectedRowText().Find(rows[0][0].c_str()));
}

TEST_F(DemoFrameTest, AnswersAddComponentWithTheProposedIdAndLogsOpenRequests)
{
    EXPECT_EQ(4711, m_frame.SendMessage(WM_COMTREE_NEWCOMPONENT, 0, 4711));
    HTREEITEM hCom = FirstOfKind(CParamProp::NodeComponent);
    LPARAM lRecord = reinterpret_cast<LPARAM>(Tree().GetItemProp(hCom));
    m_frame.SendMessage(WM_COMTREE_OPENFOLDER, 0, lRecord);
    m_frame.SendMessage(WM_COMTREE_OPENCOMPONENT, 0, lRecord);
    m_frame.SendMessage(WM_COMTREE_BATCHMODIFY, (WPARAM)hCom, lRecord);
    m_frame.SendMessage(WM_COMTREE_COUNTAPPLIED, 0, 0); // no record: logged, nothing read
    const CStringArray& log = m_frame.GetLog();
    ASSERT_GE(log.GetSize(), 5);
    INT_PTR n = log.GetSize();
    EXPECT_EQ(0, log[n - 5].Find(L"0x464")) << log[n - 5].GetString();
    EXPECT_NE(-1, log[n - 5].Find(L"4711"));
    EXPECT_EQ(0, log[n - 4].Find(L"0x466"));
    EXPECT_EQ(0, log[n - 3].Find(L"0x467"));
    EXPECT_EQ(0, log[n - 2].Find(L"0x469"));
    EXPECT_EQ(0, log[n - 1].Find(L"0x465"));
    EXPECT_NE(-1, log[n - 1].Find(L"无记录"));
}

TEST_F(DemoFrameTest, AFileThatIsNotAProjectLeavesTheOpenProjectShown)
{
    std::wstring bad = m_strPath + L".txt";
    WriteBytes(bad, "plain text, not a project\n");
    CString strError;
    EXPECT_FALSE(m_frame.OpenProject(bad.c_str(), &strError));
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_EQ("plain text, not a project\n", FileBytes(bad));
    ASSERT_NE(nullptr, m_frame.GetPanel());
    CAccessProject_ProjectInfoTable info;
    EXPECT_EQ(info.GetProjectName(), Tree().GetItemText(Tree().GetRootItem()));
    EXPECT_NE(nullptr, FirstOfKind(CParamProp::NodeComponent));
    DeleteFileW(bad.c_str());
}

TEST_F(DemoFrameTest, SaveCommitsTheFloorsWhoseFoldersWereCreated)
{
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(40003 /* 保存 */, 0), 0);
    CProjectConnection conn;
    std::vector<std::vector<std::wstring>> rows;
    ASSERT_TRUE(conn.Open(m_strPath.c_str(), FALSE));
    ASSERT_TRUE(conn.Query(L"SELECT COUNT(*) FROM floor WHERE createmode = 1", {}, rows));
    EXPECT_EQ(L"0", rows[0][0]);
    ASSERT_TRUE(conn.Query(
        L"SELECT COUNT(*) FROM floor WHERE id NOT IN (SELECT floorid FROM comfolder)", {}, rows));
    EXPECT_EQ(L"0", rows[0][0]);
    EXPECT_NE(-1, m_frame.GetLog()[m_frame.GetLog().GetSize() - 1].Find(L"已保存"));
}

TEST_F(DemoFrameTest, NewProjectIsNamedAfterItsFileAndNeverReplacesOne)
{
    std::wstring fresh = m_strPath + L".新工程.sqlite";
    DeleteFileW(fresh.c_str());
    CString strError;
    ASSERT_TRUE(m_frame.NewProject(fresh.c_str(), &strError)) << strError.GetString();
    std::wstring title = fresh.substr(fresh.find_last_of(L"\\/") + 1);
    title = title.substr(0, title.size() - 7); // without ".sqlite"
    EXPECT_EQ(title, std::wstring(Tree().GetItemText(Tree().GetRootItem()).GetString()));
    EXPECT_EQ(nullptr, FirstOfKind(CParamProp::NodeFloor));
    CString strTitle;
    m_frame.GetWindowText(strTitle);
    EXPECT_EQ(0, strTitle.Find(title.c_str()));

    // The sample file exists: refused, untouched, and the new project stays shown.
    const std::string before = FileBytes(m_strPath);
    EXPECT_FALSE(m_frame.NewProject(m_strPath.c_str(), &strError));
    EXPECT_FALSE(strError.IsEmpty());
    EXPECT_EQ(before, FileBytes(m_strPath));
    EXPECT_EQ(title, std::wstring(Tree().GetItemText(Tree().GetRootItem()).GetString()));
    m_frame.CloseProject();
    CProjectDatabase::Close();
    DeleteFileW(fresh.c_str());
}

namespace {
HWND g_hCommandTarget = NULL;
std::vector<UINT> g_arrTargetCommands;

LRESULT CALLBACK RecordTargetCommand(int nCode, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (nCode == HC_ACTION && p->hwnd == g_hCommandTarget && p->message == WM_COMMAND)
        g_arrTargetCommands.push_back(LOWORD(p->wParam));
    return CallNextHookEx(NULL, nCode, wParam, lParam);
}
} // namespace

TEST_F(DemoFrameTest, ComponentMenuIsTheTreesMenuOfTheSelectedItemAndGoesToTheTree)
{
    HMENU hBar = ::GetMenu(m_frame.GetSafeHwnd());
    wchar_t szTitle[32] = L"";
    GetMenuStringW(hBar, 1, szTitle, 32, MF_BYPOSITION);
    ASSERT_STREQ(L"构件(&C)", szTitle);
    HMENU hPopup = GetSubMenu(hBar, 1);

    // Refilled at every opening, submenus included.
    HTREEITEM hBeams = NULL;
    for (HTREEITEM h = Tree().GetRootItem(); h && !hBeams; h = Tree().GetNextItemEx(h, TVGN_EX_ALL))
        if (Tree().GetItemProp(h)->m_nFloorID == 1 && Tree().GetItemProp(h)->m_strID == L"10")
            hBeams = h;
    Tree().SelectItem(hBeams);
    m_frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, 1);
    EXPECT_EQ(L"添加(&T)|>承台梁|>基础连梁|>添加自定义文件夹(&U)|删除(&D):grayed|重命名(&R)|-|"
              L"剪切(&X)|快速复制(&Q)|复制(&C)|批量修改(&M)",
              DescribeMenu(hPopup));
    Tree().SelectItem(NULL);
    m_frame.SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, 1);
    EXPECT_EQ(L"（请先在构件树中选择）:grayed", DescribeMenu(hPopup));

    // A menu command the frame does not handle reaches the tree control.
    g_hCommandTarget = Tree().GetSafeHwnd();
    g_arrTargetCommands.clear();
    HHOOK hHook = SetWindowsHookExW(WH_CALLWNDPROC, RecordTargetCommand, NULL,
                                    GetCurrentThreadId());
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(ID_COMTREE_MODIFY_BATCH, 0), 0);
    m_frame.SendMessage(WM_COMMAND, MAKEWPARAM(40003 /* 保存 */, 0), 0);
    UnhookWindowsHookEx(hHook);
    EXPECT_EQ(std::vector<UINT>{ ID_COMTREE_MODIFY_BATCH }, g_arrTargetCommands);
}
