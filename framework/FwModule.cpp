#include <windows.h>
#include "afxfw.h"
#include "FwThreadState.h"

// The framework DLL's own instance; resources of the host and of extension modules are
// found through the resource handle, never through this.
static HINSTANCE g_hFrameworkInstance = nullptr;

HINSTANCE AfxGetInstanceHandleOfFramework() { return g_hFrameworkInstance; }

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hFrameworkInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}
