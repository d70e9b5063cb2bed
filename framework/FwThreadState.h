// Per-thread state of the framework (internal): the window maps, the message being handled,
// the window being created and the thread's hooks. Windows belong to threads, so each
// thread keeps its own.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <unordered_map>

class CWnd;
class CMenu;
class CImageList;

struct FwThreadState
{
    std::unordered_map<HWND, CWnd*> permanentWnds;
    std::unordered_map<HWND, CWnd*> tempWnds;                   // owned
    std::unordered_map<HMENU, CMenu*> tempMenus;                // owned
    std::unordered_map<HIMAGELIST, CImageList*> tempImageLists; // owned
    MSG current = {};
    CWnd* pWndInit = nullptr;
    HHOOK hCbtHook = NULL;
    HHOOK hMsgHook = NULL;

    static FwThreadState& Get();
    void EnsureMessageHook();
    void PurgeTemporaries();
};

// The framework DLL's own instance (window classes it registers).
HINSTANCE AfxGetInstanceHandleOfFramework();
