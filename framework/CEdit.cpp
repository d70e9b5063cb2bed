#include "CEdit.h"

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(0, L"EDIT", NULL, dwStyle, rect, pParentWnd, nID);
}
