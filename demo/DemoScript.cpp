#include "DemoScript.h"

#include <commctrl.h>
#include <algorithm>
#include <cwchar>
#include <cwctype>
#include "ComTreeHost.h"
#include "MenuText.h"
#include "TreeDump.h"
#include "resources/resource.h"
#include "tree/ComTreeMessages.h"
#include "tree/CompoentsTreeCtrl.h"
#include "tree/ParamProp.h"

#ifndef MN_GETHMENU
#define MN_GETHMENU 0x01E1
#endif

namespace {

CDemoScript* g_pRunning = nullptr;

const wchar_t* const kPathSeparator = L" / ";
const wchar_t* const kMenuSeparator = L" > ";

// How long a chosen menu, or the unwinding after a failure, may take before the run gives up.
const DWORD kMenuCloseMs = 3000;
const DWORD kUnwindMs = 5000;

std::wstring Trim(const std::wstring& s)
{
    size_t b = 0, e = s.size();
    while (b < e && iswspace(s[b]))
        ++b;
    while (e > b && iswspace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::wstring> Split(const std::wstring& s, const std::wstring& sep)
{
    std::vector<std::wstring> parts;
    size_t start = 0, pos;
    while ((pos = s.find(sep, start)) != std::wstring::npos) {
        parts.push_back(s.substr(start, pos - start));
        start = pos + sep.size();
    }
    parts.push_back(s.substr(start));
    return parts;
}

// "a, b or c"
std::wstring JoinWords(const std::vector<std::wstring>& words, const wchar_t* pszLast)
{
    std::wstring out;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            out += i + 1 == words.size() ? std::wstring(L" ") + pszLast + L" " : L", ";
        out += words[i];
    }
    return out;
}

// Appends `word` to a comma-separated list of code spans.
void AppendCode(std::wstring& list, const std::wstring& word)
{
    list += (list.empty() ? L"`" : L", `") + word + L"`";
}

bool ParseInt(const std::wstring& s, int* pValue)
{
    if (s.empty())
        return false;
    wchar_t* end = nullptr;
    long v = wcstol(s.c_str(), &end, 10);
    if (!end || *end)
        return false;
    *pValue = (int)v;
    return true;
}

std::wstring ClassOf(HWND h)
{
    wchar_t cls[64] = L"";
    GetClassNameW(h, cls, 64);
    return cls;
}

std::wstring WindowTextOf(HWND h)
{
    std::wstring text(GetWindowTextLengthW(h) + 1, L'\0');
    GetWindowTextW(h, &text[0], (int)text.size());
    text.resize(wcslen(text.c_str()));
    return text;
}

std::wstring ItemText(HWND hTree, HTREEITEM hItem)
{
    wchar_t text[1024] = L"";
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = _countof(text);
    TreeView_GetItem(hTree, &item);
    return text;
}

// Runs what is queued, including what handling it queues, as the host's loop would.
void Pump(int rounds = 3)
{
    MSG msg;
    for (int r = 0; r < rounds; ++r) {
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage((int)msg.wParam);
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(1);
    }
}

// Shift and Ctrl as the handlers see them through GetKeyState, for the lifetime of the scope.
class CHeldKeys
{
public:
    CHeldKeys(bool bCtrl, bool bShift)
    {
        GetKeyboardState(m_saved);
        BYTE state[256];
        memcpy(state, m_saved, sizeof(state));
        state[VK_SHIFT] = state[VK_LSHIFT] = bShift ? 0x80 : 0;
        state[VK_CONTROL] = state[VK_LCONTROL] = bCtrl ? 0x80 : 0;
        SetKeyboardState(state);
    }
    ~CHeldKeys() { SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

UINT MouseKeys(bool bCtrl, bool bShift)
{
    return (bCtrl ? MK_CONTROL : 0) | (bShift ? MK_SHIFT : 0);
}

void PostMouse(HWND h, UINT nMsg, POINT pt, UINT nKeys)
{
    PostMessageW(h, nMsg, nKeys, MAKELPARAM(pt.x, pt.y));
}

const wchar_t* AnswerName(int nAnswer)
{
    switch (nAnswer) {
    case IDYES:
        return L"yes";
    case IDNO:
        return L"no";
    case IDCANCEL:
        return L"cancel";
    case IDOK:
        return L"ok";
    }
    return L"?";
}

std::wstring OneLine(const std::wstring& s)
{
    std::wstring out;
    for (wchar_t c : s) {
        if (c == L'\r')
            continue;
        if (c == L'\n')
            out += L"\\n";
        else
            out += c;
    }
    return out;
}

struct KeyName
{
    const wchar_t* name;
    UINT vk;
};
const KeyName kKeys[] = {
    { L"up", VK_UP },         { L"down", VK_DOWN },     { L"left", VK_LEFT },
    { L"right", VK_RIGHT },   { L"pageup", VK_PRIOR },  { L"pagedown", VK_NEXT },
    { L"home", VK_HOME },     { L"end", VK_END },       { L"escape", VK_ESCAPE },
    { L"return", VK_RETURN }, { L"delete", VK_DELETE }, { L"f2", VK_F2 },
    { L"space", VK_SPACE },   { L"tab", VK_TAB },
};

// The top-level windows of this thread that take the user's input away from the main window.
struct ThreadWindows
{
    HWND hMenu = NULL;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectThreadWindow(HWND h, LPARAM lParam)
{
    ThreadWindows* p = reinterpret_cast<ThreadWindows*>(lParam);
    if (!IsWindowVisible(h))
        return TRUE;
    std::wstring cls = ClassOf(h);
    if (cls == L"#32768")
        p->hMenu = h;
    else if (cls == L"#32770" && IsWindowEnabled(h))
        p->dialogs.push_back(h);
    return TRUE;
}

} // namespace

// The steps. A new step is one row (and its handler); the README's list is printed from here.
const DemoStepKind CDemoScript::s_kinds[] = {
    { L"click", DemoStepArg::PathKeys, L"PATH [ctrl] [shift]", true, &CDemoScript::StepClick,
      L"left button down and up at the centre of the item's label, with those keys held" },
    { L"dblclick", DemoStepArg::PathKeys, L"PATH [ctrl] [shift]", true,
      &CDemoScript::StepDoubleClick, L"a double-click there" },
    { L"press", DemoStepArg::PathKeys, L"PATH [ctrl] [shift]", true, &CDemoScript::StepPress,
      L"a press at the centre of the item's label, with those keys held: a drag gesture "
      L"starts" },
    { L"move", DemoStepArg::Offset, L"DX DY", true, &CDemoScript::StepMove,
      L"a move by DX, DY pixels from the last point, the button still pressed" },
    { L"release", DemoStepArg::None, L"", true, &CDemoScript::StepRelease,
      L"the release of the pressed button where it is" },
    { L"rclick", DemoStepArg::Path, L"PATH", true, &CDemoScript::StepRightClick,
      L"a right click at the label's centre; a popup menu that opens is printed (`menu ...`) "
      L"and stays open for the next step" },
    { L"choose", DemoStepArg::MenuEntry, L"TEXT|none", true, &CDemoScript::StepChoose,
      L"chooses the entry of the open popup menu with that text, by the keyboard (arrow keys, "
      L"Enter); `添加(&T) > 新建构件夹` goes through a submenu; `choose none` closes the menu "
      L"(Escape)" },
    { L"key", DemoStepArg::Key, L"NAME [shift] [ctrl]", true, &CDemoScript::StepKey,
      L"a key press in the tree: {keys}, or one character" },
    { L"wait", DemoStepArg::Count, L"MS", false, &CDemoScript::StepWait,
      L"pumps messages for MS milliseconds (timers fire, e.g. the delayed label edit)" },
    { L"expand", DemoStepArg::Path, L"PATH", true, &CDemoScript::StepExpand,
      L"a click on the item's expand button; nothing when it is expanded already" },
    { L"collapse", DemoStepArg::Path, L"PATH", true, &CDemoScript::StepCollapse,
      L"a click on the item's expand button; nothing when it is collapsed already" },
    { L"type", DemoStepArg::RawText, L"TEXT", true, &CDemoScript::StepType,
      L"replaces the count field's text (one change notification), as typing over it; the "
      L"field must be enabled" },
    { L"radio", DemoStepArg::Choice, L"floor|component", true, &CDemoScript::StepRadio,
      L"clicks a layout radio button" },
    { L"command", DemoStepArg::Count, L"ID", true, &CDemoScript::StepCommand,
      L"sends `WM_COMMAND` with that id to the tree control, as the host's command routing "
      L"does" },
    { L"menu", DemoStepArg::MenuPath, L"PATH", true, &CDemoScript::StepMenuBar,
      L"chooses an entry of the main frame's menu bar, e.g. `工程(&F) > 添加楼层`: each popup on "
      L"the way is initialised as when it opens (`构件(&C)` is the tree's menu of the selected "
      L"item), then the frame gets the entry's command" },
    { L"host reject", DemoStepArg::None, L"", false, &CDemoScript::StepHostReject,
      L"the host answers the next new component (message 0x464) with -1: the component is not "
      L"added" },
    { L"host name", DemoStepArg::RawText, L"TEXT", false, &CDemoScript::StepHostName,
      L"the host names the next new component TEXT (`SetComName` while it handles message "
      L"0x464) and accepts it" },
    { L"answer", DemoStepArg::Choice, L"yes|no|ok", false, &CDemoScript::StepAnswer,
      L"the answer the next message box gets (queued, in order)" },
    { L"wizard", DemoStepArg::TypeCode, L"TYPE|cancel", false, &CDemoScript::StepWizard,
      L"the next new-component wizard picks that type code (clicking its class, then its "
      L"picture, then OK), or is cancelled" },
    { L"rename", DemoStepArg::TextOrCancel, L"TEXT|cancel", false, &CDemoScript::StepRename,
      L"the next rename dialog gets that text and OK, or Cancel" },
    { L"host rename", DemoStepArg::RawText, L"TEXT", true, &CDemoScript::StepHostRename,
      L"the host renames the selected component (`ChangeSelectedItemName`), as a host's own "
      L"editor would; the module ignores it on anything but a component and for an empty name "
      L"or one with `*`" },
    { L"edit", DemoStepArg::TextOrCancel, L"TEXT|cancel", true, &CDemoScript::StepEdit,
      L"the open in-place label editor gets that text and Enter, or Escape" },
    { L"dump", DemoStepArg::OptionalPath, L"[PATH]", false, &CDemoScript::StepDump,
      L"prints the tree (or the subtree at PATH) in the `--dump` format plus one tab-separated "
      L"field: `C` the caret, `S` the selected bit, `E` expanded, in that order, or `-`" },
    { L"field", DemoStepArg::None, L"", false, &CDemoScript::StepField,
      L"prints the count field: `field '<text>' enabled` or `disabled`" },
    { L"log", DemoStepArg::None, L"", false, &CDemoScript::StepLog,
      L"prints what the host saw since the last `log`, one line each (below)" },
    { L"db", DemoStepArg::Sql, L"SQL", false, &CDemoScript::StepDb,
      L"runs one read-only statement on the project file and prints its rows, columns "
      L"separated by `\\|`; anything that writes is refused" },
    { L"host move", DemoStepArg::IdFolder, L"ID FOLDERID", false, &CDemoScript::StepHostMove,
      L"at its next double-click message (0x466 or 0x467) the host moves component ID into "
      L"folder FOLDERID of its floor and asks the tree to re-file it (`m_nMoveComId`, "
      L"`m_bMovePending`)" },
};

std::wstring CDemoScript::StepTable()
{
    std::wstring keys;
    for (const KeyName& k : kKeys)
        AppendCode(keys, k.name);
    std::wstring out = L"| step | what it does |\n|---|---|\n";
    for (const DemoStepKind& k : s_kinds) {
        std::wstring usage;
        for (const std::wstring& form : Split(k.pszForms, L"|"))
            AppendCode(usage, k.pszVerb + (form.empty() ? L"" : L" " + form));
        std::wstring help = k.pszHelp;
        size_t at = help.find(L"{keys}");
        if (at != std::wstring::npos)
            help.replace(at, 6, keys);
        out += L"| " + usage + L" | " + help + L" |\n";
    }
    return out;
}

CDemoScript::CDemoScript()
    : m_nNext(0), m_bFinished(false), m_bFailed(false), m_pSite(nullptr), m_hPrintedMenu(NULL),
      m_hChosenMenu(NULL), m_dwChosenAt(0), m_dwClosingSince(0), m_ptPress{ 0, 0 },
      m_bPressed(false), m_nPressKeys(0), m_bAnswering(false)
{}

CDemoScript::~CDemoScript()
{
    if (g_pRunning == this)
        g_pRunning = nullptr;
}

bool CDemoScript::Load(const std::wstring& path, std::wstring* pError)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        if (pError)
            *pError = path + L" cannot be read";
        return false;
    }
    std::string bytes;
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n)
        bytes.append(buf, n);
    CloseHandle(h);
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    std::wstring text;
    if (!bytes.empty()) {
        int len = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                      (int)bytes.size(), nullptr, 0);
        if (len <= 0) {
            if (pError)
                *pError = path + L" is not UTF-8 text";
            return false;
        }
        text.resize(len);
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], len);
    }
    return Parse(text, pError);
}

bool CDemoScript::Parse(const std::wstring& text, std::wstring* pError)
{
    m_steps.clear();
    std::vector<std::wstring> lines = Split(text, L"\n");
    for (size_t i = 0; i < lines.size(); ++i) {
        std::wstring raw = lines[i];
        if (!raw.empty() && raw.back() == L'\r')
            raw.pop_back();
        std::wstring line = Trim(raw);
        if (line.empty() || line[0] == L'#')
            continue;
        DemoScriptStep step;
        step.nLine = (int)i + 1;
        step.strText = line;
        step.pKind = FindKind(line);
        std::wstring why = step.pKind ? ReadArgument(step, raw, line)
                                      : L"unknown step '" + line.substr(0, line.find(L' ')) + L"'";
        if (!why.empty()) {
            if (pError)
                *pError = L"line " + std::to_wstring(step.nLine) + L": " + why + L": " + line;
            return false;
        }
        m_steps.push_back(step);
    }
    return true;
}

const DemoStepKind* CDemoScript::FindKind(const std::wstring& line)
{
    const DemoStepKind* pFound = nullptr;
    size_t nLongest = 0;
    for (const DemoStepKind& k : s_kinds) {
        size_t n = wcslen(k.pszVerb);
        if (n > nLongest && line.compare(0, n, k.pszVerb) == 0
            && (line.size() == n || line[n] == L' ')) {
            pFound = &k;
            nLongest = n;
        }
    }
    return pFound;
}

// Fills the step from the words after its verb; the reason when they do not fit its kind.
std::wstring CDemoScript::ReadArgument(DemoScriptStep& step, const std::wstring& raw,
                                       const std::wstring& line)
{
    const DemoStepKind& kind = *step.pKind;
    const size_t nVerb = wcslen(kind.pszVerb);
    std::wstring rest = Trim(line.substr(nVerb));
    auto takeModifiers = [&]() {
        for (;;) {
            size_t last = rest.rfind(L' ');
            std::wstring word = last == std::wstring::npos ? L"" : rest.substr(last + 1);
            if (word == L"ctrl")
                step.bCtrl = true;
            else if (word == L"shift")
                step.bShift = true;
            else
                break;
            rest = Trim(rest.substr(0, last));
        }
    };
    std::wstring why;
    switch (kind.nArg) {
    case DemoStepArg::None:
        if (!rest.empty())
            why = L"takes no argument";
        break;
    case DemoStepArg::OptionalPath:
        break;
    case DemoStepArg::PathKeys:
        takeModifiers();
        // fall through
    case DemoStepArg::Path:
        if (rest.empty())
            why = L"needs an item path";
        break;
    case DemoStepArg::Offset: {
        std::vector<std::wstring> xy = Split(rest, L" ");
        if (xy.size() != 2 || !ParseInt(xy[0], &step.nX) || !ParseInt(xy[1], &step.nY))
            why = L"needs two whole numbers DX DY";
        break;
    }
    case DemoStepArg::Count:
        if (!ParseInt(rest, &step.nX) || step.nX < 0)
            why = L"needs a whole number";
        break;
    case DemoStepArg::Key: {
        takeModifiers();
        bool bKnown = rest.size() == 1;
        for (const KeyName& k : kKeys)
            bKnown = bKnown || rest == k.name;
        if (!bKnown)
            why = L"unknown key '" + rest + L"'";
        break;
    }
    case DemoStepArg::Choice: {
        std::vector<std::wstring> forms = Split(kind.pszForms, L"|");
        if (std::find(forms.begin(), forms.end(), rest) == forms.end())
            why = L"needs " + JoinWords(forms, L"or");
        break;
    }
    case DemoStepArg::MenuEntry:
        if (rest.empty())
            why = L"needs a menu entry text or none";
        break;
    case DemoStepArg::MenuPath:
        if (rest.empty())
            why = L"needs a menu path";
        break;
    case DemoStepArg::TextOrCancel:
        if (rest.empty())
            why = L"needs a text or cancel";
        break;
    case DemoStepArg::RawText: {
        // The text as written: spaces are characters a user may type.
        rest = line.size() > nVerb ? raw.substr(raw.find(kind.pszVerb) + nVerb + 1) : L"";
        break;
    }
    case DemoStepArg::TypeCode:
        if (rest != L"cancel" && (!ParseInt(rest, &step.nX) || step.nX <= 0))
            why = L"needs a component type code or cancel";
        break;
    case DemoStepArg::Sql:
        if (rest.empty())
            why = L"needs a SELECT statement";
        break;
    case DemoStepArg::IdFolder: {
        std::vector<std::wstring> words = Split(rest, L" ");
        if (words.size() != 2 || !ParseInt(words[0], &step.nX) || words[1].empty())
            why = L"needs a component id and a folder id";
        else
            rest = words[1];
        break;
    }
    }
    step.strArg = rest;
    return why;
}

int CDemoScript::Run(IDemoScriptSite* pSite, Output fnOut)
{
    m_pSite = pSite;
    m_fnOut = std::move(fnOut);
    m_nNext = 0;
    m_bFinished = m_bFailed = false;
    g_pRunning = this;
    UIFunction::KxMessageBoxHandler pfnPrevious = UIFunction::SetMessageBoxHandler(
        &CDemoScript::MessageBoxHook, this);
    UINT_PTR nTimer = SetTimer(NULL, 0, 10, &CDemoScript::TickProc);

    MSG msg;
    while (!m_bFinished) {
        BOOL b = GetMessageW(&msg, NULL, 0, 0);
        if (b <= 0) {
            if (!m_bFailed && m_nNext < m_steps.size())
                Fail(m_steps[m_nNext], L"the main window closed before this step");
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(NULL, nTimer);
    Pump();
    UIFunction::SetMessageBoxHandler(pfnPrevious, nullptr);
    g_pRunning = nullptr;
    return m_bFailed ? 3 : 0;
}

void CALLBACK CDemoScript::TickProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pRunning)
        g_pRunning->OnTick();
}

CDemoScript::ModalState CDemoScript::CurrentModal()
{
    ThreadWindows w;
    EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&w));
    if (!w.hMenu) {
        HWND h = FindWindowW(L"#32768", NULL);
        DWORD pid = 0;
        if (h && IsWindowVisible(h) && GetWindowThreadProcessId(h, &pid) == GetCurrentThreadId())
            w.hMenu = h;
    }
    ModalState s;
    s.hMenu = w.hMenu;
    s.dialogs = w.dialogs;
    s.hCapture = GetCapture();
    return s;
}

bool CDemoScript::NewModalSince(const ModalState& before, const ModalState& now)
{
    if (now.hMenu && now.hMenu != before.hMenu)
        return true;
    for (HWND h : now.dialogs)
        if (std::find(before.dialogs.begin(), before.dialogs.end(), h) == before.dialogs.end())
            return true;
    return now.hCapture && now.hCapture != before.hCapture;
}

void CDemoScript::OnTick()
{
    // Answering a dialog pumps messages, this timer's too; the dialog is not a modal state
    // the next step may run in: it is closing, and its caller goes on only after it.
    if (m_bFinished || m_bAnswering)
        return;
    ModalState now = CurrentModal();
    if (!now.hMenu) {
        m_hPrintedMenu = NULL;
        m_hChosenMenu = NULL;
    }

    if (m_bFailed) {
        CloseModalUi();
        if (m_running.empty())
            m_bFinished = true;
        else if (GetTickCount() - m_dwClosingSince > kUnwindMs) {
            // A modal loop that will not end: the reason is already printed.
            ExitProcess(3);
        }
        return;
    }

    // A step is running: only a menu, dialog or mouse capture it opened lets the next step in.
    if (!m_running.empty() && !NewModalSince(m_running.back(), now))
        return;

    if (now.hMenu) {
        HMENU hMenu = (HMENU)SendMessageW(now.hMenu, MN_GETHMENU, 0, 0);
        if (now.hMenu == m_hChosenMenu) {
            // Keys are on their way to it; wait until it closes.
            if (GetTickCount() - m_dwChosenAt > kMenuCloseMs && m_nNext > 0)
                Fail(m_steps[m_nNext - 1], L"the menu did not close after the choice");
            return;
        }
        if (hMenu && hMenu != m_hPrintedMenu) {
            m_hPrintedMenu = hMenu;
            Print(L"menu " + DescribeMenu(hMenu));
        }
    }
    // A dialog just answered is closing; the next step runs once its caller has gone on.
    if (HandleNewDialogs(now))
        return;

    if (m_nNext >= m_steps.size()) {
        if (!m_running.empty()) {
            // A menu or dialog left open by the last steps is closed, as a user would.
            CloseModalUi();
            return;
        }
        m_bFinished = true;
        return;
    }

    const DemoScriptStep& step = m_steps[m_nNext++];
    m_running.push_back(now);
    RunStep(step);
    m_running.pop_back();

    if (m_running.empty() && step.pKind->bAction && !m_bFailed && !m_dialogAnswers.empty()) {
        const DialogAnswer& a = m_dialogAnswers.front();
        Fail(StepOnLine(a.nLine),
             a.bWizard ? L"no wizard dialog appeared" : L"no rename dialog appeared");
    }
}

DemoScriptStep CDemoScript::StepOnLine(int nLine) const
{
    for (const DemoScriptStep& s : m_steps)
        if (s.nLine == nLine)
            return s;
    DemoScriptStep none;
    none.nLine = nLine;
    return none;
}

void CDemoScript::RunStep(const DemoScriptStep& s) { (this->*s.pKind->pfnRun)(s); }

bool CDemoScript::Fail(const DemoScriptStep& step, const std::wstring& why)
{
    if (!m_bFailed) {
        m_bFailed = true;
        m_strError = L"line " + std::to_wstring(step.nLine) + L": " + why + L": " + step.strText;
        m_dwClosingSince = GetTickCount();
        CloseModalUi();
    }
    return false;
}

void CDemoScript::Print(const std::wstring& text)
{
    if (!m_fnOut || text.empty())
        return;
    m_fnOut(text.back() == L'\n' ? text : text + L"\n");
}

void CDemoScript::CloseModalUi()
{
    ModalState now = CurrentModal();
    if (now.hMenu)
        EndMenu();
    for (HWND h : now.dialogs) {
        HWND hCancel = GetDlgItem(h, IDCANCEL);
        if (hCancel)
            PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)hCancel);
        else
            PostMessageW(h, WM_CLOSE, 0, 0);
    }
    if (now.hCapture)
        ReleaseCapture();
}

// ---- dialogs ----------------------------------------------------------------------------

bool CDemoScript::HandleNewDialogs(const ModalState& now)
{
    for (HWND h : now.dialogs) {
        if (std::find(m_handledDialogs.begin(), m_handledDialogs.end(), h)
            != m_handledDialogs.end())
            continue;
        if (m_dialogAnswers.empty())
            return false; // left open: a later `wizard` or `rename` step answers it
        HWND hList = GetDlgItem(h, IDC_WIZARD_LIST);
        bool bWizard = hList && ClassOf(hList) == WC_LISTVIEWW;
        if (m_dialogAnswers.front().bWizard != bWizard)
            return false;
        DialogAnswer a = m_dialogAnswers.front();
        m_dialogAnswers.erase(m_dialogAnswers.begin());
        m_handledDialogs.push_back(h);
        // Answering pumps messages: a tick in between must not take the dialog being answered
        // for one a step opened and run the next step inside it, before its OK.
        m_running.push_back(now);
        AnswerDialog(h, a);
        m_running.pop_back();
        return true;
    }
    return false;
}

bool CDemoScript::AnswerDialog(HWND hDlg, const DialogAnswer& a)
{
    struct Answering
    {
        bool& bFlag;
        explicit Answering(bool& b) : bFlag(b) { bFlag = true; }
        ~Answering() { bFlag = false; }
    } answering(m_bAnswering);
    const DemoScriptStep at = StepOnLine(a.nLine);
    auto clickButton = [hDlg](int id) {
        HWND hButton = GetDlgItem(hDlg, id);
        if (hButton && IsWindowEnabled(hButton))
            SendMessageW(hButton, BM_CLICK, 0, 0);
        else
            PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)hButton);
    };
    HWND hEdit = a.bWizard ? NULL : GetDlgItem(hDlg, IDC_RENAME_NAME);
    if (!a.bWizard) {
        if (!hEdit)
            return Fail(at, L"the dialog has no name field");
        // What the dialog offered before the answer replaces it.
        Print(L"dialog " + WindowTextOf(hDlg) + L" '" + WindowTextOf(hEdit) + L"'");
    }
    if (a.bCancel) {
        clickButton(IDCANCEL);
        return true;
    }
    if (!a.bWizard) {
        SetFocus(hEdit);
        SetWindowTextW(hEdit, a.strValue.c_str());
        Pump(1);
        clickButton(IDOK);
        return true;
    }

    // The wizard: the type's picture is in the list once its class is chosen on the left.
    HWND hList = GetDlgItem(hDlg, IDC_WIZARD_LIST);
    HWND hClasses = FindWindowExW(hDlg, NULL, WC_TREEVIEWW, NULL);
    int nType = 0;
    ParseInt(a.strValue, &nType);
    auto findType = [hList, nType]() -> int {
        int n = (int)SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0);
        for (int i = 0; i < n; ++i) {
            LVITEMW item = {};
            item.mask = LVIF_PARAM;
            item.iItem = i;
            if (SendMessageW(hList, LVM_GETITEMW, 0, (LPARAM)&item) && (int)item.lParam == nType)
                return i;
        }
        return -1;
    };
    int nIndex = findType();
    for (HTREEITEM h = hClasses ? TreeView_GetRoot(hClasses) : NULL; h && nIndex < 0;) {
        if (!TreeView_GetChild(hClasses, h)) {
            TreeView_EnsureVisible(hClasses, h);
            RECT rc = {};
            if (TreeView_GetItemRect(hClasses, h, &rc, TRUE)) {
                POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
                PostMouse(hClasses, WM_LBUTTONUP, pt, 0);
                SendMessageW(hClasses, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
                Pump();
                nIndex = findType();
            }
        }
        HTREEITEM next = TreeView_GetChild(hClasses, h);
        while (!next && h) {
            next = TreeView_GetNextSibling(hClasses, h);
            if (!next)
                h = TreeView_GetParent(hClasses, h);
        }
        h = next;
    }
    if (nIndex < 0)
        return Fail(at, L"the wizard offers no type " + a.strValue);
    SendMessageW(hList, LVM_ENSUREVISIBLE, nIndex, FALSE);
    RECT rc = {};
    rc.left = LVIR_BOUNDS;
    SendMessageW(hList, LVM_GETITEMRECT, nIndex, (LPARAM)&rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    PostMouse(hList, WM_LBUTTONUP, pt, 0);
    SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    Pump();
    if ((int)SendMessageW(hList, LVM_GETNEXTITEM, (WPARAM)-1, LVNI_SELECTED) != nIndex)
        return Fail(at, L"clicking the type's picture did not select it");
    clickButton(IDOK);
    return true;
}

void CDemoScript::DialogAnswerStep(const DemoScriptStep& s, bool bWizard)
{
    DialogAnswer a;
    a.nLine = s.nLine;
    a.bWizard = bWizard;
    a.bCancel = s.strArg == L"cancel";
    a.strValue = s.strArg;
    // A dialog already waiting (opened by an earlier step) gets the answer now.
    ModalState now = CurrentModal();
    for (HWND h : now.dialogs) {
        if (std::find(m_handledDialogs.begin(), m_handledDialogs.end(), h)
            != m_handledDialogs.end())
            continue;
        HWND hList = GetDlgItem(h, IDC_WIZARD_LIST);
        if ((hList && ClassOf(hList) == WC_LISTVIEWW) == bWizard) {
            m_handledDialogs.push_back(h);
            AnswerDialog(h, a);
            return;
        }
    }
    m_dialogAnswers.push_back(a);
}

void CDemoScript::StepWizard(const DemoScriptStep& s) { DialogAnswerStep(s, true); }

void CDemoScript::StepRename(const DemoScriptStep& s) { DialogAnswerStep(s, false); }

int CDemoScript::MessageBoxHook(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle, void* pContext)
{
    CDemoScript* p = static_cast<CDemoScript*>(pContext);
    UINT nButtons = nStyle & MB_TYPEMASK;
    int nAnswer = (nButtons == MB_YESNO || nButtons == MB_YESNOCANCEL) ? IDNO : IDOK;
    if (!p->m_answers.empty()) {
        nAnswer = p->m_answers.front().second;
        p->m_answers.erase(p->m_answers.begin());
    }
    p->m_events.push_back(L"box " + OneLine(pszCaption ? pszCaption : L"") + L"|"
                          + OneLine(pszText ? pszText : L"") + L"|" + std::to_wstring(nStyle)
                          + L" -> " + AnswerName(nAnswer));
    return nAnswer;
}

void CDemoScript::NoteHostMessage(UINT nMsg, WPARAM, LPARAM lParam, LRESULT lResult)
{
    wchar_t head[32];
    swprintf(head, _countof(head), L"message 0x%x ", nMsg);
    if (nMsg == WM_COMTREE_NEWCOMPONENT) {
        m_events.push_back(head + std::to_wstring((long long)lParam) + L" -> "
                           + std::to_wstring((long long)lResult));
        return;
    }
    const CParamProp* p = reinterpret_cast<const CParamProp*>(lParam);
    if (!p) {
        m_events.push_back(std::wstring(head) + L"none");
        return;
    }
    m_events.push_back(head + RecordFields(p) + L" " + p->m_strName.GetString());
}

// ---- the tree -----------------------------------------------------------------------------

HTREEITEM CDemoScript::FindItem(const std::wstring& path, std::wstring* pWhy)
{
    HWND hTree = m_pSite->GetTreeWnd();
    HTREEITEM hParent = NULL;
    std::wstring sofar;
    for (const std::wstring& label : Split(path, kPathSeparator)) {
        HTREEITEM h = hParent ? TreeView_GetChild(hTree, hParent) : TreeView_GetRoot(hTree);
        while (h && ItemText(hTree, h) != label)
            h = TreeView_GetNextSibling(hTree, h);
        if (!h) {
            *pWhy = sofar.empty() ? L"no top item '" + label + L"'"
                                  : L"no item '" + label + L"' under " + sofar;
            return NULL;
        }
        sofar += (sofar.empty() ? L"" : kPathSeparator) + label;
        hParent = h;
    }
    return hParent;
}

// The item and the centre of its label, scrolled into view as a user would scroll; an item
// inside a collapsed branch cannot be reached by the mouse.
bool CDemoScript::ItemPoint(const DemoScriptStep& s, HTREEITEM* phItem, POINT* pPoint)
{
    HWND hTree = m_pSite->GetTreeWnd();
    std::wstring why;
    HTREEITEM hItem = FindItem(s.strArg, &why);
    if (!hItem)
        return Fail(s, why);
    for (HTREEITEM p = TreeView_GetParent(hTree, hItem); p; p = TreeView_GetParent(hTree, p))
        if (!(TreeView_GetItemState(hTree, p, TVIS_EXPANDED) & TVIS_EXPANDED))
            return Fail(s, L"the item is inside a collapsed branch");
    TreeView_EnsureVisible(hTree, hItem);
    RECT rc = {};
    if (!TreeView_GetItemRect(hTree, hItem, &rc, TRUE))
        return Fail(s, L"the item has no rectangle");
    *phItem = hItem;
    pPoint->x = (rc.left + rc.right) / 2;
    pPoint->y = (rc.top + rc.bottom) / 2;
    return true;
}

// ---- steps --------------------------------------------------------------------------------

void CDemoScript::Click(const DemoScriptStep& s, bool bDouble)
{
    HTREEITEM hItem;
    POINT pt;
    if (!ItemPoint(s, &hItem, &pt))
        return;
    HWND hTree = m_pSite->GetTreeWnd();
    UINT mk = MouseKeys(s.bCtrl, s.bShift);
    CHeldKeys keys(s.bCtrl, s.bShift);
    // The release is queued before the press is handled, as real input arrives: the tree
    // view's own press processing waits for it.
    PostMouse(hTree, WM_LBUTTONUP, pt, mk);
    SendMessageW(hTree, WM_LBUTTONDOWN, MK_LBUTTON | mk, MAKELPARAM(pt.x, pt.y));
    Pump(1);
    if (bDouble) {
        PostMouse(hTree, WM_LBUTTONUP, pt, mk);
        SendMessageW(hTree, WM_LBUTTONDBLCLK, MK_LBUTTON | mk, MAKELPARAM(pt.x, pt.y));
    }
    Pump();
}

void CDemoScript::StepClick(const DemoScriptStep& s) { Click(s, false); }

void CDemoScript::StepDoubleClick(const DemoScriptStep& s) { Click(s, true); }

void CDemoScript::StepPress(const DemoScriptStep& s)
{
    HTREEITEM hItem;
    POINT pt;
    if (!ItemPoint(s, &hItem, &pt))
        return;
    m_ptPress = pt;
    m_bPressed = true;
    m_nPressKeys = MouseKeys(s.bCtrl, s.bShift);
    CHeldKeys keys(s.bCtrl, s.bShift);
    SendMessageW(m_pSite->GetTreeWnd(), WM_LBUTTONDOWN, MK_LBUTTON | m_nPressKeys,
                 MAKELPARAM(pt.x, pt.y));
    Pump();
}

void CDemoScript::StepMove(const DemoScriptStep& s)
{
    if (!m_bPressed) {
        Fail(s, L"no press to move from");
        return;
    }
    POINT pt = { m_ptPress.x + s.nX, m_ptPress.y + s.nY };
    CHeldKeys keys((m_nPressKeys & MK_CONTROL) != 0, (m_nPressKeys & MK_SHIFT) != 0);
    PostMouse(m_pSite->GetTreeWnd(), WM_MOUSEMOVE, pt, MK_LBUTTON | m_nPressKeys);
    Pump();
    m_ptPress = pt;
}

void CDemoScript::StepRelease(const DemoScriptStep& s)
{
    if (!m_bPressed) {
        Fail(s, L"no press to release");
        return;
    }
    m_bPressed = false;
    CHeldKeys keys((m_nPressKeys & MK_CONTROL) != 0, (m_nPressKeys & MK_SHIFT) != 0);
    PostMouse(m_pSite->GetTreeWnd(), WM_LBUTTONUP, m_ptPress, m_nPressKeys);
    Pump();
}

void CDemoScript::StepRightClick(const DemoScriptStep& s)
{
    HTREEITEM hItem;
    POINT pt;
    if (!ItemPoint(s, &hItem, &pt))
        return;
    HWND hTree = m_pSite->GetTreeWnd();
    CHeldKeys keys(false, false);
    PostMouse(hTree, WM_RBUTTONUP, pt, 0);
    // A menu opened here runs its loop inside this call; the next step runs in that loop.
    SendMessageW(hTree, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
    Pump();
}

void CDemoScript::StepChoose(const DemoScriptStep& s)
{
    ModalState now = CurrentModal();
    if (!now.hMenu) {
        Fail(s, L"no popup menu is open");
        return;
    }
    HMENU hMenu = (HMENU)SendMessageW(now.hMenu, MN_GETHMENU, 0, 0);
    std::vector<UINT> keys;
    if (s.strArg == L"none") {
        keys.push_back(VK_ESCAPE);
    } else {
        std::vector<std::wstring> path = Split(s.strArg, kMenuSeparator);
        HMENU hLevel = hMenu;
        for (size_t level = 0; level < path.size(); ++level) {
            std::vector<MenuEntry> entries = ReadMenu(hLevel);
            int nTarget = -1, nHilite = -1, nSelectable = 0;
            for (size_t i = 0; i < entries.size(); ++i) {
                if (entries[i].bSeparator)
                    continue;
                if (entries[i].text == path[level] && nTarget < 0)
                    nTarget = nSelectable;
                if (entries[i].bHilite)
                    nHilite = nSelectable;
                ++nSelectable;
            }
            if (nTarget < 0) {
                Fail(s, L"no menu entry '" + path[level] + L"'");
                return;
            }
            const MenuEntry* pEntry = nullptr;
            for (int i = 0, k = 0; i < (int)entries.size(); ++i)
                if (!entries[i].bSeparator && k++ == nTarget)
                    pEntry = &entries[i];
            if (pEntry->bGrayed) {
                Fail(s, L"the menu entry '" + path[level] + L"' is grayed");
                return;
            }
            // Arrow keys pass over separators only, wrapping at the ends; a submenu opens
            // with its first entry selected.
            int nDowns;
            if (level == 0)
                nDowns = nHilite < 0 ? nTarget + 1
                                     : (nTarget - nHilite + nSelectable) % nSelectable;
            else {
                keys.push_back(VK_RIGHT);
                nDowns = nTarget;
            }
            keys.insert(keys.end(), nDowns, VK_DOWN);
            bool bLast = level + 1 == path.size();
            if (bLast && pEntry->hSub) {
                Fail(s, L"the menu entry '" + path[level] + L"' opens a submenu");
                return;
            }
            if (!bLast && !pEntry->hSub) {
                Fail(s, L"the menu entry '" + path[level] + L"' has no submenu");
                return;
            }
            hLevel = pEntry->hSub;
        }
        keys.push_back(VK_RETURN);
    }
    // The menu's own loop reads them from the queue; pumping here would take them from it.
    for (UINT vk : keys) {
        PostMessageW(now.hMenu, WM_KEYDOWN, vk, 1);
        PostMessageW(now.hMenu, WM_KEYUP, vk, (LPARAM)(1 | 0xC0000000));
    }
    m_hChosenMenu = now.hMenu;
    m_dwChosenAt = GetTickCount();
}

void CDemoScript::StepKey(const DemoScriptStep& s)
{
    UINT vk = 0;
    for (const KeyName& k : kKeys)
        if (s.strArg == k.name)
            vk = k.vk;
    if (!vk) {
        SHORT scan = VkKeyScanW(s.strArg[0]);
        if (scan == -1) {
            Fail(s, L"no key types '" + s.strArg + L"'");
            return;
        }
        vk = LOBYTE(scan);
    }
    HWND hTree = m_pSite->GetTreeWnd();
    HWND hFocus = GetFocus();
    if (hFocus != hTree && !IsChild(hTree, hFocus))
        SetFocus(hTree);
    LPARAM lScan = (LPARAM)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16;
    CHeldKeys keys(s.bCtrl, s.bShift);
    PostMessageW(hTree, WM_KEYDOWN, vk, lScan | 1);
    PostMessageW(hTree, WM_KEYUP, vk, lScan | 1 | 0xC0000000);
    Pump();
}

void CDemoScript::StepWait(const DemoScriptStep& s)
{
    DWORD dwEnd = GetTickCount() + (DWORD)s.nX;
    for (;;) {
        Pump(1);
        LONG left = (LONG)(dwEnd - GetTickCount());
        if (left <= 0)
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)std::min<LONG>(left, 10), QS_ALLINPUT);
    }
    Pump();
}

void CDemoScript::ExpandOrCollapse(const DemoScriptStep& s, bool bExpand)
{
    HTREEITEM hItem;
    POINT pt;
    if (!ItemPoint(s, &hItem, &pt))
        return;
    HWND hTree = m_pSite->GetTreeWnd();
    bool bExpanded = (TreeView_GetItemState(hTree, hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (bExpanded == bExpand)
        return; // already so: a user would not click
    // The button is left of the label on the item's row; find it as the tree itself does.
    RECT rcRow = {}, rcLabel = {};
    TreeView_GetItemRect(hTree, hItem, &rcRow, FALSE);
    TreeView_GetItemRect(hTree, hItem, &rcLabel, TRUE);
    int y = (rcLabel.top + rcLabel.bottom) / 2;
    POINT button = { -1, -1 };
    for (int x = rcLabel.left - 1; x >= rcRow.left && button.x < 0; --x) {
        TVHITTESTINFO hit = {};
        hit.pt.x = x;
        hit.pt.y = y;
        if (TreeView_HitTest(hTree, &hit) == hItem && (hit.flags & TVHT_ONITEMBUTTON))
            button = hit.pt;
    }
    if (button.x < 0) {
        Fail(s, L"the item has no expand button");
        return;
    }
    CHeldKeys keys(false, false);
    PostMouse(hTree, WM_LBUTTONUP, button, 0);
    SendMessageW(hTree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(button.x, button.y));
    Pump();
    bExpanded = (TreeView_GetItemState(hTree, hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    if (bExpanded != bExpand)
        Fail(s,
             bExpand ? L"the click on the button did not expand the item"
                     : L"the click on the button did not collapse the item");
}

void CDemoScript::StepExpand(const DemoScriptStep& s) { ExpandOrCollapse(s, true); }

void CDemoScript::StepCollapse(const DemoScriptStep& s) { ExpandOrCollapse(s, false); }

void CDemoScript::StepType(const DemoScriptStep& s)
{
    HWND hEdit = m_pSite->GetCountEdit();
    if (!hEdit || !IsWindowVisible(hEdit) || !IsWindowEnabled(hEdit)) {
        Fail(s, L"the count field is disabled");
        return;
    }
    SetFocus(hEdit);
    Pump(1);
    // One replacement of the whole text: one change notification, as a paste over a
    // selection gives.
    SetWindowTextW(hEdit, s.strArg.c_str());
    Pump();
}

void CDemoScript::StepRadio(const DemoScriptStep& s)
{
    HWND hRadio = m_pSite->GetRadio(s.strArg == L"floor");
    if (!hRadio || !IsWindowVisible(hRadio) || !IsWindowEnabled(hRadio)) {
        Fail(s, L"the radio button cannot be clicked");
        return;
    }
    RECT rc;
    GetClientRect(hRadio, &rc);
    POINT pt = { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
    CHeldKeys keys(false, false);
    PostMouse(hRadio, WM_LBUTTONDOWN, pt, MK_LBUTTON);
    PostMouse(hRadio, WM_LBUTTONUP, pt, 0);
    Pump();
}

void CDemoScript::StepCommand(const DemoScriptStep& s)
{
    SendMessageW(m_pSite->GetTreeWnd(), WM_COMMAND, MAKEWPARAM(s.nX, 0), 0);
    Pump();
}

void CDemoScript::StepMenuBar(const DemoScriptStep& s)
{
    HWND hFrame = m_pSite->GetFrameWnd();
    HMENU hLevel = hFrame ? GetMenu(hFrame) : NULL;
    if (!hLevel) {
        Fail(s, L"the main frame has no menu bar");
        return;
    }
    std::vector<std::wstring> path = Split(s.strArg, kMenuSeparator);
    for (size_t level = 0; level < path.size(); ++level) {
        std::vector<MenuEntry> entries = ReadMenu(hLevel);
        auto it = std::find_if(entries.begin(), entries.end(), [&](const MenuEntry& e) {
            return !e.bSeparator && e.text == path[level];
        });
        if (it == entries.end()) {
            Fail(s, L"no menu entry '" + path[level] + L"'");
            return;
        }
        if (it->bGrayed) {
            Fail(s, L"the menu entry '" + path[level] + L"' is grayed");
            return;
        }
        const bool bLast = level + 1 == path.size();
        if (bLast != !it->hSub) {
            Fail(s,
                 bLast ? L"the menu entry '" + path[level] + L"' opens a submenu"
                       : L"the menu entry '" + path[level] + L"' has no submenu");
            return;
        }
        if (bLast) {
            // As the menu loop does when the entry is chosen.
            SendMessageW(hFrame, WM_COMMAND, MAKEWPARAM(it->nId, 0), 0);
            Pump();
            return;
        }
        // The frame fills a popup when it opens.
        SendMessageW(hFrame, WM_INITMENUPOPUP, (WPARAM)it->hSub,
                     MAKELPARAM(it - entries.begin(), FALSE));
        hLevel = it->hSub;
    }
}

void CDemoScript::StepHostReject(const DemoScriptStep&) { m_pSite->RejectNextComponent(); }

void CDemoScript::StepHostName(const DemoScriptStep& s) { m_pSite->NameNextComponent(s.strArg); }

void CDemoScript::StepAnswer(const DemoScriptStep& s)
{
    int nAnswer = s.strArg == L"yes" ? IDYES : s.strArg == L"no" ? IDNO : IDOK;
    m_answers.push_back(std::make_pair(s.nLine, nAnswer));
}

void CDemoScript::StepEdit(const DemoScriptStep& s)
{
    HWND hEdit = TreeView_GetEditControl(m_pSite->GetTreeWnd());
    if (!hEdit || !IsWindowVisible(hEdit)) {
        Fail(s, L"no label editor is open");
        return;
    }
    UINT vk = VK_ESCAPE;
    if (s.strArg != L"cancel") {
        SetWindowTextW(hEdit, s.strArg.c_str());
        vk = VK_RETURN;
    }
    LPARAM lScan = (LPARAM)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) << 16;
    CHeldKeys keys(false, false);
    PostMessageW(hEdit, WM_KEYDOWN, vk, lScan | 1);
    PostMessageW(hEdit, WM_KEYUP, vk, lScan | 1 | 0xC0000000);
    Pump();
}

void CDemoScript::StepHostRename(const DemoScriptStep& s)
{
    CCompoentsTreeCtrl* pTree = m_pSite->GetTreeCtrl();
    if (!pTree) {
        Fail(s, L"no tree is open");
        return;
    }
    pTree->ChangeSelectedItemName(s.strArg.c_str());
    Pump();
}

void CDemoScript::StepDump(const DemoScriptStep& s)
{
    HTREEITEM hFrom = NULL;
    if (!s.strArg.empty()) {
        std::wstring why;
        if (!(hFrom = FindItem(s.strArg, &why))) {
            Fail(s, why);
            return;
        }
    }
    Print(DumpComponentTree(m_pSite->GetTreeWnd(), true, hFrom));
}

void CDemoScript::StepField(const DemoScriptStep&)
{
    HWND hEdit = m_pSite->GetCountEdit();
    std::wstring text = hEdit ? WindowTextOf(hEdit) : L"";
    Print(L"field '" + text + L"' " + (hEdit && IsWindowEnabled(hEdit) ? L"enabled" : L"disabled"));
}

void CDemoScript::StepLog(const DemoScriptStep&)
{
    std::vector<std::wstring> events;
    events.swap(m_events);
    for (const std::wstring& line : events)
        Print(line);
}

void CDemoScript::StepDb(const DemoScriptStep& s)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn) {
        Fail(s, L"no project is open");
        return;
    }
    std::vector<std::vector<std::wstring>> rows;
    std::wstring why;
    if (!pConn->QueryReadOnly(s.strArg.c_str(), rows, &why)) {
        Fail(s, why);
        return;
    }
    for (const auto& row : rows) {
        std::wstring line;
        for (size_t c = 0; c < row.size(); ++c)
            line += (c ? L"|" : L"") + row[c];
        m_fnOut(line + L"\n");
    }
}

void CDemoScript::StepHostMove(const DemoScriptStep& s) { m_pSite->MoveAtNextOpen(s.nX, s.strArg); }
