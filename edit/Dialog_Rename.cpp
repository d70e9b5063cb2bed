#include "edit/Dialog_Rename.h"

#include "resources/resource.h"

CDialog_Rename::CDialog_Rename(CWnd* pParent) : CDialog(IDD_RENAME, pParent) {}

void CDialog_Rename::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RENAME_NAME, m_strName);
}
