// Folder and component volumes (counts of identical units).
#include "FolderStoreFixture.h"

namespace {

const int kFolderNode = 2;
const int kComponentNode = 3;

TEST_F(FolderStoreTest, FolderVolumeTextComesFromTheFileAndDefaultsTo1)
{
    AddFloor(1, L"首层", 1);
    AddFolderRow(L"100", 1, L"", 1, L"4");
    CComFolderManager store;
    EXPECT_STREQ(L"4", store.GetVolumeText(100, 1, kFolderNode));
    EXPECT_STREQ(L"1", store.GetVolumeText(101, 1, kFolderNode)); // no row
    EXPECT_STREQ(L"1", store.GetVolumeText(100, 2, kFolderNode)); // other floor
}

TEST_F(FolderStoreTest, FolderVolumeIsStoredWithItsFractionAndCommitted)
{
    AddFloor(1, L"首层", 1);
    AddFolderRow(L"100", 1, L"", 1);
    CComFolderManager store;
    store.SetVolume(100, 1, 2.5f, kFolderNode);
    int nRow = store.FindFolderRow(L"100", 1);
    EXPECT_DOUBLE_EQ(2.5, store.m_pComFolderDataSet->GetAsFloat(L"volume", nRow));
    Rows rows = Query(L"SELECT volume FROM comfolder WHERE comfolderid = '100'");
    ASSERT_EQ(1u, rows.size());
    EXPECT_DOUBLE_EQ(2.5, _wtof(rows[0][0].c_str()));
    // The text of a folder's volume is an integer.
    EXPECT_STREQ(L"2", store.GetVolumeText(100, 1, kFolderNode));
}

TEST_F(FolderStoreTest, VolumeOfAMissingFolderWritesNothingButCommitsWhatIsPending)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"100", 1, L"", 1);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(2);
    store.SetVolume(100, 2, 9.0f, kFolderNode);
    EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM comfolder WHERE volume = 9"));
    EXPECT_EQ(3, Count(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 2"));
    EXPECT_DOUBLE_EQ(
        1.0, store.m_pComFolderDataSet->GetAsFloat(L"volume", store.FindFolderRow(L"100", 1)));
}

TEST_F(FolderStoreTest, ComponentVolumeGoesThroughTheComponentTable)
{
    AddFloor(1, L"首层", 1);
    AddFolderRow(L"10", 1, L"", 1);
    int nId = AddComponent(1, L"10", L"KZ-1");
    CComFolderManager store;
    store.SetVolume(nId, 1, 3.0f, kComponentNode);
    EXPECT_EQ(L"3",
              Query(L"SELECT CAST(volume AS INTEGER) FROM component WHERE id = ?1",
                    { std::to_wstring(nId) })[0][0]);
    EXPECT_DOUBLE_EQ(3.0, _wtof(store.GetVolumeText(nId, 1, kComponentNode)));
    // No folder row is touched by a component's volume.
    EXPECT_EQ(1, Count(L"SELECT COUNT(*) FROM comfolder WHERE volume = 1"));

    store.SetComSumVolume(nId, 12.5f);
    EXPECT_DOUBLE_EQ(12.5,
                     _wtof(Query(L"SELECT sumvolume FROM component WHERE id = ?1",
                                 { std::to_wstring(nId) })[0][0]
                               .c_str()));
}

} // namespace
