#include "FwTestSupport.h"

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_NULL)
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - spent, QS_ALLINPUT);
    }
}

ScopedModifiers::ScopedModifiers(UINT mk)
{
    GetKeyboardState(m_saved);
    BYTE state[256];
    memcpy(state, m_saved, sizeof(state));
    state[VK_SHIFT] = state[VK_LSHIFT] = (mk & MK_SHIFT) ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = (mk & MK_CONTROL) ? 0x80 : 0;
    SetKeyboardState(state);
}

ScopedModifiers::~ScopedModifiers() { SetKeyboardState(m_saved); }

CPoint TreeItemPoint(HWND tree, HTREEITEM item)
{
    RECT rc = {};
    *reinterpret_cast<HTREEITEM*>(&rc) = item;
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc))
        return CPoint(-1, -1);
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void SendMouse(HWND hwnd, UINT message, UINT mk, POINT pt)
{
    SendMessageW(hwnd, message, mk, MAKELPARAM(pt.x, pt.y));
}

// The release is queued before the press is handled, as with real input: the tree view's
// own press processing waits in a loop for the release (drag detection).
static void PressRelease(HWND hwnd, UINT down, UINT up, POINT pt, UINT button, UINT mk)
{
    PostMessageW(hwnd, up, mk, MAKELPARAM(pt.x, pt.y));
    SendMouse(hwnd, down, button | mk, pt);
    PumpUntilIdle(1);
}

static bool ClickAt(HWND tree, HTREEITEM item, UINT down, UINT up, UINT button, UINT mk)
{
    POINT pt = TreeItemPoint(tree, item);
    if (pt.x < 0)
        return false;
    ScopedModifiers mods(mk);
    PressRelease(tree, down, up, pt, button, mk);
    return true;
}

bool ClickTreeItem(HWND tree, HTREEITEM item, UINT mk)
{
    return ClickAt(tree, item, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, mk);
}
bool RightClickTreeItem(HWND tree, HTREEITEM item, UINT mk)
{
    return ClickAt(tree, item, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, mk);
}
bool DoubleClickTreeItem(HWND tree, HTREEITEM item)
{
    POINT pt = TreeItemPoint(tree, item);
    if (pt.x < 0)
        return false;
    PressRelease(tree, WM_LBUTTONDOWN, WM_LBUTTONUP, pt, MK_LBUTTON, 0);
    PressRelease(tree, WM_LBUTTONDBLCLK, WM_LBUTTONUP, pt, MK_LBUTTON, 0);
    return true;
}

bool ClickExpandButton(HWND tree, HTREEITEM item)
{
    const CPoint label = TreeItemPoint(tree, item);
    for (int x = 0; x < label.x; ++x) {
        TVHITTESTINFO hit = {};
        hit.pt = CPoint(x, label.y);
        if ((HTREEITEM)SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&hit) == item
            && (hit.flags & TVHT_ONITEMBUTTON)) {
            PressRelease(tree, WM_LBUTTONDOWN, WM_LBUTTONUP, hit.pt, MK_LBUTTON, 0);
            return true;
        }
    }
    return false;
}

std::set<HTREEITEM> SelectedBits(HWND tree)
{
    std::set<HTREEITEM> selected;
    HTREEITEM h = TreeView_GetRoot(tree);
    while (h != NULL) {
        if (TreeView_GetItemState(tree, h, TVIS_SELECTED) & TVIS_SELECTED)
            selected.insert(h);
        HTREEITEM next = TreeView_GetChild(tree, h);
        for (HTREEITEM up = h; next == NULL && up != NULL; up = TreeView_GetParent(tree, up))
            next = TreeView_GetNextSibling(tree, up);
        h = next;
    }
    return selected;
}

bool IsAllZero(const TVITEMW& item)
{
    const BYTE* p = reinterpret_cast<const BYTE*>(&item);
    for (size_t i = 0; i < sizeof(item); ++i)
        if (p[i] != 0)
            return false;
    return true;
}

void PressKey(HWND hwnd, UINT vk, UINT mk)
{
    ScopedModifiers mods(mk);
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    SendMessageW(hwnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    SendMessageW(hwnd, WM_KEYUP, vk, (LPARAM)(1 | (scan << 16) | 0xC0000000));
}

void PostKey(HWND hwnd, UINT vk, UINT mk)
{
    ScopedModifiers mods(mk);
    PostMessageW(hwnd, WM_KEYDOWN, vk, 1);
    PostMessageW(hwnd, WM_KEYUP, vk, (LPARAM)(1 | 0xC0000000));
    PumpUntilIdle();
}

namespace {
DialogDriver* g_pendingDriver = nullptr;
DialogDriver* g_timerDriver = nullptr;
} // namespace

DialogDriver::DialogDriver(std::function<void(HWND)> action) : m_action(std::move(action))
{
    g_pendingDriver = this;
    m_hook = SetWindowsHookExW(WH_CBT, CbtProc, NULL, GetCurrentThreadId());
}

DialogDriver::~DialogDriver()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    if (g_pendingDriver == this)
        g_pendingDriver = nullptr;
    if (g_timerDriver == this)
        g_timerDriver = nullptr;
}

LRESULT CALLBACK DialogDriver::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    DialogDriver* d = g_pendingDriver;
    if (code == HCBT_ACTIVATE && d) {
        wchar_t cls[32] = {};
        GetClassNameW((HWND)wParam, cls, 32);
        if (wcscmp(cls, L"#32770") == 0) {
            d->m_dialog = (HWND)wParam;
            g_pendingDriver = nullptr;
            g_timerDriver = d;
            // Act from the dialog's own message loop, not inside the activation.
            SetTimer(NULL, 0, 10, TimerProc);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

void CALLBACK DialogDriver::TimerProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    DialogDriver* d = g_timerDriver;
    g_timerDriver = nullptr;
    if (d && IsWindow(d->m_dialog)) {
        d->m_ran = true;
        d->m_action(d->m_dialog);
    }
}

std::unique_ptr<DialogDriver> DriveNextDialog(std::function<void(HWND)> action)
{
    return std::unique_ptr<DialogDriver>(new DialogDriver(std::move(action)));
}

namespace {
std::vector<UINT> g_menuKeys;
int g_menuTries = 0;

void CALLBACK CloseMenuProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(NULL, id);
    EndMenu();
}

void CALLBACK MenuKeysProc(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menu = FindWindowW(L"#32768", NULL);
    if (!(menu && IsWindowVisible(menu)) && ++g_menuTries < 100)
        return; // not shown yet
    KillTimer(NULL, id);
    if (menu) {
        for (UINT vk : g_menuKeys)
            PostMessageW(menu, WM_KEYDOWN, vk, 1);
        SetTimer(NULL, 0, 2000, CloseMenuProc);
    }
}
} // namespace

void DriveNextPopupMenu(std::vector<UINT> keys)
{
    g_menuKeys = std::move(keys);
    g_menuTries = 0;
    SetTimer(NULL, 0, 20, MenuKeysProc);
}

std::wstring WindowText(HWND hwnd)
{
    int n = GetWindowTextLengthW(hwnd);
    std::wstring s(n + 1, L'\0');
    GetWindowTextW(hwnd, &s[0], n + 1);
    s.resize(n);
    return s;
}

std::shared_ptr<MessageBoxAnswer> DriveNextMessageBox(int buttonId)
{
    auto answer = std::make_shared<MessageBoxAnswer>();
    MessageBoxAnswer* raw = answer.get();
    answer->driver = DriveNextDialog([raw, buttonId](HWND box) {
        raw->caption = WindowText(box);
        HWND text = GetDlgItem(box, 0xFFFF); // the message text's static control
        raw->text = text ? WindowText(text) : L"";
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    });
    return answer;
}

BOOL CNotifyRecorder::CreateRecorder(HWND parent, int width, int height)
{
    DWORD style = parent ? (WS_CHILD | WS_VISIBLE) : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    return CreateEx(0, NULL, L"recorder", style, 0, 0, width, height, parent, NULL);
}

int CNotifyRecorder::CountNotify(int code) const
{
    int n = 0;
    for (const auto& r : notifies)
        n += r.code == code;
    return n;
}

static size_t NotifySize(UINT code)
{
    switch (code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGW:
    case TVN_DELETEITEMW:
        return sizeof(NMTREEVIEWW);
    case TVN_KEYDOWN:
        return sizeof(NMTVKEYDOWN);
    case TVN_BEGINLABELEDITW:
    case TVN_ENDLABELEDITW:
        return sizeof(NMTVDISPINFOW);
    case NM_CLICK:
    case NM_DBLCLK:
    case NM_RCLICK:
        return sizeof(NMHDR);
    default:
        return sizeof(NMHDR);
    }
}

BOOL CNotifyRecorder::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* h = reinterpret_cast<NMHDR*>(lParam);
    if (h->hwndFrom && ReflectLastMsg(h->hwndFrom, pResult))
        return TRUE; // the control kept it
    RecordedNotify r;
    r.hwndFrom = h->hwndFrom;
    r.idFrom = h->idFrom;
    r.code = (int)h->code;
    size_t n = NotifySize(h->code);
    r.payload.assign(reinterpret_cast<BYTE*>(h), reinterpret_cast<BYTE*>(h) + n);
    notifies.push_back(std::move(r));
    *pResult = 0;
    for (const auto& a : answers)
        if (a.first == (int)h->code)
            *pResult = a.second;
    (void)wParam;
    return TRUE;
}

BOOL CNotifyRecorder::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && ReflectLastMsg((HWND)lParam))
        return TRUE;
    commands.push_back(RecordedCommand{ LOWORD(wParam), HIWORD(wParam), (HWND)lParam });
    return TRUE;
}
