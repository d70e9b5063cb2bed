#include "folders/DataSet_ComFolder.h"

CDataSet_ComFolder::CDataSet_ComFolder() {}

CDataSet_ComFolder::~CDataSet_ComFolder() {}

int CDataSet_ComFolder::InitFieldStr()
{
    return CAccessProject_ComFolderTable::DeclareFields(this, KXFT_TEXT, KXFT_TEXT);
}
