// Dialog data exchange: DoDataExchange(CDataExchange*) with DDX_Control and DDX_Text, driven
// by CWnd::UpdateData(TRUE: controls to members, FALSE: members to controls).
//
// DDX_Control binds (subclasses) the control the first time it runs, so the member's
// message map sees the control's messages from then on. DDX_Text with an int rejects text
// that is not a whole number: the user is told ("请输入一个整数。"), the focus goes to the
// field and UpdateData returns FALSE with the member unchanged.
#pragma once
#include <windows.h>
#include "afxfw.h"
#include "CException.h"
#include "CString.h"

class CWnd;

class FW_API CUserException : public CException
{
public:
    CUserException() : CException(L"validation failed") {}
};

class FW_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();

private:
    HWND m_hWndLastControl;
};

FW_API void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
FW_API void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
