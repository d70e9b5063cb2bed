#include "ProjectDatabase.h"
#include "AccessProject_ComFolderTable.h"
#include "ProjectConnection.h"
#include "SqlStatement.h"
#include "UIFunction.h"
#include <sqlite3.h>
#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CProjectConnection> g_pConn;
std::wstring g_strPath;
std::wstring g_strError;

CProjectDatabase::WriteFailureObserver g_pfnWriteObserver = nullptr;
void* g_pWriteObserverContext = nullptr;
bool g_bToldThisCommand = false;

// A zero-delay thread timer fires once the thread's message loop is idle again: the command
// that failed has ended, and the next one may tell its own failure.
void CALLBACK EndOfCommand(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    KillTimer(NULL, nTimer);
    g_bToldThisCommand = false;
}

struct ContractTable
{
    std::wstring name;
    std::wstring create;
    std::vector<std::wstring> columns;
};

const std::vector<ContractTable>& Contract()
{
    static const std::vector<ContractTable> tables = {
        { L"projectinfo",
          L"CREATE TABLE projectinfo (parmname TEXT PRIMARY KEY, parmvalue TEXT)",
          { L"parmname", L"parmvalue" } },
        { L"floor",
          L"CREATE TABLE floor (id INTEGER PRIMARY KEY, lcmc TEXT, showid INTEGER, createmode "
          L"INTEGER)",
          { L"id", L"lcmc", L"showid", L"createmode" } },
        { CAccessProject_ComFolderTable::TableName, CAccessProject_ComFolderTable::GetCreateSql(),
          CAccessProject_ComFolderTable::GetColumnNames() },
        { L"component",
          L"CREATE TABLE component (id INTEGER PRIMARY KEY, floorid INTEGER, folderid TEXT, "
          L"comname TEXT, comtype INTEGER, volume REAL, showid INTEGER)",
          { L"id", L"floorid", L"folderid", L"comname", L"comtype", L"volume", L"showid" } },
    };
    return tables;
}

struct ExtraColumn
{
    const wchar_t* table;
    const wchar_t* column;
    const wchar_t* alter;
};

const std::vector<ExtraColumn>& ExtraColumns()
{
    static const std::vector<ExtraColumn> cols = {
        { L"floor", L"floortype", L"ALTER TABLE floor ADD COLUMN floortype INTEGER" },
        { L"floor", L"floorheight", L"ALTER TABLE floor ADD COLUMN floorheight REAL" },
        { L"floor", L"remark", L"ALTER TABLE floor ADD COLUMN remark TEXT" },
        { L"component", L"sumvolume", L"ALTER TABLE component ADD COLUMN sumvolume REAL" },
    };
    return cols;
}

const wchar_t* const kExtraTables[] = {
    L"CREATE TABLE IF NOT EXISTS componentresult (resultid INTEGER PRIMARY KEY, comid INTEGER NOT "
    L"NULL, "
    L"itemname TEXT, value REAL)",
    L"CREATE INDEX IF NOT EXISTS componentresult_comid ON componentresult (comid)",
    L"CREATE TABLE IF NOT EXISTS comsetup (comid INTEGER NOT NULL, parmname TEXT NOT NULL, "
    L"parmvalue TEXT, "
    L"PRIMARY KEY (comid, parmname))",
    L"CREATE TABLE IF NOT EXISTS comtypesetup (comtype INTEGER NOT NULL, parmname TEXT NOT NULL, "
    L"parmvalue TEXT, PRIMARY KEY (comtype, parmname))",
    L"CREATE TABLE IF NOT EXISTS kxsequence (name TEXT PRIMARY KEY, value INTEGER)",
    // The tree asks for the components of one folder of one floor, thousands of times per build;
    // every component added, copied or moved into a folder asks for the folder's last showid,
    // which without the third column reads every row of the folder: a paste of many components
    // into one folder grew quadratically (1,000 copies into a folder of 5,000 took 2.2 s).
    L"CREATE INDEX IF NOT EXISTS component_folder_order ON component (floorid, folderid, showid)",
};

std::wstring Message(const wchar_t* format, const std::wstring& path)
{
    CString s;
    s.Format(format, path.c_str());
    return std::wstring(s.GetString());
}

std::vector<std::wstring> TableColumns(CProjectConnection& conn, const wchar_t* table)
{
    std::vector<std::wstring> cols;
    CSqlStatement st(&conn, L"SELECT lower(name) FROM pragma_table_info(?1)");
    st.Bind(1, table);
    while (st.Step() && st.HasRow())
        cols.push_back(st.Text(0));
    return cols;
}

bool Has(const std::vector<std::wstring>& cols, const wchar_t* name)
{
    for (const auto& c : cols)
        if (c == name)
            return true;
    return false;
}

// Brings a project that has the contract tables up to what the host uses. Runs inside the
// caller's transaction; writes nothing when everything is present.
bool AddExtras(CProjectConnection& conn)
{
    for (const auto& extra : ExtraColumns())
        if (!Has(TableColumns(conn, extra.table), extra.column) && !conn.Execute(extra.alter))
            return false;
    for (const wchar_t* sql : kExtraTables) {
        // IF NOT EXISTS statements are cheap, but each may still be a write: ask first.
        std::wstring s(sql);
        size_t at = s.find(L"EXISTS ") + 7;
        std::wstring name = s.substr(at, s.find(L' ', at) - at);
        CSqlStatement q(&conn, L"SELECT 1 FROM sqlite_master WHERE name = ?1");
        q.Bind(1, name);
        if (q.Step() && q.HasRow())
            continue;
        if (!conn.Execute(sql))
            return false;
    }
    return true;
}

enum FileCheck
{
    FileOk,
    FileMissing,
    FileNotProject,
    FileReadOnly,
    FileLocked
};

// Looks at the file without SQLite: whether it exists, can be opened for writing alongside
// others, and starts with the SQLite header. Reads only.
FileCheck CheckFile(const std::wstring& path)
{
    DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES)
        return FileMissing;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY)
        return FileNotProject;
    if (attrs & FILE_ATTRIBUTE_READONLY)
        return FileReadOnly;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD err = GetLastError();
        if (err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION)
            return FileLocked;
        if (err == ERROR_ACCESS_DENIED || err == ERROR_WRITE_PROTECT)
            return FileReadOnly;
        return FileMissing;
    }
    char header[16] = {};
    DWORD got = 0;
    BOOL ok = ReadFile(h, header, sizeof(header), &got, nullptr);
    DWORD err = GetLastError();
    CloseHandle(h);
    if (!ok)
        return err == ERROR_LOCK_VIOLATION ? FileLocked : FileNotProject;
    if (got != sizeof(header) || memcmp(header, "SQLite format 3", 16) != 0)
        return FileNotProject;
    return FileOk;
}

const wchar_t* const kNoPath = L"无法打开项目：没有给出项目文件。";
const wchar_t* const kMissing = L"无法打开项目：文件“%s”不存在。";
const wchar_t* const kNotProject = L"无法打开项目：文件“%s”不是工程项目文件。";
const wchar_t* const kReadOnly =
    L"无法打开项目：文件“%s”是只读的。请去掉只读属性，或复制到可以写入的位置后再打开。";
const wchar_t* const kLocked = L"无法打开项目：文件“%s”正被其他程序使用。请关闭该程序后再打开。";
const wchar_t* const kDamaged = L"无法打开项目：文件“%s”已损坏。";
const wchar_t* const kMissingTable = L"无法打开项目：文件“%s”不是工程项目文件，缺少数据表 %s。";
const wchar_t* const kMissingColumn =
    L"无法打开项目：文件“%s”不是工程项目文件，数据表 %s 缺少列 %s。";
const wchar_t* const kExists = L"无法新建项目：文件“%s”已经存在。";
const wchar_t* const kCannotCreate = L"无法新建项目：不能写入文件“%s”。";
const wchar_t* const kCannotUpgrade = L"无法打开项目：不能更新文件“%s”中的数据表。";

// Maps an SQLite failure while looking into the file to the user's text.
const wchar_t* TextForCode(int rc)
{
    switch (rc & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kLocked;
    case SQLITE_NOTADB:
        return kNotProject;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return kReadOnly;
    default:
        return kDamaged;
    }
}

bool Fail(const wchar_t* format, const std::wstring& path, CString* pError)
{
    g_strError = format == kNoPath ? std::wstring(kNoPath) : Message(format, path);
    if (pError)
        *pError = g_strError.c_str();
    return false;
}

} // namespace

BOOL CProjectDatabase::Open(LPCTSTR pszPath, CString* pError, BOOL bHoldExclusive)
{
    std::wstring path = pszPath ? pszPath : L"";
    if (path.empty())
        return Fail(kNoPath, path, pError);
    switch (CheckFile(path)) {
    case FileMissing:
        return Fail(kMissing, path, pError);
    case FileNotProject:
        return Fail(kNotProject, path, pError);
    case FileReadOnly:
        return Fail(kReadOnly, path, pError);
    case FileLocked:
        return Fail(kLocked, path, pError);
    case FileOk:
        break;
    }
    std::unique_ptr<CProjectConnection> conn(new CProjectConnection);
    if (!conn->Open(path.c_str(), FALSE))
        return Fail(kDamaged, path, pError);
    sqlite3* db = conn->Handle();
    if (sqlite3_db_readonly(db, "main") == 1)
        return Fail(kReadOnly, path, pError);
    // A writer elsewhere gets a moment to finish before the file counts as held.
    sqlite3_busy_timeout(db, 300);
    if (bHoldExclusive)
        sqlite3_exec(db, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
    // IMMEDIATE takes the write lock without writing: a file that another process is writing
    // is refused here, before anything of ours touches it.
    int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return Fail(TextForCode(sqlite3_extended_errcode(db)), path, pError);
    {
        CSqlStatement probe(conn.get(), L"SELECT count(*) FROM sqlite_master");
        if (!probe.Step()) {
            int code = sqlite3_extended_errcode(db);
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return Fail(TextForCode(code), path, pError);
        }
    }
    // Header and schema may be intact while pages are not: such a file would otherwise open
    // as a nameless project without floors. quick_check reads every page once (its cost on
    // the benchmark project is in the README).
    {
        CSqlStatement check(conn.get(), L"PRAGMA quick_check(1)", false);
        const bool bRead = check.Step();
        if (!bRead || !check.HasRow() || check.Text(0) != L"ok") {
            int code = sqlite3_extended_errcode(db);
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            const int nPrimary = code & 0xFF;
            return Fail(!bRead && (nPrimary == SQLITE_BUSY || nPrimary == SQLITE_LOCKED) ? kLocked
                                                                                         : kDamaged,
                        path, pError);
        }
    }
    for (const auto& table : Contract()) {
        std::vector<std::wstring> cols = TableColumns(*conn, table.name.c_str());
        for (const std::wstring& col : table.columns) {
            if (!Has(cols, col.c_str())) {
                sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
                CString s;
                if (cols.empty())
                    s.Format(kMissingTable, path.c_str(), table.name.c_str());
                else
                    s.Format(kMissingColumn, path.c_str(), table.name.c_str(), col.c_str());
                g_strError = s.GetString();
                if (pError)
                    *pError = s;
                return FALSE;
            }
        }
    }
    if (!AddExtras(*conn) || sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        int code = sqlite3_extended_errcode(db);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        return Fail((code & 0xFF) == SQLITE_BUSY ? kLocked : kCannotUpgrade, path, pError);
    }
    if (bHoldExclusive) {
        // In exclusive locking mode a write transaction keeps its lock after the commit.
        sqlite3_exec(db, "BEGIN EXCLUSIVE; COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_busy_timeout(db, 2000);
    g_pConn = std::move(conn);
    g_strPath = path;
    g_strError.clear();
    if (pError)
        pError->Empty();
    return TRUE;
}

BOOL CProjectDatabase::Create(LPCTSTR pszPath, LPCTSTR pszProjectName, CString* pError)
{
    std::wstring path = pszPath ? pszPath : L"";
    if (path.empty())
        return Fail(kNoPath, path, pError);
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Fail(kExists, path, pError);
    {
        CProjectConnection conn;
        if (!conn.Open(path.c_str(), TRUE))
            return Fail(kCannotCreate, path, pError);
        bool ok = conn.Execute(L"BEGIN IMMEDIATE");
        for (const auto& table : Contract())
            ok = ok && conn.Execute(table.create.c_str());
        ok = ok && AddExtras(conn);
        ok = ok
            && conn.ExecuteBound(L"INSERT INTO projectinfo (parmname, parmvalue) VALUES (?1, ?2)",
                                 { L"ProjectName", pszProjectName ? pszProjectName : L"" });
        ok = ok && conn.Execute(L"COMMIT");
        conn.Close();
        if (!ok) {
            DeleteFileW(path.c_str());
            return Fail(kCannotCreate, path, pError);
        }
    }
    return Open(path.c_str(), pError);
}

void CProjectDatabase::Close()
{
    g_pConn.reset();
    g_strPath.clear();
}

BOOL CProjectDatabase::IsOpen() { return g_pConn != nullptr; }

CString CProjectDatabase::GetPath() { return CString(g_strPath.c_str()); }

CString CProjectDatabase::GetLastErrorText() { return CString(g_strError.c_str()); }

CProjectConnection* CProjectDatabase::GetConnection() { return g_pConn.get(); }

void CProjectDatabase::SetWriteFailureObserver(WriteFailureObserver pfn, void* pContext)
{
    g_pfnWriteObserver = pfn;
    g_pWriteObserverContext = pfn ? pContext : nullptr;
}

void CProjectDatabase::NotifyWriteFailure(const CString& strReason)
{
    if (g_bToldThisCommand)
        return;
    g_bToldThisCommand = true;
    UIFunction::KxMessageBox(L"保存失败：" + strReason, L"", MB_OK);
    // Without a message loop (no timer) every failure tells its own.
    if (SetTimer(NULL, 0, 0, EndOfCommand) == 0)
        g_bToldThisCommand = false;
    if (g_pfnWriteObserver)
        g_pfnWriteObserver(g_pWriteObserverContext);
}
