// The folder rows a floor gets from a folder rule text ("OtherFloor" section), read through the
// XML DOM as the module reads it: a folder's id is the last two characters of its NameId, a
// sub-folder's parent id those of its parent.
#pragma once
#include <string>
#include <vector>

struct SampleFolder
{
    std::wstring id, parentId, name;
    int imageIndex = 0, selectedIndex = 0, comType = 0, showId = 0;
    bool allowOwnerCom = false, allowAddUserFolder = false, initCreate = false;
};

// Reads the "OtherFloor" folders of a TREE.xml file; empty when the file cannot be read.
std::vector<SampleFolder> ReadOtherFloorFolders(const std::wstring& path);
