// A parent window for a tree view that records the notifications reaching its own handling,
// with the tree-view records decoded (the input side is in FwTestSupport.h).
//
//   CRecordingParent parent;  parent.CreateHost();
//   tree.Create(style, rect, &parent, id);
//   ClickTreeItem(tree, item, MK_CONTROL);  PressKey(tree, VK_DOWN, MK_SHIFT);  PumpFor(600);
//   parent.Codes() == Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW })
#pragma once

#include "FwTestSupport.h"
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
