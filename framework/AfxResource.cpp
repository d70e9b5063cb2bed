#include "AfxResource.h"
#include "CDynLinkLibrary.h"

namespace {
HINSTANCE g_hResource = nullptr;
}

HINSTANCE AfxGetResourceHandle() { return g_hResource ? g_hResource : GetModuleHandleW(nullptr); }

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }

HINSTANCE AfxGetInstanceHandle() { return GetModuleHandleW(nullptr); }

HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (FindResourceW(hCurrent, lpszName, lpszType))
        return hCurrent;
    HINSTANCE hFound = nullptr;
    CDynLinkLibrary::Lock();
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p && !hFound; p = p->m_pNextDLL) {
        if (p->m_hResource && FindResourceW(p->m_hResource, lpszName, lpszType))
            hFound = p->m_hResource;
    }
    CDynLinkLibrary::Unlock();
    if (hFound)
        return hFound;
    // The executable's own resources come last, as the application module does in MFC.
    HINSTANCE hExe = GetModuleHandleW(nullptr);
    if (hExe != hCurrent && FindResourceW(hExe, lpszName, lpszType))
        return hExe;
    return hCurrent;
}

static bool HasString(HINSTANCE hInst, UINT nID)
{
    LPCWSTR p = nullptr;
    return hInst && ::LoadStringW(hInst, nID, (LPWSTR)&p, 0) > 0;
}

HINSTANCE AfxFindStringResourceHandle(UINT nID)
{
    HINSTANCE hCurrent = AfxGetResourceHandle();
    if (HasString(hCurrent, nID))
        return hCurrent;
    HINSTANCE hFound = nullptr;
    CDynLinkLibrary::Lock();
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p && !hFound; p = p->m_pNextDLL) {
        if (HasString(p->m_hResource, nID))
            hFound = p->m_hResource;
    }
    CDynLinkLibrary::Unlock();
    if (!hFound && HasString(GetModuleHandleW(nullptr), nID))
        hFound = GetModuleHandleW(nullptr);
    return hFound;
}

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule)
{
    if (state.bInitialized)
        return TRUE;
    state.hModule = hModule;
    state.hResource = hModule;
    state.bInitialized = TRUE;
    return TRUE;
}

void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll)
{
    // Delete every link this module registered; their destructors unlink them.
    for (;;) {
        CDynLinkLibrary* victim = nullptr;
        CDynLinkLibrary::Lock();
        for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p; p = p->m_pNextDLL) {
            if (p->m_hModule == state.hModule) {
                victim = p;
                break;
            }
        }
        CDynLinkLibrary::Unlock();
        if (!victim)
            break;
        delete victim;
    }
    state.bInitialized = FALSE;
}
