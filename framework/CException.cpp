#include "CException.h"
#include <cstdio>
#include <cstdlib>
#include <cwchar>

CException::CException(LPCWSTR pszReason) : m_pszReason(_wcsdup(pszReason ? pszReason : L"")) {}

CException::~CException() { free(m_pszReason); }

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, m_pszReason ? m_pszReason : L"", (int)nMaxError);
    return TRUE;
}

void CException::Delete() { delete this; }

CInvalidArgException::CInvalidArgException(LPCWSTR pszReason) : CException(pszReason) {}

void AfxThrowInvalidArgException() { AfxThrowInvalidArgException(L"invalid argument"); }

void AfxThrowInvalidArgException(LPCWSTR pszReason)
{
    wchar_t text[512];
    _snwprintf(text, 511, L"framework: %ls\n", pszReason);
    text[511] = 0;
    OutputDebugStringW(text);
    fwprintf(stderr, L"%ls", text);
    fflush(stderr);
    throw new CInvalidArgException(pszReason);
}

void AfxThrowInvalidIndex(LPCWSTR pszWhere, INT_PTR nIndex, INT_PTR nSize)
{
    wchar_t text[256];
    _snwprintf(text, 255, L"%ls: index %lld out of range (size %lld)", pszWhere, (long long)nIndex,
               (long long)nSize);
    text[255] = 0;
    AfxThrowInvalidArgException(text);
}
