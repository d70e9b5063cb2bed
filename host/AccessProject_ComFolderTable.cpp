#include "AccessProject_ComFolderTable.h"
#include "ProjectDatabase.h"
#include "SQLDataSet.h"
#include "SqlStatement.h"

CAccessProject_ComFolderTable::CAccessProject_ComFolderTable() {}

CAccessProject_ComFolderTable::~CAccessProject_ComFolderTable() {}

int CAccessProject_ComFolderTable::DeclareFields(NDataModelDataSet* ds, int nIdType,
                                                 int nParentType)
{
    ds->AddField(CFieldInfo::comfolderid, nIdType);
    ds->AddField(CFieldInfo::floorid, KXFT_INTEGER);
    ds->AddField(CFieldInfo::allowownercom, KXFT_INTEGER);
    ds->AddField(CFieldInfo::parentid, nParentType);
    ds->AddField(CFieldInfo::foldername, KXFT_TEXT);
    ds->AddField(CFieldInfo::imageindex, KXFT_INTEGER);
    ds->AddField(CFieldInfo::selectedindex, KXFT_INTEGER);
    ds->AddField(CFieldInfo::comtype, KXFT_INTEGER);
    ds->AddField(CFieldInfo::allowadduserfolder, KXFT_INTEGER);
    ds->AddField(CFieldInfo::initcreate, KXFT_INTEGER);
    ds->AddField(CFieldInfo::volume, KXFT_INTEGER);
    ds->AddField(CFieldInfo::showid, KXFT_INTEGER);
    ds->SetFieldPK(ds->GetColNum(CFieldInfo::comfolderid), 1);
    ds->SetFieldPK(ds->GetColNum(CFieldInfo::floorid), 1);
    ds->SetTableName(L"comfolder");
    return ds->GetFieldCount();
}

CSQLDataSet* CAccessProject_ComFolderTable::GetDataSet()
{
    CSQLDataSet* ds = new CSQLDataSet;
    DeclareFields(ds, KXFT_TEXT, KXFT_TEXT);
    ds->Load(
        L"SELECT comfolderid, floorid, allowownercom, parentid, foldername, imageindex, "
        L"selectedindex, "
        L"comtype, allowadduserfolder, initcreate, volume, showid FROM comfolder ORDER BY rowid",
        {});
    return ds;
}

BOOL CAccessProject_ComFolderTable::GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId,
                                                        double& dVolume)
{
    CSqlStatement st(CProjectDatabase::GetConnection(),
                     L"SELECT volume FROM comfolder WHERE comfolderid = ?1 AND floorid = ?2");
    st.Bind(1, pszFolderId ? pszFolderId : L"");
    st.BindInt(2, nFloorId);
    if (!st.Step() || !st.HasRow())
        return FALSE;
    dVolume = KxSql::LeadingDouble(st.Text(0));
    return TRUE;
}

BOOL CAccessProject_ComFolderTable::GetComFolder_Volume(LPCTSTR pszFolderId, int nFloorId,
                                                        int& nVolume)
{
    double d = 0;
    if (!GetComFolder_Volume(pszFolderId, nFloorId, d))
        return FALSE;
    nVolume = static_cast<int>(d);
    return TRUE;
}
