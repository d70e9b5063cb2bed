// The component tree as text, one line per item in pre-order (collapsed branches included),
// two spaces of indent per depth:
//   <label>\t<kind> <floorid> <id or -> <comtype> <volume as %g> <image>/<selectedimage>
// Read straight from the tree view and the record on each item, so it shows what the user
// sees and what the host would receive.
#pragma once
#include <windows.h>
#include <string>

std::wstring DumpComponentTree(HWND hTree);
