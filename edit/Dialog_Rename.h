// CDialog_Rename: the rename dialog (template IDD_RENAME), one name field.
//
// Creation sequence (what the rename command does):
//   CDialog_Rename dlg(pMainFrame);     // parented to the host's main frame
//   dlg.m_strName = strCurrentName;     // shown selected in the field
//   { resource override to the module;  dlg.DoModal(); }   // IDOK: m_strName holds the text
//
// OK and Cancel are the framework's own: OK exchanges the field into m_strName.
#pragma once

#include "afxwin.h"

class CDialog_Rename : public CDialog
{
public:
    explicit CDialog_Rename(CWnd* pParent = NULL);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
