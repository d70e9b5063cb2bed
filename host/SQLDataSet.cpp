#include "SQLDataSet.h"
#include "ProjectDatabase.h"
#include "SqlStatement.h"
#include <algorithm>

namespace {

std::wstring QuoteName(const std::wstring& name)
{
    std::wstring q = L"\"";
    for (wchar_t ch : name) {
        if (ch == L'"')
            q += L'"';
        q += ch;
    }
    return q + L"\"";
}

} // namespace

CSQLDataSet::CSQLDataSet() : m_nConflicts(0) {}

CSQLDataSet::~CSQLDataSet() {}

BOOL CSQLDataSet::Load(LPCTSTR pszSelect, const std::vector<std::wstring>& params)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn) {
        m_strError = L"no project is open";
        return FALSE;
    }
    CSqlStatement st(pConn, pszSelect);
    if (!st.IsValid()) {
        m_strError = pConn->GetLastErrorText();
        return FALSE;
    }
    for (size_t i = 0; i < params.size(); ++i)
        st.Bind(static_cast<int>(i) + 1, params[i]);
    int nCols = st.ColumnCount();
    std::vector<int> target(nCols);
    for (int c = 0; c < nCols; ++c) {
        std::wstring name = st.ColumnName(c);
        int col = GetColNum(name.c_str());
        target[c] = col >= 0 ? col : AddField(name.c_str(), KXFT_TEXT);
    }
    size_t before = m_rows.size();
    for (;;) {
        if (!st.Step()) {
            m_rows.resize(before);
            m_strError = pConn->GetLastErrorText();
            return FALSE;
        }
        if (!st.HasRow())
            break;
        Row* row = AppendLoadedRow();
        for (int c = 0; c < nCols; ++c)
            if (target[c] >= 0)
                row->values[target[c]] = st.Text(c);
    }
    return TRUE;
}

bool CSQLDataSet::WritePending(CProjectConnection* pConn, std::vector<Row*>& written,
                               std::vector<size_t>& deletedDone)
{
    // The table's own columns, from SQLite's catalog; names are quoted from there, never
    // taken from a value.
    std::vector<std::wstring> tableCols;
    {
        CSqlStatement st(pConn, L"SELECT name FROM pragma_table_info(?1)");
        st.Bind(1, m_strTable);
        while (st.Step() && st.HasRow())
            tableCols.push_back(st.Text(0));
    }
    if (tableCols.empty()) {
        m_strError = L"the project has no table named '" + m_strTable + L"'";
        return false;
    }
    std::vector<int> cols; // dataset columns that the table has
    std::vector<std::wstring> names;
    std::vector<int> keys; // dataset columns of the key
    std::vector<std::wstring> keyNames;
    for (int c = 0; c < GetFieldCount(); ++c) {
        std::wstring lower = Lower(m_fields[c].name);
        for (const auto& tc : tableCols) {
            if (Lower(tc) == lower) {
                cols.push_back(c);
                names.push_back(tc);
                if (m_fields[c].key) {
                    keys.push_back(c);
                    keyNames.push_back(tc);
                }
                break;
            }
        }
    }
    std::wstring table = QuoteName(m_strTable);
    std::wstring where;
    for (size_t k = 0; k < keyNames.size(); ++k)
        where += (k ? L" AND " : L" WHERE ") + QuoteName(keyNames[k]) + L" IS ?"
            + std::to_wstring(cols.size() + k + 1);

    // Deletes.
    if (!m_deleted.empty()) {
        if (keys.empty()) {
            m_nConflicts += static_cast<int>(m_deleted.size());
        } else {
            CSqlStatement del(pConn, (L"DELETE FROM " + table + where).c_str());
            for (size_t i = 0; i < m_deleted.size(); ++i) {
                del.Reset();
                for (size_t k = 0; k < keys.size(); ++k)
                    del.BindTyped(static_cast<int>(cols.size() + k + 1), m_deleted[i][keys[k]],
                                  m_fields[keys[k]].type);
                if (!del.Step())
                    return false;
                deletedDone.push_back(i);
            }
        }
    }

    // Updates.
    std::wstring set;
    for (size_t i = 0; i < names.size(); ++i)
        set += (i ? L", " : L"") + QuoteName(names[i]) + L" = ?" + std::to_wstring(i + 1);
    CSqlStatement upd(pConn, (L"UPDATE " + table + L" SET " + set + where).c_str());
    for (auto& up : m_rows) {
        Row* row = up.get();
        if (row->state != RowUpdated)
            continue;
        if (keys.empty()) {
            ++m_nConflicts;
            continue;
        }
        upd.Reset();
        for (size_t i = 0; i < cols.size(); ++i)
            upd.BindTyped(static_cast<int>(i + 1), row->values[cols[i]], m_fields[cols[i]].type);
        const std::vector<std::wstring>& orig = row->original ? *row->original : row->values;
        for (size_t k = 0; k < keys.size(); ++k)
            upd.BindTyped(static_cast<int>(cols.size() + k + 1), orig[keys[k]],
                          m_fields[keys[k]].type);
        if (!upd.Step(true)) {
            if (!upd.WasConstraint())
                return false;
            ++m_nConflicts;
            continue;
        }
        if (pConn->Changes() == 0) {
            ++m_nConflicts; // its stored row has gone: the delete by someone else stands
            continue;
        }
        written.push_back(row);
    }

    // Inserts.
    std::wstring list, marks;
    for (size_t i = 0; i < names.size(); ++i) {
        list += (i ? L", " : L"") + QuoteName(names[i]);
        marks += (i ? L", ?" : L"?") + std::to_wstring(i + 1);
    }
    int autoKey = -1; // a single integer key left empty takes the id SQLite assigns
    if (keys.size() == 1 && m_fields[keys[0]].type == KXFT_INTEGER)
        autoKey = keys[0];
    CSqlStatement ins(
        pConn, (L"INSERT INTO " + table + L" (" + list + L") VALUES (" + marks + L")").c_str());
    for (auto& up : m_rows) {
        Row* row = up.get();
        if (row->state != RowInserted)
            continue;
        ins.Reset();
        for (size_t i = 0; i < cols.size(); ++i)
            ins.BindTyped(static_cast<int>(i + 1), row->values[cols[i]], m_fields[cols[i]].type);
        if (!ins.Step(true)) {
            if (!ins.WasConstraint())
                return false;
            ++m_nConflicts;
            continue;
        }
        if (autoKey >= 0 && row->values[autoKey].empty())
            row->values[autoKey] = std::to_wstring(pConn->LastInsertRowId());
        written.push_back(row);
    }
    return true;
}

BOOL CSQLDataSet::DoSqlUpdate()
{
    m_nConflicts = 0;
    m_strError.clear();
    if (GetPendingChangeCount() == 0)
        return TRUE;
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn) {
        m_strError = L"no project is open";
        return FALSE;
    }
    if (m_strTable.empty()) {
        m_strError = L"the dataset names no table";
        return FALSE;
    }
    if (!pConn->MayWrite() || !pConn->Execute(L"SAVEPOINT kx_dataset_update")) {
        m_strError = pConn->GetLastErrorText();
        return FALSE;
    }
    std::vector<Row*> written;
    std::vector<size_t> deletedDone;
    if (!WritePending(pConn, written, deletedDone)) {
        if (m_strError.empty())
            m_strError = pConn->GetLastErrorText();
        pConn->Execute(L"ROLLBACK TO kx_dataset_update");
        pConn->Execute(L"RELEASE kx_dataset_update");
        m_nConflicts = 0;
        return FALSE;
    }
    if (!pConn->Execute(L"RELEASE kx_dataset_update")) {
        m_strError = pConn->GetLastErrorText();
        pConn->Execute(L"ROLLBACK TO kx_dataset_update");
        pConn->Execute(L"RELEASE kx_dataset_update");
        m_nConflicts = 0;
        return FALSE;
    }
    for (Row* row : written) {
        row->state = RowClean;
        row->original.reset();
    }
    for (auto it = deletedDone.rbegin(); it != deletedDone.rend(); ++it)
        m_deleted.erase(m_deleted.begin() + *it);
    if (m_nConflicts > 0 && m_strError.empty())
        m_strError = std::to_wstring(m_nConflicts)
            + L" change(s) collided with stored rows and stay pending";
    return m_nConflicts == 0;
}
