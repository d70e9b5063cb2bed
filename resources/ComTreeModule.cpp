#include "ComTreeModule.h"
#include "AfxResource.h"
#include "CDynLinkLibrary.h"

// The module joins the framework's resource chain for as long as it is loaded, so a host that
// asks the framework for template 12001, menu 12007 or an icon finds them here even while its
// own resource handle points at its executable.
static AFX_EXTENSION_MODULE s_comTreeModule = { FALSE, NULL, NULL };

HINSTANCE CComTreeModule::GetInstance() { return s_comTreeModule.hModule; }

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(hInstance);
        if (!AfxInitExtensionModule(s_comTreeModule, hInstance))
            return FALSE;
        new CDynLinkLibrary(s_comTreeModule);
    } else if (reason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(s_comTreeModule);
    }
    return TRUE;
}
