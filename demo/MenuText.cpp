#include "MenuText.h"

std::vector<MenuEntry> ReadMenu(HMENU hMenu)
{
    std::vector<MenuEntry> entries;
    int n = GetMenuItemCount(hMenu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_ID;
        mii.dwTypeData = text;
        mii.cch = _countof(text);
        MenuEntry e;
        if (GetMenuItemInfoW(hMenu, i, TRUE, &mii)) {
            e.text = text;
            e.nId = mii.wID;
            e.bSeparator = (mii.fType & MFT_SEPARATOR) != 0;
            e.bGrayed = (mii.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
            e.bHilite = (mii.fState & MFS_HILITE) != 0;
            e.hSub = mii.hSubMenu;
        }
        entries.push_back(e);
    }
    return entries;
}

static void DescribeLevel(HMENU hMenu, int nDepth, std::wstring& out)
{
    for (const MenuEntry& e : ReadMenu(hMenu)) {
        if (!out.empty())
            out += L"|";
        out.append(nDepth, L'>');
        out += e.bSeparator ? L"-" : e.text;
        if (e.bGrayed && !e.bSeparator)
            out += L":grayed";
        if (e.hSub)
            DescribeLevel(e.hSub, nDepth + 1, out);
    }
}

std::wstring DescribeMenu(HMENU hMenu)
{
    std::wstring out;
    DescribeLevel(hMenu, 0, out);
    return out;
}
