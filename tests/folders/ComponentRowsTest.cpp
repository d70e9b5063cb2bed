// Component inserts, names and deletes through the project database, in transactions.
#include "FolderStoreFixture.h"

namespace {

TEST_F(FolderStoreTest, AddedComponentIsANewComponentOfTheFolder)
{
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"10", 2, L"", 1);
    CComFolderManager store;
    int nId = store.AddComponentRow(2, L"10", 11);
    ASSERT_GT(nId, 0);
    int nSecond = store.AddComponentRow(2, L"10", 11);
    EXPECT_NE(nId, nSecond);

    Rows rows = Query(L"SELECT floorid, folderid, comname, comtype, volume FROM component "
                      L"WHERE id = ?1",
                      { std::to_wstring(nId) });
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"2", rows[0][0]);
    EXPECT_EQ(L"10", rows[0][1]);
    EXPECT_EQ(L"新构件", rows[0][2]);
    EXPECT_EQ(L"11", rows[0][3]);
    EXPECT_DOUBLE_EQ(1.0, _wtof(rows[0][4].c_str()));
    EXPECT_STREQ(L"新构件", store.GetComponentName(nId));
}

TEST_F(FolderStoreTest, RenameReachesTheFileAndNamesReadBack)
{
    AddFloor(1, L"首层", 1);
    int nId = AddComponent(1, L"10", L"KZ-1");
    int nOther = AddComponent(1, L"10", L"KZ-2");
    CComFolderManager store;
    store.RenameComponent(nId, L"框架柱 'A'");
    EXPECT_STREQ(L"框架柱 'A'", store.GetComponentName(nId));
    EXPECT_STREQ(L"KZ-2", store.GetComponentName(nOther));
    EXPECT_EQ(
        L"框架柱 'A'",
        Query(L"SELECT comname FROM component WHERE id = ?1", { std::to_wstring(nId) })[0][0]);
}

TEST_F(FolderStoreTest, DeletingOneComponentTakesItsResultsAlong)
{
    AddFloor(1, L"首层", 1);
    int nId = AddComponent(1, L"10", L"KZ-1");
    int nKept = AddComponent(1, L"10", L"KZ-2");
    AddResult(nId, L"钢筋");
    AddResult(nId, L"箍筋");
    AddResult(nKept, L"钢筋");
    CComFolderManager store;
    store.DelComponentRows(nId);
    EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM component WHERE id = ?1", { std::to_wstring(nId) }));
    EXPECT_EQ(
        0,
        Count(L"SELECT COUNT(*) FROM componentresult WHERE comid = ?1", { std::to_wstring(nId) }));
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM component"));
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM componentresult"));
}

TEST_F(FolderStoreTest, DeletingSeveralComponentsKeepsTheirResults)
{
    AddFloor(1, L"首层", 1);
    int nA = AddComponent(1, L"10", L"KZ-1");
    int nB = AddComponent(1, L"10", L"KZ-2");
    int nC = AddComponent(1, L"10", L"KZ-3");
    AddResult(nA, L"钢筋");
    AddResult(nC, L"钢筋");
    CComFolderManager store;
    CArray<int, int&> ids;
    ids.Add(nC);
    ids.Add(nA);
    store.DeleteComponents(ids);
    Rows rows = Query(L"SELECT id FROM component");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(std::to_wstring(nB), rows[0][0]);
    EXPECT_EQ(2, Count(L"SELECT COUNT(*) FROM componentresult"));

    CArray<int, int&> none;
    store.DeleteComponents(none);
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM component"));
}

TEST_F(FolderStoreTest, ComponentWritesJoinTheCallersTransaction)
{
    AddFloor(1, L"首层", 1);
    int nId = AddComponent(1, L"10", L"KZ-1");
    CComFolderManager store;
    {
        // Each operation's scope nests in an open one, so an abort undoes them together.
        CProjectConnectTransaction outer;
        store.AddComponentRow(1, L"10", 11);
        store.RenameComponent(nId, L"改名");
        store.DelComponentRows(nId);
        outer.Abort();
    }
    Rows rows = Query(L"SELECT id, comname FROM component");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(std::to_wstring(nId), rows[0][0]);
    EXPECT_EQ(L"KZ-1", rows[0][1]);
}

} // namespace
