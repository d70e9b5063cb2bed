// Resource handles and the extension-module chain, once per process (framework.dll).
//
// AfxGetResourceHandle: where dialog templates, menus, icons and strings are loaded from
// first; the executable until someone calls AfxSetResourceHandle.
// AfxFindResourceHandle: the resource handle when it holds the resource, else the first
// module of the extension chain (most recently registered first) that does, else the
// resource handle again (so the caller's load fails in the usual way).
//
// An extension module registers itself from its DllMain:
//
//     static AFX_EXTENSION_MODULE s_module = { FALSE, NULL };
//     case DLL_PROCESS_ATTACH: AfxInitExtensionModule(s_module, hInstance);
//                              new CDynLinkLibrary(s_module); break;
//     case DLL_PROCESS_DETACH: AfxTermExtensionModule(s_module); break;
//
// AfxTermExtensionModule removes (and deletes) every CDynLinkLibrary of that module.
#pragma once
#include <windows.h>
#include "afxfw.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

FW_API HINSTANCE AfxGetResourceHandle();
FW_API void AfxSetResourceHandle(HINSTANCE hInstResource);
FW_API HINSTANCE AfxGetInstanceHandle();
FW_API HINSTANCE AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);
// Strings come in blocks of 16 ids that several modules may each hold part of: the module
// that has this very string, searched in the same order; NULL when none has it.
FW_API HINSTANCE AfxFindStringResourceHandle(UINT nID);

FW_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
FW_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);
