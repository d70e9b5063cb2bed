#include "ManageSteelMainFrame.h"

CManageSteelMainFrame::CManageSteelMainFrame() : m_hWnd(nullptr) {}

CManageSteelMainFrame* CManageSteelMainFrame::Instance()
{
    static CManageSteelMainFrame s_instance;
    return &s_instance;
}

void CManageSteelMainFrame::SetSteelMainFrame(HWND hWnd) { m_hWnd = hWnd; }

HWND CManageSteelMainFrame::GetSteelMainFrameHwnd() const
{
    return m_hWnd && IsWindow(m_hWnd) ? m_hWnd : nullptr;
}
