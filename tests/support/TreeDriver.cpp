#include "TreeDriver.h"

#include <gtest/gtest.h>
#include <stdio.h>

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
