// A popup menu read back as the user sees it, and the one text format a menu is printed in:
// each entry's text, ":grayed" after a grayed one, "-" for a separator, entries joined by "|",
// and the entries of a submenu right after their popup entry with one more ">" in front.
// Scripted sessions print menus so; tests state the menus they expect so.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct MenuEntry
{
    std::wstring text;
    UINT nId = 0;
    bool bSeparator = false, bGrayed = false, bHilite = false;
    HMENU hSub = NULL;
};

std::vector<MenuEntry> ReadMenu(HMENU hMenu);
std::wstring DescribeMenu(HMENU hMenu);
