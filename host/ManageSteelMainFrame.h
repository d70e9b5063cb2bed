// CManageSteelMainFrame: the host application's main frame window, registered by the host at
// start-up. The module sends it the modify-component messages and parents its modal dialogs
// on it; KxMessageBox uses it as owner.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CManageSteelMainFrame
{
public:
    static CManageSteelMainFrame* Instance();

    void SetSteelMainFrame(HWND hWnd);
    // The registered window, NULL when none is registered or it has been destroyed since.
    HWND GetSteelMainFrameHwnd() const;
    // The same window as a framework window (a temporary one unless the host bound it), the
    // parent the module gives its modal dialogs; NULL when none is registered.
    CWnd* GetSteelMainFrame() const { return CWnd::FromHandle(GetSteelMainFrameHwnd()); }

private:
    CManageSteelMainFrame();
    CManageSteelMainFrame(const CManageSteelMainFrame&) = delete;
    CManageSteelMainFrame& operator=(const CManageSteelMainFrame&) = delete;
    HWND m_hWnd;
};
