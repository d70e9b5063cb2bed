#include "Project_ComFolderTable.h"
#include "AccessProject_ComFolderTable.h"

CProject_ComFolderTable::CProject_ComFolderTable() {}

CProject_ComFolderTable::~CProject_ComFolderTable() {}

int CProject_ComFolderTable::InitFieldStr()
{
    return CAccessProject_ComFolderTable::DeclareFields(this, KXFT_INTEGER, KXFT_INTEGER);
}
