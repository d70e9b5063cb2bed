// Datasets read from a real project file and written back with DoSqlUpdate: round trips,
// key collisions, failures that must write nothing, and texts kept exactly.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"
#include <memory>

namespace {

void AddFolder(NDataModelDataSet& ds, const wchar_t* id, int floor, const wchar_t* name,
               const wchar_t* parent = L"")
{
    int r = ds.InsertRow(ds.GetRowCount() + 1);
    ds.SetAsString(L"comfolderid", r, id);
    ds.SetAsInteger(L"floorid", r, floor);
    ds.SetAsString(L"parentid", r, parent);
    ds.SetAsString(L"foldername", r, name);
    ds.SetAsInteger(L"initcreate", r, 1);
    ds.SetAsInteger(L"volume", r, 1);
}

std::unique_ptr<CSQLDataSet> Folders()
{
    CAccessProject_ComFolderTable table;
    return std::unique_ptr<CSQLDataSet>(table.GetDataSet());
}

} // namespace

TEST(SqlDataSet, InsertsUpdatesAndDeletesRoundTrip)
{
    CTestProject project;
    ASSERT_TRUE(project.IsOpen());
    {
        auto ds = Folders();
        EXPECT_EQ(0, ds->GetRowCount());
        AddFolder(*ds, L"10", 1, L"梁");
        AddFolder(*ds, L"11", 1, L"框架梁", L"10");
        AddFolder(*ds, L"10", 2, L"梁");
        ds->SetAsFloat(L"volume", 2, 2.5); // integer-declared, keeps its fraction
        EXPECT_EQ(3, ds->GetPendingChangeCount());
        EXPECT_TRUE(ds->DoSqlUpdate()) << Narrow(ds->GetLastErrorText());
        EXPECT_EQ(0, ds->GetPendingChangeCount());
        EXPECT_TRUE(ds->DoSqlUpdate()) << "nothing pending is a success";
    }
    auto rows = project.Peek(L"SELECT comfolderid, floorid, parentid, foldername, volume FROM "
                             L"comfolder ORDER BY floorid, comfolderid");
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(L"11", rows[1][0]);
    EXPECT_EQ(L"10", rows[1][2]);
    EXPECT_EQ(L"2.5", rows[1][4]);

    {
        auto ds = Folders();
        ASSERT_EQ(3, ds->GetRowCount());
        EXPECT_DOUBLE_EQ(2.5, ds->GetAsFloat(L"volume", 2));
        ds->SetAsString(L"foldername", 1, L"梁（改）");
        ds->SetAsInteger(L"initcreate", 2, 0);
        ds->SetAsString(L"foldername", 2, L"框架梁"); // same value: no change
        EXPECT_EQ(2, ds->GetPendingChangeCount());
        EXPECT_TRUE(ds->DeleteRow(3));
        EXPECT_EQ("梁", Narrow(ds->GetAsString(L"foldername", 1, 1)))
            << "original value before the change";
        EXPECT_TRUE(ds->DoSqlUpdate());
    }
    rows = project.Peek(
        L"SELECT comfolderid, floorid, foldername, initcreate FROM comfolder ORDER BY rowid");
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(L"梁（改）", rows[0][2]);
    EXPECT_EQ(L"0", rows[1][3]);
}

TEST(SqlDataSet, ChangedKeyUpdatesTheRowItWasLoadedFrom)
{
    CTestProject project;
    {
        auto ds = Folders();
        AddFolder(*ds, L"100", 1, L"自定义");
        ASSERT_TRUE(ds->DoSqlUpdate());
        ds->SetAsInteger(L"floorid", 1, 4);
        ds->SetAsString(L"comfolderid", 1, L"150");
        ASSERT_TRUE(ds->DoSqlUpdate());
    }
    auto rows = project.Peek(L"SELECT comfolderid, floorid, foldername FROM comfolder");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"150", rows[0][0]);
    EXPECT_EQ(L"4", rows[0][1]);
}

TEST(SqlDataSet, KeyCollisionKeepsTheStoredRowAndWritesEverythingElse)
{
    CTestProject project;
    {
        auto seed = Folders();
        AddFolder(*seed, L"20", 1, L"柱");
        AddFolder(*seed, L"30", 1, L"墙");
        AddFolder(*seed, L"40", 1, L"板");
        ASSERT_TRUE(seed->DoSqlUpdate());
    }
    auto ds = Folders();
    // Meanwhile someone else stores folder 100 of floor 1.
    {
        auto other = Folders();
        AddFolder(*other, L"100", 1, L"别人的文件夹");
        ASSERT_TRUE(other->DoSqlUpdate());
    }
    AddFolder(*ds, L"100", 1, L"我的文件夹");   // collides
    AddFolder(*ds, L"101", 1, L"新文件夹");     // fine
    ds->SetAsString(L"foldername", 1, L"柱子"); // fine
    ds->SetAsString(L"comfolderid", 2, L"20");  // update onto another stored key: collides
    ds->DeleteRow(3);                           // fine (row "40")
    EXPECT_FALSE(ds->DoSqlUpdate());
    EXPECT_EQ(2, ds->GetConflictCount());
    EXPECT_FALSE(ds->GetLastErrorText().IsEmpty());
    EXPECT_EQ(2, ds->GetPendingChangeCount()) << "the colliding changes stay pending";

    auto rows = project.Peek(
        L"SELECT comfolderid, foldername FROM comfolder ORDER BY CAST(comfolderid AS INTEGER)");
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(L"20", rows[0][0]);
    EXPECT_EQ(L"柱子", rows[0][1]);
    EXPECT_EQ(L"30", rows[1][0]) << "the update onto 20 was not written";
    EXPECT_EQ(L"墙", rows[1][1]);
    EXPECT_EQ(L"100", rows[2][0]);
    EXPECT_EQ(L"别人的文件夹", rows[2][1]) << "the stored row is kept";
    EXPECT_EQ(L"101", rows[3][0]);

    // Once the stored row is gone the pending insert goes through on the next update; the
    // update onto 20 keeps colliding until its key is put back.
    ASSERT_TRUE(CProjectDatabase::GetConnection()->ExecuteBound(
        L"DELETE FROM comfolder WHERE comfolderid = ?1 AND floorid = ?2", { L"100", L"1" }));
    EXPECT_FALSE(ds->DoSqlUpdate());
    EXPECT_EQ(1, ds->GetConflictCount());
    ds->SetAsString(L"comfolderid", 2, L"35");
    EXPECT_TRUE(ds->DoSqlUpdate()) << Narrow(ds->GetLastErrorText());
    EXPECT_EQ(0, ds->GetPendingChangeCount());
    rows = project.Peek(
        L"SELECT comfolderid, foldername FROM comfolder ORDER BY CAST(comfolderid AS INTEGER)");
    ASSERT_EQ(4u, rows.size());
    EXPECT_EQ(L"35", rows[1][0]);
    EXPECT_EQ(L"墙", rows[1][1]);
    EXPECT_EQ(L"我的文件夹", rows[2][1]);
}

TEST(SqlDataSet, UpdateOfARowDeletedElsewhereIsNotRevived)
{
    CTestProject project;
    auto ds = Folders();
    AddFolder(*ds, L"10", 1, L"梁");
    AddFolder(*ds, L"20", 1, L"柱");
    ASSERT_TRUE(ds->DoSqlUpdate());
    ASSERT_TRUE(CProjectDatabase::GetConnection()->ExecuteBound(
        L"DELETE FROM comfolder WHERE comfolderid = ?1", { L"10" }));
    ds->SetAsString(L"foldername", 1, L"梁改");
    ds->SetAsString(L"foldername", 2, L"柱改");
    EXPECT_FALSE(ds->DoSqlUpdate());
    EXPECT_EQ(1, ds->GetConflictCount());
    auto rows = project.Peek(L"SELECT comfolderid, foldername FROM comfolder");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"柱改", rows[0][1]);
}

TEST(SqlDataSet, AFailureWritesNothingAndKeepsEverythingPending)
{
    CTestProject project;
    auto ds = Folders();
    AddFolder(*ds, L"10", 1, L"梁");
    ASSERT_TRUE(ds->DoSqlUpdate());
    ds->SetAsString(L"foldername", 1, L"梁改");
    AddFolder(*ds, L"20", 1, L"柱");

    // Another process is writing: it holds the write lock.
    CProjectConnection other;
    ASSERT_TRUE(other.Open(project.Path().c_str(), FALSE));
    ASSERT_TRUE(other.Execute(L"BEGIN EXCLUSIVE"));
    EXPECT_FALSE(ds->DoSqlUpdate());
    EXPECT_EQ(2, ds->GetPendingChangeCount());
    ASSERT_TRUE(other.Execute(L"ROLLBACK"));
    auto rows = project.Peek(L"SELECT foldername FROM comfolder");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"梁", rows[0][0]);

    EXPECT_TRUE(ds->DoSqlUpdate());
    rows = project.Peek(L"SELECT foldername FROM comfolder ORDER BY rowid");
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(L"梁改", rows[0][0]);

    // A dataset without a table, or a table the project lacks, writes nothing.
    CSQLDataSet loose;
    loose.AddField(L"a", KXFT_TEXT);
    loose.InsertRow(0);
    EXPECT_FALSE(loose.DoSqlUpdate());
    loose.SetTableName(L"no such table");
    EXPECT_FALSE(loose.DoSqlUpdate());
    EXPECT_EQ(1, loose.GetPendingChangeCount());
}

TEST(SqlDataSet, EmptyIntegerKeyTakesTheAssignedIdAndExtraFieldsAreNotWritten)
{
    CTestProject project;
    CAccessProject_FloorTable table;
    std::unique_ptr<CSQLDataSet> ds(table.GetDataSet());
    ds->AddField(L"floorshowid", KXFT_INTEGER); // not a column of the table
    int r = ds->InsertRow(0);
    ds->SetAsString(L"floorname", r, L"首层");
    ds->SetAsInteger(L"ordernum", r, 2);
    ds->SetAsInteger(L"floorshowid", r, 9);
    r = ds->InsertRow(0);
    ds->SetAsInteger(L"floorid", r, 0);
    ds->SetAsString(L"floorname", r, L"基础层");
    ds->SetAsInteger(L"ordernum", r, 1);
    ds->SetAsFloat(L"floorheight", r, 3.6);
    ASSERT_TRUE(ds->DoSqlUpdate()) << Narrow(ds->GetLastErrorText());
    EXPECT_EQ(1, ds->GetAsInteger(L"id", 1)) << "id assigned by SQLite, written back";

    std::unique_ptr<CSQLDataSet> sorted(table.GetSortDataSet());
    ASSERT_EQ(2, sorted->GetRowCount());
    EXPECT_EQ("基础层", Narrow(sorted->GetAsString(L"lcmc", 1)));
    EXPECT_EQ(0, sorted->GetAsInteger(L"floorid", 1));
    EXPECT_DOUBLE_EQ(3.6, sorted->GetAsFloat(L"floorheight", 1));
    EXPECT_EQ("首层", Narrow(sorted->GetAsString(L"floorname", 2)));
}

TEST(SqlDataSet, TextsAreStoredAndReadBackExactly)
{
    CTestProject project;
    const wchar_t* names[] = {
        L"O'Brien \"梁\"",
        L"100% 配筋 %s %d",
        L"框架柱；KZ-1",
        L"楼梯 🏗️ 👷",
        L"'); DROP TABLE component; --",
        L"  前后空格  ",
        L"换\n行",
    };
    {
        auto ds = Folders();
        int id = 100;
        for (const wchar_t* n : names)
            AddFolder(*ds, std::to_wstring(id++).c_str(), 1, n);
        ASSERT_TRUE(ds->DoSqlUpdate());
    }
    auto ds = Folders();
    ASSERT_EQ(7, ds->GetRowCount());
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(std::wstring(names[i]),
                  std::wstring(ds->GetAsString(L"foldername", i + 1).GetString()));

    CAccessProject_Components_GJTable components;
    for (const wchar_t* n : names) {
        int id = components.Insert(1, L"10", n, 111, 1, 1);
        ASSERT_GT(id, 0);
        EXPECT_EQ(std::wstring(n), std::wstring(components.GetComName(id).GetString()));
    }
    CAccessProject_ProjectInfoTable info;
    for (const wchar_t* n : names) {
        ASSERT_TRUE(info.SetProjectName(n));
        EXPECT_EQ(std::wstring(n), std::wstring(info.GetProjectName().GetString()));
    }
    EXPECT_EQ(7u, project.Peek(L"SELECT id FROM component").size());
}
