#include "AccessProject_FloorTable.h"
#include "SQLDataSet.h"

CAccessProject_FloorTable::CAccessProject_FloorTable() {}

CAccessProject_FloorTable::~CAccessProject_FloorTable() {}

CSQLDataSet* CAccessProject_FloorTable::NewDataSet()
{
    CSQLDataSet* ds = new CSQLDataSet;
    ds->AddField(CFieldInfo::id, KXFT_INTEGER);
    ds->AddField(CFieldInfo::lcmc, KXFT_TEXT);
    ds->AddField(CFieldInfo::showid, KXFT_INTEGER);
    ds->AddField(CFieldInfo::createmode, KXFT_INTEGER);
    ds->AddField(CFieldInfo::floortype, KXFT_INTEGER);
    ds->AddField(CFieldInfo::floorheight, KXFT_FLOAT);
    ds->AddField(CFieldInfo::remark, KXFT_TEXT);
    ds->AddFieldAlias(CFieldInfo::floorid, CFieldInfo::id);
    ds->AddFieldAlias(CFieldInfo::floorname, CFieldInfo::lcmc);
    ds->AddFieldAlias(CFieldInfo::ordernum, CFieldInfo::showid);
    ds->SetFieldPK(ds->GetColNum(CFieldInfo::id), 1);
    ds->SetTableName(L"floor");
    return ds;
}

CSQLDataSet* CAccessProject_FloorTable::Load(LPCTSTR pszOrder)
{
    CSQLDataSet* ds = NewDataSet();
    CString sql =
        L"SELECT id, lcmc, showid, createmode, floortype, floorheight, remark FROM floor ORDER BY ";
    sql += pszOrder;
    ds->Load(sql, {});
    return ds;
}

CSQLDataSet* CAccessProject_FloorTable::GetDataSet() { return Load(L"rowid"); }

CSQLDataSet* CAccessProject_FloorTable::GetSortDataSet() { return Load(L"showid, id"); }
