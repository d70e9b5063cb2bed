#include "ParmAccess.h"
#include "ProjectConnectTransaction.h"
#include "ProjectDatabase.h"
#include "SQLDataSet.h"
#include "SqlStatement.h"

CParmAccess::CParmAccess() {}

CParmAccess::~CParmAccess() {}

CSQLDataSet* CParmAccess::GetComCalSetupDataSetByType(int nComType)
{
    CSQLDataSet* ds = new CSQLDataSet;
    ds->SetFieldPK(ds->AddField(L"comtype", KXFT_INTEGER), 1);
    ds->SetFieldPK(ds->AddField(L"parmname", KXFT_TEXT), 1);
    ds->AddField(L"parmvalue", KXFT_TEXT);
    ds->SetTableName(L"comtypesetup");
    ds->Load(
        L"SELECT comtype, parmname, parmvalue FROM comtypesetup WHERE comtype = ?1 ORDER BY rowid",
        { std::to_wstring(nComType) });
    return ds;
}

CSQLDataSet* CParmAccess::GetComSetupDataSet(int nComId)
{
    CSQLDataSet* ds = new CSQLDataSet;
    ds->SetFieldPK(ds->AddField(L"comid", KXFT_INTEGER), 1);
    ds->SetFieldPK(ds->AddField(L"parmname", KXFT_TEXT), 1);
    ds->AddField(L"parmvalue", KXFT_TEXT);
    ds->SetTableName(L"comsetup");
    ds->Load(L"SELECT comid, parmname, parmvalue FROM comsetup WHERE comid = ?1 ORDER BY rowid",
             { std::to_wstring(nComId) });
    return ds;
}

BOOL CParmAccess::SetComSetupDataSet(int nComId, NDataModelDataSet* pDataSet)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn || !pDataSet || pDataSet->GetColNum(L"parmname") < 0)
        return FALSE;
    {
        CSqlStatement exists(pConn, L"SELECT 1 FROM component WHERE id = ?1");
        exists.BindInt(1, nComId);
        if (!exists.Step() || !exists.HasRow())
            return FALSE;
    }
    CProjectConnectTransaction scope;
    CSqlStatement del(pConn, L"DELETE FROM comsetup WHERE comid = ?1");
    del.BindInt(1, nComId);
    if (!del.Step())
        return FALSE;
    CSqlStatement ins(
        pConn,
        L"INSERT INTO comsetup (comid, parmname, parmvalue) VALUES (?1, ?2, ?3) "
        L"ON CONFLICT (comid, parmname) DO UPDATE SET parmvalue = excluded.parmvalue");
    for (int r = 1; r <= pDataSet->GetRowCount(); ++r) {
        CString name = pDataSet->GetAsString(L"parmname", r);
        if (name.IsEmpty())
            continue;
        ins.Reset();
        ins.BindInt(1, nComId);
        ins.Bind(2, name.GetString());
        ins.Bind(3, pDataSet->GetAsString(L"parmvalue", r).GetString());
        if (!ins.Step())
            return FALSE;
    }
    return scope.End();
}

BOOL CParmAccess::SetComTypeSetup(int nComType, LPCTSTR pszName, LPCTSTR pszValue)
{
    if (!pszName || !*pszName)
        return FALSE;
    CSqlStatement st(
        CProjectDatabase::GetConnection(),
        L"INSERT INTO comtypesetup (comtype, parmname, parmvalue) VALUES (?1, ?2, ?3) "
        L"ON CONFLICT (comtype, parmname) DO UPDATE SET parmvalue = excluded.parmvalue");
    st.BindInt(1, nComType);
    st.Bind(2, pszName);
    st.Bind(3, pszValue ? pszValue : L"");
    return st.Step() ? TRUE : FALSE;
}
