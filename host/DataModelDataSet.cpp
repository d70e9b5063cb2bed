#include "DataModelDataSet.h"
#include "SqlStatement.h"
#include <algorithm>
#include <cwctype>

NDataModelDataSet::NDataModelDataSet() {}

NDataModelDataSet::~NDataModelDataSet() {}

int NDataModelDataSet::InitFieldStr() { return GetFieldCount(); }

std::wstring NDataModelDataSet::Lower(const std::wstring& s)
{
    // Field names are nearly always ASCII; lower those directly, the system call only for the rest.
    std::wstring r(s);
    bool ascii = true;
    for (wchar_t& ch : r) {
        if (ch >= L'A' && ch <= L'Z')
            ch = static_cast<wchar_t>(ch + 32);
        else if (ch > 0x7F)
            ascii = false;
    }
    if (!ascii)
        CharLowerBuffW(&r[0], static_cast<DWORD>(r.size()));
    return r;
}

int NDataModelDataSet::AddField(LPCTSTR pszName, int nType, int nSize)
{
    if (!pszName || !*pszName)
        return -1;
    std::wstring key = Lower(pszName);
    auto it = m_names.find(key);
    if (it != m_names.end())
        return it->second;
    Field f;
    f.name = pszName;
    f.type = nType;
    f.size = nSize;
    m_fields.push_back(f);
    int col = static_cast<int>(m_fields.size()) - 1;
    m_names[key] = col;
    // Rows that exist already get an empty value for the new column.
    for (auto& row : m_rows) {
        row->values.resize(m_fields.size());
        if (row->original)
            row->original->resize(m_fields.size());
    }
    for (auto& del : m_deleted)
        del.resize(m_fields.size());
    return col;
}

BOOL NDataModelDataSet::AddFieldAlias(LPCTSTR pszAlias, LPCTSTR pszField)
{
    if (!pszAlias || !*pszAlias)
        return FALSE;
    int col = GetColNum(pszField);
    if (col < 0)
        return FALSE;
    std::wstring key = Lower(pszAlias);
    if (m_names.count(key))
        return m_names[key] == col;
    m_names[key] = col;
    return TRUE;
}

int NDataModelDataSet::GetFieldCount() const { return static_cast<int>(m_fields.size()); }

int NDataModelDataSet::GetColNum(LPCTSTR pszName) const
{
    if (!pszName || !*pszName)
        return -1;
    auto it = m_names.find(Lower(pszName));
    return it == m_names.end() ? -1 : it->second;
}

CString NDataModelDataSet::GetFieldName(int nCol) const
{
    if (nCol < 0 || nCol >= GetFieldCount())
        return CString();
    return CString(m_fields[nCol].name.c_str());
}

int NDataModelDataSet::GetFieldType(int nCol) const
{
    if (nCol < 0 || nCol >= GetFieldCount())
        return 0;
    return m_fields[nCol].type;
}

BOOL NDataModelDataSet::SetFieldPK(int nCol, int bKey)
{
    if (nCol < 0 || nCol >= GetFieldCount())
        return FALSE;
    m_fields[nCol].key = bKey != 0;
    return TRUE;
}

BOOL NDataModelDataSet::IsFieldPK(int nCol) const
{
    return nCol >= 0 && nCol < GetFieldCount() && m_fields[nCol].key;
}

void NDataModelDataSet::SetTableName(LPCTSTR pszTable) { m_strTable = pszTable ? pszTable : L""; }

CString NDataModelDataSet::GetTableName() const { return CString(m_strTable.c_str()); }

int NDataModelDataSet::GetRowCount() const { return static_cast<int>(m_rows.size()); }

int NDataModelDataSet::InsertRow(int nPos)
{
    std::unique_ptr<Row> row(new Row);
    row->values.resize(m_fields.size());
    row->state = RowInserted;
    int count = GetRowCount();
    if (nPos < 1 || nPos > count + 1)
        nPos = count + 1;
    m_rows.insert(m_rows.begin() + (nPos - 1), std::move(row));
    return nPos;
}

BOOL NDataModelDataSet::DeleteRow(int nRow)
{
    if (nRow < 1 || nRow > GetRowCount())
        return FALSE;
    Row* row = m_rows[nRow - 1].get();
    if (row->state != RowInserted)
        m_deleted.push_back(row->original ? *row->original : row->values);
    m_rows.erase(m_rows.begin() + (nRow - 1));
    return TRUE;
}

NDataModelDataSet::Row* NDataModelDataSet::AppendLoadedRow()
{
    std::unique_ptr<Row> row(new Row);
    row->values.resize(m_fields.size());
    row->state = RowClean;
    m_rows.push_back(std::move(row));
    return m_rows.back().get();
}

void NDataModelDataSet::MarkAllClean()
{
    for (auto& row : m_rows) {
        row->state = RowClean;
        row->original.reset();
    }
    m_deleted.clear();
}

int NDataModelDataSet::GetPendingChangeCount() const
{
    int n = static_cast<int>(m_deleted.size());
    for (const auto& row : m_rows)
        if (row->state != RowClean)
            ++n;
    return n;
}

const std::wstring* NDataModelDataSet::Cell(int nCol, int nRow, bool bOriginal) const
{
    if (nCol < 0 || nCol >= GetFieldCount() || nRow < 1 || nRow > GetRowCount())
        return nullptr;
    const Row* row = m_rows[nRow - 1].get();
    if (bOriginal && row->original)
        return &(*row->original)[nCol];
    return &row->values[nCol];
}

CString NDataModelDataSet::GetAsString(int nCol, int nRow, int bOriginal, LPCTSTR pszDefault) const
{
    const std::wstring* v = Cell(nCol, nRow, bOriginal != 0);
    if (!v)
        return CString(pszDefault ? pszDefault : L"");
    if (v->empty() && m_fields[nCol].type != KXFT_TEXT)
        return CString(L"0");
    return CString(v->c_str(), static_cast<int>(v->size()));
}

CString NDataModelDataSet::GetAsString(LPCTSTR pszField, int nRow, int bOriginal,
                                       LPCTSTR pszDefault) const
{
    return GetAsString(GetColNum(pszField), nRow, bOriginal, pszDefault);
}

int NDataModelDataSet::GetAsInteger(int nCol, int nRow, int bOriginal, int nDefault) const
{
    const std::wstring* v = Cell(nCol, nRow, bOriginal != 0);
    return v ? KxSql::LeadingInt(*v) : nDefault;
}

int NDataModelDataSet::GetAsInteger(LPCTSTR pszField, int nRow, int bOriginal, int nDefault) const
{
    return GetAsInteger(GetColNum(pszField), nRow, bOriginal, nDefault);
}

double NDataModelDataSet::GetAsFloat(int nCol, int nRow, int bOriginal, double dDefault) const
{
    const std::wstring* v = Cell(nCol, nRow, bOriginal != 0);
    return v ? KxSql::LeadingDouble(*v) : dDefault;
}

double NDataModelDataSet::GetAsFloat(LPCTSTR pszField, int nRow, int bOriginal,
                                     double dDefault) const
{
    return GetAsFloat(GetColNum(pszField), nRow, bOriginal, dDefault);
}

BOOL NDataModelDataSet::Write(int nCol, int nRow, const std::wstring& value)
{
    if (nCol < 0 || nCol >= GetFieldCount() || nRow < 1 || nRow > GetRowCount())
        return FALSE;
    Row* row = m_rows[nRow - 1].get();
    if (row->values[nCol] == value)
        return TRUE;
    if (row->state == RowClean) {
        row->original.reset(new std::vector<std::wstring>(row->values));
        row->state = RowUpdated;
    }
    row->values[nCol] = value;
    return TRUE;
}

BOOL NDataModelDataSet::SetAsString(int nCol, int nRow, LPCTSTR pszValue)
{
    return Write(nCol, nRow, pszValue ? pszValue : L"");
}

BOOL NDataModelDataSet::SetAsString(LPCTSTR pszField, int nRow, LPCTSTR pszValue)
{
    return SetAsString(GetColNum(pszField), nRow, pszValue);
}

BOOL NDataModelDataSet::SetAsInteger(int nCol, int nRow, int nValue)
{
    return Write(nCol, nRow, std::to_wstring(nValue));
}

BOOL NDataModelDataSet::SetAsInteger(LPCTSTR pszField, int nRow, int nValue)
{
    return SetAsInteger(GetColNum(pszField), nRow, nValue);
}

BOOL NDataModelDataSet::SetAsFloat(int nCol, int nRow, double dValue)
{
    return Write(nCol, nRow, KxSql::FormatNumber(dValue));
}

BOOL NDataModelDataSet::SetAsFloat(LPCTSTR pszField, int nRow, double dValue)
{
    return SetAsFloat(GetColNum(pszField), nRow, dValue);
}

int NDataModelDataSet::FindRow(LPCTSTR pszField, LPCTSTR pszValue, int nStartRow) const
{
    int col = GetColNum(pszField);
    if (col < 0)
        return 0;
    std::wstring value = pszValue ? pszValue : L"";
    for (int r = std::max(1, nStartRow); r <= GetRowCount(); ++r)
        if (m_rows[r - 1]->values[col] == value)
            return r;
    return 0;
}

void NDataModelDataSet::ResetSortField() { m_sort.clear(); }

BOOL NDataModelDataSet::AddSortField(LPCTSTR pszField, int bAscending)
{
    int col = GetColNum(pszField);
    if (col < 0)
        return FALSE;
    m_sort.emplace_back(col, bAscending != 0);
    return TRUE;
}

void NDataModelDataSet::Sort()
{
    if (m_sort.empty() || m_rows.size() < 2)
        return;
    // Numbers are parsed once per row, not once per comparison.
    struct Key
    {
        Row* row;
        std::vector<double> numbers;
    };
    std::vector<Key> keys;
    keys.reserve(m_rows.size());
    for (auto& row : m_rows) {
        Key k{ row.release(), {} };
        k.numbers.resize(m_sort.size());
        for (size_t i = 0; i < m_sort.size(); ++i)
            if (m_fields[m_sort[i].first].type != KXFT_TEXT)
                k.numbers[i] = KxSql::LeadingDouble(k.row->values[m_sort[i].first]);
        keys.push_back(std::move(k));
    }
    std::stable_sort(keys.begin(), keys.end(), [this](const Key& a, const Key& b) {
        for (size_t i = 0; i < m_sort.size(); ++i) {
            int col = m_sort[i].first;
            int c;
            if (m_fields[col].type != KXFT_TEXT)
                c = a.numbers[i] < b.numbers[i] ? -1 : (a.numbers[i] > b.numbers[i] ? 1 : 0);
            else
                c = a.row->values[col].compare(b.row->values[col]);
            if (c != 0)
                return m_sort[i].second ? c < 0 : c > 0;
        }
        return false;
    });
    for (size_t i = 0; i < keys.size(); ++i)
        m_rows[i].reset(keys[i].row);
}
