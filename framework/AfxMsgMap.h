// Message maps: MFC's macros and their table format.
//
//     class CMyTree : public CTreeCtrl {
//         afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
//         afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
//         DECLARE_MESSAGE_MAP()
//     };
//     BEGIN_MESSAGE_MAP(CMyTree, CTreeCtrl)
//         ON_WM_LBUTTONDOWN()
//         ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, &CMyTree::OnSelchanged)
//     END_MESSAGE_MAP()
//
// Handlers of ON_COMMAND, ON_NOTIFY and the other id-based entries are named as in current
// MFC, with their class: ON_COMMAND(ID_X, &CMyTree::OnX). The ON_WM_ macros take the handler
// of the class being mapped (or inherited by it) by its fixed name.
//
// Each ON_ macro checks the handler's signature at compile time (the handler must have
// MFC's signature for that message) and stores it with a tag saying how to call it.
// Lookup walks the class's table, then its base class's, up to CWnd's.
//
// Reflection: a WM_NOTIFY or WM_COMMAND that a control sends to its parent is first offered
// back to the control itself (when the control is a CWnd), as WM_REFLECT_BASE + message.
// ON_NOTIFY_REFLECT consumes it; ON_NOTIFY_REFLECT_EX consumes it only when its handler
// returns TRUE, otherwise the parent's ON_NOTIFY entries see it too.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "CPoint.h"

class CWnd;
class CDC;

#ifndef afx_msg
#define afx_msg
#endif

#define WM_REFLECT_BASE 0xBC00
#define CN_COMMAND 0

typedef void (CWnd::*AFX_PMSG)(void);

enum AfxSig : UINT_PTR
{
    AfxSig_end = 0,
    AfxSig_vv,       // void ()
    AfxSig_vwp,      // void (UINT, CPoint)          mouse messages
    AfxSig_vwww,     // void (UINT, UINT, UINT)      key messages
    AfxSig_vt,       // void (UINT_PTR)              WM_TIMER
    AfxSig_vwii,     // void (UINT, int, int)        WM_SIZE
    AfxSig_vwl,      // void (UINT, LPARAM)          WM_SYSCOMMAND
    AfxSig_hv,       // HCURSOR ()                   WM_QUERYDRAGICON
    AfxSig_is,       // int (LPCREATESTRUCT)         WM_CREATE
    AfxSig_vW,       // void (CWnd*)                 WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_bD,       // BOOL (CDC*)                  WM_ERASEBKGND
    AfxSig_vWp,      // void (CWnd*, CPoint)         WM_CONTEXTMENU
    AfxSig_lwl,      // LRESULT (WPARAM, LPARAM)     ON_MESSAGE
    AfxSigCmd_v,     // void ()                      ON_COMMAND, control notifications
    AfxSigCmd_RANGE, // void (UINT)                  ON_COMMAND_RANGE
    AfxSigCmd_b,     // BOOL ()                      ON_CONTROL_REFLECT_EX
    AfxSigNotify_v,  // void (NMHDR*, LRESULT*)      ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSigNotify_b,  // BOOL (NMHDR*, LRESULT*)      ON_NOTIFY_REFLECT_EX
};

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    UINT_PTR nSig;
    AFX_PMSG pfn;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        [[maybe_unused]] typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
    { \
        0, 0, 0, 0, AfxSig_end, (AFX_PMSG) nullptr \
    } \
    } \
    ; \
    static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, \
                                           &_messageEntries[0] }; \
    return &messageMap; \
    }

// Every pointer to a member function of CWnd has the same size and layout; the entry keeps
// the common form and the dispatcher turns it back into the checked signature.
template <class F>
inline AFX_PMSG AfxToPmsg(F f)
{
    static_assert(sizeof(F) == sizeof(AFX_PMSG), "member function pointer layout");
    union
    {
        F typed;
        AFX_PMSG common;
    } u;
    u.typed = f;
    return u.common;
}
template <class F>
inline F AfxFromPmsg(AFX_PMSG p)
{
    union
    {
        AFX_PMSG common;
        F typed;
    } u;
    u.common = p;
    return u.typed;
}

// Checks the handler against the signature, then stores it in the common form.
#define AFX_MSG_FN(sig, fn) AfxToPmsg<sig>(static_cast<sig>(fn))

#define ON_WM_MOUSE_(msg, fn) \
    { msg, 0, 0, 0, AfxSig_vwp, AFX_MSG_FN(void(CWnd::*)(UINT, CPoint), &ThisClass::fn) },
#define ON_WM_LBUTTONDOWN() ON_WM_MOUSE_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() ON_WM_MOUSE_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() ON_WM_MOUSE_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() ON_WM_MOUSE_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() ON_WM_MOUSE_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() ON_WM_MOUSE_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_KEYDOWN() \
    { \
        WM_KEYDOWN, 0,           0, \
        0,          AfxSig_vwww, AFX_MSG_FN(void(CWnd::*)(UINT, UINT, UINT), &ThisClass::OnKeyDown) \
    },
#define ON_WM_TIMER() \
    { WM_TIMER, 0, 0, 0, AfxSig_vt, AFX_MSG_FN(void(CWnd::*)(UINT_PTR), &ThisClass::OnTimer) },
#define ON_WM_SIZE() \
    { \
        WM_SIZE, 0, 0, 0, AfxSig_vwii, AFX_MSG_FN(void(CWnd::*)(UINT, int, int), &ThisClass::OnSize) \
    },
#define ON_WM_PAINT() \
    { WM_PAINT, 0, 0, 0, AfxSig_vv, AFX_MSG_FN(void(CWnd::*)(), &ThisClass::OnPaint) },
#define ON_WM_SYSCOMMAND() \
    { WM_SYSCOMMAND, \
      0, \
      0, \
      0, \
      AfxSig_vwl, \
      AFX_MSG_FN(void(CWnd::*)(UINT, LPARAM), &ThisClass::OnSysCommand) },
#define ON_WM_QUERYDRAGICON() \
    { WM_QUERYDRAGICON, \
      0, \
      0, \
      0, \
      AfxSig_hv, \
      AFX_MSG_FN(HCURSOR(CWnd::*)(), &ThisClass::OnQueryDragIcon) },
#define ON_WM_CREATE() \
    { \
        WM_CREATE, 0,         0, \
        0,         AfxSig_is, AFX_MSG_FN(int(CWnd::*)(LPCREATESTRUCT), &ThisClass::OnCreate) \
    },
#define ON_WM_DESTROY() \
    { WM_DESTROY, 0, 0, 0, AfxSig_vv, AFX_MSG_FN(void(CWnd::*)(), &ThisClass::OnDestroy) },
#define ON_WM_SETFOCUS() \
    { WM_SETFOCUS, 0, 0, 0, AfxSig_vW, AFX_MSG_FN(void(CWnd::*)(CWnd*), &ThisClass::OnSetFocus) },
#define ON_WM_KILLFOCUS() \
    { WM_KILLFOCUS, 0, 0, 0, AfxSig_vW, AFX_MSG_FN(void(CWnd::*)(CWnd*), &ThisClass::OnKillFocus) },
#define ON_WM_ERASEBKGND() \
    { \
        WM_ERASEBKGND, 0, 0, 0, AfxSig_bD, AFX_MSG_FN(BOOL(CWnd::*)(CDC*), &ThisClass::OnEraseBkgnd) \
    },
#define ON_WM_CONTEXTMENU() \
    { WM_CONTEXTMENU, \
      0, \
      0, \
      0, \
      AfxSig_vWp, \
      AFX_MSG_FN(void(CWnd::*)(CWnd*, CPoint), &ThisClass::OnContextMenu) },

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_lwl, AFX_MSG_FN(LRESULT(CWnd::*)(WPARAM, LPARAM), memberFxn) },

#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, CN_COMMAND,  (UINT)(id), \
      (UINT)(id), AfxSigCmd_v, AFX_MSG_FN(void(CWnd::*)(), memberFxn) },
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    { WM_COMMAND,     CN_COMMAND,      (UINT)(id), \
      (UINT)(idLast), AfxSigCmd_RANGE, AFX_MSG_FN(void(CWnd::*)(UINT), memberFxn) },
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    { WM_COMMAND, (UINT)(wNotifyCode), (UINT)(id), \
      (UINT)(id), AfxSigCmd_v,         AFX_MSG_FN(void(CWnd::*)(), memberFxn) },
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND,          (UINT)(wNotifyCode), 0, 0, AfxSigCmd_v, \
      AFX_MSG_FN(void(CWnd::*)(), memberFxn) },
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_COMMAND,          (UINT)(wNotifyCode), 0, 0, AfxSigCmd_b, \
      AFX_MSG_FN(BOOL(CWnd::*)(), memberFxn) },

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    { WM_NOTIFY,  (UINT)(wNotifyCode), (UINT)(id), \
      (UINT)(id), AfxSigNotify_v,      AFX_MSG_FN(void(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, \
      (UINT)(wNotifyCode), \
      0, \
      0, \
      AfxSigNotify_v, \
      AFX_MSG_FN(void(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, \
      (UINT)(wNotifyCode), \
      0, \
      0, \
      AfxSigNotify_b, \
      AFX_MSG_FN(BOOL(CWnd::*)(NMHDR*, LRESULT*), memberFxn) },
