#include "CButton.h"

BOOL CButton::Create(LPCWSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                     UINT nID)
{
    return CWnd::CreateEx(0, L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}
