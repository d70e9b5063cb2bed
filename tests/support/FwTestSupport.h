// Helpers for suites that drive real windows under Wine.
//
//   PumpFor(ms)                run every queued message, and those arriving for ms (timers)
//   PumpUntilIdle()            the same for a few milliseconds
//   ClickTreeItem(tree, item, MK_CONTROL)
//                              press and release the left button at the middle of the
//                              item's label (TVM_GETITEMRECT), modifiers in the MK_ flags and
//                              in the keyboard state while the messages are handled; the
//                              release is queued first and the press sent, as real input
//                              arrives (the tree's drag detection waits for the release)
//   ClickExpandButton(tree, item)  a click on the item's expand/collapse button
//   SelectedBits(tree)         every item with TVIS_SELECTED, hidden ones included
//   PressKey(hwnd, VK_DOWN, MK_SHIFT)
//                              WM_KEYDOWN/WM_KEYUP sent with Shift/Ctrl held
//                              (SetKeyboardState around them); PostKey queues them instead,
//                              so they pass PreTranslateMessage, then pumps
//   DriveNextDialog(fn)        when the next dialog (#32770) activates on this thread,
//                              run fn(dialog) from the message loop (e.g. fill it, press OK)
//   DriveNextMessageBox(IDOK)  answer the next message box and keep its text
//   DriveNextPopupMenu({VK_DOWN, VK_RETURN})
//                              type keys into the next popup menu once it shows (a menu
//                              still open 2 s later is closed, so a test cannot hang)
//   CNotifyRecorder            a parent window that records the WM_NOTIFY / WM_COMMAND it
//                              receives (after reflection to the child), with payloads
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>
#include "afxwin.h"

void PumpFor(DWORD ms);
inline void PumpUntilIdle(int rounds = 3) { PumpFor(rounds); }

// Client point at the middle of the item's label; {-1,-1} when the item has no rectangle.
CPoint TreeItemPoint(HWND tree, HTREEITEM item);
bool ClickTreeItem(HWND tree, HTREEITEM item, UINT mkModifiers = 0);
bool RightClickTreeItem(HWND tree, HTREEITEM item, UINT mkModifiers = 0);
bool DoubleClickTreeItem(HWND tree, HTREEITEM item);
bool ClickExpandButton(HWND tree, HTREEITEM item);
void SendMouse(HWND hwnd, UINT message, UINT mkFlags, POINT client);
std::set<HTREEITEM> SelectedBits(HWND tree);
bool IsAllZero(const TVITEMW& item);

void PressKey(HWND hwnd, UINT vk, UINT mkModifiers = 0);
void PostKey(HWND hwnd, UINT vk, UINT mkModifiers = 0);

// Sets Shift/Ctrl in the thread's keyboard state for its lifetime.
class ScopedModifiers
{
public:
    explicit ScopedModifiers(UINT mkModifiers);
    ~ScopedModifiers();

private:
    BYTE m_saved[256];
};

// Runs once, for the next dialog activated on this thread. Returns false while waiting.
class DialogDriver
{
public:
    explicit DialogDriver(std::function<void(HWND)> action);
    ~DialogDriver();
    bool Ran() const { return m_ran; }
    HWND Dialog() const { return m_dialog; }

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> m_action;
    HHOOK m_hook = NULL;
    HWND m_dialog = NULL;
    bool m_ran = false;
};
std::unique_ptr<DialogDriver> DriveNextDialog(std::function<void(HWND)> action);

// Answers the next message box with the button id and keeps its text.
struct MessageBoxAnswer
{
    std::unique_ptr<DialogDriver> driver;
    std::wstring text;
    std::wstring caption;
};
std::shared_ptr<MessageBoxAnswer> DriveNextMessageBox(int buttonId);

void DriveNextPopupMenu(std::vector<UINT> keys);

// Text of a window, for assertions.
std::wstring WindowText(HWND hwnd);

struct RecordedNotify
{
    HWND hwndFrom;
    UINT_PTR idFrom;
    int code;
    std::vector<BYTE> payload; // the whole notification record, NMHDR first
    template <class T>
    const T& As() const
    {
        return *reinterpret_cast<const T*>(payload.data());
    }
};

struct RecordedCommand
{
    UINT id;
    UINT code;
    HWND hwndCtrl;
};

class CNotifyRecorder : public CWnd
{
public:
    // A visible top-level window (child == false) or a child of parent.
    BOOL CreateRecorder(HWND parent = NULL, int width = 400, int height = 400);
    std::vector<RecordedNotify> notifies;
    std::vector<RecordedCommand> commands;
    int CountNotify(int code) const;
    // Results answered per notification code (default 0).
    std::vector<std::pair<int, LRESULT>> answers;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
