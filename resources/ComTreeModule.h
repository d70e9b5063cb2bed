// The component tree module as a loaded DLL: its instance handle, the one place its
// resources (dialog templates, menus, icons) are loaded from.
#pragma once
#include <windows.h>
#include "afxfw.h"

class AFX_EXT_CLASS CComTreeModule
{
public:
    virtual ~CComTreeModule() {}
    static HINSTANCE GetInstance();
};
