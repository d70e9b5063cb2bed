#include "CDialog.h"
#include "AfxResource.h"
#include "FwThreadState.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {
// Every message goes through the dialog's CWnd first; what reaches here is unhandled.
INT_PTR CALLBACK FwDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
} // namespace

CDialog::CDialog()
    : m_lpszTemplateName(nullptr), m_nIDHelp(0), m_pParentWnd(nullptr), m_nModalResult(-1),
      m_bInModalLoop(FALSE), m_bEndModal(FALSE)
{}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
}

BOOL CDialog::CreateFromTemplate(HWND hWndParent)
{
    if (!m_lpszTemplateName || m_hWnd)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    HRSRC hRes = ::FindResourceW(hInst, m_lpszTemplateName, (LPCWSTR)RT_DIALOG);
    HGLOBAL hGlobal = hRes ? ::LoadResource(hInst, hRes) : NULL;
    const DLGTEMPLATE* tmpl = hGlobal ? (const DLGTEMPLATE*)::LockResource(hGlobal) : nullptr;
    if (!tmpl)
        return FALSE;
    HookWindowCreate();
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, tmpl, hWndParent, FwDlgProc, 0);
    UnhookWindowCreate();
    if (!hWnd) {
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEW(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCWSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    return CreateFromTemplate(m_pParentWnd->GetSafeHwnd());
}

INT_PTR CDialog::DoModal()
{
    // The owner is the parent's top-level window (or the active window), disabled while we run.
    HWND hOwner = m_pParentWnd->GetSafeHwnd();
    if (hOwner)
        hOwner = ::GetAncestor(hOwner, GA_ROOT);
    else
        hOwner = ::GetActiveWindow();
    BOOL bEnableOwner = hOwner && ::IsWindowEnabled(hOwner);

    FwThreadState& ts = FwThreadState::Get();
    ts.EnsureMessageHook();
    m_nModalResult = -1;
    m_bEndModal = FALSE;
    m_bInModalLoop = TRUE;
    if (!CreateFromTemplate(hOwner)) {
        m_bInModalLoop = FALSE;
        return -1;
    }
    if (bEnableOwner)
        ::EnableWindow(hOwner, FALSE);
    if (!m_bEndModal && !(GetStyle() & WS_VISIBLE))
        ::ShowWindow(m_hWnd, SW_SHOWNORMAL);

    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        BOOL r = ::GetMessageW(&msg, NULL, 0, 0);
        if (r == 0) {
            ::PostQuitMessage((int)msg.wParam); // the host's loop must see the quit too
            if (m_nModalResult == -1)
                m_nModalResult = IDABORT;
            break;
        }
        if (r == -1)
            break;
        if (msg.message == WM_NULL)
            continue; // swallowed by a PreTranslateMessage (the thread's hook)
        if (!ts.hMsgHook && WalkPreTranslateTree(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_bInModalLoop = FALSE;

    // Hide first and give the activation back to the owner before destroying, so the
    // owner does not fall behind other applications.
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (bEnableOwner)
        ::EnableWindow(hOwner, TRUE);
    if (hOwner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hOwner);
    DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bInModalLoop) {
        m_bEndModal = TRUE;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0); // wake the loop
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keyboard navigation (Tab, arrows, Enter, Escape) for modal and modeless dialogs.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd
        && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageW(m_hWnd, pMsg);
    return FALSE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}
