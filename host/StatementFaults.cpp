#include "StatementFaults.h"
#include "ProjectConnection.h"
#include "ProjectDatabase.h"
#include <sqlite3.h>

namespace {

sqlite3* g_pDb = nullptr;
int g_nFailAt = 0;
int g_nSeen = 0;
bool g_bPending = false; // the counted statement is the failing one: stop it at its first check
bool g_bFired = false;

int OnTrace(unsigned nType, void*, void*, void* pSql)
{
    const char* sql = static_cast<const char*>(pSql);
    // A trigger's program is reported as "-- name" inside its statement: not a statement.
    if (nType != SQLITE_TRACE_STMT || (sql && sql[0] == '-' && sql[1] == '-'))
        return 0;
    if (++g_nSeen == g_nFailAt)
        g_bPending = true;
    return 0;
}

int OnProgress(void*)
{
    if (!g_bPending)
        return 0;
    g_bPending = false;
    g_bFired = true;
    return 1;
}

} // namespace

bool KxStatementFaultArm(int nth)
{
    KxStatementFaultDisarm();
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (!pConn || !pConn->Handle())
        return false;
    g_pDb = pConn->Handle();
    g_nFailAt = nth;
    g_nSeen = 0;
    g_bPending = g_bFired = false;
    sqlite3_trace_v2(g_pDb, SQLITE_TRACE_STMT, &OnTrace, nullptr);
    if (nth > 0)
        sqlite3_progress_handler(g_pDb, 1, &OnProgress, nullptr);
    return true;
}

int KxStatementFaultDisarm()
{
    // The connection may have been closed (and its handle reused) since: detach only from
    // the connection that is open now, if it is the armed one.
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (g_pDb && pConn && pConn->Handle() == g_pDb) {
        sqlite3_trace_v2(g_pDb, 0, nullptr, nullptr);
        sqlite3_progress_handler(g_pDb, 0, nullptr, nullptr);
    }
    g_pDb = nullptr;
    g_nFailAt = 0;
    g_bPending = false;
    return g_nSeen;
}

bool KxStatementFaultFired() { return g_bFired; }
