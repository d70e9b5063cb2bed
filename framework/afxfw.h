// Export macros of the application framework (framework.dll) and of extension modules.
//
// The framework is one DLL per process, as a shared MFC DLL is: the resource handle, the
// extension-module chain and the per-thread message hook exist once, whichever module
// (host DLL, component tree module, host executable) calls them.
#pragma once

#ifdef FW_BUILD_DLL
#define FW_API __declspec(dllexport)
#else
#define FW_API __declspec(dllimport)
#endif

// An extension module compiles with _AFXEXT and exports its classes through AFX_EXT_CLASS;
// code that uses the module sees the same classes as imported.
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
#define AFX_EXT_API AFX_EXT_CLASS
