// An extension module as the component tree module is one: it registers its resources with
// the framework when loaded and unregisters them when unloaded.
#include "afxwin.h"

static AFX_EXTENSION_MODULE s_extModule = { FALSE, NULL, NULL };

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(s_extModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_extModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_extModule);
    }
    return TRUE;
}
