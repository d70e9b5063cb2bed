// Adding, copying, hiding and deleting folder rows: ids, sort side effects and commits.
#include "FolderStoreFixture.h"

namespace {

TEST_F(FolderStoreTest, NextFolderIdStartsAt100AndFollowsTheHighestOnAnyFloor)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"10", 1, L"", 1);
    AddFolderRow(L"99", 1, L"", 0);
    AddFolderRow(L"abc", 1, L"", 1); // no leading digits: counts 0
    {
        CComFolderManager store; // rule ids only: still 100
        EXPECT_STREQ(L"100", store.AddUserFolderRow(1, L"", 0));
    }
    AddFolderRow(L"150", 2, L"", 1);
    CComFolderManager store;
    EXPECT_STREQ(L"151", store.AddUserFolderRow(1, L"", 0));
    EXPECT_STREQ(L"152", store.CopyUserFolderRow(2, 1, L"150", L""));
}

TEST_F(FolderStoreTest, AddedUserFolderIsFirstRowAndCommittedAtOnce)
{
    AddFloor(1, L"首层", 1);
    AddFolderRow(L"10", 1, L"", 1);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(1); // pending rows ride along with the next commit
    CString strId = store.AddUserFolderRow(1, L"10", 42);
    EXPECT_STREQ(L"100", strId);

    CSQLDataSet* pData = store.m_pComFolderDataSet;
    EXPECT_EQ(L"100", Cell(pData, L"comfolderid", 1));

    Rows rows = Query(L"SELECT floorid, allowownercom, parentid, foldername, imageindex, "
                      L"selectedindex, comtype, allowadduserfolder, initcreate, volume, showid "
                      L"FROM comfolder WHERE comfolderid = '100'");
    ASSERT_EQ(1u, rows.size());
    std::vector<std::wstring> expected = { L"1",  L"1", L"10", L"新建构件夹", L"0",  L"0",
                                           L"42", L"1", L"1",  L"1",          L"100" };
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], rows[0][i]) << i;
    // The rule rows of floor 1 were written with it (the seeded "10" stays as it was).
    EXPECT_EQ(1 + 1 + 2, Count(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 1"));
}

TEST_F(FolderStoreTest, CopiedFolderTakesTheSourceValuesOnTheTargetFloor)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"130", 1, L"10", 0, L"2.5");
    Exec(L"UPDATE comfolder SET foldername = ?1, imageindex = 7, selectedindex = 8, comtype = 33, "
         L"allowownercom = 0, allowadduserfolder = 1 WHERE comfolderid = '130'",
         { L"我的构件夹" });
    CComFolderManager store;
    CString strId = store.CopyUserFolderRow(1, 2, L"130", L"20");
    EXPECT_STREQ(L"131", strId);

    Rows rows = Query(L"SELECT floorid, allowownercom, parentid, foldername, imageindex, "
                      L"selectedindex, comtype, allowadduserfolder, initcreate, volume, showid "
                      L"FROM comfolder WHERE comfolderid = '131'");
    ASSERT_EQ(1u, rows.size());
    std::vector<std::wstring> expected = { L"2",  L"0", L"20", L"我的构件夹", L"7",  L"8",
                                           L"33", L"1", L"0",  L"2.5",        L"131" };
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(expected[i], rows[0][i]) << i;
    // The source is untouched.
    EXPECT_EQ(1,
              Count(L"SELECT COUNT(*) FROM comfolder WHERE comfolderid = '130' AND floorid = 1 "
                    L"AND parentid = '10'"));
}

TEST_F(FolderStoreTest, CopyOfAVanishedSourceIsAPlainUserFolder)
{
    AddFloor(1, L"首层", 1);
    CComFolderManager store;
    CString strId = store.CopyUserFolderRow(1, 1, L"777", L"");
    EXPECT_STREQ(L"100", strId);
    Rows rows = Query(L"SELECT foldername, allowownercom, initcreate, volume FROM comfolder");
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(L"新建构件夹", rows[0][0]);
    EXPECT_EQ(L"1", rows[0][1]);
    EXPECT_EQ(L"1", rows[0][2]);
    EXPECT_EQ(L"1", rows[0][3]);
}

TEST_F(FolderStoreTest, AddListHoldsHiddenRuleFoldersOfParentAndFloor)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(1);
    store.CreateFloorFolders(2);

    // Floor level: only the hidden "梁" (initcreate 0).
    store.BuildAddFolderList(1, L"");
    ASSERT_EQ(1, store.m_arrFolder.GetSize());
    CFolderArray* pEntry = (CFolderArray*)store.m_arrFolder[0];
    EXPECT_STREQ(L"20", pEntry->m_strFolderId);
    EXPECT_STREQ(L"梁", pEntry->m_strFolderName);

    // Its shown sub-folder is not listed until it is hidden; the list is rebuilt, not extended.
    store.BuildAddFolderList(1, L"20");
    EXPECT_EQ(0, store.m_arrFolder.GetSize());
    store.UncreateBaseFolder(1, L"21");
    store.BuildAddFolderList(1, L"20");
    ASSERT_EQ(1, store.m_arrFolder.GetSize());
    EXPECT_STREQ(L"21", ((CFolderArray*)store.m_arrFolder[0])->m_strFolderId);
    store.BuildAddFolderList(2, L"20");
    EXPECT_EQ(0, store.m_arrFolder.GetSize());

    // Parent ids compare exactly.
    store.BuildAddFolderList(1, L"020");
    EXPECT_EQ(0, store.m_arrFolder.GetSize());
}

TEST_F(FolderStoreTest, HidingSortsByFloorMatchesIgnoringCaseAndCommits)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    // Floor 2 first whether the table reads in key or in insertion order.
    AddFolderRow(L"ab", 2, L"", 1);
    AddFolderRow(L"zz", 1, L"", 1);
    AddFolderRow(L"cd", 2, L"", 1);
    CComFolderManager store;
    CSQLDataSet* pData = store.m_pComFolderDataSet;
    ASSERT_EQ(2, pData->GetAsInteger(L"floorid", 1));
    store.UncreateBaseFolder(1, L"ZZ");
    ASSERT_EQ(3, pData->GetRowCount());
    EXPECT_EQ(1, pData->GetAsInteger(L"floorid", 1));
    EXPECT_EQ(2, pData->GetAsInteger(L"floorid", 2));
    EXPECT_EQ(2, pData->GetAsInteger(L"floorid", 3));
    EXPECT_EQ(0, pData->GetAsInteger(L"initcreate", 1));
    EXPECT_EQ(1, pData->GetAsInteger(L"initcreate", 2));
    EXPECT_EQ(1, pData->GetAsInteger(L"initcreate", 3));
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder WHERE initcreate = 0"));
    EXPECT_EQ(1,
              Count(L"SELECT COUNT(*) FROM comfolder WHERE initcreate = 0 AND comfolderid = 'zz'"));

    // Only the first match on the floor is hidden, and a matching id on another floor is not.
    store.UncreateBaseFolder(2, L"Ab");
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder WHERE initcreate = 0 AND floorid = 2"));
    EXPECT_EQ(1,
              Count(L"SELECT COUNT(*) FROM comfolder WHERE initcreate = 0 AND comfolderid = 'ab'"));
}

TEST_F(FolderStoreTest, HidingAMissingFolderChangesNothingButStillCommits)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"150", 2, L"", 1);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(1); // appended after the floor-2 row: out of floor order
    CSQLDataSet* pData = store.m_pComFolderDataSet;
    ASSERT_EQ(2, pData->GetAsInteger(L"floorid", 1));
    store.UncreateBaseFolder(1, L"55");
    ASSERT_EQ(4, pData->GetRowCount());
    for (int nRow = 1; nRow <= 3; ++nRow)
        EXPECT_EQ(1, pData->GetAsInteger(L"floorid", nRow)) << nRow;
    EXPECT_EQ(2, pData->GetAsInteger(L"floorid", 4));
    // The pending rule rows were committed unchanged.
    Rows rows = Query(L"SELECT comfolderid, initcreate FROM comfolder WHERE floorid = 1 "
                      L"ORDER BY comfolderid");
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(L"1", rows[0][1]);
    EXPECT_EQ(L"0", rows[1][1]);
    EXPECT_EQ(L"1", rows[2][1]);
}

TEST_F(FolderStoreTest, DeletingAUserFolderRemovesOnlyThatRow)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"100", 1, L"", 1);
    AddFolderRow(L"101", 1, L"100", 1);
    AddFolderRow(L"100", 2, L"", 1);
    CComFolderManager store;
    store.DelUserFolderRow(1, L"100");
    EXPECT_EQ(2, store.m_pComFolderDataSet->GetRowCount());
    EXPECT_EQ(0, store.FindFolderRow(L"100", 1));
    EXPECT_GT(store.FindFolderRow(L"101", 1), 0); // children are the caller's business
    EXPECT_EQ(0,
              Count(L"SELECT COUNT(*) FROM comfolder WHERE comfolderid = '100' AND floorid = 1"));
    EXPECT_EQ(2, Count(L"SELECT COUNT(*) FROM comfolder"));

    store.DelUserFolderRow(3, L"100"); // no such floor: nothing goes
    EXPECT_EQ(2, Count(L"SELECT COUNT(*) FROM comfolder"));
}

TEST_F(FolderStoreTest, DeletingAFloorRemovesItsComponentsNowAndItsRowsLater)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"10", 1, L"", 1);
    AddFolderRow(L"10", 2, L"", 1);
    AddFolderRow(L"100", 2, L"10", 1);
    AddFolderRow(L"20", 2, L"", 1);
    AddComponent(1, L"10", L"KZ-1");
    AddComponent(2, L"10", L"KZ-2");
    AddComponent(2, L"100", L"KZ-3");
    {
        CComFolderManager store;
        store.DeleteFloor(2);
        EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM component"));
        EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM component WHERE floorid = 1"));

        ASSERT_EQ(1, store.m_pFloorDataSet->GetRowCount());
        EXPECT_EQ(1, store.m_pFloorDataSet->GetAsInteger(L"id", 1));
        ASSERT_EQ(1, store.m_pComFolderDataSet->GetRowCount()); // adjacent rows all went
        EXPECT_EQ(1, store.m_pComFolderDataSet->GetAsInteger(L"floorid", 1));

        // Neither dataset is committed by the delete.
        EXPECT_EQ(2, Count(L"SELECT COUNT(*) FROM floor"));
        EXPECT_EQ(4, Count(L"SELECT COUNT(*) FROM comfolder"));
    }
    // The folder rows go with the store's final commit; the floor table is never written.
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder"));
    EXPECT_EQ(2, Count(L"SELECT COUNT(*) FROM floor"));
}

TEST_F(FolderStoreTest, ChildRowsAreCopiedIntoANewDataset)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"100", 1, L"", 1);
    AddFolderRow(L"101", 1, L"100", 0, L"1.75");
    AddFolderRow(L"102", 1, L"100", 1);
    AddFolderRow(L"103", 2, L"100", 1);
    AddFolderRow(L"104", 1, L"101", 1);
    CComFolderManager store;
    CDataSet_ComFolder* pChildren = store.GetChildFolderRows(L"100", 1);
    ASSERT_TRUE(pChildren != NULL);
    EXPECT_EQ(12, pChildren->GetFieldCount());
    EXPECT_STREQ(L"comfolder", pChildren->GetTableName());
    ASSERT_EQ(2, pChildren->GetRowCount());
    std::wstring ids = Cell(pChildren, L"comfolderid", 1) + L","
        + Cell(pChildren, L"comfolderid", 2);
    EXPECT_TRUE(ids == L"101,102" || ids == L"102,101") << ids;
    int nRow = Cell(pChildren, L"comfolderid", 1) == L"101" ? 1 : 2;
    EXPECT_DOUBLE_EQ(1.75, pChildren->GetAsFloat(L"volume", nRow));
    EXPECT_EQ(0, pChildren->GetAsInteger(L"initcreate", nRow));
    EXPECT_EQ(L"100", Cell(pChildren, L"parentid", nRow));
    EXPECT_EQ(1, pChildren->GetAsInteger(L"floorid", nRow));
    delete pChildren;

    CDataSet_ComFolder* pNone = store.GetChildFolderRows(L"999", 1);
    EXPECT_EQ(0, pNone->GetRowCount());
    EXPECT_EQ(12, pNone->GetFieldCount());
    delete pNone;
}

} // namespace
