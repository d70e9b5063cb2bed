#include "CDynLinkLibrary.h"

namespace {

CRITICAL_SECTION& ChainLock()
{
    static CRITICAL_SECTION cs;
    static bool ready = (InitializeCriticalSection(&cs), true);
    (void)ready;
    return cs;
}

CDynLinkLibrary* g_pFirst = nullptr;

} // namespace

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem)
    : m_hModule(state.hModule), m_hResource(state.hResource), m_bSystem(bSystem),
      m_pNextDLL(nullptr)
{
    Register();
}

CDynLinkLibrary::CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource)
    : m_hModule(hModule), m_hResource(hResource), m_bSystem(FALSE), m_pNextDLL(nullptr)
{
    Register();
}

void CDynLinkLibrary::Register()
{
    Lock();
    m_pNextDLL = g_pFirst;
    g_pFirst = this;
    Unlock();
}

CDynLinkLibrary::~CDynLinkLibrary()
{
    Lock();
    for (CDynLinkLibrary** pp = &g_pFirst; *pp; pp = &(*pp)->m_pNextDLL) {
        if (*pp == this) {
            *pp = m_pNextDLL;
            break;
        }
    }
    Unlock();
}

CDynLinkLibrary* CDynLinkLibrary::GetFirst() { return g_pFirst; }
void CDynLinkLibrary::Lock() { EnterCriticalSection(&ChainLock()); }
void CDynLinkLibrary::Unlock() { LeaveCriticalSection(&ChainLock()); }
