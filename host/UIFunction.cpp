#include "UIFunction.h"
#include "ManageSteelMainFrame.h"
#include <string>

namespace {
UIFunction::KxMessageBoxHandler g_pfnHandler = nullptr;
void* g_pContext = nullptr;
std::wstring g_caption = L"钢筋算量";
bool g_bUnattended = false;
std::wstring g_program;

// Written straight to the handle: the line must not wait in a buffer of some C runtime.
void WriteStdErr(const std::wstring& text)
{
    HANDLE h = GetStdHandle(STD_ERROR_HANDLE);
    if (h == NULL || h == INVALID_HANDLE_VALUE)
        return;
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr,
                                nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &s[0], n, nullptr, nullptr);
    DWORD nWritten = 0;
    WriteFile(h, s.data(), (DWORD)s.size(), &nWritten, nullptr);
}

std::wstring OneLine(LPCTSTR psz)
{
    std::wstring s(psz);
    for (wchar_t& c : s)
        if (c == L'\r' || c == L'\n')
            c = L' ';
    return s;
}
} // namespace

namespace UIFunction {

int KxMessageBox(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle)
{
    LPCTSTR caption = (pszCaption && *pszCaption) ? pszCaption : g_caption.c_str();
    LPCTSTR text = pszText ? pszText : L"";
    if (g_pfnHandler)
        return g_pfnHandler(text, caption, nStyle, g_pContext);
    if (g_bUnattended) {
        WriteStdErr(g_program + L": box " + OneLine(caption) + L"|" + OneLine(text) + L"\n");
        return DefaultAnswer(nStyle);
    }
    HWND owner = CManageSteelMainFrame::Instance()->GetSteelMainFrameHwnd();
    if (!owner || !IsWindow(owner))
        owner = GetActiveWindow();
    return MessageBoxW(owner, text, caption, nStyle);
}

KxMessageBoxHandler SetMessageBoxHandler(KxMessageBoxHandler pfnHandler, void* pContext)
{
    KxMessageBoxHandler previous = g_pfnHandler;
    g_pfnHandler = pfnHandler;
    g_pContext = pfnHandler ? pContext : nullptr;
    return previous;
}

void SetUnattended(LPCTSTR pszProgram)
{
    g_bUnattended = pszProgram != nullptr;
    g_program = pszProgram ? pszProgram : L"";
}

int DefaultAnswer(UINT nStyle)
{
    static const int kButtons[][4] = {
        { IDOK },                       // MB_OK
        { IDOK, IDCANCEL },             // MB_OKCANCEL
        { IDABORT, IDRETRY, IDIGNORE }, // MB_ABORTRETRYIGNORE
        { IDYES, IDNO, IDCANCEL },      // MB_YESNOCANCEL
        { IDYES, IDNO },                // MB_YESNO
        { IDRETRY, IDCANCEL },          // MB_RETRYCANCEL
        { IDCANCEL, IDTRYAGAIN, IDCONTINUE },
    };
    const UINT nType = nStyle & MB_TYPEMASK;
    if (nType >= sizeof(kButtons) / sizeof(kButtons[0]))
        return IDOK;
    const UINT nDefault = (nStyle & MB_DEFMASK) >> 8; // 0 for the first button
    const int* pButtons = kButtons[nType];
    return (nDefault < 4 && pButtons[nDefault] != 0) ? pButtons[nDefault] : pButtons[0];
}

void SetDefaultCaption(LPCTSTR pszCaption)
{
    g_caption = (pszCaption && *pszCaption) ? pszCaption : L"钢筋算量";
}

CString GetDefaultCaption() { return CString(g_caption.c_str()); }

KxMfc_ResourceOverride::KxMfc_ResourceOverride(HINSTANCE hModule)
    : m_hPrevious(AfxGetResourceHandle())
{
    if (hModule)
        AfxSetResourceHandle(hModule);
}

KxMfc_ResourceOverride::~KxMfc_ResourceOverride() { AfxSetResourceHandle(m_hPrevious); }

} // namespace UIFunction
