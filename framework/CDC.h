// CDC / CPaintDC: the device-context wrapper the handlers' signatures need (OnEraseBkgnd,
// painting an icon while minimised); only what the module draws with.
#pragma once
#include <windows.h>
#include "afxfw.h"
#include "CRect.h"

class CWnd;

class FW_API CDC
{
public:
    CDC() : m_hDC(NULL) {}
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    virtual ~CDC() {}

    HDC m_hDC;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const;

    BOOL Attach(HDC hDC)
    {
        m_hDC = hDC;
        return hDC != NULL;
    }
    HDC Detach()
    {
        HDC h = m_hDC;
        m_hDC = NULL;
        return h;
    }

    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon) { return ::DrawIcon(m_hDC, point.x, point.y, hIcon); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillRect(LPCRECT lpRect, HBRUSH hBrush) { ::FillRect(m_hDC, lpRect, hBrush); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    HGDIOBJ SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }
    BOOL TextOut(int x, int y, LPCWSTR lpszString, int nCount)
    {
        return ::TextOutW(m_hDC, x, y, lpszString, nCount);
    }
};

class FW_API CPaintDC : public CDC
{
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
