#include "Dialog_Common.h"
#include "SoftShowPicInfoOpr.h"

BEGIN_MESSAGE_MAP(CDialog_Common, CDialog)
END_MESSAGE_MAP()

CDialog_Common::CDialog_Common() {}

CDialog_Common::CDialog_Common(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd)
{}

CDialog_Common::~CDialog_Common() {}

BOOL CDialog_Common::IsDocked() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd && (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD) != 0;
}

BOOL CDialog_Common::OnInitDialog()
{
    BOOL result = CDialog::OnInitDialog();
    HWND hWnd = GetSafeHwnd();
    if (hWnd && (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION && !IsDocked()) {
        HICON icon = CSoftShowPicInfoOpr::GetSoftLogIcon(AfxGetResourceHandle());
        // A dialog that set its own icon keeps it.
        if (icon && !::SendMessageW(hWnd, WM_GETICON, ICON_BIG, 0)) {
            ::SendMessageW(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
            ::SendMessageW(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        }
    }
    return result;
}

void CDialog_Common::OnOK()
{
    if (!IsDocked())
        CDialog::OnOK();
}

void CDialog_Common::OnCancel()
{
    if (!IsDocked())
        CDialog::OnCancel();
}
