// Writes a PNG of a window's current picture (through WIC, part of Windows).
#pragma once
#include <windows.h>

// Returns TRUE when the file was written.
BOOL SaveWindowPng(HWND hWnd, const wchar_t* path);
