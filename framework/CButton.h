// CButton: push buttons, check boxes and radio buttons (BM_ messages).
#pragma once
#include "CWnd.h"

class FW_API CButton : public CWnd
{
public:
    CButton() {}
    virtual BOOL Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID);

    int GetCheck() const { return (int)::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0); }
    void SetCheck(int nCheck) { ::SendMessageW(m_hWnd, BM_SETCHECK, nCheck, 0); }
    UINT GetState() const { return (UINT)::SendMessageW(m_hWnd, BM_GETSTATE, 0, 0); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE)
    {
        ::SendMessageW(m_hWnd, BM_SETSTYLE, nStyle, bRedraw);
    }
};
