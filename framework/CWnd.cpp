#include "CWnd.h"
#include "CDC.h"
#include "CException.h"
#include "CDataExchange.h"
#include "FwThreadState.h"
#include <cstdio>
#include <exception>

// CWnd's own table is the end of every chain.
const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }
const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP map = { nullptr, entries };
    return &map;
}

namespace {

void ReportEscapedException(LPCWSTR what)
{
    wchar_t text[600];
    _snwprintf(text, 599, L"framework: exception escaped a message handler: %ls\n", what);
    text[599] = 0;
    OutputDebugStringW(text);
    fwprintf(stderr, L"%ls", text);
    fflush(stderr);
}

LRESULT CALLBACK FwGetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    FwThreadState& ts = FwThreadState::Get();
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* pMsg = reinterpret_cast<MSG*>(lParam);
        BOOL swallow = FALSE;
        try {
            swallow = pMsg->hwnd && pMsg->message != WM_NULL && CWnd::WalkPreTranslateTree(pMsg);
        } catch (CException* e) {
            ReportEscapedException(L"PreTranslateMessage");
            e->Delete();
        } catch (...) {
            ReportEscapedException(L"PreTranslateMessage");
        }
        if (swallow) {
            pMsg->message = WM_NULL;
            pMsg->wParam = 0;
            pMsg->lParam = 0;
        }
    }
    return CallNextHookEx(ts.hMsgHook, code, wParam, lParam);
}

} // namespace

FwThreadState& FwThreadState::Get()
{
    static thread_local FwThreadState state;
    return state;
}

void FwThreadState::EnsureMessageHook()
{
    if (!hMsgHook)
        hMsgHook = SetWindowsHookExW(WH_GETMESSAGE, FwGetMessageHook, NULL, GetCurrentThreadId());
}

void FwThreadState::PurgeTemporaries()
{
    // A temporary wrapper is only a handle; once its window is gone nobody may use it.
    for (auto it = tempWnds.begin(); it != tempWnds.end();) {
        if (!::IsWindow(it->first)) {
            delete it->second;
            it = tempWnds.erase(it);
        } else {
            ++it;
        }
    }
}

LRESULT CALLBACK FwCbtCreateHook(int code, WPARAM wParam, LPARAM lParam)
{
    FwThreadState& ts = FwThreadState::Get();
    if (code == HCBT_CREATEWND && ts.pWndInit) {
        CWnd* pWnd = ts.pWndInit;
        ts.pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(hWnd);
        pWnd->m_pfnSuper = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    }
    return CallNextHookEx(ts.hCbtHook, code, wParam, lParam);
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    FwThreadState& ts = FwThreadState::Get();
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    MSG saved = ts.current;
    ts.current.hwnd = hWnd;
    ts.current.message = message;
    ts.current.wParam = wParam;
    ts.current.lParam = lParam;
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        wchar_t msg[300] = {};
        e->GetErrorMessage(msg, 300);
        ReportEscapedException(msg);
        e->Delete();
    } catch (const std::exception& e) {
        wchar_t msg[300] = {};
        MultiByteToWideChar(CP_ACP, 0, e.what(), -1, msg, 299);
        ReportEscapedException(msg);
    } catch (...) {
        ReportEscapedException(L"unknown exception");
    }
    ts.current = saved;

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        // The window is gone: unbind, then let the object react (it may delete itself).
        if (pWnd->m_pfnSuper)
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

CWnd::CWnd() : m_hWnd(NULL), m_pfnSuper(nullptr) {}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper && ::IsWindow(m_hWnd)) {
            // The window outlives its object: it gets its own procedure back and is
            // destroyed, as MFC does, so no message reaches a dead object.
            ::DestroyWindow(m_hWnd);
        }
        if (m_hWnd)
            Detach();
    }
}

HWND CWnd::GetSafeHwnd() const { return this ? m_hWnd : NULL; }

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    FwThreadState& ts = FwThreadState::Get();
    auto it = ts.permanentWnds.find(hWnd);
    return it == ts.permanentWnds.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd))
        return p;
    FwThreadState& ts = FwThreadState::Get();
    auto it = ts.tempWnds.find(hWnd);
    if (it != ts.tempWnds.end())
        return it->second;
    if (ts.tempWnds.size() >= 64)
        ts.PurgeTemporaries();
    CWnd* p = new CWnd;
    p->m_hWnd = hWnd;
    ts.tempWnds[hWnd] = p;
    return p;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd)
        return FALSE;
    FwThreadState& ts = FwThreadState::Get();
    ts.EnsureMessageHook();
    m_hWnd = hWndNew;
    ts.permanentWnds[hWndNew] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) {
        FwThreadState& ts = FwThreadState::Get();
        auto it = ts.permanentWnds.find(h);
        if (it != ts.permanentWnds.end() && it->second == this)
            ts.permanentWnds.erase(it);
    }
    m_hWnd = NULL;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || FromHandlePermanent(hWnd) || !Attach(hWnd))
        return FALSE;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hCtrl = pParent ? ::GetDlgItem(pParent->m_hWnd, (int)nID) : NULL;
    return hCtrl ? SubclassWindow(hCtrl) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper) {
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::HookWindowCreate()
{
    FwThreadState& ts = FwThreadState::Get();
    if (!ts.hCbtHook)
        ts.hCbtHook = SetWindowsHookExW(WH_CBT, FwCbtCreateHook, NULL, GetCurrentThreadId());
    ts.pWndInit = this;
}

BOOL CWnd::UnhookWindowCreate()
{
    FwThreadState& ts = FwThreadState::Get();
    BOOL bound = ts.pWndInit == nullptr;
    ts.pWndInit = nullptr;
    if (ts.hCbtHook) {
        UnhookWindowsHookEx(ts.hCbtHook);
        ts.hCbtHook = NULL;
    }
    return bound;
}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCTW cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandleOfFramework();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    HookWindowCreate();
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y,
                                  cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                  cs.lpCreateParams);
    UnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass) {
        // A plain window of ours: the framework's own class, with double-clicks.
        static ATOM atom = [] {
            WNDCLASSEXW wc = {};
            wc.cbSize = sizeof(wc);
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = ::DefWindowProcW;
            wc.hInstance = AfxGetInstanceHandleOfFramework();
            wc.hCursor = ::LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
            wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
            wc.lpszClassName = L"FwWnd";
            return ::RegisterClassExW(&wc);
        }();
        (void)atom;
        cs.lpszClass = L"FwWnd";
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::GetOwner() const
{
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER) ? ::GetWindow(m_hWnd, GW_OWNER)
                                                    : ::GetParent(m_hWnd));
}
void CWnd::SetOwner(CWnd* pOwnerWnd)
{
    ::SetWindowLongPtrW(m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pOwnerWnd->GetSafeHwnd());
}
CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
BOOL CWnd::IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}
BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, NULL, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}
void CWnd::MoveWindow(LPCRECT r, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, r->left, r->top, r->right - r->left, r->bottom - r->top, bRepaint);
}
BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags);
}
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)lpRect, 2);
}
void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)lpRect, 2);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hOwner = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    RECT area, rc;
    if (hOwner && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
        ::GetWindowRect(hOwner, &area);
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(m_hWnd, &rc);
    int x = area.left + ((area.right - area.left) - (rc.right - rc.left)) / 2;
    int y = area.top + ((area.bottom - area.top) - (rc.bottom - rc.top)) / 2;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_STYLE); }
DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE); }

static BOOL ModifyWindowLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD old = (DWORD)::GetWindowLongPtrW(hWnd, nIndex);
    DWORD now = (old & ~dwRemove) | dwAdd;
    if (now == old)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, nIndex, (LONG_PTR)now);
    if (nFlags)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}
BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)::SendMessageW(m_hWnd, WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL,
                                 (LPARAM)hIcon);
}

void CWnd::SetWindowText(LPCWSTR lpszString) { ::SetWindowTextW(m_hWnd, lpszString); }
int CWnd::GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(n), n + 1);
    rString.ReleaseBuffer();
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck)
{
    ::CheckDlgButton(m_hWnd, nIDButton, nCheck);
}
UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return ::IsDlgButtonChecked(m_hWnd, nIDButton);
}
void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}
void CWnd::SetDlgItemText(int nID, LPCWSTR lpszString)
{
    ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}
int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    rString.Empty();
    if (!h)
        return 0;
    int n = ::GetWindowTextLengthW(h);
    ::GetWindowTextW(h, rString.GetBuffer(n), n + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* e) {
        // A field failed validation; the user has been told and the focus is on it.
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(MSG* pMsg)
{
    // From the target upwards, stopping after the top-level window: an owned popup's
    // owner is not part of its chain.
    for (HWND h = pMsg->hwnd; h;) {
        if (CWnd* p = FromHandlePermanent(h)) {
            if (p->PreTranslateMessage(pMsg))
                return TRUE;
        }
        if (!::IsWindow(h) || !(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD))
            break;
        h = ::GetParent(h);
    }
    return FALSE;
}

const MSG* CWnd::GetCurrentMessage() { return &FwThreadState::Get().current; }

LRESULT CWnd::Default()
{
    const MSG& m = FwThreadState::Get().current;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == nMessage && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID)
                return e;
        }
    }
    return nullptr;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult)
            *pResult = lResult;
        return TRUE;
    }
    UINT nCode = 0;
    if (message == WM_REFLECT_BASE + WM_NOTIFY)
        nCode = reinterpret_cast<NMHDR*>(lParam)->code;
    else if (message == WM_REFLECT_BASE + WM_COMMAND)
        nCode = HIWORD(wParam);
    const AFX_MSGMAP_ENTRY* e = FindEntry(message, nCode, 0);
    if (!e)
        return FALSE;
    if (message == WM_REFLECT_BASE + WM_NOTIFY && pResult)
        lResult = *pResult;
    BOOL handled = DispatchEntry(e, message, wParam, lParam, &lResult);
    if (pResult)
        *pResult = lResult;
    return handled;
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT* pResult)
{
    AFX_PMSG pfn = e->pfn;
    switch (e->nSig) {
    case AfxSig_vv:
    case AfxSigCmd_v:
        (this->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (this->*AfxFromPmsg<BOOL (CWnd::*)()>(pfn))();
    case AfxSig_vwp:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, CPoint)>(pfn))((UINT)wParam, CPoint(lParam));
        return TRUE;
    case AfxSig_vwww:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam),
                                                                    HIWORD(lParam));
        return TRUE;
    case AfxSig_vt:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        return TRUE;
    case AfxSig_vwii:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, int, int)>(pfn))(
            (UINT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
        return TRUE;
    case AfxSig_vwl:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        return TRUE;
    case AfxSig_hv:
        *pResult = (LRESULT)(this->*AfxFromPmsg<HCURSOR (CWnd::*)()>(pfn))();
        return TRUE;
    case AfxSig_is:
        *pResult = (this->*AfxFromPmsg<int (CWnd::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        return TRUE;
    case AfxSig_vW:
        (this->*AfxFromPmsg<void (CWnd::*)(CWnd*)>(pfn))(FromHandle((HWND)wParam));
        return TRUE;
    case AfxSig_bD: {
        CDC dc((HDC)wParam);
        *pResult = (this->*AfxFromPmsg<BOOL (CWnd::*)(CDC*)>(pfn))(&dc);
        return TRUE;
    }
    case AfxSig_vWp:
        (this->*AfxFromPmsg<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle((HWND)wParam),
                                                                 CPoint(lParam));
        return TRUE;
    case AfxSig_lwl:
        *pResult = (this->*AfxFromPmsg<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        return TRUE;
    case AfxSigCmd_RANGE:
        (this->*AfxFromPmsg<void (CWnd::*)(UINT)>(pfn))(LOWORD(wParam));
        return TRUE;
    case AfxSigNotify_v:
        (this->*AfxFromPmsg<void (CWnd::*)(NMHDR*, LRESULT*)>(pfn))((NMHDR*)lParam, pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (this->*AfxFromPmsg<BOOL (CWnd::*)(NMHDR*, LRESULT*)>(pfn))((NMHDR*)lParam, pResult);
    }
    (void)message;
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl) {
        if (hWndCtrl == m_hWnd)
            return FALSE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE; // the control handled its own notification
    } else {
        nCode = CN_COMMAND; // a menu item or an accelerator
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (!pNMHDR)
        return FALSE;
    if (pNMHDR->hwndFrom && ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_NOTIFY, pNMHDR->code, (UINT)pNMHDR->idFrom);
    if (!e)
        return FALSE;
    return DispatchEntry(e, WM_NOTIFY, 0, lParam, pResult);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void*, void*)
{
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, (UINT)nCode, nID);
    if (!e)
        return FALSE;
    LRESULT r = 0;
    return DispatchEntry(e, WM_COMMAND, MAKEWPARAM(nID, nCode), 0, &r);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild)
        return FALSE;
    const MSG m = FwThreadState::Get().current;
    return pChild->OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_NOTIFY && message != WM_COMMAND)
        return FALSE;
    LRESULT r = pResult ? *pResult : 0;
    BOOL handled = OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &r);
    if (handled && pResult)
        *pResult = r;
    return handled;
}

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
