// The folder rows a floor gets from a folder rule text ("OtherFloor" section), read through the
// XML DOM as the module reads it: a folder's id is the last two characters of its NameId, a
// sub-folder's parent id those of its parent. The rows carry no floor yet (floor id 0).
#pragma once
#include <string>
#include <vector>
#include "FolderRow.h"

// Reads the "OtherFloor" folders of a TREE.xml file; empty when the file cannot be read.
std::vector<FolderRow> ReadOtherFloorFolders(const std::wstring& path);
