// A floor's folder rows from the folder rules, lookups, and what reaches the file when.
#include "FolderStoreFixture.h"

namespace {

int RowOf(CComFolderManager& store, const wchar_t* pszId, int nFloorId)
{
    return store.FindFolderRow(pszId, nFloorId);
}

TEST_F(FolderStoreTest, RuleFoldersBecomeRowsOfTheFloorButStayPending)
{
    AddFloor(3, L"第3层", 3);
    SetRules(kStoreRules);
    {
        CComFolderManager store;
        store.CreateFloorFolders(3);
        EXPECT_TRUE(m_boxes.boxes.empty());

        CSQLDataSet* pData = store.m_pComFolderDataSet;
        ASSERT_EQ(3, pData->GetRowCount());
        // In rule order after the rows already there: 1010, 1020, its sub-folder 1021.
        EXPECT_EQ(L"10", Cell(pData, L"comfolderid", 1));
        EXPECT_EQ(L"20", Cell(pData, L"comfolderid", 2));
        EXPECT_EQ(L"21", Cell(pData, L"comfolderid", 3));

        int nBeam = RowOf(store, L"20", 3);
        int nSub = RowOf(store, L"21", 3);
        ASSERT_EQ(2, nBeam);
        ASSERT_EQ(3, nSub);
        EXPECT_EQ(L"", Cell(pData, L"parentid", nBeam));
        EXPECT_EQ(L"20", Cell(pData, L"parentid", nSub));
        EXPECT_EQ(L"框架梁", Cell(pData, L"foldername", nSub));
        EXPECT_EQ(3, pData->GetAsInteger(L"floorid", nSub));
        EXPECT_EQ(5, pData->GetAsInteger(L"imageindex", nSub));
        EXPECT_EQ(6, pData->GetAsInteger(L"selectedindex", nSub));
        EXPECT_EQ(21, pData->GetAsInteger(L"comtype", nSub));
        EXPECT_EQ(1, pData->GetAsInteger(L"allowownercom", nSub));
        EXPECT_EQ(0, pData->GetAsInteger(L"allowadduserfolder", nSub));
        EXPECT_EQ(1, pData->GetAsInteger(L"initcreate", nSub));
        EXPECT_EQ(1, pData->GetAsInteger(L"volume", nSub));
        EXPECT_EQ(9, pData->GetAsInteger(L"showid", nSub));
        EXPECT_EQ(0, pData->GetAsInteger(L"initcreate", nBeam)); // "InitCreate" absent
        EXPECT_EQ(1, pData->GetAsInteger(L"allowadduserfolder", nBeam));

        // Nothing is written by the floor set-up itself.
        EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM comfolder"));
    }
    // The store's end commits what was pending.
    Rows rows = Query(L"SELECT comfolderid, parentid, initcreate, showid FROM comfolder "
                      L"WHERE floorid = 3 ORDER BY comfolderid");
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(L"10", rows[0][0]);
    EXPECT_EQ(L"20", rows[2][1]);
    EXPECT_EQ(L"0", rows[1][2]);
    EXPECT_EQ(L"9", rows[2][3]);
}

TEST_F(FolderStoreTest, SecondCreationAppendsASecondSetAfterExistingRows)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    AddFolderRow(L"150", 1, L"", 1);
    SetRules(kStoreRules);

    CComFolderManager store;
    store.CreateFloorFolders(2);
    store.CreateFloorFolders(2);
    CSQLDataSet* pData = store.m_pComFolderDataSet;
    ASSERT_EQ(7, pData->GetRowCount());
    EXPECT_EQ(L"150", Cell(pData, L"comfolderid", 1));
    for (int nRow = 2; nRow <= 7; ++nRow)
        EXPECT_EQ(2, pData->GetAsInteger(L"floorid", nRow)) << nRow;
    EXPECT_EQ(L"10", Cell(pData, L"comfolderid", 5));
    EXPECT_EQ(L"21", Cell(pData, L"comfolderid", 7));
    // The first of two equal rows is the one found.
    EXPECT_EQ(2, RowOf(store, L"10", 2));
    // Duplicate keys never reach the file: drop them before the store commits.
    store.ReLoad();
    EXPECT_EQ(1, store.m_pComFolderDataSet->GetRowCount());
}

TEST_F(FolderStoreTest, UnreadableRulesShowOneMessageAndWriteNoRow)
{
    AddFloor(1, L"首层", 1);
    SetRules(L"<TREE><OtherFloor><F Name=\"x\"></TREE>");
    {
        CComFolderManager store;
        store.CreateFloorFolders(1);
        ASSERT_EQ(1u, m_boxes.boxes.size());
        // An empty caption reaches the handler as the host's default caption.
        EXPECT_EQ(L"读取规则失败", m_boxes.boxes[0].text);
        EXPECT_EQ(W(UIFunction::GetDefaultCaption()), m_boxes.boxes[0].caption);
        EXPECT_EQ(0u, m_boxes.boxes[0].style);
        EXPECT_EQ(0, store.m_pComFolderDataSet->GetRowCount());
        EXPECT_EQ(0, store.m_RuleManager.m_arrRule.GetSize());
    }
    EXPECT_EQ(0, Count(L"SELECT COUNT(*) FROM comfolder"));

    // A text without the section is no failure: no rows and no message.
    m_boxes.boxes.clear();
    SetRules(L"<TREE><BaseFloor><F Name=\"x\" NameId=\"1010\"/></BaseFloor></TREE>");
    CComFolderManager store;
    store.CreateFloorFolders(1);
    EXPECT_TRUE(m_boxes.boxes.empty());
    EXPECT_EQ(0, store.m_pComFolderDataSet->GetRowCount());
}

TEST_F(FolderStoreTest, EachCreationStartsFromAFreshRuleList)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(1);
    EXPECT_EQ(3, store.m_RuleManager.m_arrRule.GetSize());
    store.CreateFloorFolders(2);
    EXPECT_EQ(3, store.m_RuleManager.m_arrRule.GetSize());
    EXPECT_EQ(6, store.m_pComFolderDataSet->GetRowCount());

    // A failed load leaves the list empty, not holding the previous rules.
    SetRules(L"not xml");
    store.CreateFloorFolders(2);
    EXPECT_EQ(0, store.m_RuleManager.m_arrRule.GetSize());
    EXPECT_EQ(6, store.m_pComFolderDataSet->GetRowCount());
}

TEST_F(FolderStoreTest, LookupsMatchIdsExactlyAndPerFloor)
{
    AddFloor(1, L"首层", 1);
    AddFloor(2, L"第2层", 2);
    SetRules(kStoreRules);
    CComFolderManager store;
    store.CreateFloorFolders(1);
    EXPECT_EQ(1, RowOf(store, L"10", 1));
    EXPECT_EQ(0, RowOf(store, L"10", 2));
    EXPECT_EQ(0, RowOf(store, L"010", 1));
    EXPECT_EQ(0, RowOf(store, L"1", 1));
    EXPECT_EQ(0, RowOf(store, L"", 1));

    EXPECT_EQ(1, store.IsAllowOwnerCom(1, L"10"));
    EXPECT_EQ(0, store.IsAllowAddUserFolder(1, L"10"));
    EXPECT_EQ(0, store.IsAllowOwnerCom(1, L"20"));
    EXPECT_EQ(1, store.IsAllowAddUserFolder(1, L"20"));
    EXPECT_EQ(0, store.IsAllowOwnerCom(2, L"10"));
    EXPECT_EQ(0, store.IsAllowAddUserFolder(1, L"99"));
}

} // namespace
