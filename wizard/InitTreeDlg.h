// Entry of the new-component wizard: runs the modal type chooser and returns the chosen
// component type code, or 0 when the user cancelled.
//
// The caller switches the resource handle to the component tree module around GetValue, so
// that the dialog template and the tree icons are found.
#pragma once
#include "afxwin.h"

class AFX_EXT_CLASS CInitTreeDlg
{
public:
    CInitTreeDlg() {}
    CInitTreeDlg(const CInitTreeDlg&) {}
    CInitTreeDlg& operator=(const CInitTreeDlg&) { return *this; }
    virtual ~CInitTreeDlg() {}

    // initComType: the type code, as decimal text, whose class opens preselected.
    ULONGLONG GetValue(CString initComType);
};
