// CComTreeHostSite: what the component tree control needs from the panel that holds it.
//
// The panel lives in a layer above the tree, so the tree never includes it; the panel
// implements this interface and hands itself to the tree with SetHostSite. A tree without a
// site (a tree created on its own, as in tests) behaves as in the by-floor layout with an
// empty count field and its parent window as host window.
#pragma once

#include "afxwin.h"

class AFX_EXT_CLASS CComTreeHostSite
{
public:
    virtual ~CComTreeHostSite() {}

    // The layout the panel shows: non-zero by floor, zero by component.
    virtual BOOL IsByFloor() = 0;

    // The same-component count field: its text after the panel's controls were stored into
    // its data, and a new text put into it (which, like typing, applies the count).
    virtual CString GetCountText() = 0;
    virtual void SetCountText(LPCTSTR pszText) = 0;

    // The window that receives the module's messages (ComTreeMessages.h).
    virtual CWnd* GetHostWindow() = 0;
};
