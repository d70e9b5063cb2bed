// CDialog_Common: the base of the host's dialogs, and of the dialogs a module docks into the
// host (the component tree panel).
//
// Beyond the framework's dialog: a dialog with a title bar shows the host's product icon; a
// dialog that lives as a child window (docked in the host's frame) is never closed by Enter or
// Escape, which would otherwise end it as if it were a modal box.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CDialog_Common : public CDialog
{
public:
    CDialog_Common();
    explicit CDialog_Common(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual ~CDialog_Common();

protected:
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    virtual void OnCancel() override;
    BOOL IsDocked() const;

    DECLARE_MESSAGE_MAP()
};
