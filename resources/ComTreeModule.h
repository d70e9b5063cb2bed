// The component tree module as a loaded DLL: its instance handle, the one place its
// resources (dialog templates, menus, icons) are loaded from.
#pragma once
#include <windows.h>
#include "afxfw.h"

class CImageList;

class AFX_EXT_CLASS CComTreeModule
{
public:
    virtual ~CComTreeModule() {}
    static HINSTANCE GetInstance();

    // Makes list a strip of 16x16 images (nColorFlags as ImageList_Create takes them) holding
    // the module's icons pIds[0..nCount-1] in that order. An icon that cannot be loaded takes
    // its place as an empty, transparent image, so every icon after it keeps its index: folder
    // rows and rule texts name the images by index.
    static void LoadIconStrip(CImageList& list, UINT nColorFlags, const UINT* pIds, int nCount);
};
