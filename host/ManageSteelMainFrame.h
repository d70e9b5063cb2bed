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

private:
    CManageSteelMainFrame();
    CManageSteelMainFrame(const CManageSteelMainFrame&) = delete;
    CManageSteelMainFrame& operator=(const CManageSteelMainFrame&) = delete;
    HWND m_hWnd;
};
