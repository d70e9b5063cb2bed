#include "SoftShowPicInfoOpr.h"

namespace {

HICON g_hIcon = nullptr;

BOOL CALLBACK FirstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param)
{
    LPWSTR* out = reinterpret_cast<LPWSTR*>(param);
    *out = IS_INTRESOURCE(name) ? name : _wcsdup(name);
    return FALSE;
}

HICON FirstIcon(HMODULE module)
{
    LPWSTR name = nullptr;
    EnumResourceNamesW(module, RT_GROUP_ICON, FirstName, reinterpret_cast<LONG_PTR>(&name));
    if (!name)
        return nullptr;
    HICON icon = static_cast<HICON>(
        LoadImageW(module, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!IS_INTRESOURCE(name))
        free(name);
    return icon;
}

} // namespace

HICON CSoftShowPicInfoOpr::GetSoftLogIcon(HINSTANCE hInstance)
{
    if (g_hIcon)
        return g_hIcon;
    HICON icon = hInstance ? FirstIcon(hInstance) : nullptr;
    if (!icon)
        icon = FirstIcon(GetModuleHandleW(nullptr));
    if (!icon)
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    return icon;
}

void CSoftShowPicInfoOpr::SetSoftLogIcon(HICON hIcon) { g_hIcon = hIcon; }
