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
#include <functional>
#include <string>
#include <vector>

class CCompoentsTreeCtrl;

// What the demo's main frame lends the script.
class IDemoScriptSite
{
public:
    virtual ~IDemoScriptSite() {}
    virtual HWND GetTreeWnd() = 0;
    // The tree as the host holds it, for the calls a host makes.
    virtual CCompoentsTreeCtrl* GetTreeCtrl() = 0;
    virtual HWND GetCountEdit() = 0;
    virtual HWND GetRadio(bool bByFloor) = 0;
    // The main frame, whose menu bar `menu` steps choose from.
    virtual HWND GetFrameWnd() = 0;
    // What the host answers to the next new component only.
    virtual void RejectNextComponent() = 0;
    virtual void NameNextComponent(const std::wstring& strName) = 0;
    // The host moves the component into that folder at its next double-click message.
    virtual void MoveAtNextOpen(int nComId, const std::wstring& strFolderId) = 0;
};

class CDemoScript;
struct DemoScriptStep;

// How the words after a step's verb are read; every line is checked so before anything runs.
enum class DemoStepArg
{
    None,         // nothing may follow
    OptionalPath, // an item path or nothing
    Path,         // an item path
    PathKeys,     // an item path, then ctrl and shift in any order
    Offset,       // two whole numbers
    Count,        // a whole number, 0 or more
    Key,          // a key name or one character, then shift and ctrl in any order
    Choice,       // one of the forms of the row
    MenuEntry,    // a menu entry's text or none
    MenuPath,     // menu entry texts joined by " > "
    TextOrCancel, // a text or cancel
    RawText,      // the rest of the line as written, spaces included (may be empty)
    TypeCode,     // a component type code above 0, or cancel
    Sql,          // a statement
    IdFolder,     // a whole number, then a folder id
};

// One kind of step: a row of the table the parser, the runner and the README's list of
// steps (comtree-demo.exe --steps) are all read from. A verb may have several words
// ("host name"); the longest verb a line starts with wins.
struct DemoStepKind
{
    const wchar_t* pszVerb;
    DemoStepArg nArg;
    const wchar_t* pszForms; // what follows the verb, forms separated by '|' ("TEXT|cancel")
    bool bAction;            // a user's action: a pending wizard or rename answer must be used
    void (CDemoScript::*pfnRun)(const DemoScriptStep&);
    const wchar_t* pszHelp; // one line for the README; {keys} stands for the key names
};

struct DemoScriptStep
{
    int nLine = 0;                       // 1-based line of the script file
    std::wstring strText;                // the line as written, for messages
    const DemoStepKind* pKind = nullptr; // its row in the table
    std::wstring strArg;                 // the rest after the verb (a path, a text, SQL)
    bool bCtrl = false, bShift = false;
    int nX = 0, nY = 0; // move DX DY, wait MS, command ID, wizard TYPE, host move ID
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

    // Runs every step; what the steps print goes to fnOut as it is produced. Returns 0 when
    // every step ran, 3 when one could not (the reason, naming the line, in GetError).
    typedef std::function<void(const std::wstring&)> Output;
    int Run(IDemoScriptSite* pSite, Output fnOut);
    const std::wstring& GetError() const { return m_strError; }

    // The host's side: the frame calls this for every module message it handled, with its
    // answer. Lines wait for the next `log` step.
    void NoteHostMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT lResult);

    // The steps as the README lists them: a Markdown table, one row per kind of step.
    static std::wstring StepTable();

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
    DemoScriptStep StepOnLine(int nLine) const;
    bool Fail(const DemoScriptStep& step, const std::wstring& why);
    void Print(const std::wstring& line);
    bool HandleNewDialogs(const ModalState& now);
    bool AnswerDialog(HWND hDlg, const DialogAnswer& answer);
    void CloseModalUi();

    HTREEITEM FindItem(const std::wstring& path, std::wstring* pWhy);
    bool ItemPoint(const DemoScriptStep& step, HTREEITEM* phItem, POINT* pPoint);

    static const DemoStepKind s_kinds[];
    static const DemoStepKind* FindKind(const std::wstring& line);
    static std::wstring ReadArgument(DemoScriptStep& step, const std::wstring& raw,
                                     const std::wstring& line);

    // Steps.
    void Click(const DemoScriptStep& step, bool bDouble);
    void StepClick(const DemoScriptStep& step);
    void StepDoubleClick(const DemoScriptStep& step);
    void StepPress(const DemoScriptStep& step);
    void StepMove(const DemoScriptStep& step);
    void StepRelease(const DemoScriptStep& step);
    void StepRightClick(const DemoScriptStep& step);
    void StepChoose(const DemoScriptStep& step);
    void StepKey(const DemoScriptStep& step);
    void StepWait(const DemoScriptStep& step);
    void ExpandOrCollapse(const DemoScriptStep& step, bool bExpand);
    void StepExpand(const DemoScriptStep& step);
    void StepCollapse(const DemoScriptStep& step);
    void StepType(const DemoScriptStep& step);
    void StepRadio(const DemoScriptStep& step);
    void StepCommand(const DemoScriptStep& step);
    void StepMenuBar(const DemoScriptStep& step);
    void StepHostReject(const DemoScriptStep& step);
    void StepHostName(const DemoScriptStep& step);
    void StepAnswer(const DemoScriptStep& step);
    void DialogAnswerStep(const DemoScriptStep& step, bool bWizard);
    void StepWizard(const DemoScriptStep& step);
    void StepRename(const DemoScriptStep& step);
    void StepEdit(const DemoScriptStep& step);
    void StepHostRename(const DemoScriptStep& step);
    void StepDump(const DemoScriptStep& step);
    void StepField(const DemoScriptStep& step);
    void StepLog(const DemoScriptStep& step);
    void StepDb(const DemoScriptStep& step);
    void StepHostMove(const DemoScriptStep& step);

    std::vector<DemoScriptStep> m_steps;
    size_t m_nNext;
    bool m_bFinished;
    bool m_bFailed;
    std::wstring m_strError;
    IDemoScriptSite* m_pSite;
    Output m_fnOut;

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
    bool m_bAnswering; // inside AnswerDialog: no step runs
};
