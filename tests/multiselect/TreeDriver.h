// Drives a tree view as a user does, with real messages, and records what its parent hears.
//
//   CRecordingParent parent;  parent.CreateHost();
//   tree.Create(style, rect, &parent, id);
//   Click(tree, item, MK_CONTROL);  Key(tree, VK_DOWN, true);  PumpFor(600);
//   parent.Codes() == Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW })
#pragma once

#include "afxwin.h"
#include <commctrl.h>
#include <set>
#include <string>
#include <vector>

// One WM_NOTIFY that reached the parent's own handling (the control did not keep it).
struct Note
{
    UINT code;
    WPARAM wParam;
    NMHDR hdr;
    NMTREEVIEWW tv;  // filled for the NMTREEVIEW family
    NMTVKEYDOWN key; // filled for TVN_KEYDOWN
};

class CRecordingParent : public CWnd
{
public:
    std::vector<Note> notes;

    BOOL CreateHost();
    void Clear() { notes.clear(); }
    std::vector<UINT> Codes() const;
    const Note* Last(UINT code) const;
    size_t Count(UINT code) const;
    std::string Describe() const;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

inline std::vector<UINT> Codes(std::initializer_list<UINT> codes) { return codes; }

void PumpFor(DWORD ms);
CPoint LabelPoint(HWND tree, HTREEITEM item);
void SendMouse(HWND wnd, UINT msg, UINT flags, CPoint at);
void Click(HWND tree, HTREEITEM item, UINT flags);
void RightClick(HWND tree, HTREEITEM item);
void ClickButton(HWND tree, HTREEITEM item); // the expand/collapse button
void Key(HWND wnd, UINT vk, bool shift);
std::set<HTREEITEM> SelectedBits(HWND tree); // every item, hidden ones included
bool IsAllZero(const TVITEMW& item);
