// Construction, ReLoad and the final commit of the folder store.
#include "FolderStoreFixture.h"

namespace {

TEST_F(FolderStoreTest, ConstructionReadsFloorsInDisplayOrderAndAllFolders)
{
    AddFloor(1, L"首层", 2);
    AddFloor(2, L"第2层", 3);
    AddFloor(0, L"基础层", 1);
    AddFolderRow(L"10", 1, L"", 1);
    AddFolderRow(L"10", 2, L"", 1);
    CComFolderManager store;
    ASSERT_EQ(3, store.m_pFloorDataSet->GetRowCount());
    EXPECT_EQ(0, store.m_pFloorDataSet->GetAsInteger(L"id", 1));
    EXPECT_EQ(1, store.m_pFloorDataSet->GetAsInteger(L"id", 2));
    EXPECT_EQ(2, store.m_pFloorDataSet->GetAsInteger(L"id", 3));
    EXPECT_EQ(2, store.m_pComFolderDataSet->GetRowCount());
    EXPECT_EQ(0, store.m_arrFolder.GetSize());
    EXPECT_EQ(0, store.m_RuleManager.m_arrRule.GetSize());
}

TEST_F(FolderStoreTest, ReLoadDropsPendingChangesAndSortsFloorsByDisplayOrder)
{
    AddFloor(5, L"第5层", 1);
    AddFloor(1, L"首层", 2);
    AddFolderRow(L"10", 1, L"", 1);
    SetRules(kStoreRules);
    {
        CComFolderManager store;
        store.CreateFloorFolders(5);
        store.DeleteFloor(1);
        store.ReLoad();
        EXPECT_EQ(1, store.m_pComFolderDataSet->GetRowCount());
        ASSERT_EQ(2, store.m_pFloorDataSet->GetRowCount());
        EXPECT_EQ(5, store.m_pFloorDataSet->GetAsInteger(L"id", 1));
        EXPECT_EQ(1, store.m_pFloorDataSet->GetAsInteger(L"id", 2));
    }
    // The discarded rows never reach the file, not even with the final commit.
    EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 5"));
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 1"));
}

TEST_F(FolderStoreTest, EmptyTablesStillGiveWorkingDatasets)
{
    // No floors and no folders at all: every operation works and writes into the table.
    CComFolderManager store;
    store.ReLoad();
    ASSERT_TRUE(store.m_pComFolderDataSet != NULL);
    ASSERT_TRUE(store.m_pFloorDataSet != NULL);
    EXPECT_EQ(0, store.m_pFloorDataSet->GetRowCount());
    EXPECT_EQ(0, store.FindFolderRow(L"10", 1));
    store.BuildAddFolderList(1, L"");
    EXPECT_EQ(0, store.m_arrFolder.GetSize());
    store.DeleteFloor(1);
    store.UncreateBaseFolder(1, L"10");
    EXPECT_STREQ(L"100", store.AddUserFolderRow(1, L"", 0));
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder WHERE comfolderid = '100'"));
}

TEST_F(FolderStoreTest, DestructionCommitsFolderRowsButNeverTheFloorTable)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    SetRules(kStoreRules);
    {
        CComFolderManager store;
        store.CreateFloorFolders(2);
        store.m_pFloorDataSet->SetAsString(L"lcmc", 1, L"改过的名字");
        store.BuildAddFolderList(2, L"");
        EXPECT_EQ(1, store.m_arrFolder.GetSize());
        EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM comfolder"));
    }
    EXPECT_EQ(3, Count(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 2"));
    EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM floor WHERE lcmc = ?1", { L"改过的名字" }));
}

} // namespace
