#include "DemoFrame.h"

#include <commdlg.h>
#include <algorithm>
#include <string>
#include <vector>
#include "ComTreeHost.h"
#include "MenuText.h"
#include "folders/ComFolderManager.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"
#include "tree/ComTreeMessages.h"
#include "tree/ParamProp.h"

namespace {

enum : UINT
{
    ID_PROJECT_NEW = 40001,
    ID_PROJECT_OPEN,
    ID_PROJECT_SAVE,
    ID_APP_EXIT_DEMO,
};

// Posted after a failed write: the command that failed ends before the offer is made.
const UINT WM_DEMO_OFFERRELOAD = WM_APP + 1;

const int kGap = 8;
const int kLabelHeight = 20;
const int kRowHeight = 64;

const wchar_t* KindText(int nKind)
{
    switch (nKind) {
    case CParamProp::NodeProject:
        return L"工程";
    case CParamProp::NodeFloor:
        return L"楼层";
    case CParamProp::NodeFolder:
        return L"构件夹";
    case CParamProp::NodeComponent:
        return L"构件";
    }
    return L"?";
}

// "种类 楼层 id 类型 数量 名称" of a record the module handed over; the host only reads it.
CString DescribeRecord(LPARAM lParam)
{
    const CParamProp* p = reinterpret_cast<const CParamProp*>(lParam);
    if (!p)
        return L"（无记录）";
    CString s;
    s.Format(L"%ls  楼层 %d  id %ls  类型 %d  数量 %g  名称 %ls", KindText(p->m_nNodeType),
             p->m_nFloorID, p->m_strID.IsEmpty() ? L"-" : p->m_strID.GetString(), p->m_nComType,
             (double)p->m_fVolume, p->m_strName.GetString());
    return s;
}

CString FileTitle(LPCTSTR pszPath)
{
    CString strPath = pszPath;
    int nSlash = std::max(strPath.ReverseFind(L'\\'), strPath.ReverseFind(L'/'));
    CString strName = strPath.Mid(nSlash + 1);
    int nDot = strName.ReverseFind(L'.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

// Appends copies of hFrom's entries to hTo; a submenu becomes a new popup that hTo owns.
void CopyMenuEntries(HMENU hFrom, HMENU hTo)
{
    for (const MenuEntry& e : ReadMenu(hFrom)) {
        if (e.bSeparator) {
            AppendMenuW(hTo, MF_SEPARATOR, 0, NULL);
            continue;
        }
        UINT nFlags = MF_STRING | (e.bGrayed ? MF_GRAYED : 0);
        UINT_PTR nItem = e.nId;
        if (e.hSub) {
            HMENU hSub = CreatePopupMenu();
            CopyMenuEntries(e.hSub, hSub);
            nFlags |= MF_POPUP;
            nItem = (UINT_PTR)hSub;
        }
        AppendMenuW(hTo, nFlags, nItem, e.text.c_str());
    }
}

BOOL AskPath(HWND hOwner, BOOL bSave, CString& strPath)
{
    wchar_t file[MAX_PATH] = L"";
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = hOwner;
    ofn.lpstrFilter = L"工程文件 (*.sqlite)\0*.sqlite\0所有文件 (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"sqlite";
    ofn.Flags = bSave ? OFN_PATHMUSTEXIST : (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    if (!(bSave ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)))
        return FALSE;
    strPath = file;
    return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_PROJECT_NEW, &CDemoFrame::OnNewProject)
    ON_COMMAND(ID_PROJECT_OPEN, &CDemoFrame::OnOpenProject)
    ON_COMMAND(ID_PROJECT_SAVE, &CDemoFrame::OnSave)
    ON_COMMAND(ID_APP_EXIT_DEMO, &CDemoFrame::OnExit)
    ON_MESSAGE(WM_COMTREE_NEWCOMPONENT, &CDemoFrame::OnAddComponent)
    ON_MESSAGE(WM_COMTREE_COUNTAPPLIED, &CDemoFrame::OnCountApplied)
    ON_MESSAGE(WM_COMTREE_OPENFOLDER, &CDemoFrame::OnOpenFolder)
    ON_MESSAGE(WM_COMTREE_OPENCOMPONENT, &CDemoFrame::OnOpenComponent)
    ON_MESSAGE(WM_COMTREE_BATCHMODIFY, &CDemoFrame::OnBatchModify)
    ON_MESSAGE(WM_CLOSE, &CDemoFrame::OnClose)
    ON_MESSAGE(WM_INITMENUPOPUP, &CDemoFrame::OnInitMenuPopup)
    ON_MESSAGE(WM_DEMO_OFFERRELOAD, &CDemoFrame::OnOfferReload)
END_MESSAGE_MAP()

CDemoFrame::CDemoFrame()
    : m_pPanel(NULL), m_hComponentMenu(NULL), m_hRowLabel(NULL), m_hRowText(NULL),
      m_hLogLabel(NULL), m_hLog(NULL), m_hFont(NULL), m_nNextAnswer(NewComponentAnswer::Accept),
      m_nMoveComId(0), m_bReloadOffered(FALSE)
{}

CDemoFrame::~CDemoFrame()
{
    if (m_hWnd)
        DestroyWindow();
    if (m_hFont)
        DeleteObject(m_hFont);
}

BOOL CDemoFrame::CreateFrame(BOOL bVisible)
{
    HMENU hProject = CreatePopupMenu();
    AppendMenuW(hProject, MF_STRING, ID_PROJECT_NEW, L"新建工程(&N)...");
    AppendMenuW(hProject, MF_STRING, ID_PROJECT_OPEN, L"打开工程(&O)...");
    AppendMenuW(hProject, MF_STRING, ID_PROJECT_SAVE, L"保存(&S)");
    AppendMenuW(hProject, MF_SEPARATOR, 0, NULL);
    // The tree's command: OnCommand routes it there.
    AppendMenuW(hProject, MF_STRING, ID_COMTREE_ADD_FLOOR, L"添加楼层");
    AppendMenuW(hProject, MF_SEPARATOR, 0, NULL);
    AppendMenuW(hProject, MF_STRING, ID_APP_EXIT_DEMO, L"退出(&X)");
    HMENU hMenu = CreateMenu();
    AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hProject, L"工程(&F)");
    m_hComponentMenu = CreatePopupMenu();
    AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)m_hComponentMenu, L"构件(&C)");

    DWORD dwStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (bVisible ? WS_VISIBLE : 0);
    if (!CreateEx(0, NULL, L"构件树演示", dwStyle, 20, 20, 900, 640, NULL, hMenu)) {
        DestroyMenu(hMenu);
        return FALSE;
    }
    // The same face the module's template asks for, so both halves read alike.
    m_hFont = CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0,
                          L"宋体");
    HINSTANCE hInst = GetModuleHandleW(NULL);
    m_hRowLabel = CreateWindowExW(0, L"STATIC", L"选中构件（工程中的记录）", WS_CHILD | WS_VISIBLE,
                                  0, 0, 0, 0, m_hWnd, NULL, hInst, NULL);
    m_hRowText = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                 WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 0, 0, 0, 0,
                                 m_hWnd, NULL, hInst, NULL);
    m_hLogLabel = CreateWindowExW(0, L"STATIC", L"模块发来的消息", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                  0, m_hWnd, NULL, hInst, NULL);
    m_hLog = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                             0, 0, 0, 0, m_hWnd, NULL, hInst, NULL);
    for (HWND h : { m_hRowLabel, m_hRowText, m_hLogLabel, m_hLog })
        ::SendMessageW(h, WM_SETFONT, (WPARAM)m_hFont, FALSE);
    CManageSteelMainFrame::Instance()->SetSteelMainFrame(m_hWnd);
    CProjectDatabase::SetWriteFailureObserver(&CDemoFrame::OnWriteFailed, this);
    Layout();
    return TRUE;
}

void CDemoFrame::OnWriteFailed(void* pFrame)
{
    CDemoFrame* p = static_cast<CDemoFrame*>(pFrame);
    if (p->m_hWnd && !p->m_bReloadOffered) {
        p->m_bReloadOffered = TRUE;
        p->PostMessage(WM_DEMO_OFFERRELOAD, 0, 0);
    }
}

LRESULT CDemoFrame::OnOfferReload(WPARAM, LPARAM)
{
    if (CProjectDatabase::IsOpen()
        && UIFunction::KxMessageBox(L"刚才的修改没有保存到工程文件。是否重新载入工程，"
                                    L"显示文件中保存的内容？",
                                    L"", MB_YESNO)
            == IDYES) {
        const CString strPath = CProjectDatabase::GetPath();
        CString strError;
        if (!OpenProject(strPath, &strError))
            UIFunction::KxMessageBox(strError, L"", MB_OK);
    }
    // A failure while reloading offers nothing more: it would only ask the same again.
    m_bReloadOffered = FALSE;
    return 0;
}

BOOL CDemoFrame::OpenProject(LPCTSTR pszPath, CString* pError)
{
    CloseProject();
    BOOL bOpened = CProjectDatabase::Open(pszPath, pError);
    // A refused file leaves the previous project current; show that one again.
    if (CProjectDatabase::IsOpen())
        CreatePanel();
    UpdateTitle();
    return bOpened;
}

void CDemoFrame::CloseProject() { DestroyPanel(); }

BOOL CDemoFrame::CreatePanel()
{
    m_pPanel = new CDlg_ComTree(this);
    if (!m_pPanel->Create(IDD_DLG_COMTREE, this)) {
        delete m_pPanel;
        m_pPanel = NULL;
        return FALSE;
    }
    CAccessProject_ProjectInfoTable info;
    m_pPanel->InitTree(info.GetProjectName());
    CommitFolderData();
    m_pPanel->ShowWindow(SW_SHOW);
    Layout();
    return TRUE;
}

void CDemoFrame::DestroyPanel()
{
    if (!m_pPanel)
        return;
    CommitFolderData();
    m_pPanel->m_treeCtrl.FreeAllData();
    m_pPanel->DestroyWindow();
    delete m_pPanel;
    m_pPanel = NULL;
}

void CDemoFrame::CommitFolderData()
{
    if (!m_pPanel || !m_pPanel->m_treeCtrl.m_pFolderManager)
        return;
    CComFolderManager* pStore = m_pPanel->m_treeCtrl.m_pFolderManager;
    // One transaction: a save that fails halfway leaves the file as it was.
    CProjectConnectTransaction transaction;
    // Folders first: a floor marked done must never lack the folders it was given.
    if (pStore->m_pComFolderDataSet)
        pStore->m_pComFolderDataSet->DoSqlUpdate();
    if (pStore->m_pFloorDataSet)
        pStore->m_pFloorDataSet->DoSqlUpdate();
}

BOOL CDemoFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    // A frame in the dialog colour, so the panel and the labels on the right sit on the same
    // face as in a host's main window.
    static ATOM s_atom = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = GetModuleHandleW(NULL);
        wc.hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
        wc.hIcon = CSoftShowPicInfoOpr::GetSoftLogIcon(GetModuleHandleW(NULL));
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"ComTreeDemoFrame";
        return ::RegisterClassExW(&wc);
    }();
    if (!cs.lpszClass && s_atom) {
        cs.lpszClass = L"ComTreeDemoFrame";
        cs.hInstance = GetModuleHandleW(NULL);
    }
    return CWnd::PreCreateWindow(cs);
}

void CDemoFrame::ShowFirstComponent(BOOL bSelect)
{
    if (!m_pPanel)
        return;
    CCompoentsTreeCtrl& tree = m_pPanel->m_treeCtrl;
    for (HTREEITEM h = tree.GetRootItem(); h; h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
        const CParamProp* p = tree.GetItemProp(h);
        if (!p || p->m_nNodeType != CParamProp::NodeComponent)
            continue;
        HTREEITEM hFloor = tree.GetParentItem(h);
        while (hFloor && tree.GetItemProp(hFloor)
               && tree.GetItemProp(hFloor)->m_nNodeType != CParamProp::NodeFloor)
            hFloor = tree.GetParentItem(hFloor);
        // Everything below that floor, so its folders and components show with their icons.
        HTREEITEM hEnd = hFloor ? tree.GetNextSiblingItem(hFloor) : NULL;
        for (HTREEITEM e = hFloor; e && e != hEnd; e = tree.GetNextItemEx(e, TVGN_EX_ALL))
            tree.Expand(e, TVE_EXPAND);
        if (bSelect)
            tree.SelectItem(h);
        tree.EnsureVisible(tree.GetRootItem());
        tree.EnsureVisible(h);
        return;
    }
}

void CDemoFrame::UpdateTitle()
{
    CString strTitle = L"构件树演示";
    if (CProjectDatabase::IsOpen()) {
        CAccessProject_ProjectInfoTable info;
        strTitle = info.GetProjectName() + L" - " + strTitle;
    }
    SetWindowText(strTitle);
}

void CDemoFrame::Layout()
{
    if (!m_hWnd)
        return;
    CRect rc;
    GetClientRect(&rc);
    int nPanelWidth = 0;
    if (m_pPanel && m_pPanel->m_hWnd) {
        CRect rcPanel;
        m_pPanel->GetWindowRect(&rcPanel);
        nPanelWidth = rcPanel.Width();
        m_pPanel->MoveWindow(0, 0, nPanelWidth, rc.Height());
    }
    int x = nPanelWidth + kGap, w = std::max(0, rc.Width() - x - kGap);
    int y = kGap;
    ::MoveWindow(m_hRowLabel, x, y, w, kLabelHeight, TRUE);
    y += kLabelHeight;
    ::MoveWindow(m_hRowText, x, y, w, kRowHeight, TRUE);
    y += kRowHeight + kGap;
    ::MoveWindow(m_hLogLabel, x, y, w, kLabelHeight, TRUE);
    y += kLabelHeight;
    ::MoveWindow(m_hLog, x, y, w, std::max(0, (int)rc.bottom - y - kGap), TRUE);
}

void CDemoFrame::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    Layout();
}

void CDemoFrame::AddLog(const CString& strLine)
{
    m_arrLog.Add(strLine);
    if (m_hLog) {
        int n = (int)::SendMessageW(m_hLog, LB_ADDSTRING, 0, (LPARAM)strLine.GetString());
        ::SendMessageW(m_hLog, LB_SETTOPINDEX, n, 0);
    }
}

void CDemoFrame::ShowSelectedRow(const void* pRecord)
{
    const CParamProp* p = static_cast<const CParamProp*>(pRecord);
    CString strRow = L"（选中的不是构件）";
    if (p && p->m_nNodeType == CParamProp::NodeComponent) {
        strRow = L"（工程中没有这条构件）";
        std::vector<std::vector<std::wstring>> rows;
        CProjectConnection* pConn = CProjectDatabase::GetConnection();
        if (pConn
            && pConn->Query(
                L"SELECT comname, comtype, volume, sumvolume FROM component WHERE id = ?1",
                { std::wstring(p->m_strID.GetString()) }, rows)
            && !rows.empty()) {
            const std::vector<std::wstring>& r = rows[0];
            strRow.Format(L"名称 %ls\r\n类型 %ls    数量 %ls    合计 %ls", r[0].c_str(),
                          r[1].c_str(), r[2].c_str(), r[3].empty() ? L"-" : r[3].c_str());
        }
    }
    m_strSelectedRow = strRow;
    if (m_hRowText)
        ::SetWindowTextW(m_hRowText, strRow);
}

// Logs the message as "<number> <meaning>  <detail>" and tells the observer.
LRESULT CDemoFrame::Observed(UINT nMsg, LPCTSTR pszMeaning, const CString& strDetail, WPARAM wParam,
                             LPARAM lParam, LRESULT lResult)
{
    CString strLine;
    strLine.Format(L"0x%x %ls  %ls", nMsg, pszMeaning, strDetail.GetString());
    AddLog(strLine);
    if (m_fnObserver)
        m_fnObserver(nMsg, wParam, lParam, lResult);
    return lResult;
}

void CDemoFrame::RejectNextComponent()
{
    m_nNextAnswer = NewComponentAnswer::Reject;
    m_strNextName.Empty();
}

void CDemoFrame::NameNextComponent(const CString& strName)
{
    m_nNextAnswer = NewComponentAnswer::Name;
    m_strNextName = strName;
}

LRESULT CDemoFrame::OnAddComponent(WPARAM wParam, LPARAM lParam)
{
    const NewComponentAnswer nAnswer = m_nNextAnswer;
    m_nNextAnswer = NewComponentAnswer::Accept;
    CString strDetail;
    LRESULT lResult = lParam; // the id the module proposed
    if (nAnswer == NewComponentAnswer::Reject) {
        strDetail.Format(L"id %d  拒绝", (int)lParam);
        lResult = -1;
    } else if (nAnswer == NewComponentAnswer::Name && m_pPanel) {
        // While the message is handled the tree takes the name for this component.
        m_pPanel->m_treeCtrl.SetComName(0, m_strNextName);
        strDetail.Format(L"id %d  接受，命名 %ls", (int)lParam, m_strNextName.GetString());
    } else {
        strDetail.Format(L"id %d  接受", (int)lParam);
    }
    return Observed(WM_COMTREE_NEWCOMPONENT, L"新增构件", strDetail, wParam, lParam, lResult);
}

LRESULT CDemoFrame::OnCountApplied(WPARAM wParam, LPARAM lParam)
{
    ShowSelectedRow(reinterpret_cast<const void*>(lParam));
    return Observed(WM_COMTREE_COUNTAPPLIED, L"数量", DescribeRecord(lParam), wParam, lParam, 0);
}

void CDemoFrame::MoveAtNextOpen(int nComId, const CString& strFolderId)
{
    m_nMoveComId = nComId;
    m_strMoveFolderId = strFolderId;
}

void CDemoFrame::ApplyPendingMove()
{
    if (m_nMoveComId == 0 || !m_pPanel)
        return;
    const int nComId = m_nMoveComId;
    m_nMoveComId = 0;
    CAccessProject_Components_GJTable table;
    CSQLDataSet* pRow = table.GetDataSet(nComId);
    const int nFloorId = pRow ? pRow->GetAsInteger(L"floorid", 1) : 0;
    // Without a row nothing moves; the tree is asked all the same and keeps the request.
    CString strLine;
    strLine.Format(pRow != NULL && table.ModifyOneRow(nComId, nFloorId, m_strMoveFolderId)
                       ? L"移动构件 id %d 到构件夹 %ls"
                       : L"移动构件 id %d 到构件夹 %ls：工程中没有这条构件",
                   nComId, m_strMoveFolderId.GetString());
    delete pRow;
    AddLog(strLine);
    m_pPanel->m_treeCtrl.m_nMoveComId = nComId;
    m_pPanel->m_treeCtrl.m_bMovePending = 1;
}

LRESULT CDemoFrame::OnOpenFolder(WPARAM wParam, LPARAM lParam)
{
    ApplyPendingMove();
    return Observed(WM_COMTREE_OPENFOLDER, L"打开构件夹", DescribeRecord(lParam), wParam, lParam,
                    0);
}

LRESULT CDemoFrame::OnOpenComponent(WPARAM wParam, LPARAM lParam)
{
    ApplyPendingMove();
    return Observed(WM_COMTREE_OPENCOMPONENT, L"打开构件", DescribeRecord(lParam), wParam, lParam,
                    0);
}

LRESULT CDemoFrame::OnBatchModify(WPARAM wParam, LPARAM lParam)
{
    return Observed(WM_COMTREE_BATCHMODIFY, L"批量修改", DescribeRecord(lParam), wParam, lParam, 0);
}

LRESULT CDemoFrame::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if ((HMENU)wParam == m_hComponentMenu && !HIWORD(lParam))
        FillComponentMenu();
    return 0;
}

void CDemoFrame::FillComponentMenu()
{
    while (GetMenuItemCount(m_hComponentMenu) > 0)
        DeleteMenu(m_hComponentMenu, 0, MF_BYPOSITION); // destroys the copied submenus too
    CMenu* pMenu = m_pPanel ? m_pPanel->m_treeCtrl.GetMenu() : NULL;
    if (pMenu && pMenu->GetSafeHmenu())
        CopyMenuEntries(pMenu->GetSafeHmenu(), m_hComponentMenu);
    if (GetMenuItemCount(m_hComponentMenu) == 0)
        AppendMenuW(m_hComponentMenu, MF_STRING | MF_GRAYED, 0, L"（请先在构件树中选择）");
}

BOOL CDemoFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam))
        return TRUE;
    // The commands of 构件(&C) are the tree's: its message map handles them.
    if (lParam == 0 && m_pPanel && m_pPanel->m_treeCtrl.GetSafeHwnd()) {
        m_pPanel->m_treeCtrl.SendMessage(WM_COMMAND, wParam, 0);
        return TRUE;
    }
    return FALSE;
}

void CDemoFrame::OnNewProject()
{
    CString strPath;
    if (!AskPath(m_hWnd, TRUE, strPath))
        return;
    CString strError;
    if (!NewProject(strPath, &strError))
        UIFunction::KxMessageBox(strError, L"", MB_OK);
}

BOOL CDemoFrame::NewProject(LPCTSTR pszPath, CString* pError)
{
    CloseProject();
    // An existing file is refused, never replaced; the project that was open stays open.
    BOOL bCreated = CProjectDatabase::Create(pszPath, FileTitle(pszPath), pError);
    if (CProjectDatabase::IsOpen())
        CreatePanel();
    UpdateTitle();
    return bCreated;
}

void CDemoFrame::OnOpenProject()
{
    CString strPath;
    if (!AskPath(m_hWnd, FALSE, strPath))
        return;
    CString strError;
    if (!OpenProject(strPath, &strError))
        UIFunction::KxMessageBox(strError, L"", MB_OK);
}

void CDemoFrame::OnSave()
{
    CommitFolderData();
    AddLog(L"已保存");
}

void CDemoFrame::OnExit() { DestroyWindow(); }

LRESULT CDemoFrame::OnClose(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

void CDemoFrame::OnDestroy()
{
    CProjectDatabase::SetWriteFailureObserver(NULL, NULL);
    DestroyPanel();
    CWnd::OnDestroy();
    PostQuitMessage(0);
}
