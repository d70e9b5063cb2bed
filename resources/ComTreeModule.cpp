#include "ComTreeModule.h"

static HINSTANCE g_hModule = nullptr;

HINSTANCE CComTreeModule::GetInstance() { return g_hModule; }

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}
