// Building the tree from a real project file: both layouts, floors flagged for folder
// creation, hidden folders, orphan folder rows, component order, count texts, and the
// release of every record on rebuilds.
#include "TreeFixture.h"

using Lines = std::vector<std::wstring>;

TEST_F(TreeTest, ByFloorListsFloorsInDisplayOrderWithFoldersThenComponents)
{
    WriteStandardProject();
    CreateTree();
    ASSERT_EQ(1, m_pTree->InitTree(L"", 1));

    const Lines expected = {
        L"测试工程",
        L"  基础层",
        L"    梁",
        L"      框架梁",
        L"    柱",
        L"      Z1*5",
        L"    基础",
        L"  2层",
        L"    梁",
        L"      框架梁",
        L"    柱",
        L"      C*3",
        L"        C1*1",
        L"      D*-1",
        L"      半*2.500",
        L"    基础",
        L"  1层",
        L"    梁",
        L"      框架梁",
        L"        KL1*2",
        L"        KL2*1",
        L"        外层*4",
        L"          A1*2.500",
        L"          内层*3",
        L"            N1*2",
        L"    柱",
        L"    基础",
    };
    EXPECT_EQ(expected, Dump());
    EXPECT_EQ(1, m_pTree->m_bTreeReady);

    // The first floor is the caret and the first child of the project item.
    HTREEITEM hFirst = Find({ L"测试工程", L"基础层" });
    ASSERT_NE((HTREEITEM)NULL, hFirst);
    EXPECT_EQ(hFirst, m_pTree->m_hFirstItem);
    EXPECT_EQ(hFirst, m_pTree->GetSelectedItem());
}

TEST_F(TreeTest, ByComponentListsCategoriesWithOneFloorUnderFoundation)
{
    WriteStandardProject();
    CreateTree();
    ASSERT_EQ(1, m_pTree->InitTree(L"工程甲", 0));

    const Lines expected = {
        L"工程甲",
        L"  梁",
        L"    基础层",
        L"      框架梁",
        L"    2层",
        L"      框架梁",
        L"    1层",
        L"      框架梁",
        L"        KL1*2",
        L"        KL2*1",
        L"        外层*4",
        L"          A1*2.500",
        L"          内层*3",
        L"            N1*2",
        L"  柱",
        L"    基础层",
        L"    2层",
        L"      C*3",
        L"        C1*1",
        L"      D*-1",
        L"      半*2.500",
        L"    1层",
        L"  基础",
        L"    基础层",
    };
    EXPECT_EQ(expected, Dump());

    // Category heads belong to no floor and keep the folder row's fields.
    CParamProp* pHead = Prop(Find({ L"工程甲", L"柱" }));
    ASSERT_NE(nullptr, pHead);
    EXPECT_EQ(-2000, pHead->m_nFloorID);
    EXPECT_EQ(L"20", W(pHead->m_strID));
    EXPECT_EQ(CParamProp::NodeFolder, pHead->m_nNodeType);
    EXPECT_EQ(211, pHead->m_nComType);
    EXPECT_EQ(2.0f, pHead->m_fVolume); // floor 0's row, read as a whole number
}

TEST_F(TreeTest, RecordsCarryRowValuesAndImages)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);

    // Style and image list are the control's, whatever it was created with.
    EXPECT_EQ(0x5081003Fu, (UINT)GetWindowLongPtrW(m_pTree->GetSafeHwnd(), GWL_STYLE));
    CImageList* pImages = m_pTree->GetImageList(TVSIL_NORMAL);
    ASSERT_NE(nullptr, pImages);
    EXPECT_EQ(13, pImages->GetImageCount());
    IMAGEINFO info = {};
    ASSERT_TRUE(pImages->GetImageInfo(12, &info));
    EXPECT_EQ(16, info.rcImage.right - info.rcImage.left);

    struct Expect
    {
        Lines path;
        CParamProp::TreeNodeType type;
        int floor, comType;
        float volume;
        const wchar_t* id;
        const wchar_t* name;
        int image;
    };
    const Expect cases[] = {
        { { L"测试工程" }, CParamProp::NodeProject, -1, 0, 0.0f, L"", L"", 11 },
        { { L"测试工程", L"2层" }, CParamProp::NodeFloor, 2, 0, 1.0f, L"", L"2层", 9 },
        { { L"测试工程", L"基础层", L"柱" },
          CParamProp::NodeFolder,
          0,
          211,
          2.0f,
          L"20",
          L"柱",
          4 },
        { { L"测试工程", L"2层", L"柱", L"C*3" },
          CParamProp::NodeFolder,
          2,
          0,
          2.9996f,
          L"103",
          L"C",
          0 },
        { { L"测试工程", L"2层", L"柱", L"半*2.500" },
          CParamProp::NodeFolder,
          2,
          0,
          2.5f,
          L"105",
          L"半",
          0 },
        { { L"测试工程", L"基础层", L"柱", L"Z1*5" },
          CParamProp::NodeComponent,
          0,
          211,
          5.0f,
          nullptr,
          L"Z1",
          10 },
        { { L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"A1*2.500" },
          CParamProp::NodeComponent,
          1,
          111,
          2.5f,
          nullptr,
          L"A1",
          10 },
    };
    for (const Expect& e : cases) {
        HTREEITEM hItem = Find(e.path);
        ASSERT_NE((HTREEITEM)NULL, hItem) << e.path.back();
        CParamProp* p = Prop(hItem);
        ASSERT_NE(nullptr, p) << e.path.back();
        EXPECT_EQ(e.type, p->m_nNodeType) << e.path.back();
        EXPECT_EQ(e.floor, p->m_nFloorID) << e.path.back();
        EXPECT_EQ(e.comType, p->m_nComType) << e.path.back();
        EXPECT_FLOAT_EQ(e.volume, p->m_fVolume) << e.path.back();
        if (e.id != nullptr) {
            EXPECT_EQ(e.id, W(p->m_strID)) << e.path.back();
        }
        EXPECT_EQ(e.name, W(p->m_strName)) << e.path.back();
        int nImage = -1, nSelected = -1;
        m_pTree->GetItemImage(hItem, nImage, nSelected);
        EXPECT_EQ(e.image, nImage) << e.path.back();
        EXPECT_EQ(e.image, nSelected) << e.path.back();
    }

    // A component's id is its row id as "%d".
    CParamProp* pZ1 = Prop(Find({ L"测试工程", L"基础层", L"柱", L"Z1*5" }));
    ASSERT_NE(nullptr, pZ1);
    EXPECT_EQ(L"Z1", Value(L"SELECT comname FROM component WHERE id = ?", { W(pZ1->m_strID) }));
}

TEST_F(TreeTest, FloorFlaggedForCreationGetsRuleFoldersOnce)
{
    SetRules(
        L"<?xml version=\"1.0\" encoding=\"UTF-8\"?><TREE><OtherFloor>"
        L"<Folder Name=\"梁\" NameId=\"1010\" ComType=\"111\" ImageIndex=\"0\" SelectedIndex=\"0\""
        L" AllowOwnerCom=\"false\" AllowAddUserFolder=\"true\" InitCreate=\"true\" ShowID=\"1\">"
        L"<Folder Name=\"框架梁\" NameId=\"1011\" ComType=\"111\" ImageIndex=\"2\" "
        L"SelectedIndex=\"2\""
        L" AllowOwnerCom=\"true\" AllowAddUserFolder=\"true\" InitCreate=\"true\" ShowID=\"2\"/>"
        L"<Folder Name=\"承台梁\" NameId=\"1016\" ComType=\"143\" ImageIndex=\"2\" "
        L"SelectedIndex=\"2\""
        L" AllowOwnerCom=\"true\" AllowAddUserFolder=\"true\" InitCreate=\"false\" ShowID=\"3\"/>"
        L"</Folder></OtherFloor></TREE>");
    AddFloor(0, L"基础", 0);
    AddFloor(3, L"3", 3, 1);
    AddFolder(0, L"10", L"", L"梁", 0, 1, 1.0);
    CreateTree();
    m_pTree->InitTree(L"", 1);

    const Lines expected = {
        L"测试工程", L"  基础层", L"    梁", L"  3层", L"    梁", L"      框架梁",
    };
    EXPECT_EQ(expected, Dump());

    // The flag is cleared in the floor dataset; the rows and the flag stay pending until the
    // host commits the folder store, as a host does after building.
    NDataModelDataSet* pFloors = m_pTree->m_pFolderManager->m_pFloorDataSet;
    ASSERT_NE(nullptr, pFloors);
    for (int nRow = 1; nRow <= pFloors->GetRowCount(); ++nRow)
        EXPECT_EQ(0, pFloors->GetAsInteger(L"createmode", nRow));
    EXPECT_EQ(L"1", Value(L"SELECT createmode FROM floor WHERE id = 3", {}));
    EXPECT_EQ(L"0", Value(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 3", {}));
    m_pTree->m_pFolderManager->m_pComFolderDataSet->DoSqlUpdate();
    m_pTree->m_pFolderManager->m_pFloorDataSet->DoSqlUpdate();
    EXPECT_EQ(L"0", Value(L"SELECT createmode FROM floor WHERE id = 3", {}));
    EXPECT_EQ(L"3", Value(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 3", {}));
    EXPECT_EQ(
        L"0",
        Value(L"SELECT initcreate FROM comfolder WHERE floorid = 3 AND comfolderid = '16'", {}));

    m_pTree->m_pFolderManager->ReLoad();
    m_pTree->InitTree(L"", 1);
    EXPECT_EQ(expected, Dump());
    EXPECT_EQ(L"3", Value(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 3", {}));
}

TEST_F(TreeTest, HiddenFoldersOrphanRowsAndFoldersWithoutComponents)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    const Lines lines = Dump();
    auto shows = [&](const std::wstring& strText) {
        for (const std::wstring& l : lines)
            if (l.find(strText) != std::wstring::npos)
                return true;
        return false;
    };
    // Folder 12 has initcreate 0: it, the user folder below it and the components of both
    // stay out; so do the rows of floor 9, which has no floor row.
    EXPECT_FALSE(shows(L"次梁"));
    EXPECT_FALSE(shows(L"藏"));
    EXPECT_FALSE(shows(L"幽灵"));
    // Folder 10 admits no components, yet shows its child folder.
    EXPECT_FALSE(shows(L"不显示"));
    EXPECT_TRUE(shows(L"框架梁"));

    CStringArray arrIds;
    m_pTree->GetTreeComponentArray(NULL, arrIds);
    EXPECT_EQ(6, arrIds.GetSize()); // KL1 KL2 A1 N1 Z1 C1 visible; 藏1 藏2 不显示 幽灵构件 not
}

TEST_F(TreeTest, NewFloorListsComponentsInTableOrderWithWholeCounts)
{
    WriteStandardProject();
    AddFloor(4, L"4", 4);
    AddFolder(4, L"10", L"", L"梁", 0, 1, 1.0);
    AddFolder(4, L"11", L"10", L"框架梁", 1, 1, 1.0);
    AddFolder(4, L"12", L"10", L"次梁", 1, 0, 1.0);
    AddFolder(4, L"107", L"11", L"用户", 1, 1, 2.5);
    AddFolder(4, L"108", L"", L"顶层", 0, 1, 2.5);
    CAccessProject_Components_GJTable table;
    const int nB = AddComponent(4, L"11", L"B", 1.0);
    const int nA = AddComponent(4, L"11", L"A", 2.5);
    table.SetShowID(nA, 0);
    table.SetShowID(nB, 1);
    AddComponent(4, L"12", L"隐", 1.0);

    CreateTree();
    m_pTree->InitTree(L"", 1);
    // The full build orders by display order and shows fractions.
    HTREEITEM hFull = Find({ L"测试工程", L"4层", L"梁", L"框架梁" });
    ASSERT_NE((HTREEITEM)NULL, hFull);
    HTREEITEM hFirst = m_pTree->GetChildItem(hFull);
    EXPECT_EQ(L"A*2.500", W(m_pTree->GetItemText(hFirst)));
    EXPECT_EQ(L"B*1", W(m_pTree->GetItemText(m_pTree->GetNextSiblingItem(hFirst))));
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"4层", L"顶层*2.500" }));

    // The add-floor path fills a floor item from the folder dataset in table order, counts
    // read as whole numbers.
    HTREEITEM hProject = m_pTree->GetRootItem();
    CParamProp* pFloor = new CParamProp;
    pFloor->m_nNodeType = CParamProp::NodeFloor;
    pFloor->m_nFloorID = 4;
    pFloor->m_fVolume = 1.0f;
    pFloor->m_strName = L"新4层";
    HTREEITEM hNew = m_pTree->InsertItem(hProject, L"新4层", (DWORD_PTR)pFloor, 9, 9);
    ASSERT_NE((HTREEITEM)NULL, hNew);
    EXPECT_EQ(1, m_pTree->InitFloor(4, hNew));

    std::vector<std::wstring> below;
    for (HTREEITEM h = m_pTree->GetChildItem(Find({ L"测试工程", L"新4层", L"梁", L"框架梁" }));
         h != NULL; h = m_pTree->GetNextSiblingItem(h))
        below.push_back(W(m_pTree->GetItemText(h)));
    const Lines expected = { L"B*1", L"A*2", L"用户*2.500" };
    EXPECT_EQ(expected, below);
    // A top-level user folder shows its count whole here, a sub-folder (above) its fraction.
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"新4层", L"顶层*2" }));
    EXPECT_EQ(nullptr, Prop(Find({ L"测试工程", L"新4层", L"梁", L"次梁" })));
    CParamProp* pA = Prop(Find({ L"测试工程", L"新4层", L"梁", L"框架梁", L"A*2" }));
    ASSERT_NE(nullptr, pA);
    EXPECT_EQ(2.0f, pA->m_fVolume);
    EXPECT_EQ(4, pA->m_nFloorID);

    // Outside a full build a folder's components come from the project's filtered rows, in
    // display order with fractions, as in the full build.
    HTREEITEM hUser = Find({ L"测试工程", L"新4层", L"梁", L"框架梁", L"用户*2.500" });
    ASSERT_NE((HTREEITEM)NULL, hUser);
    m_pTree->InsertItemByOwnerCom(hUser, 4, L"11");
    below.clear();
    for (HTREEITEM h = m_pTree->GetChildItem(hUser); h != NULL; h = m_pTree->GetNextSiblingItem(h))
        below.push_back(W(m_pTree->GetItemText(h)));
    EXPECT_EQ((Lines{ L"A*2.500", L"B*1" }), below);
    m_pTree->InsertItemByOwnerCom(hUser, 4, L"99"); // no such folder: nothing added
    m_pTree->InsertItemByOwnerCom(hUser, 5, L"11");
    EXPECT_EQ(2u, [&] {
        UINT n = 0;
        for (HTREEITEM h = m_pTree->GetChildItem(hUser); h; h = m_pTree->GetNextSiblingItem(h))
            ++n;
        return n;
    }());
}

TEST_F(TreeTest, NewFloorWithFoldersNamingEachOtherAsParentsStillFills)
{
    // Folder rows held in memory need not have unique keys: here a second row 11 makes 11 and
    // 12 each other's parent.
    WriteStandardProject();
    AddFloor(6, L"6", 6);
    AddFolder(6, L"10", L"", L"梁", 0, 1, 1.0);
    AddFolder(6, L"11", L"10", L"框架梁", 1, 1, 1.0);
    AddFolder(6, L"12", L"11", L"次梁", 1, 1, 1.0);
    CreateTree();
    m_pTree->InitTree(L"", 1);
    NDataModelDataSet* pFolders = m_pTree->m_pFolderManager->m_pComFolderDataSet;
    const int nRow = pFolders->InsertRow(pFolders->GetRowCount() + 1);
    pFolders->SetAsString(L"comfolderid", nRow, L"11");
    pFolders->SetAsInteger(L"floorid", nRow, 6);
    pFolders->SetAsString(L"parentid", nRow, L"12");
    pFolders->SetAsString(L"foldername", nRow, L"框架梁");
    pFolders->SetAsInteger(L"initcreate", nRow, 1);

    CParamProp* pFloor = new CParamProp;
    pFloor->m_nNodeType = CParamProp::NodeFloor;
    pFloor->m_nFloorID = 6;
    pFloor->m_strName = L"新6层";
    HTREEITEM hNew = m_pTree->InsertItem(m_pTree->GetRootItem(), L"新6层", (DWORD_PTR)pFloor, 9, 9);
    ASSERT_NE((HTREEITEM)NULL, hNew);
    EXPECT_EQ(1, m_pTree->InitFloor(6, hNew));
    // Each folder once down the branch, never itself below itself.
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"新6层", L"梁", L"框架梁", L"次梁" }));
    EXPECT_EQ((HTREEITEM)NULL,
              Find({ L"测试工程", L"新6层", L"梁", L"框架梁", L"次梁", L"框架梁" }));
}

TEST_F(TreeTest, RebuildsReleaseEveryRecordAndStayUsable)
{
    WriteStandardProject();
    CreateTree();
    const LONG nEmpty = CParamProp::GetLiveCount();
    m_pTree->InitTree(L"", 1);
    const LONG nBuilt = CParamProp::GetLiveCount();
    EXPECT_EQ((LONG)m_pTree->GetCount(), nBuilt - nEmpty);

    m_pTree->InitTree(L"", 1);
    EXPECT_EQ(nBuilt, CParamProp::GetLiveCount());
    m_pTree->InitTree(L"", 0);
    EXPECT_EQ((LONG)m_pTree->GetCount(), CParamProp::GetLiveCount() - nEmpty);
    m_pTree->InitTree(L"", 1);
    EXPECT_EQ(nBuilt, CParamProp::GetLiveCount());
    // Exactly one project item.
    EXPECT_EQ((HTREEITEM)NULL, m_pTree->GetNextSiblingItem(m_pTree->GetRootItem()));

    m_pTree->FreeAllData();
    EXPECT_EQ(nEmpty, CParamProp::GetLiveCount());
    EXPECT_EQ(0u, m_pTree->GetCount());
    EXPECT_EQ(0, m_pTree->m_bTreeReady);
    EXPECT_EQ((HTREEITEM)NULL, m_pTree->m_hFirstItem);

    m_pTree->InitTree(L"", 0);
    m_pTree->FreeTree(NULL);
    EXPECT_EQ(nEmpty, CParamProp::GetLiveCount());
    EXPECT_EQ(0u, m_pTree->GetCount());

    m_pTree->InitTree(L"", 1);
    m_pTree->InitAllTreeData();
    EXPECT_EQ(nEmpty, CParamProp::GetLiveCount());
    EXPECT_EQ(0u, m_pTree->GetCount());
    // The folder store was reloaded and builds the same tree again.
    m_pTree->InitTree(L"", 1);
    EXPECT_EQ(nBuilt, CParamProp::GetLiveCount());
}

TEST_F(TreeTest, FreeingASelectedBranchNeverSelectsAnItemInsideIt)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    ExpandAll();
    HTREEITEM hBranch = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4" });
    HTREEITEM hInner = Find(
        { L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"内层*3", L"N1*2" });
    ASSERT_NE((HTREEITEM)NULL, hInner);
    std::vector<HTREEITEM> inside = {
        hBranch, hInner, Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"A1*2.500" }),
        Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"内层*3" })
    };
    m_pTree->SelectItem(hInner);
    const LONG nBefore = CParamProp::GetLiveCount();
    m_host.m_arrSelNew.clear();

    m_pTree->FreeTree(hBranch);
    EXPECT_EQ(nBefore - 4, CParamProp::GetLiveCount());
    for (HTREEITEM h : m_host.m_arrSelNew)
        for (HTREEITEM hGone : inside)
            EXPECT_NE(hGone, h);
    // What stands now is still the rest of the tree, records intact.
    HTREEITEM hSel = m_pTree->GetSelectedItem();
    if (hSel != NULL) {
        EXPECT_NE(nullptr, Prop(hSel));
    }
    EXPECT_EQ(L"KL2*1",
              W(m_pTree->GetItemText(m_pTree->GetNextSiblingItem(
                  m_pTree->GetChildItem(Find({ L"测试工程", L"1层", L"梁", L"框架梁" }))))));
    EXPECT_EQ((HTREEITEM)NULL, Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4" }));
}

TEST_F(TreeTest, EmptyProjectShowsOnlyTheProjectItem)
{
    CreateTree();
    EXPECT_EQ(1, m_pTree->InitTree(L"", 1));
    EXPECT_EQ(Lines{ L"测试工程" }, Dump());
    EXPECT_EQ((HTREEITEM)NULL, m_pTree->GetSelectedItem());
    EXPECT_EQ((HTREEITEM)NULL, m_pTree->m_hFirstItem);
    EXPECT_EQ(1, m_pTree->InitTree(L"", 0));
    EXPECT_EQ(Lines{ L"测试工程" }, Dump());

    // Floors without folders are listed bare by floor; by component nothing is listed.
    AddFloor(5, L"5", 0);
    m_pTree->m_pFolderManager->ReLoad();
    m_pTree->InitTree(L"", 1);
    EXPECT_EQ((Lines{ L"测试工程", L"  5层" }), Dump());
    m_pTree->InitTree(L"", 0);
    EXPECT_EQ(Lines{ L"测试工程" }, Dump());
}
