#include "wizard/InitTreeDlg.h"
#include "wizard/CLWDlg.h"
#include "ComTreeHost.h"

ULONGLONG CInitTreeDlg::GetValue(CString initComType)
{
    CCLWDlg dlg(CManageSteelMainFrame::Instance()->GetSteelMainFrame());
    dlg.SetInitComType(initComType);
    if (dlg.DoModal() == IDOK)
        return dlg.m_nResult;
    return 0;
}
