#include "ScriptSession.h"

#include <cmath>
#include <set>
#include <vector>
#include "ComTreeHost.h"
#include "DemoProcess.h"
#include "DemoScript.h"
#include "demo/DemoFrame.h"
#include "panel/Dlg_ComTree.h"
#include "tree/CompoentsTreeCtrl.h"
#include "tree/ParamProp.h"

namespace {

// Boxes outside a script's steps (while the tree is built) take their default answer.
int AnswerDefault(LPCTSTR, LPCTSTR, UINT nStyle, void*)
{
    const UINT nButtons = nStyle & MB_TYPEMASK;
    return nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL ? IDNO : IDOK;
}

class CFrameSite : public IDemoScriptSite
{
public:
    explicit CFrameSite(CDemoFrame& frame) : m_frame(frame) {}
    HWND GetTreeWnd() override { return m_frame.GetPanel()->m_treeCtrl.GetSafeHwnd(); }
    CCompoentsTreeCtrl* GetTreeCtrl() override { return &m_frame.GetPanel()->m_treeCtrl; }
    HWND GetCountEdit() override { return m_frame.GetPanel()->m_editNum.GetSafeHwnd(); }
    HWND GetRadio(bool bByFloor) override
    {
        return bByFloor ? m_frame.GetPanel()->m_radioByFloor.GetSafeHwnd()
                        : m_frame.GetPanel()->m_radioByComponent.GetSafeHwnd();
    }
    HWND GetFrameWnd() override { return m_frame.GetSafeHwnd(); }
    void RejectNextComponent() override { m_frame.RejectNextComponent(); }
    void NameNextComponent(const std::wstring& strName) override
    {
        m_frame.NameNextComponent(strName.c_str());
    }
    void MoveAtNextOpen(int nComId, const std::wstring& strFolderId) override
    {
        m_frame.MoveAtNextOpen(nComId, strFolderId.c_str());
    }

private:
    CDemoFrame& m_frame;
};

// The handles the control keeps between commands: they must name items of the tree (or none).
class CTreeProbe : public CCompoentsTreeCtrl
{
public:
    std::vector<HTREEITEM> KeptHandles()
    {
        std::vector<HTREEITEM> v = { cutItem, CopyInfo.sourceParentItem, m_hFirstItem, m_hPressItem,
                                     m_hAnchorItem };
        for (INT_PTR i = 0; i < m_arrOpItems.GetSize(); ++i)
            v.push_back(m_arrOpItems[i]);
        for (INT_PTR i = 0; i < m_arrSelItems.GetSize(); ++i)
            v.push_back(m_arrSelItems[i]);
        return v;
    }
};

} // namespace

CScriptSession::CScriptSession() {}
CScriptSession::~CScriptSession() { Close(); }

bool CScriptSession::Open(const std::wstring& path, std::wstring* pWhy)
{
    Close();
    const std::string strErr = WriteSampleProject(path);
    if (!strErr.empty()) {
        *pWhy = std::wstring(strErr.begin(), strErr.end());
        return false;
    }
    KxMfc::Fun::SetSysDataPath(COMTREE_SAMPLE_DATA_DIR);
    UIFunction::SetMessageBoxHandler(&AnswerDefault, nullptr);
    m_nRecordsBefore = CParamProp::GetLiveCount();
    m_pFrame.reset(new CDemoFrame);
    CString strError;
    if (!m_pFrame->CreateFrame(TRUE) || !m_pFrame->OpenProject(path.c_str(), &strError)) {
        *pWhy = L"cannot open " + path + L": " + strError.GetString();
        Close();
        return false;
    }
    return true;
}

void CScriptSession::Close()
{
    if (!m_pFrame)
        return;
    if (m_pFrame->GetSafeHwnd())
        m_pFrame->DestroyWindow();
    m_pFrame.reset();
    MSG msg; // the frame posts WM_QUIT when it goes
    while (PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    CProjectDatabase::Close();
    UIFunction::SetMessageBoxHandler(NULL);
}

int CScriptSession::Run(const std::wstring& text, std::wstring* pOut)
{
    CDemoScript script;
    std::wstring strWhy;
    if (!script.Parse(text, &strWhy)) {
        if (pOut)
            *pOut = L"parse: " + strWhy;
        return 2;
    }
    m_pFrame->SetMessageObserver(
        [&script](UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT lResult) {
            script.NoteHostMessage(nMsg, wParam, lParam, lResult);
        });
    std::wstring strOut;
    CFrameSite site(*m_pFrame);
    const int rc = script.Run(&site, [&strOut](const std::wstring& s) { strOut += s; });
    m_pFrame->SetMessageObserver(nullptr);
    if (rc != 0)
        strOut += L"error: " + script.GetError() + L"\n";
    if (pOut)
        *pOut = strOut;
    return rc;
}

std::wstring CScriptSession::Tables()
{
    static const wchar_t* const kTables[] = {
        L"SELECT * FROM floor ORDER BY id",
        L"SELECT * FROM comfolder ORDER BY floorid, comfolderid",
        L"SELECT * FROM component ORDER BY id",
        L"SELECT * FROM componentresult ORDER BY resultid",
        L"SELECT * FROM comsetup ORDER BY comid, parmname",
        L"SELECT * FROM projectinfo ORDER BY parmname",
    };
    std::wstring text;
    for (const wchar_t* sql : kTables) {
        std::vector<std::vector<std::wstring>> rows;
        if (!CProjectDatabase::GetConnection()->Query(sql, {}, rows))
            return L"<cannot read> " + std::wstring(sql);
        text += sql;
        text += L"\n";
        for (const auto& row : rows) {
            for (const auto& v : row)
                text += v + L"|";
            text += L"\n";
        }
    }
    return text;
}

CCompoentsTreeCtrl& CScriptSession::Tree() { return m_pFrame->GetPanel()->m_treeCtrl; }
HWND CScriptSession::TreeWnd() { return Tree().GetSafeHwnd(); }

std::wstring CScriptSession::PathOf(HTREEITEM hItem)
{
    std::wstring path;
    for (HTREEITEM h = hItem; h; h = TreeView_GetParent(TreeWnd(), h)) {
        wchar_t text[512] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = h;
        item.pszText = text;
        item.cchTextMax = _countof(text);
        TreeView_GetItem(TreeWnd(), &item);
        path = path.empty() ? std::wstring(text) : std::wstring(text) + L" / " + path;
    }
    return path;
}

std::wstring CScriptSession::CheckTree()
{
    CCompoentsTreeCtrl& tree = Tree();
    std::set<HTREEITEM> items;
    for (HTREEITEM h = tree.GetRootItem(); h; h = tree.GetNextItemEx(h, TVGN_EX_ALL)) {
        items.insert(h);
        const CParamProp* p = tree.GetItemProp(h);
        if (!p)
            return L"an item without a record: " + PathOf(h);
        if (p->m_nNodeType != CParamProp::NodeComponent)
            continue;
        const CParamProp* pFolder = nullptr;
        for (HTREEITEM a = TreeView_GetParent(TreeWnd(), h); a && !pFolder;
             a = TreeView_GetParent(TreeWnd(), a)) {
            const CParamProp* q = tree.GetItemProp(a);
            if (q && q->m_nNodeType == CParamProp::NodeFolder)
                pFolder = q;
        }
        std::vector<std::vector<std::wstring>> rows;
        CProjectDatabase::GetConnection()->Query(
            L"SELECT floorid, folderid, comname, volume FROM component WHERE id = ?1",
            { p->m_strID.GetString() }, rows);
        if (rows.size() != 1)
            return L"no row for the component item " + PathOf(h);
        const auto& r = rows[0];
        if (r[0] != std::to_wstring(p->m_nFloorID) || !pFolder
            || r[1] != pFolder->m_strID.GetString() || r[2] != p->m_strName.GetString()
            || std::fabs(_wtof(r[3].c_str()) - p->m_fVolume) > 1e-3 * (1 + std::fabs(p->m_fVolume)))
            return L"the component item " + PathOf(h) + L" differs from its row " + r[0] + L"|"
                + r[1] + L"|" + r[2] + L"|" + r[3];
    }
    const long nRecords = CParamProp::GetLiveCount() - m_nRecordsBefore;
    if (nRecords != static_cast<long>(items.size()))
        return std::to_wstring(items.size()) + L" items but " + std::to_wstring(nRecords)
            + L" live records";
    for (HTREEITEM h : static_cast<CTreeProbe&>(tree).KeptHandles())
        if (h && h != TVI_ROOT && !items.count(h))
            return L"a kept handle names a removed item";
    return L"";
}

std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &s[0], n, nullptr, nullptr);
    return s;
}
