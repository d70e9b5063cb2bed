// CDialog: modal (DoModal) and modeless (Create) dialogs from a template resource.
//
// The template is looked up through the resource handle, then along the extension-module
// chain (AfxFindResourceHandle). OnInitDialog runs UpdateData(FALSE), so DDX_Control binds
// the controls before a derived OnInitDialog continues. IDOK runs OnOK (UpdateData(TRUE),
// then EndDialog(IDOK) when it succeeded), IDCANCEL, Escape and the close box run OnCancel.
//
// DoModal runs our own loop with the owner disabled; keyboard navigation (IsDialogMessage)
// happens in PreTranslateMessage, which the thread's message hook offers every message to
// (see CWnd.h). DoModal returns the EndDialog result, or -1 when the template is missing or
// the dialog could not be created.
#pragma once
#include "CWnd.h"

class FW_API CDialog : public CWnd
{
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    LPCWSTR m_lpszTemplateName;
    UINT m_nIDHelp;
    CWnd* m_pParentWnd;

protected:
    BOOL CreateFromTemplate(HWND hWndParent);

    INT_PTR m_nModalResult;
    BOOL m_bInModalLoop;
    BOOL m_bEndModal;

    DECLARE_MESSAGE_MAP()
};
