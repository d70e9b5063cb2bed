// CWnd: a window object bound to an HWND, with MFC's names and semantics.
//
// Binding: Create/CreateEx create the window and bind it before its first message
// (WM_NCCREATE); SubclassWindow/SubclassDlgItem bind an existing window (a dialog's control)
// and route its messages through the message map; Attach only records the pair.
// FromHandlePermanent finds a bound object; FromHandle returns it or a temporary plain CWnd
// (kept per thread, dropped once its window is gone; do not keep the pointer).
// When the window is destroyed the object is unbound (m_hWnd NULL) and PostNcDestroy runs.
//
// Message flow: WindowProc -> OnWndMsg -> OnCommand / OnNotify / the message map ->
// otherwise DefWindowProc (the window's original procedure). The On... handlers below are
// the defaults that derived classes' maps reach when they call the base: they run the
// default processing of the message being handled (Default()).
//
// PreTranslateMessage: every message a thread's message loop takes from its queue is offered
// first to the CWnd chain from its target window up to the top-level window (a per-thread
// WH_GETMESSAGE hook, installed when the thread binds its first window), so it works in a
// host whose loop is not ours. A nonzero result swallows the message. CDialog's modal loop
// relies on the same hook, so nothing is offered twice.
//
// Exceptions: a CException* or other exception escaping a handler is reported to stderr and
// the debugger and not allowed to unwind through the system's window procedure.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "afxfw.h"
#include "AfxMsgMap.h"
#include "CObject.h"
#include "CString.h"
#include "CPoint.h"
#include "CRect.h"

class CDataExchange;
class CDC;
class CMenu;

class FW_API CWnd : public CObject
{
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    operator HWND() const { return m_hWnd; }
    // NULL for a null object pointer too, as MFC code relies on.
    HWND GetSafeHwnd() const;

    static CWnd* FromHandle(HWND hWnd);
    static CWnd* FromHandlePermanent(HWND hWnd);
    BOOL Attach(HWND hWndNew);
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();

    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, void* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    BOOL IsChild(const CWnd* pWnd) const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void UpdateWindow();
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetClientRect(LPRECT lpRect) const;
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void CenterWindow(CWnd* pAlternateOwner = NULL);

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL);
    BOOL KillTimer(UINT_PTR nIDEvent);

    CWnd* SetFocus();
    static CWnd* GetFocus();
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);

    void SetWindowText(LPCWSTR lpszString);
    int GetWindowText(LPWSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;

    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    void SetDlgItemText(int nID, LPCWSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;

    // Data exchange between the controls and the object's members (DoDataExchange).
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Message routing.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PostNcDestroy();
    virtual void DoDataExchange(CDataExchange* pDX);

    // Offers the message being handled to hWndChild as a reflected notification.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    // The message being handled on this thread.
    static const MSG* GetCurrentMessage();
    // Walks the PreTranslateMessage chain from pMsg->hwnd upwards; TRUE when swallowed.
    static BOOL WalkPreTranslateTree(MSG* pMsg);

    // Default handlers (the default processing of the current message).
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);

protected:
    LRESULT Default();
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Binds to a window during its creation (see CreateEx); dialogs use it too.
    void HookWindowCreate();
    static BOOL UnhookWindowCreate();

    WNDPROC m_pfnSuper;

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK FwCbtCreateHook(int, WPARAM, LPARAM);
    const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
    BOOL DispatchEntry(const AFX_MSGMAP_ENTRY* e, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT* pResult);
};

FW_API LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
