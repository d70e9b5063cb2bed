#include "AccessProject_Components_GJTable.h"
#include "KxSQLTableCtrl.h"
#include "ProjectConnectTransaction.h"
#include "ProjectDatabase.h"
#include "SQLDataSet.h"
#include "SqlStatement.h"
#include <cmath>

namespace {

const wchar_t kSelect[] =
    L"SELECT id, floorid, folderid, comname, comtype, volume, showid, sumvolume FROM component";

CProjectConnection* Conn() { return CProjectDatabase::GetConnection(); }

// A single-precision value in the shortest decimal that reads back as the same float, so a
// count of 2.4f is stored as 2.4, not as 2.4000000953674316.
double FloatAsDecimal(float f)
{
    if (!std::isfinite(f))
        return 0.0;
    wchar_t buf[32];
    for (int precision = 6; precision <= 9; ++precision) {
        swprintf(buf, 32, L"%.*g", precision, static_cast<double>(f));
        double d = wcstod(buf, nullptr);
        if (static_cast<float>(d) == f)
            return d;
    }
    return f;
}

// The id a new component gets: above every id the project has ever given, so results left by
// a deleted component never attach to a new one.
int NextComponentId()
{
    CSqlStatement q(Conn(),
                    L"SELECT max(coalesce((SELECT value FROM kxsequence WHERE name = ?1), 0), "
                    L"coalesce((SELECT max(id) FROM component), 0), "
                    L"coalesce((SELECT max(comid) FROM componentresult), 0), "
                    L"coalesce((SELECT max(comid) FROM comsetup), 0)) + 1");
    q.Bind(1, L"component");
    if (!q.Step() || !q.HasRow())
        return 0;
    int id = static_cast<int>(q.Int(0));
    CSqlStatement w(Conn(),
                    L"INSERT INTO kxsequence (name, value) VALUES (?1, ?2) "
                    L"ON CONFLICT (name) DO UPDATE SET value = excluded.value");
    w.Bind(1, L"component");
    w.BindInt(2, id);
    return w.Step() ? id : 0;
}

int ShowIdIn(int nFloorId, const wchar_t* folderId, bool last)
{
    CSqlStatement q(Conn(),
                    last ? L"SELECT coalesce(max(showid) + 1, 1) FROM component WHERE floorid = ?1 "
                           L"AND folderid = ?2"
                         : L"SELECT coalesce(min(showid) - 1, 1) FROM component WHERE floorid = ?1 "
                           L"AND folderid = ?2");
    q.BindInt(1, nFloorId);
    q.Bind(2, folderId ? folderId : L"");
    return q.Step() && q.HasRow() ? static_cast<int>(q.Int(0)) : 1;
}

bool Exec(const wchar_t* sql, int id)
{
    CSqlStatement st(Conn(), sql);
    st.BindInt(1, id);
    return st.Step();
}

} // namespace

CAccessProject_Components_GJTable::CAccessProject_Components_GJTable() {}

CAccessProject_Components_GJTable::~CAccessProject_Components_GJTable() {}

CSQLDataSet* CAccessProject_Components_GJTable::NewDataSet()
{
    CSQLDataSet* ds = new CSQLDataSet;
    ds->AddField(CFieldInfo::id, KXFT_INTEGER);
    ds->AddField(CFieldInfo::floorid, KXFT_INTEGER);
    ds->AddField(CFieldInfo::folderid, KXFT_TEXT);
    ds->AddField(CFieldInfo::comname, KXFT_TEXT);
    ds->AddField(CFieldInfo::comtype, KXFT_INTEGER);
    ds->AddField(CFieldInfo::volume, KXFT_FLOAT);
    ds->AddField(CFieldInfo::showid, KXFT_INTEGER);
    ds->AddField(CFieldInfo::sumvolume, KXFT_FLOAT);
    ds->SetFieldPK(0, 1);
    ds->SetTableName(L"component");
    return ds;
}

int CAccessProject_Components_GJTable::Insert(int nFloorId, LPCTSTR pszFolderId, LPCTSTR pszName,
                                              int nComType, double dVolume, int bListLast)
{
    if (!Conn())
        return 0;
    CProjectConnectTransaction scope;
    int id = NextComponentId();
    if (id <= 0) {
        scope.Abort();
        return 0;
    }
    CSqlStatement st(Conn(),
                     L"INSERT INTO component (id, floorid, folderid, comname, comtype, volume, "
                     L"showid, sumvolume) "
                     L"VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?6)");
    st.BindInt(1, id);
    st.BindInt(2, nFloorId);
    st.Bind(3, pszFolderId ? pszFolderId : L"");
    st.Bind(4, pszName ? pszName : L"");
    st.BindInt(5, nComType);
    st.BindDouble(6, std::isfinite(dVolume) ? dVolume : 1.0);
    st.BindInt(7, ShowIdIn(nFloorId, pszFolderId, bListLast != 0));
    if (!st.Step())
        return 0;
    return scope.End() ? id : 0;
}

CSQLDataSet* CAccessProject_Components_GJTable::GetDataSet()
{
    CSQLDataSet* ds = NewDataSet();
    ds->Load((std::wstring(kSelect) + L" ORDER BY id").c_str(), {});
    return ds;
}

CSQLDataSet* CAccessProject_Components_GJTable::GetDataSet(const CStringArray& arrFields,
                                                           const CStringArray& arrValues)
{
    CSQLDataSet* ds = NewDataSet();
    if (arrFields.GetSize() != arrValues.GetSize())
        return ds;
    std::wstring sql = kSelect;
    std::vector<std::wstring> params;
    for (INT_PTR i = 0; i < arrFields.GetSize(); ++i) {
        // Only the table's own column names reach the SQL text, spelled as declared.
        int col = ds->GetColNum(arrFields[i]);
        if (col < 0)
            return ds;
        sql += (i ? L" AND " : L" WHERE ");
        sql += ds->GetFieldName(col).GetString();
        sql += L" = ?" + std::to_wstring(i + 1);
        params.push_back(arrValues[i].GetString());
    }
    sql += L" ORDER BY id";
    ds->Load(sql.c_str(), params);
    return ds;
}

CSQLDataSet* CAccessProject_Components_GJTable::GetDataSet(int nComId)
{
    CSQLDataSet* ds = NewDataSet();
    ds->Load((std::wstring(kSelect) + L" WHERE id = ?1").c_str(), { std::to_wstring(nComId) });
    if (ds->GetRowCount() == 0) {
        delete ds;
        return nullptr;
    }
    return ds;
}

int CAccessProject_Components_GJTable::GetAllRow_TableCtrl(CKxSQLTableCtrl*& pCtrl)
{
    pCtrl = new CKxSQLTableCtrl;
    if (!pCtrl->Open((std::wstring(kSelect) + L" ORDER BY id").c_str(), {})) {
        delete pCtrl;
        pCtrl = nullptr;
        return 0;
    }
    return 1;
}

int CAccessProject_Components_GJTable::CopyOneRow(int nComId, int nFloorId, CString strFolderId)
{
    if (!Conn())
        return 0;
    CProjectConnectTransaction scope;
    int id = 0;
    {
        CSqlStatement exists(Conn(), L"SELECT 1 FROM component WHERE id = ?1");
        exists.BindInt(1, nComId);
        if (!exists.Step() || !exists.HasRow())
            return 0;
    }
    id = NextComponentId();
    if (id <= 0) {
        scope.Abort();
        return 0;
    }
    CSqlStatement st(
        Conn(),
        L"INSERT INTO component (id, floorid, folderid, comname, comtype, volume, showid, "
        L"sumvolume) "
        L"SELECT ?1, ?2, ?3, comname, comtype, volume, ?4, sumvolume FROM component WHERE id = ?5");
    st.BindInt(1, id);
    st.BindInt(2, nFloorId);
    st.Bind(3, strFolderId.GetString());
    st.BindInt(4, ShowIdIn(nFloorId, strFolderId, true));
    st.BindInt(5, nComId);
    CSqlStatement setup(
        Conn(),
        L"INSERT INTO comsetup (comid, parmname, parmvalue) "
        L"SELECT ?1, parmname, parmvalue FROM comsetup WHERE comid = ?2 ORDER BY rowid");
    setup.BindInt(1, id);
    setup.BindInt(2, nComId);
    if (!st.Step() || !setup.Step())
        return 0;
    return scope.End() ? id : 0;
}

BOOL CAccessProject_Components_GJTable::ModifyOneRow(int nComId, int nFloorId,
                                                     const CString& strFolderId)
{
    CSqlStatement st(
        Conn(), L"UPDATE component SET floorid = ?1, folderid = ?2, showid = ?3 WHERE id = ?4");
    st.BindInt(1, nFloorId);
    st.Bind(2, strFolderId.GetString());
    st.BindInt(3, ShowIdIn(nFloorId, strFolderId, true));
    st.BindInt(4, nComId);
    return st.Step() && Conn()->Changes() > 0;
}

CString CAccessProject_Components_GJTable::GetComName(int nComId)
{
    CSqlStatement st(Conn(), L"SELECT comname FROM component WHERE id = ?1");
    st.BindInt(1, nComId);
    if (!st.Step() || !st.HasRow())
        return CString();
    std::wstring v = st.Text(0);
    return CString(v.c_str(), static_cast<int>(v.size()));
}

BOOL CAccessProject_Components_GJTable::SetComName(int nComId, LPCTSTR pszName)
{
    CSqlStatement st(Conn(), L"UPDATE component SET comname = ?1 WHERE id = ?2");
    st.Bind(1, pszName ? pszName : L"");
    st.BindInt(2, nComId);
    return st.Step() && Conn()->Changes() > 0;
}

CString CAccessProject_Components_GJTable::GetComVolume(int nComId)
{
    CSqlStatement st(Conn(), L"SELECT volume FROM component WHERE id = ?1");
    st.BindInt(1, nComId);
    if (!st.Step() || !st.HasRow())
        return CString();
    return CString(st.Text(0).c_str());
}

BOOL CAccessProject_Components_GJTable::SetComVolume(int nComId, float fVolume)
{
    CSqlStatement st(Conn(), L"UPDATE component SET volume = ?1 WHERE id = ?2");
    st.BindDouble(1, FloatAsDecimal(fVolume));
    st.BindInt(2, nComId);
    return st.Step() && Conn()->Changes() > 0;
}

BOOL CAccessProject_Components_GJTable::SetComSumVolume(int nComId, float fSumVolume)
{
    CSqlStatement st(Conn(), L"UPDATE component SET sumvolume = ?1 WHERE id = ?2");
    st.BindDouble(1, FloatAsDecimal(fSumVolume));
    st.BindInt(2, nComId);
    return st.Step() && Conn()->Changes() > 0;
}

BOOL CAccessProject_Components_GJTable::SetShowID(int nComId, int nShowId)
{
    CSqlStatement st(Conn(), L"UPDATE component SET showid = ?1 WHERE id = ?2");
    st.BindInt(1, nShowId);
    st.BindInt(2, nComId);
    return st.Step() && Conn()->Changes() > 0;
}

BOOL CAccessProject_Components_GJTable::DelOwnCom(int nComId)
{
    if (!Conn())
        return FALSE;
    CProjectConnectTransaction scope;
    bool ok = Exec(L"DELETE FROM comsetup WHERE comid = ?1", nComId);
    ok = ok && Exec(L"DELETE FROM component WHERE id = ?1", nComId);
    return ok && scope.End();
}

BOOL CAccessProject_Components_GJTable::DelOneFloor(int nFloorId)
{
    if (!Conn())
        return FALSE;
    CProjectConnectTransaction scope;
    bool ok = Exec(
        L"DELETE FROM comsetup WHERE comid IN (SELECT id FROM component WHERE floorid = ?1)",
        nFloorId);
    ok = ok
        && Exec(L"DELETE FROM componentresult WHERE comid IN (SELECT id FROM component WHERE "
                L"floorid = ?1)",
                nFloorId);
    ok = ok && Exec(L"DELETE FROM component WHERE floorid = ?1", nFloorId);
    return ok && scope.End();
}
