#include "folders/DataSet_ComFolder.h"

namespace {
const int kText = 15;
const int kInteger = 3;
} // namespace

CDataSet_ComFolder::CDataSet_ComFolder() {}

CDataSet_ComFolder::~CDataSet_ComFolder() {}

int CDataSet_ComFolder::InitFieldStr()
{
    AddField(L"comfolderid", kText, 0);
    AddField(L"floorid", kInteger, 0);
    AddField(L"allowownercom", kInteger, 0);
    AddField(L"parentid", kText, 0);
    AddField(L"foldername", kText, 0);
    AddField(L"imageindex", kInteger, 0);
    AddField(L"selectedindex", kInteger, 0);
    AddField(L"comtype", kInteger, 0);
    AddField(L"allowadduserfolder", kInteger, 0);
    AddField(L"initcreate", kInteger, 0);
    // Declared integer like the table; copies and SetVolume still keep a fraction.
    AddField(L"volume", kInteger, 0);
    AddField(L"showid", kInteger, 0);

    SetFieldPK(GetColNum(L"comfolderid"), 1);
    SetFieldPK(GetColNum(L"floorid"), 1);
    SetTableName(L"comfolder");
    return GetFieldCount();
}
