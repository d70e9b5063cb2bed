// The project table classes on a real project file, and transaction scopes.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"
#include <memory>

namespace {

CStringArray& List(CStringArray& a, std::initializer_list<const wchar_t*> items)
{
    a.RemoveAll();
    for (const wchar_t* i : items)
        a.Add(CString(i));
    return a;
}

} // namespace

TEST(ProjectInfoTable, ParametersAndNameAreReadableAtOnce)
{
    CTestProject project;
    CAccessProject_ProjectInfoTable info;
    EXPECT_EQ("测试工程", Narrow(info.GetProjectName()));
    CString value = L"stale";
    EXPECT_FALSE(info.GetProjectInfo_ParmValue(L"GJJG", value));
    EXPECT_TRUE(value.IsEmpty()) << "a new project has no layout";
    EXPECT_TRUE(info.SetProjectInfo_ParmValue(L"GJJG", L"按构件"));
    EXPECT_TRUE(info.GetProjectInfo_ParmValue(L"GJJG", value));
    EXPECT_EQ("按构件", Narrow(value));
    EXPECT_TRUE(info.SetProjectInfo_ParmValue(L"GJJG", L"按楼层"));
    EXPECT_TRUE(CAccessProject_ProjectInfoTable().GetProjectInfo_ParmValue(L"GJJG", value));
    EXPECT_EQ("按楼层", Narrow(value));
    EXPECT_FALSE(info.SetProjectInfo_ParmValue(L"", L"x"));
    EXPECT_EQ(1u,
              project
                  .Peek(L"SELECT 1 FROM projectinfo WHERE parmname = ?1 AND parmvalue = ?2",
                        { L"GJJG", L"按楼层" })
                  .size());
}

TEST(ProjectInfoTable, WithoutAProjectNothingIsReadOrWritten)
{
    CProjectDatabase::Close();
    CAccessProject_ProjectInfoTable info;
    EXPECT_EQ("", Narrow(info.GetProjectName()));
    EXPECT_FALSE(info.SetProjectInfo_ParmValue(L"GJJG", L"按楼层"));
    CAccessProject_Components_GJTable components;
    EXPECT_EQ(0, components.Insert(1, L"10", L"KL-1", 111, 1, 1));
    std::unique_ptr<CSQLDataSet> ds(components.GetDataSet());
    ASSERT_TRUE(ds);
    EXPECT_EQ(0, ds->GetRowCount());
    CKxSQLTableCtrl* pCtrl = reinterpret_cast<CKxSQLTableCtrl*>(1);
    EXPECT_EQ(0, components.GetAllRow_TableCtrl(pCtrl));
    EXPECT_EQ(nullptr, pCtrl);
    CProjectConnectTransaction scope;
    EXPECT_FALSE(scope.IsGood());
}

TEST(ComponentsTable, InsertListsNewComponentsLastInTheirFolderWithFreshIds)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    int a = t.Insert(1, L"11", L"KL-1", 111, 1, 1);
    int b = t.Insert(1, L"11", L"KL-2", 111, 2.5, 1);
    int c = t.Insert(1, L"21", L"KZ-1", 211, 1, 1);
    int d = t.Insert(1, L"11", L"KL-0", 111, 1, 0); // listed before the others
    EXPECT_TRUE(a > 0 && b > a && c > b && d > c);
    std::unique_ptr<CSQLDataSet> ds(t.GetDataSet(b));
    ASSERT_TRUE(ds);
    EXPECT_EQ(
        "2.5",
        Narrow(ds->GetAsString(CAccessProject_Components_GJTable::CFieldInfo::volume, 1, 0, 0)));
    EXPECT_EQ(111,
              ds->GetAsInteger(CAccessProject_Components_GJTable::CFieldInfo::comtype, 1, 0, 0));
    EXPECT_EQ(
        "11",
        Narrow(ds->GetAsString(CAccessProject_Components_GJTable::CFieldInfo::folderid, 1, 0, 0)));

    CStringArray f, v;
    ds.reset(t.GetDataSet(List(f, { L"floorid", L"folderid" }), List(v, { L"1", L"11" })));
    ASSERT_EQ(3, ds->GetRowCount());
    ds->ResetSortField();
    ds->AddSortField(L"showid", 1);
    ds->Sort();
    EXPECT_EQ("KL-0", Narrow(ds->GetAsString(L"comname", 1)));
    EXPECT_EQ("KL-1", Narrow(ds->GetAsString(L"comname", 2)));
    EXPECT_EQ("KL-2", Narrow(ds->GetAsString(L"comname", 3)));

    // The id of the newest component is not given again after it is deleted.
    EXPECT_TRUE(t.DelOwnCom(d));
    int e = t.Insert(1, L"11", L"KL-3", 111, 1, 1);
    EXPECT_GT(e, d);
    EXPECT_EQ(nullptr, t.GetDataSet(d));
}

TEST(ComponentsTable, FilteredDataSetBindsValuesAndRefusesUnknownFields)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    t.Insert(1, L"11", L"KL-1", 111, 1, 1);
    t.Insert(1, L"11", L"KL-2", 111, 1, 1);
    t.Insert(2, L"11", L"KL-1", 111, 1, 1);
    t.Insert(2, L"21", L"KZ-1", 211, 1, 1);
    CStringArray f, v;
    std::unique_ptr<CSQLDataSet> ds(
        t.GetDataSet(List(f, { L"floorid", L"comtype" }), List(v, { L"2", L"111" })));
    EXPECT_EQ(1, ds->GetRowCount());
    ds.reset(t.GetDataSet(List(f, { L"comname" }), List(v, { L"KL-1" })));
    EXPECT_EQ(2, ds->GetRowCount());
    ds.reset(t.GetDataSet(List(f, { L"comname" }), List(v, { L"x' OR '1'='1" })));
    EXPECT_EQ(0, ds->GetRowCount());
    ds.reset(t.GetDataSet(List(f, { L"floorid OR 1=1 --" }), List(v, { L"1" })));
    EXPECT_EQ(0, ds->GetRowCount());
    ds.reset(t.GetDataSet(List(f, { L"floorid", L"folderid" }), List(v, { L"1" })));
    EXPECT_EQ(0, ds->GetRowCount());
    ds.reset(t.GetDataSet(List(f, {}), List(v, {})));
    EXPECT_EQ(4, ds->GetRowCount());
    EXPECT_EQ(8, ds->GetFieldCount());
}

TEST(ComponentsTable, CursorWalksAllRowsInIdOrder)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    int ids[3] = { t.Insert(3, L"11", L"梁一", 111, 1, 1), t.Insert(1, L"21", L"柱一", 211, 4, 1),
                   t.Insert(2, L"11", L"梁二", 111, 1.5, 1) };
    CKxSQLTableCtrl* pCtrl = nullptr;
    ASSERT_EQ(1, t.GetAllRow_TableCtrl(pCtrl));
    ASSERT_TRUE(pCtrl);
    int n = 0, id = 0, floor = 0;
    CString name, volume;
    EXPECT_FALSE(pCtrl->GetAsInterger(L"id", id)) << "no row before the first TableNextRow";
    while (pCtrl->TableNextRow()) {
        ASSERT_LT(n, 3);
        EXPECT_TRUE(pCtrl->GetAsInterger(L"id", id));
        EXPECT_TRUE(pCtrl->GetAsInterger(L"FloorID", floor));
        EXPECT_TRUE(pCtrl->GetAsString(L"comname", name));
        EXPECT_TRUE(pCtrl->GetAsString(L"volume", volume));
        EXPECT_EQ(ids[n], id);
        ++n;
    }
    EXPECT_EQ(3, n);
    EXPECT_EQ(2, floor);
    EXPECT_EQ("梁二", Narrow(name));
    EXPECT_EQ("1.5", Narrow(volume));
    EXPECT_EQ(0, pCtrl->TableNextRow()) << "stays at the end";
    EXPECT_FALSE(pCtrl->GetAsString(L"comname", name));
    delete pCtrl;
}

TEST(ComponentsTable, CopyMoveNameAndCounts)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    CParmAccess parm;
    int src = t.Insert(1, L"11", L"KL-1", 111, 1, 1);
    int other = t.Insert(2, L"12", L"WKL-1", 112, 1, 1);
    ASSERT_TRUE(t.SetComVolume(src, 2.4f));
    EXPECT_EQ("2.4", Narrow(t.GetComVolume(src)));
    ASSERT_TRUE(parm.SetComTypeSetup(111, L"保护层厚度", L"25"));
    std::unique_ptr<CSQLDataSet> setup(parm.GetComCalSetupDataSetByType(111));
    ASSERT_TRUE(parm.SetComSetupDataSet(src, setup.get()));

    int copy = t.CopyOneRow(src, 2, L"12");
    ASSERT_GT(copy, other);
    EXPECT_EQ("KL-1", Narrow(t.GetComName(copy)));
    EXPECT_EQ("2.4", Narrow(t.GetComVolume(copy)));
    std::unique_ptr<CSQLDataSet> row(t.GetDataSet(copy));
    EXPECT_EQ(2, row->GetAsInteger(L"floorid", 1));
    EXPECT_EQ("12", Narrow(row->GetAsString(L"folderid", 1)));
    EXPECT_EQ(111, row->GetAsInteger(L"comtype", 1));
    std::unique_ptr<CSQLDataSet> otherRow(t.GetDataSet(other));
    EXPECT_GT(row->GetAsInteger(L"showid", 1), otherRow->GetAsInteger(L"showid", 1))
        << "listed last";
    std::unique_ptr<CSQLDataSet> copied(parm.GetComSetupDataSet(copy));
    ASSERT_EQ(1, copied->GetRowCount());
    EXPECT_EQ("25", Narrow(copied->GetAsString(L"parmvalue", 1)));
    EXPECT_EQ(0, t.CopyOneRow(9999, 1, L"11"));

    EXPECT_TRUE(t.ModifyOneRow(src, 3, CString(L"21")));
    row.reset(t.GetDataSet(src));
    EXPECT_EQ(3, row->GetAsInteger(L"floorid", 1));
    EXPECT_EQ("21", Narrow(row->GetAsString(L"folderid", 1)));
    EXPECT_FALSE(t.ModifyOneRow(9999, 3, CString(L"21")));

    EXPECT_TRUE(t.SetComName(src, L"KL-1a"));
    EXPECT_EQ("KL-1a", Narrow(t.GetComName(src)));
    EXPECT_FALSE(t.SetComName(9999, L"x"));
    EXPECT_EQ("", Narrow(t.GetComName(9999)));
    EXPECT_EQ("", Narrow(t.GetComVolume(9999)));
    EXPECT_TRUE(t.SetComVolume(src, 3.0f));
    EXPECT_EQ("3", Narrow(t.GetComVolume(src)));
    EXPECT_TRUE(t.SetComSumVolume(src, 24.0f));
    EXPECT_TRUE(t.SetShowID(src, 7));
    row.reset(t.GetDataSet(src));
    EXPECT_DOUBLE_EQ(24.0, row->GetAsFloat(L"sumvolume", 1));
    EXPECT_EQ(7, row->GetAsInteger(L"showid", 1));
}

TEST(ComponentsTable, DeletesKeepOrRemoveResultsAsDocumented)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    CAccessProject_ComponentResultTable results;
    int a = t.Insert(1, L"11", L"KL-1", 111, 1, 1);
    int b = t.Insert(1, L"11", L"KL-2", 111, 1, 1);
    int c = t.Insert(2, L"11", L"KL-1", 111, 1, 1);
    int d = t.Insert(2, L"21", L"KZ-1", 211, 1, 1);
    for (int id : { a, b, c, d })
        ASSERT_GT(results.AddResult(id, L"钢筋重量", 12.5), 0);

    EXPECT_TRUE(t.DelOwnCom(a));
    EXPECT_EQ(nullptr, t.GetDataSet(a));
    EXPECT_EQ(1, results.GetResultCount(a)) << "DelOwnCom leaves the results";
    EXPECT_TRUE(results.DelResult(a));
    EXPECT_EQ(0, results.GetResultCount(a));
    EXPECT_TRUE(results.DelResult(a));

    EXPECT_TRUE(t.DelOneFloor(2));
    EXPECT_EQ(nullptr, t.GetDataSet(c));
    EXPECT_EQ(nullptr, t.GetDataSet(d));
    EXPECT_EQ(0, results.GetResultCount(c));
    std::unique_ptr<CSQLDataSet> b1(t.GetDataSet(b));
    ASSERT_TRUE(b1) << "floor 1 untouched";
    EXPECT_EQ(1, results.GetResultCount(b));
    // A new component never takes the id of results left behind.
    int e = t.Insert(1, L"11", L"KL-3", 111, 1, 1);
    EXPECT_GT(e, d);
    EXPECT_EQ(0, results.GetResultCount(e));
}

TEST(ParmAccess, TypeSetupIsCopiedToAComponent)
{
    CTestProject project;
    CParmAccess parm;
    CAccessProject_Components_GJTable t;
    ASSERT_TRUE(parm.SetComTypeSetup(299, L"保护层厚度", L"25"));
    ASSERT_TRUE(parm.SetComTypeSetup(299, L"混凝土强度等级", L"C30"));
    ASSERT_TRUE(parm.SetComTypeSetup(299, L"保护层厚度", L"30"));
    ASSERT_TRUE(parm.SetComTypeSetup(111, L"抗震等级", L"二级"));
    int id = t.Insert(1, L"21", L"自定义构件", 299, 1, 1);
    std::unique_ptr<CSQLDataSet> ds(parm.GetComCalSetupDataSetByType(299));
    ASSERT_EQ(2, ds->GetRowCount());
    EXPECT_TRUE(parm.SetComSetupDataSet(id, ds.get()));
    std::unique_ptr<CSQLDataSet> mine(parm.GetComSetupDataSet(id));
    ASSERT_EQ(2, mine->GetRowCount());
    EXPECT_EQ("保护层厚度", Narrow(mine->GetAsString(L"parmname", 1)));
    EXPECT_EQ("30", Narrow(mine->GetAsString(L"parmvalue", 1)));
    EXPECT_EQ("C30", Narrow(mine->GetAsString(L"parmvalue", 2)));

    // Replacing with a type that has no rows empties the component's set-up.
    std::unique_ptr<CSQLDataSet> none(parm.GetComCalSetupDataSetByType(599));
    EXPECT_EQ(0, none->GetRowCount());
    EXPECT_TRUE(parm.SetComSetupDataSet(id, none.get()));
    mine.reset(parm.GetComSetupDataSet(id));
    EXPECT_EQ(0, mine->GetRowCount());

    EXPECT_FALSE(parm.SetComSetupDataSet(id, nullptr));
    EXPECT_FALSE(parm.SetComSetupDataSet(9999, ds.get()));
    NDbDataSet wrong;
    wrong.AddField(L"x", KXFT_TEXT);
    EXPECT_FALSE(parm.SetComSetupDataSet(id, &wrong));
}

TEST(ComFolderTable, VolumeOfAFolderAsIntegerOrDecimal)
{
    CTestProject project;
    CAccessProject_ComFolderTable table;
    std::unique_ptr<CSQLDataSet> ds(table.GetDataSet());
    EXPECT_EQ(12, ds->GetFieldCount());
    int r = ds->InsertRow(0);
    ds->SetAsString(L"comfolderid", r, L"100");
    ds->SetAsInteger(L"floorid", r, 2);
    ds->SetAsFloat(L"volume", r, 2.5);
    ASSERT_TRUE(ds->DoSqlUpdate());
    int n = 1;
    double d = 1;
    EXPECT_TRUE(table.GetComFolder_Volume(L"100", 2, n));
    EXPECT_EQ(2, n);
    EXPECT_TRUE(table.GetComFolder_Volume(L"100", 2, d));
    EXPECT_DOUBLE_EQ(2.5, d);
    n = 1;
    EXPECT_FALSE(table.GetComFolder_Volume(L"100", 3, n));
    EXPECT_EQ(1, n) << "left alone when there is no row";
}

TEST(Transaction, NestedScopesCommitOnceAtTheOutermost)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    {
        CProjectConnectTransaction outer;
        t.Insert(1, L"11", L"KL-1", 111, 1, 1);
        {
            CProjectConnectTransaction inner;
            t.Insert(1, L"11", L"KL-2", 111, 1, 1);
            EXPECT_TRUE(inner.IsGood());
        }
        EXPECT_EQ(0u, project.Peek(L"SELECT id FROM component").size())
            << "nothing visible before the outermost ends";
        EXPECT_TRUE(outer.End());
    }
    EXPECT_EQ(2u, project.Peek(L"SELECT id FROM component").size());
}

TEST(Transaction, AFailedStatementInsideRollsEverythingBack)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    int kept = t.Insert(1, L"11", L"KL-1", 111, 1, 1);
    {
        CProjectConnectTransaction outer;
        t.SetComName(kept, L"改名");
        t.Insert(1, L"11", L"KL-2", 111, 1, 1);
        {
            CProjectConnectTransaction inner;
            t.Insert(1, L"11", L"KL-3", 111, 1, 1);
            // A statement that fails inside the nested scope.
            EXPECT_FALSE(CProjectDatabase::GetConnection()->ExecuteBound(
                L"INSERT INTO no_such_table VALUES (?1)", { L"x" }));
            EXPECT_FALSE(inner.IsGood());
        }
        t.Insert(1, L"11", L"KL-4", 111, 1, 1);
        EXPECT_FALSE(outer.IsGood());
        EXPECT_FALSE(outer.End());
    }
    auto rows = project.Peek(L"SELECT comname FROM component");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"KL-1", rows[0][0]);

    // Abort works the same way, and the next scope starts afresh.
    {
        CProjectConnectTransaction scope;
        t.Insert(1, L"11", L"KL-5", 111, 1, 1);
        scope.Abort();
    }
    EXPECT_EQ(1u, project.Peek(L"SELECT comname FROM component").size());
    {
        CProjectConnectTransaction scope;
        t.Insert(1, L"11", L"KL-6", 111, 1, 1);
    }
    EXPECT_EQ(2u, project.Peek(L"SELECT comname FROM component").size());
}

TEST(Transaction, DataSetUpdateJoinsTheEnclosingScope)
{
    CTestProject project;
    CAccessProject_ComFolderTable table;
    {
        CProjectConnectTransaction scope;
        std::unique_ptr<CSQLDataSet> ds(table.GetDataSet());
        int r = ds->InsertRow(0);
        ds->SetAsString(L"comfolderid", r, L"100");
        ds->SetAsInteger(L"floorid", r, 1);
        EXPECT_TRUE(ds->DoSqlUpdate());
        scope.Abort();
    }
    EXPECT_EQ(0u, project.Peek(L"SELECT 1 FROM comfolder").size());
}

TEST(Transaction, AScopeThatCannotBeginWritesNothing)
{
    CTestProject project;
    CAccessProject_Components_GJTable t;
    CProjectConnection other;
    ASSERT_TRUE(other.Open(project.Path().c_str(), FALSE));
    ASSERT_TRUE(other.Execute(L"BEGIN IMMEDIATE"));
    {
        CProjectConnectTransaction scope;
        EXPECT_FALSE(scope.IsGood());
        ASSERT_TRUE(other.Execute(L"COMMIT"));
        // The other writer is gone, but this scope never began: its writes must not
        // commit one by one.
        EXPECT_EQ(0, t.Insert(1, L"11", L"KL-1", 111, 1, 1));
        EXPECT_FALSE(t.SetShowID(1, 3));
    }
    EXPECT_EQ(0u, project.Peek(L"SELECT 1 FROM component").size());
}
