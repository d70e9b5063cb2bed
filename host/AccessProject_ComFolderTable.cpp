#include "AccessProject_ComFolderTable.h"
#include "ProjectDatabase.h"
#include "SQLDataSet.h"
#include "SqlStatement.h"

namespace {

using Field = CAccessProject_ComFolderTable::CFieldInfo;

struct Column
{
    LPCTSTR pszName;
    int nType;          // the dataset's declaration (the caller's for comfolderid, parentid)
    LPCTSTR pszSqlType; // the file's declaration
    bool bKey;
};

// The folder table, in table order.
const Column kColumns[] = {
    { Field::comfolderid, KXFT_TEXT, L"TEXT", true },
    { Field::floorid, KXFT_INTEGER, L"INTEGER", true },
    { Field::allowownercom, KXFT_INTEGER, L"INTEGER", false },
    { Field::parentid, KXFT_TEXT, L"TEXT", false },
    { Field::foldername, KXFT_TEXT, L"TEXT", false },
    { Field::imageindex, KXFT_INTEGER, L"INTEGER", false },
    { Field::selectedindex, KXFT_INTEGER, L"INTEGER", false },
    { Field::comtype, KXFT_INTEGER, L"INTEGER", false },
    { Field::allowadduserfolder, KXFT_INTEGER, L"INTEGER", false },
    { Field::initcreate, KXFT_INTEGER, L"INTEGER", false },
    { Field::volume, KXFT_INTEGER, L"REAL", false },
    { Field::showid, KXFT_INTEGER, L"INTEGER", false },
};

// "a, b, c" of the names of the columns that pass the filter.
template <class Pred>
std::wstring JoinNames(Pred pred)
{
    std::wstring s;
    for (const Column& c : kColumns) {
        if (!pred(c))
            continue;
        if (!s.empty())
            s += L", ";
        s += c.pszName;
    }
    return s;
}

} // namespace

CAccessProject_ComFolderTable::CAccessProject_ComFolderTable() {}

CAccessProject_ComFolderTable::~CAccessProject_ComFolderTable() {}

int CAccessProject_ComFolderTable::DeclareFields(NDataModelDataSet* ds, int nIdType,
                                                 int nParentType)
{
    for (const Column& c : kColumns) {
        int nType = c.nType;
        if (c.pszName == Field::comfolderid)
            nType = nIdType;
        else if (c.pszName == Field::parentid)
            nType = nParentType;
        int nCol = ds->AddField(c.pszName, nType);
        if (c.bKey)
            ds->SetFieldPK(nCol, 1);
    }
    ds->SetTableName(TableName);
    return ds->GetFieldCount();
}

std::vector<std::wstring> CAccessProject_ComFolderTable::GetColumnNames()
{
    std::vector<std::wstring> names;
    for (const Column& c : kColumns)
        names.push_back(c.pszName);
    return names;
}

std::wstring CAccessProject_ComFolderTable::GetCreateSql()
{
    std::wstring sql = std::wstring(L"CREATE TABLE ") + TableName + L" (";
    for (const Column& c : kColumns)
        sql += std::wstring(c.pszName) + L" " + c.pszSqlType + L", ";
    return sql + L"PRIMARY KEY (" + JoinNames([](const Column& c) { return c.bKey; }) + L"))";
}

CSQLDataSet* CAccessProject_ComFolderTable::GetDataSet()
{
    CSQLDataSet* ds = new CSQLDataSet;
    DeclareFields(ds, KXFT_TEXT, KXFT_TEXT);
    std::wstring sql = L"SELECT " + JoinNames([](const Column&) { return true; }) + L" FROM "
        + TableName + L" ORDER BY rowid";
    ds->Load(sql.c_str(), {});
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
