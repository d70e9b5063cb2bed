// CStatic: static text, frames and pictures (STM_ messages).
#pragma once
#include "CWnd.h"

class FW_API CStatic : public CWnd
{
public:
    CStatic() {}
    virtual BOOL Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        UINT nID = 0xffff);

    HICON SetIcon(HICON hIcon)
    {
        return (HICON)::SendMessageW(m_hWnd, STM_SETICON, (WPARAM)hIcon, 0);
    }
    HICON GetIcon() const { return (HICON)::SendMessageW(m_hWnd, STM_GETICON, 0, 0); }
    HBITMAP SetBitmap(HBITMAP hBitmap)
    {
        return (HBITMAP)::SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)hBitmap);
    }
};
