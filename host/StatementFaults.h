// A test hook of the project database service: makes one statement of the open project fail
// the way a failing disk fails it, so tests can check what every command leaves in the file.
//
// Nothing of it sits in the statement path: arming attaches SQLite's statement trace and
// progress callbacks to the open connection (each statement run, including BEGIN, COMMIT and
// those inside sqlite3_exec, is counted once when it starts); disarming detaches them, so a
// program that never arms pays nothing. The failing statement is interrupted before its body
// runs and returns SQLITE_INTERRUPT; SQLite then undoes it (and may end the transaction),
// exactly as after a real I/O error.
#pragma once
#include "HostExport.h"

// Counts statements from now on; the nth one (1 = the next) fails. nth 0 only counts.
// FALSE when no project is open.
KXHOST_API bool KxStatementFaultArm(int nth);
// Detaches the hook; returns the number of statements counted since it was armed.
KXHOST_API int KxStatementFaultDisarm();
// Whether the armed fault has been delivered.
KXHOST_API bool KxStatementFaultFired();
