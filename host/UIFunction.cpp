#include "UIFunction.h"
#include "ManageSteelMainFrame.h"
#include <string>

namespace {
UIFunction::KxMessageBoxHandler g_pfnHandler = nullptr;
void* g_pContext = nullptr;
std::wstring g_caption = L"钢筋算量";
} // namespace

namespace UIFunction {

int KxMessageBox(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle)
{
    LPCTSTR caption = (pszCaption && *pszCaption) ? pszCaption : g_caption.c_str();
    LPCTSTR text = pszText ? pszText : L"";
    if (g_pfnHandler)
        return g_pfnHandler(text, caption, nStyle, g_pContext);
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
