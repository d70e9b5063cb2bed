// Framework exceptions, thrown by pointer as in MFC:
//
//     try { arr.GetAt(99); }
//     catch (CException* e) { e->Delete(); }
//
// CInvalidArgException is MFC's invalid-argument exception. Every invalid index or argument
// (collections, CString::GetAt/SetAt, negative sizes) is first reported, then thrown: the
// report goes to the debugger (OutputDebugString) and to stderr, so a fault that nobody
// catches is still visible, and a caller that can recover catches CException* instead of
// the process writing past an array.
#pragma once
#include <windows.h>
#include "CObject.h"

class FW_API CException : public CObject
{
public:
    // Copies the reason into lpszError (at most nMaxError characters with the terminator).
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError,
                                 PUINT pnHelpContext = NULL) const;
    // Frees an exception caught by pointer.
    void Delete();

protected:
    explicit CException(LPCWSTR pszReason);
    ~CException() override;

private:
    LPWSTR m_pszReason;
};

class FW_API CInvalidArgException : public CException
{
public:
    explicit CInvalidArgException(LPCWSTR pszReason = L"invalid argument");
};

// Reports and throws: the no-argument form as MFC has it, the others with a reason.
[[noreturn]] FW_API void AfxThrowInvalidArgException();
[[noreturn]] FW_API void AfxThrowInvalidArgException(LPCWSTR pszReason);
[[noreturn]] FW_API void AfxThrowInvalidIndex(LPCWSTR pszWhere, INT_PTR nIndex, INT_PTR nSize);
