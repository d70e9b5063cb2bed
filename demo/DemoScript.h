// CDemoScript: replays what a user does in the component tree panel, in the real window, and
// prints what the host saw. comtree-demo.exe --script FILE.txt runs one.
//
// Creation sequence (what the demo's main does):
//   CDemoScript script;
//   script.Load(path, &error)          // parse every line first: a bad line stops before anything runs
//   frame.SetMessageObserver(...)      // the frame reports each module message it handled
//   int rc = script.Run(site, out);    // runs the steps from the message loop, returns 0 or 3
//
// Every step acts through real messages on the real controls: mouse messages at the centre of
// an item's label (TVM_GETITEMRECT), keys with Shift/Ctrl set in the keyboard state, the tree's
// own expand button found by hit-testing, the radio buttons clicked, the count field's text
// replaced so that EN_CHANGE fires. Popup menus and dialogs run modal loops inside the handler
// that opened them, so the steps are run from a thread timer: a modal loop dispatches it too,
// and the step after `rclick` (or after a command that opens a dialog) runs inside that loop.
// A timer tick comes only when the queue has nothing else, which is "pump until idle".
//
// Message boxes never show: the host's KxMessageBox handler answers them from the `answer`
// queue (OK, or No for a yes/no box, when nobody answered) and logs them.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

// What the demo's main frame lends the script.
class IDemoScriptSite
{
public:
    virtual ~IDemoScriptSite() {}
    virtual HWND GetTreeWnd() = 0;
    virtual HWND GetCountEdit() = 0;
    virtual HWND GetRadio(bool bByFloor) = 0;
};

struct DemoScriptStep
{
    int nLine = 0;        // 1-based line of the script file
    std::wstring strText; // the line as written, for messages
    std::wstring strVerb; // click, press, ...
    std::wstring strArg;  // the rest after the verb (a path, a text, SQL)
    bool bCtrl = false, bShift = false;
    int nX = 0, nY = 0; // move DX DY, wait MS, command ID
};

class CDemoScript
{
public:
    CDemoScript();
    ~CDemoScript();

    // Reads a UTF-8 script. FALSE with "line N: why" when a line is not a step.
    bool Load(const std::wstring& path, std::wstring* pError);
    // Parses script text (UTF-16); used by Load and by tests.
    bool Parse(const std::wstring& text, std::wstring* pError);
    const std::vector<DemoScriptStep>& GetSteps() const { return m_steps; }

    // Runs every step; what the steps print goes to pfnOut as it is produced. Returns 0 when
    // every step ran, 3 when one could not (the reason, naming the line, in GetError).
    int Run(IDemoScriptSite* pSite, void (*pfnOut)(const std::wstring&));
    const std::wstring& GetError() const { return m_strError; }

    // The host's side: the frame calls this for every module message it handled, with its
    // answer. Lines wait for the next `log` step.
    void NoteHostMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT lResult);

    // The line format of one item of `dump` (without the indent), exposed for the tests.
    static std::wstring DescribeItem(HWND hTree, HTREEITEM hItem, bool bWithState);
    static std::wstring DumpTree(HWND hTree, bool bWithState, HTREEITEM hFrom = NULL);

private:
    struct ModalState
    {
        HWND hMenu = NULL;
        std::vector<HWND> dialogs;
        HWND hCapture = NULL;
    };
    struct DialogAnswer
    {
        int nLine;
        bool bWizard; // else rename
        bool bCancel;
        std::wstring strValue;
    };

    static void CALLBACK TickProc(HWND, UINT, UINT_PTR, DWORD);
    static int MessageBoxHook(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle, void* pContext);
    static ModalState CurrentModal();
    static bool NewModalSince(const ModalState& before, const ModalState& now);

    void OnTick();
    void RunStep(const DemoScriptStep& step);
    bool Fail(const DemoScriptStep& step, const std::wstring& why);
    void Print(const std::wstring& line);
    bool HandleNewDialogs(const ModalState& now);
    bool AnswerDialog(HWND hDlg, const DialogAnswer& answer);
    void CloseModalUi();

    HTREEITEM FindItem(const std::wstring& path, std::wstring* pWhy);
    bool ItemPoint(const DemoScriptStep& step, HTREEITEM* phItem, POINT* pPoint);

    // Steps.
    void StepClick(const DemoScriptStep& step, bool bDouble);
    void StepPress(const DemoScriptStep& step);
    void StepMove(const DemoScriptStep& step);
    void StepRelease(const DemoScriptStep& step);
    void StepRightClick(const DemoScriptStep& step);
    void StepChoose(const DemoScriptStep& step);
    void StepKey(const DemoScriptStep& step);
    void StepWait(const DemoScriptStep& step);
    void StepExpand(const DemoScriptStep& step, bool bExpand);
    void StepType(const DemoScriptStep& step);
    void StepRadio(const DemoScriptStep& step);
    void StepCommand(const DemoScriptStep& step);
    void StepAnswer(const DemoScriptStep& step);
    void StepDialogAnswer(const DemoScriptStep& step, bool bWizard);
    void StepEdit(const DemoScriptStep& step);
    void StepDump(const DemoScriptStep& step);
    void StepField(const DemoScriptStep& step);
    void StepLog(const DemoScriptStep& step);
    void StepDb(const DemoScriptStep& step);

    std::vector<DemoScriptStep> m_steps;
    size_t m_nNext;
    bool m_bFinished;
    bool m_bFailed;
    std::wstring m_strError;
    IDemoScriptSite* m_pSite;
    void (*m_pfnOut)(const std::wstring&);

    // One entry per step being run; a nested step runs only inside a modal loop that the
    // innermost running step opened.
    std::vector<ModalState> m_running;
    std::vector<HWND> m_handledDialogs;
    HMENU m_hPrintedMenu;
    HWND m_hChosenMenu;
    DWORD m_dwChosenAt;
    DWORD m_dwClosingSince;

    std::vector<std::pair<int, int>> m_answers; // line, IDYES/IDNO/IDOK
    std::vector<DialogAnswer> m_dialogAnswers;
    std::vector<std::wstring> m_events; // host-seen lines since the last `log`

    POINT m_ptPress;
    bool m_bPressed;
    UINT m_nPressKeys;
};
