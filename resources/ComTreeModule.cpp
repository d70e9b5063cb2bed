#include "ComTreeModule.h"
#include "AfxResource.h"
#include "CDynLinkLibrary.h"
#include "CImageList.h"

// The module joins the framework's resource chain for as long as it is loaded, so a host that
// asks the framework for template 12001, menu 12007 or an icon finds them here even while its
// own resource handle points at its executable.
static AFX_EXTENSION_MODULE s_comTreeModule = { FALSE, NULL, NULL };

HINSTANCE CComTreeModule::GetInstance() { return s_comTreeModule.hModule; }

void CComTreeModule::LoadIconStrip(CImageList& list, UINT nColorFlags, const UINT* pIds, int nCount)
{
    const int kSize = 16;
    list.DeleteImageList();
    list.Create(kSize, kSize, nColorFlags, 4, 4);
    HINSTANCE hModule = GetInstance();
    for (int i = 0; i < nCount; ++i) {
        HICON hIcon = (HICON)::LoadImageW(hModule, MAKEINTRESOURCEW(pIds[i]), IMAGE_ICON, kSize,
                                          kSize, LR_DEFAULTCOLOR);
        if (hIcon == NULL) {
            // Monochrome masks, two bytes a row: AND all set and XOR all clear draws nothing.
            BYTE andMask[kSize * kSize / 8], xorMask[kSize * kSize / 8] = {};
            memset(andMask, 0xFF, sizeof(andMask));
            hIcon = ::CreateIcon(hModule, kSize, kSize, 1, 1, andMask, xorMask);
        }
        list.Add(hIcon);
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
}

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
