#include "CDataExchange.h"
#include "CWnd.h"
#include <cwchar>
#include <cwctype>
#include <climits>

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL)
{}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (!h) {
        wchar_t reason[96];
        _snwprintf(reason, 95, L"DDX: no control with id %d in the dialog", nIDC);
        reason[95] = 0;
        AfxThrowInvalidArgException(reason);
    }
    m_hWndLastControl = h;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException();
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(h)) {
        wchar_t reason[96];
        _snwprintf(reason, 95, L"DDX_Control: control %d is already bound to another object", nIDC);
        reason[95] = 0;
        AfxThrowInvalidArgException(reason);
    }
}

static void SetTextIfChanged(HWND h, LPCWSTR text)
{
    // Setting the same text again would only flicker and send a change notification.
    CString old;
    int n = ::GetWindowTextLengthW(h);
    ::GetWindowTextW(h, old.GetBuffer(n), n + 1);
    old.ReleaseBuffer();
    if (old != text)
        ::SetWindowTextW(h, text);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int n = ::GetWindowTextLengthW(h);
        ::GetWindowTextW(h, value.GetBuffer(n), n + 1);
        value.ReleaseBuffer();
    } else {
        SetTextIfChanged(h, value);
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        CString text;
        int n = ::GetWindowTextLengthW(h);
        ::GetWindowTextW(h, text.GetBuffer(n), n + 1);
        text.ReleaseBuffer();
        text.Trim();
        const wchar_t* p = text;
        wchar_t* end = nullptr;
        errno = 0;
        long long v = wcstoll(p, &end, 10);
        if (text.IsEmpty() || *end != 0 || errno || v < INT_MIN || v > INT_MAX) {
            ::MessageBoxW(pDX->m_pDlgWnd->m_hWnd, L"请输入一个整数。", L"",
                          MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (int)v;
    } else {
        CString text;
        text.Format(L"%d", value);
        SetTextIfChanged(h, text);
    }
}
