// CSQLDataSet: a dataset read from the open project, which writes its pending changes back.
//
// Changes are tracked by key (the columns marked with SetFieldPK): rows inserted with
// InsertRow, rows whose values changed, and loaded rows that were deleted. DoSqlUpdate writes
// them all in one SQLite transaction (a savepoint, so it joins an enclosing
// CProjectConnectTransaction): first the deletes, then the updates (located by the key the row
// had when it was loaded), then the inserts.
//
// Key collisions. A pending change never overwrites or revives a row that it does not own:
//  - an insert whose key is already stored is not written; the stored row stays as it is;
//  - an update whose new key belongs to another stored row, or whose own stored row has gone
//    meanwhile, is not written either;
// every other pending change is written all the same. The changes that were not written stay
// pending (they are tried again by the next DoSqlUpdate) and are counted in
// GetConflictCount(); DoSqlUpdate then returns FALSE. Any other failure (disk, lock) writes
// nothing at all, keeps every change pending and returns FALSE.
//
// An inserted row whose single integer key is empty gets the id SQLite assigns, written back
// into the row. Fields that the table does not have (for instance a computed sort field) are
// not written.
#pragma once
#include <string>
#include <vector>
#include "DbDataSet.h"

class CProjectConnection;

class KXHOST_API CSQLDataSet : public NDbDataSet
{
public:
    CSQLDataSet();
    virtual ~CSQLDataSet();

    // Loads the rows of one SELECT on the open project, every value bound as a parameter.
    // Result columns match declared fields by name; a column with no declared field is added
    // as a text field. The loaded rows are clean (no pending change). FALSE, with no rows
    // added, when no project is open or the query fails.
    BOOL Load(LPCTSTR pszSelect, const std::vector<std::wstring>& params);

    // Writes every pending change to the open project; see the collision rule above.
    // TRUE when nothing is left pending.
    BOOL DoSqlUpdate();

    int GetConflictCount() const { return m_nConflicts; }
    CString GetLastErrorText() const { return CString(m_strError.c_str()); }

private:
    bool WritePending(CProjectConnection* pConn, std::vector<Row*>& written,
                      std::vector<size_t>& deletedDone);

    int m_nConflicts;
    std::wstring m_strError;
};
