// Opening and creating project files: refused files stay byte for byte as they were, a file
// with only the contract tables opens and gains the host's tables, and the current project
// survives a refused open.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"

namespace {

bool Contains(const CString& text, const wchar_t* part) { return text.Find(part) >= 0; }

// Writes a file with the contract tables only, as another product would, and one row each.
void WriteContractOnlyProject(const std::wstring& path)
{
    CProjectConnection db;
    ASSERT_TRUE(db.Open(path.c_str(), TRUE));
    ASSERT_TRUE(db.Execute(
        L"CREATE TABLE projectinfo (parmname TEXT PRIMARY KEY, parmvalue TEXT);"
        L"CREATE TABLE floor (id INTEGER PRIMARY KEY, lcmc TEXT, showid INTEGER, createmode "
        L"INTEGER);"
        L"CREATE TABLE comfolder (comfolderid TEXT, floorid INTEGER, allowownercom INTEGER, "
        L"parentid TEXT, "
        L"foldername TEXT, imageindex INTEGER, selectedindex INTEGER, comtype INTEGER, "
        L"allowadduserfolder INTEGER, "
        L"initcreate INTEGER, volume REAL, showid INTEGER, PRIMARY KEY (comfolderid, floorid));"
        L"CREATE TABLE component (id INTEGER PRIMARY KEY, floorid INTEGER, folderid TEXT, comname "
        L"TEXT, "
        L"comtype INTEGER, volume REAL, showid INTEGER);"));
    ASSERT_TRUE(
        db.ExecuteBound(L"INSERT INTO projectinfo VALUES (?1, ?2)", { L"ProjectName", L"旧工程" }));
    ASSERT_TRUE(
        db.ExecuteBound(L"INSERT INTO floor VALUES (?1, ?2, ?3, ?4)", { L"1", L"首", L"1", L"1" }));
    ASSERT_TRUE(db.ExecuteBound(
        L"INSERT INTO component (id, floorid, folderid, comname, comtype, volume, showid) "
        L"VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
        { L"7", L"1", L"11", L"KL-1", L"111", L"2", L"1" }));
}

// Opening must be refused with a text containing `expected`, and leave the file unchanged and
// the current project (if any) open.
void ExpectRefused(const std::wstring& path, const wchar_t* expected)
{
    std::vector<unsigned char> before = ReadAllBytes(path);
    CString current = CProjectDatabase::GetPath();
    CString error;
    EXPECT_FALSE(CProjectDatabase::Open(path.c_str(), &error));
    EXPECT_TRUE(Contains(error, expected)) << Narrow(error);
    EXPECT_EQ(error, CProjectDatabase::GetLastErrorText());
    EXPECT_EQ(current, CProjectDatabase::GetPath());
    EXPECT_TRUE(before == ReadAllBytes(path)) << "the refused file changed";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((path + L"-journal").c_str()));
}

} // namespace

TEST(ProjectFile, CreateMakesAnOpenEmptyProjectAndNeverOverwrites)
{
    CTestProject project(L"新建");
    ASSERT_TRUE(project.IsOpen());
    EXPECT_TRUE(CProjectDatabase::IsOpen());
    EXPECT_EQ(std::wstring(CProjectDatabase::GetPath().GetString()), project.Path());
    EXPECT_EQ("测试工程", Narrow(CAccessProject_ProjectInfoTable().GetProjectName()));
    for (const wchar_t* table : { L"projectinfo", L"floor", L"comfolder", L"component",
                                  L"componentresult", L"comsetup", L"comtypesetup" })
        EXPECT_EQ(
            1u,
            project
                .Peek(L"SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", { table })
                .size())
            << Narrow(table);

    CProjectDatabase::Close();
    std::vector<unsigned char> before = ReadAllBytes(project.Path());
    CString error;
    EXPECT_FALSE(CProjectDatabase::Create(project.Path().c_str(), L"另一个", &error));
    EXPECT_TRUE(Contains(error, L"已经存在")) << Narrow(error);
    EXPECT_TRUE(before == ReadAllBytes(project.Path()));
    EXPECT_FALSE(CProjectDatabase::IsOpen());
    EXPECT_FALSE(CProjectDatabase::Open(L"", &error));
    EXPECT_FALSE(error.IsEmpty());
}

TEST(ProjectFile, FilesThatAreNotProjectsAreRefusedUnchanged)
{
    CTestProject current(L"当前");
    ASSERT_TRUE(current.IsOpen());

    std::wstring text = TempFilePath(L"文本");
    const char words[] =
        "这不是工程文件, just some text that is long enough to look like a header.\r\n";
    WriteAllBytes(text, words, sizeof(words) - 1);
    ExpectRefused(text, L"不是工程项目文件");

    std::wstring empty = TempFilePath(L"空");
    WriteAllBytes(empty, "", 0);
    ExpectRefused(empty, L"不是工程项目文件");

    // A SQLite database of something else.
    std::wstring other = TempFilePath(L"其他库");
    {
        CProjectConnection db;
        ASSERT_TRUE(db.Open(other.c_str(), TRUE));
        ASSERT_TRUE(db.Execute(L"CREATE TABLE notes (body TEXT); INSERT INTO notes VALUES ('x');"));
    }
    ExpectRefused(other, L"不是工程项目文件");

    // A project whose component table lacks a contract column.
    std::wstring partial = TempFilePath(L"缺列");
    WriteContractOnlyProject(partial);
    {
        CProjectConnection db;
        ASSERT_TRUE(db.Open(partial.c_str(), FALSE));
        ASSERT_TRUE(db.Execute(L"DROP TABLE component; CREATE TABLE component (id INTEGER PRIMARY "
                               L"KEY, floorid INTEGER)"));
    }
    ExpectRefused(partial, L"不是工程项目文件");

    ExpectRefused(TempFilePath(L"不存在"), L"不存在");

    // The current project stayed open throughout.
    EXPECT_EQ("测试工程", Narrow(CAccessProject_ProjectInfoTable().GetProjectName()));
    for (const auto& p : { text, empty, other, partial })
        RemoveProjectFile(p);
}

TEST(ProjectFile, ReadOnlyFileIsRefusedUnchanged)
{
    std::wstring path = TempFilePath(L"只读");
    WriteContractOnlyProject(path);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectRefused(path, L"只读");
    EXPECT_FALSE(CProjectDatabase::IsOpen());
    RemoveProjectFile(path);
}

TEST(ProjectFile, FileHeldByAnotherProcessIsRefusedUnchanged)
{
    std::wstring path = TempFilePath(L"占用");
    WriteContractOnlyProject(path);

    // Held open without sharing, as a program that locks its documents does.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CString error;
    EXPECT_FALSE(CProjectDatabase::Open(path.c_str(), &error));
    EXPECT_TRUE(Contains(error, L"其他程序")) << Narrow(error);
    CloseHandle(h);

    // In the middle of a write by another SQLite user.
    {
        CProjectConnection other;
        ASSERT_TRUE(other.Open(path.c_str(), FALSE));
        ASSERT_TRUE(other.Execute(L"BEGIN EXCLUSIVE"));
        ExpectRefused(path, L"其他程序");
        ASSERT_TRUE(other.Execute(L"ROLLBACK"));
    }
    // Once released it opens.
    EXPECT_TRUE(CProjectDatabase::Open(path.c_str(), &error)) << Narrow(error);
    CProjectDatabase::Close();
    RemoveProjectFile(path);
}

TEST(ProjectFile, HeldExclusivelyWhileOpenWhenAsked)
{
    std::wstring path = TempFilePath(L"独占");
    WriteContractOnlyProject(path);
    CString error;
    ASSERT_TRUE(CProjectDatabase::Open(path.c_str(), &error, TRUE)) << Narrow(error);
    CAccessProject_Components_GJTable t;
    EXPECT_GT(t.Insert(1, L"11", L"KL-2", 111, 1, 1), 0) << "the holder itself writes";
    CProjectConnection other;
    ASSERT_TRUE(other.Open(path.c_str(), FALSE));
    std::vector<std::vector<std::wstring>> rows;
    EXPECT_FALSE(other.Query(L"SELECT count(*) FROM component", {}, rows))
        << "others cannot even read";
    CProjectDatabase::Close();
    EXPECT_TRUE(other.Query(L"SELECT count(*) FROM component", {}, rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"2", rows[0][0]);
    other.Close();
    RemoveProjectFile(path);
}

TEST(ProjectFile, ContractOnlyFileOpensAndGainsTheHostTables)
{
    std::wstring path = TempFilePath(L"契约");
    WriteContractOnlyProject(path);
    CString error;
    ASSERT_TRUE(CProjectDatabase::Open(path.c_str(), &error)) << Narrow(error);
    EXPECT_EQ("旧工程", Narrow(CAccessProject_ProjectInfoTable().GetProjectName()));

    CAccessProject_Components_GJTable t;
    EXPECT_EQ("KL-1", Narrow(t.GetComName(7)));
    EXPECT_TRUE(t.SetComSumVolume(7, 6.0f)) << "the total column was added";
    EXPECT_GT(t.Insert(1, L"11", L"KL-2", 111, 1, 1), 7);
    CAccessProject_ComponentResultTable results;
    EXPECT_GT(results.AddResult(7, L"重量", 1.0), 0);

    CAccessProject_FloorTable floors;
    CSQLDataSet* ds = floors.GetDataSet();
    ASSERT_EQ(1, ds->GetRowCount());
    EXPECT_EQ("首", Narrow(ds->GetAsString(L"floorname", 1)));
    EXPECT_EQ(1, ds->GetAsInteger(L"createmode", 1));
    ds->SetAsInteger(L"createmode", 1, 0);
    ds->SetAsFloat(L"floorheight", 1, 3.3);
    EXPECT_TRUE(ds->DoSqlUpdate()) << Narrow(ds->GetLastErrorText());
    delete ds;
    CProjectDatabase::Close();

    // Opening again changes nothing more: the file is already complete.
    std::vector<unsigned char> before = ReadAllBytes(path);
    ASSERT_TRUE(CProjectDatabase::Open(path.c_str(), &error));
    CProjectDatabase::Close();
    EXPECT_TRUE(before == ReadAllBytes(path));

    CProjectConnection db;
    ASSERT_TRUE(db.Open(path.c_str(), FALSE));
    std::vector<std::vector<std::wstring>> rows;
    ASSERT_TRUE(db.Query(L"SELECT createmode, floorheight FROM floor", {}, rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"0", rows[0][0]);
    EXPECT_EQ(L"3.3", rows[0][1]);
    db.Close();
    RemoveProjectFile(path);
}

// What a user types after `db` in a demo script: a SELECT runs and gives its rows as text;
// anything that would change the file, or a second statement smuggled behind the first, is
// refused with a reason before it runs, and the rows stay.
TEST(ProjectFile, ReadOnlyQueryRunsSelectsAndRefusesEverythingElse)
{
    CTestProject project(L"只读查询");
    ASSERT_TRUE(project.IsOpen());
    CAccessProject_Components_GJTable t;
    ASSERT_GT(t.Insert(1, L"11", L"KL-1", 111, 2.5, 1), 0);
    CProjectConnection* db = CProjectDatabase::GetConnection();
    std::vector<std::vector<std::wstring>> rows;
    std::wstring why;

    ASSERT_TRUE(
        db->QueryReadOnly(L"SELECT comname, volume FROM component ORDER BY id;", rows, &why))
        << Narrow(why.c_str());
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"KL-1", rows[0][0]);
    EXPECT_EQ(L"2.5", rows[0][1]);

    const wchar_t* refused[] = {
        L"DELETE FROM component",           L"UPDATE component SET volume = 9",
        L"SELECT 1; DELETE FROM component", L"CREATE TABLE x (a)",
        L"PRAGMA user_version = 7",         L"SELEC comname FROM component",
    };
    for (const wchar_t* sql : refused) {
        why.clear();
        EXPECT_FALSE(db->QueryReadOnly(sql, rows, &why)) << Narrow(sql);
        EXPECT_FALSE(why.empty()) << Narrow(sql);
        EXPECT_TRUE(rows.empty()) << Narrow(sql);
    }
    auto left = project.Peek(L"SELECT count(*), max(volume) FROM component");
    ASSERT_EQ(1u, left.size());
    EXPECT_EQ(L"1", left[0][0]);
    EXPECT_EQ(L"2.5", left[0][1]);
    auto version = project.Peek(L"PRAGMA user_version");
    EXPECT_EQ(L"0", version[0][0]);
}
