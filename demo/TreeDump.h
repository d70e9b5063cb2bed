// The component tree as text, one line per item in pre-order (collapsed branches included),
// two spaces of indent per depth:
//   <label>\t<kind> <floorid> <id or -> <comtype> <volume as %g> <image>/<selectedimage>
// With the state column (the scripted `dump` step) a tab and the item's flags follow: C the
// caret, S the selected bit, E expanded, in that order, or -.
// Read straight from the tree view and the record on each item, so it shows what the user
// sees and what the host would receive. --dump and the `dump` step both print this.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

class CParamProp;

// "<kind> <floorid> <id or -> <comtype> <volume as %g>" of a record; kind is project, floor,
// folder or component ("none 0 - 0 0" without a record).
std::wstring RecordFields(const CParamProp* pProp);

// The whole tree, or the subtree of hFrom indented from 0.
std::wstring DumpComponentTree(HWND hTree, bool bWithState = false, HTREEITEM hFrom = NULL);
