// NDataModelDataSet: the in-memory table of the host's dataset library.
//
// Rows are numbered from 1 to GetRowCount(). Columns are numbered from 0 to
// GetFieldCount() - 1, in the order the fields were added. Fields are addressed by column or by
// name; names compare without regard to case ("ShowID" finds "showid") and a field may answer to
// other names too (AddFieldAlias; the floor dataset's "floorid" is its "id").
//
// Every value is held as the text that was written. A field's type code is a declaration that
// sorting, reading and saving use, never a truncation: SetAsFloat(2.5) into an integer field
// reads back 2.5 with GetAsFloat and 2 with GetAsInteger. Reading as an integer takes the
// leading digits of the text ("12abc" is 12, "abc" is 0); an empty value in a numeric field
// reads as the text "0".
//
// Bad input is a documented no-op: a row outside 1..GetRowCount() or an unknown field reads as
// the given default and refuses writes (FALSE), and nothing else changes.
#pragma once
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>
#include "afxtempl.h"
#include "HostExport.h"

// Field type codes (the numbers an ADO-style dataset uses).
enum
{
    KXFT_INTEGER = 3,
    KXFT_FLOAT = 5,
    KXFT_TEXT = 15,
};

class KXHOST_API NDataModelDataSet
{
public:
    NDataModelDataSet();
    virtual ~NDataModelDataSet();

    // Declares the fields of the table the dataset stands for; returns the field count.
    // The base declares nothing.
    virtual int InitFieldStr();

    // ---- fields ----
    // Adds a field at the next column and returns its column; a name the dataset already
    // knows returns that column unchanged; an empty name returns -1. nSize is informational.
    int AddField(LPCTSTR pszName, int nType, int nSize = 0);
    // Lets pszAlias address the existing field pszField; FALSE when that field is unknown or
    // the alias is taken.
    BOOL AddFieldAlias(LPCTSTR pszAlias, LPCTSTR pszField);
    int GetFieldCount() const;
    // Column of a field or alias, -1 when unknown.
    int GetColNum(LPCTSTR pszName) const;
    CString GetFieldName(int nCol) const;
    int GetFieldType(int nCol) const;
    // Marks a column as part of the table's key (bKey 1) or not (0).
    BOOL SetFieldPK(int nCol, int bKey = 1);
    BOOL IsFieldPK(int nCol) const;
    void SetTableName(LPCTSTR pszTable);
    CString GetTableName() const;

    // ---- rows ----
    int GetRowCount() const;
    // Inserts an empty row so that it becomes row nPos (1..GetRowCount()+1; GetRowCount()+1
    // appends, 1 puts it first). Any other position (0, negative, beyond the end) appends.
    // Returns the new row's number.
    int InsertRow(int nPos);
    // Removes a row; FALSE (no change) for a row outside 1..GetRowCount().
    BOOL DeleteRow(int nRow);

    // ---- values ----
    // bOriginal reads the value the row had when it was loaded from the project, before any
    // pending change (a row inserted in memory has no original: its current value is read).
    // The default is returned for an unknown field or a row outside the dataset.
    CString GetAsString(LPCTSTR pszField, int nRow, int bOriginal = 0,
                        LPCTSTR pszDefault = NULL) const;
    CString GetAsString(int nCol, int nRow, int bOriginal = 0, LPCTSTR pszDefault = NULL) const;
    int GetAsInteger(LPCTSTR pszField, int nRow, int bOriginal = 0, int nDefault = 0) const;
    int GetAsInteger(int nCol, int nRow, int bOriginal = 0, int nDefault = 0) const;
    double GetAsFloat(LPCTSTR pszField, int nRow, int bOriginal = 0, double dDefault = 0.0) const;
    double GetAsFloat(int nCol, int nRow, int bOriginal = 0, double dDefault = 0.0) const;

    BOOL SetAsString(LPCTSTR pszField, int nRow, LPCTSTR pszValue);
    BOOL SetAsString(int nCol, int nRow, LPCTSTR pszValue);
    BOOL SetAsInteger(LPCTSTR pszField, int nRow, int nValue);
    BOOL SetAsInteger(int nCol, int nRow, int nValue);
    // Written in its shortest exact decimal form: 2.5 as "2.5", 3.0 as "3".
    BOOL SetAsFloat(LPCTSTR pszField, int nRow, double dValue);
    BOOL SetAsFloat(int nCol, int nRow, double dValue);

    // First row at or after nStartRow whose field equals the text exactly; 0 when none.
    int FindRow(LPCTSTR pszField, LPCTSTR pszValue, int nStartRow = 1) const;

    // ---- sorting ----
    // Sort() orders the rows by the sort fields in the order they were added, each ascending
    // (bAscending 1) or descending (0). Integer and float fields compare as numbers (their
    // leading number), text fields by code unit. The sort is stable: rows that compare equal
    // keep their order. An unknown field is ignored (AddSortField returns FALSE).
    void ResetSortField();
    BOOL AddSortField(LPCTSTR pszField, int bAscending = 1);
    void Sort();

    // ---- pending changes (used when saving to the project) ----
    // Rows loaded from the project start clean; a write that changes a value marks the row
    // updated; InsertRow makes an inserted row; deleting a loaded row remembers it as deleted.
    int GetPendingChangeCount() const;

protected:
    enum RowState
    {
        RowClean = 0,
        RowInserted = 1,
        RowUpdated = 2
    };
    struct Row
    {
        std::vector<std::wstring> values;
        std::unique_ptr<std::vector<std::wstring>>
            original; // set on the first change of a loaded row
        RowState state = RowInserted;
    };
    struct Field
    {
        std::wstring name;
        int type = KXFT_TEXT;
        int size = 0;
        bool key = false;
    };

    // Appends a row read from the project: clean, not a pending change.
    Row* AppendLoadedRow();
    void MarkAllClean();
    const std::wstring* Cell(int nCol, int nRow, bool bOriginal) const;
    BOOL Write(int nCol, int nRow, const std::wstring& value);
    static std::wstring Lower(const std::wstring& s);

    std::vector<Field> m_fields;
    std::unordered_map<std::wstring, int> m_names; // lower-case name or alias -> column
    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<std::vector<std::wstring>> m_deleted; // original values of deleted loaded rows
    std::vector<std::pair<int, bool>> m_sort;         // column, ascending
    std::wstring m_strTable;

private:
    NDataModelDataSet(const NDataModelDataSet&) = delete;
    NDataModelDataSet& operator=(const NDataModelDataSet&) = delete;
};
