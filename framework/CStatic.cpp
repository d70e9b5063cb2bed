#include "CStatic.h"

BOOL CStatic::Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(0, L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}
