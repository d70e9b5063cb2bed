#include "TreeDriver.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

namespace {
LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    return DefWindowProcW(h, m, w, l);
}

bool IsTreeViewRecord(UINT code)
{
    switch (code) {
    case TVN_SELCHANGINGW:
    case TVN_SELCHANGEDW:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGW:
    case TVN_ITEMEXPANDINGW:
    case TVN_ITEMEXPANDEDW:
    case TVN_DELETEITEMW:
        return true;
    }
    return false;
}
} // namespace

BOOL CRecordingParent::CreateHost()
{
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS; // found whichever module instance creates the window
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.lpszClassName = L"CRecordingParent";
    RegisterClassW(&wc); // the second registration fails harmlessly
    return CreateEx(0, L"CRecordingParent", L"multiselect", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                    CRect(0, 0, 400, 640), NULL, 0);
}

BOOL CRecordingParent::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Whatever the child keeps for itself (reflected and handled) never reaches a parent.
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
    switch (hdr->code) {
    case NM_CUSTOMDRAW:
    case NM_TOOLTIPSCREATED:
    case TVN_GETDISPINFOW:
    case TVN_GETINFOTIPW:
        return FALSE; // painting and tooltips, not user actions
    }
    Note n = {};
    n.code = hdr->code;
    n.wParam = wParam;
    n.hdr = *hdr;
    if (IsTreeViewRecord(hdr->code))
        n.tv = *reinterpret_cast<const NMTREEVIEWW*>(lParam);
    if (hdr->code == TVN_KEYDOWN)
        n.key = *reinterpret_cast<const NMTVKEYDOWN*>(lParam);
    notes.push_back(n);
    return FALSE;
}

std::vector<UINT> CRecordingParent::Codes() const
{
    std::vector<UINT> codes;
    for (const Note& n : notes)
        codes.push_back(n.code);
    return codes;
}

const Note* CRecordingParent::Last(UINT code) const
{
    for (auto it = notes.rbegin(); it != notes.rend(); ++it)
        if (it->code == code)
            return &*it;
    return nullptr;
}

size_t CRecordingParent::Count(UINT code) const
{
    size_t count = 0;
    for (const Note& n : notes)
        count += n.code == code;
    return count;
}

std::string CRecordingParent::Describe() const
{
    std::string text = "parent heard:";
    for (const Note& n : notes) {
        char buf[64];
        snprintf(buf, sizeof(buf), " %d(item %p)", (int)n.code, (void*)n.tv.itemNew.hItem);
        text += buf;
    }
    return text;
}

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - spent, QS_ALLINPUT);
    }
}

CPoint LabelPoint(HWND tree, HTREEITEM item)
{
    RECT rc = {};
    *reinterpret_cast<HTREEITEM*>(&rc) = item;
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc);
    return CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

void SendMouse(HWND wnd, UINT msg, UINT flags, CPoint at)
{
    SendMessageW(wnd, msg, flags, MAKELPARAM(at.x, at.y));
}

void Click(HWND tree, HTREEITEM item, UINT flags)
{
    const CPoint at = LabelPoint(tree, item);
    SendMouse(tree, WM_LBUTTONDOWN, flags | MK_LBUTTON, at);
    SendMouse(tree, WM_LBUTTONUP, flags, at);
}

void RightClick(HWND tree, HTREEITEM item)
{
    // The tree's own handling waits for the release (to tell a click from a drag), so the
    // release has to be queued before the press arrives.
    const CPoint at = LabelPoint(tree, item);
    PostMessageW(tree, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMouse(tree, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PumpFor(20);
}

void ClickButton(HWND tree, HTREEITEM item)
{
    const CPoint label = LabelPoint(tree, item);
    for (int x = 0; x < label.x; ++x) {
        TVHITTESTINFO hit = {};
        hit.pt = CPoint(x, label.y);
        if ((HTREEITEM)SendMessageW(tree, TVM_HITTEST, 0, (LPARAM)&hit) == item
            && (hit.flags & TVHT_ONITEMBUTTON)) {
            PostMessageW(tree, WM_LBUTTONUP, 0, MAKELPARAM(x, label.y));
            SendMouse(tree, WM_LBUTTONDOWN, MK_LBUTTON, CPoint(x, label.y));
            PumpFor(20);
            return;
        }
    }
    ADD_FAILURE() << "no expand button found for the item";
}

void Key(HWND wnd, UINT vk, bool shift)
{
    BYTE state[256] = {};
    GetKeyboardState(state);
    BYTE saved[256];
    memcpy(saved, state, sizeof(state));
    state[VK_SHIFT] = state[VK_LSHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_LCONTROL] = 0;
    SetKeyboardState(state);
    const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    SendMessageW(wnd, WM_KEYDOWN, vk, 1 | (scan << 16));
    SendMessageW(wnd, WM_KEYUP, vk, 1 | (scan << 16) | 0xC0000000);
    SetKeyboardState(saved);
}

std::set<HTREEITEM> SelectedBits(HWND tree)
{
    std::set<HTREEITEM> selected;
    HTREEITEM h = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    while (h != NULL) {
        if (SendMessageW(tree, TVM_GETITEMSTATE, (WPARAM)h, TVIS_SELECTED) & TVIS_SELECTED)
            selected.insert(h);
        HTREEITEM next = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, (LPARAM)h);
        for (HTREEITEM up = h; next == NULL && up != NULL;
             up = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, (LPARAM)up))
            next = (HTREEITEM)SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)up);
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
