// The benchmark project (Bench.h) in the demo host, as its user waits for it: the frame's own
// code path, from the command to the tree painted or the panel gone.
//
// Figures: open_ms_100k (OpenProject: the project opened, the panel created and built in the
// stored layout, the datasets committed, until the frame and every child have painted),
// switch_ms_100k (a click on the other layout's radio button until the rebuilt tree has
// painted; the slower of a switch to by component and the switch back), close_ms_100k
// (CloseProject until the panel is gone).
#include "Bench.h"

#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "DemoFrame.h"
#include "panel/Dlg_ComTree.h"

namespace {
// Everything the last action queued, painting included, done.
void PaintAll(CWnd& frame)
{
    PumpPending();
    ::RedrawWindow(frame.m_hWnd, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
}

// A user's click on a radio button, delivered as the mouse would deliver it.
void ClickRadio(CButton& radio)
{
    CRect rc;
    radio.GetClientRect(&rc);
    const LPARAM at = MAKELPARAM(rc.left + 4, rc.CenterPoint().y);
    radio.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    radio.SendMessage(WM_LBUTTONUP, 0, at);
}
} // namespace

int RunBench()
{
    const std::wstring strPath = BenchProjectPath();
    if (strPath.empty()) {
        fprintf(stderr, "no benchmark project\n");
        return 1;
    }
    CDemoFrame frame;
    if (!frame.CreateFrame(TRUE))
        return 1;
    PaintAll(frame);

    CString strError;
    double dStart = NowMs();
    if (!frame.OpenProject(strPath.c_str(), &strError) || frame.GetPanel() == NULL) {
        fprintf(stderr, "cannot open the benchmark project: %s\n", strError.ToUtf8().c_str());
        return 1;
    }
    PaintAll(frame);
    const double dOpen = NowMs() - dStart;

    CDlg_ComTree* pPanel = frame.GetPanel();
    if (!pPanel->m_bByFloor) {
        fprintf(stderr, "the benchmark project is not laid out by floor\n");
        return 1;
    }
    double dSwitch = 0.0;
    for (int nTurn = 0; nTurn < 2; ++nTurn) {
        CButton& radio = nTurn == 0 ? pPanel->m_radioByComponent : pPanel->m_radioByFloor;
        dStart = NowMs();
        ClickRadio(radio);
        PaintAll(frame);
        dSwitch = std::max(dSwitch, NowMs() - dStart);
        if (pPanel->m_bByFloor != (nTurn == 0 ? 0 : 1)) {
            fprintf(stderr, "the radio button did not switch the layout\n");
            return 2;
        }
    }

    dStart = NowMs();
    frame.CloseProject();
    PaintAll(frame);
    const double dClose = NowMs() - dStart;
    if (frame.GetPanel() != NULL)
        return 2;

    Report("open_ms_100k", dOpen, "ms");
    Report("switch_ms_100k", dSwitch, "ms");
    Report("close_ms_100k", dClose, "ms");
    frame.DestroyWindow();
    CProjectDatabase::Close();
    return 0;
}
