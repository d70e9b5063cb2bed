// Totals through user folders, stored in the file; the subtree walk behind the host's
// queries; the selection kept for multi-node commands; renumbering display orders.
#include "TreeFixture.h"

#include <algorithm>

using Lines = std::vector<std::wstring>;

namespace {
std::vector<std::wstring> Names(const CStringArray& arr)
{
    std::vector<std::wstring> v;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        v.push_back(W(arr[i]));
    return v;
}
} // namespace

TEST_F(TreeTest, TotalsMultiplyThroughNestedUserFoldersOnly)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);

    // N1 (2) in 内层 (3) in 外层 (4) in the rule folder 框架梁: 24. A1 (2.5) in 外层: 10.
    // Z1 (5) directly in a rule folder whose row says 2: 5.
    m_pTree->ReSumNodeVolume(NULL);
    auto total = [&](const Lines& path) {
        CParamProp* p = Prop(Find(path));
        EXPECT_NE(nullptr, p);
        return p ? Value(L"SELECT sumvolume FROM component WHERE id = ?", { W(p->m_strID) })
                 : std::wstring();
    };
    const Lines n1 = { L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"内层*3", L"N1*2" };
    const Lines a1 = { L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"A1*2.500" };
    const Lines z1 = { L"测试工程", L"基础层", L"柱", L"Z1*5" };
    EXPECT_EQ(24.0, _wtof(total(n1).c_str()));
    EXPECT_EQ(10.0, _wtof(total(a1).c_str()));
    EXPECT_EQ(5.0, _wtof(total(z1).c_str()));

    // One component alone, after its folder's count changed in the record.
    Prop(Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4" }))->m_fVolume = 0.5f;
    m_pTree->ReSumTreeNodeVolumeValue(Find(n1));
    EXPECT_EQ(3.0, _wtof(total(n1).c_str()));
    EXPECT_EQ(10.0, _wtof(total(a1).c_str())); // not visited

    // A walk from a later sibling reaches only it and what follows.
    m_pTree->ReSumNodeVolume(Find(a1));
    EXPECT_EQ(1.25, _wtof(total(a1).c_str()));

    // Anything but a component is left alone: no row is written under a folder's id.
    CAccessProject_Components_GJTable table;
    const std::wstring strBefore = Value(L"SELECT group_concat(sumvolume) FROM component");
    m_pTree->ReSumTreeNodeVolumeValue(Find({ L"测试工程", L"2层", L"柱", L"C*3" }));
    m_pTree->ReSumTreeNodeVolumeValue(m_pTree->GetRootItem());
    m_pTree->ReSumTreeNodeVolumeValue(NULL);
    EXPECT_EQ(strBefore, Value(L"SELECT group_concat(sumvolume) FROM component"));
}

TEST_F(TreeTest, WalksCoverStartLaterSiblingsAndEverythingBelow)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    HTREEITEM hFolder = Find({ L"测试工程", L"1层", L"梁", L"框架梁" });
    ASSERT_NE((HTREEITEM)NULL, hFolder);

    // From a folder's first child: every component below the folder, in tree order, with
    // parallel ids, names and types, appended to what the arrays held.
    CDWordArray ids, types;
    CStringArray names;
    names.Add(L"已有");
    ids.Add(7);
    types.Add(7);
    m_pTree->GetTreeNodeInfo(m_pTree->GetChildItem(hFolder), ids, names, types);
    EXPECT_EQ((Lines{ L"已有", L"KL1", L"KL2", L"A1", L"N1" }), Names(names));
    ASSERT_EQ(5, ids.GetSize());
    ASSERT_EQ(5, types.GetSize());
    for (INT_PTR i = 1; i < names.GetSize(); ++i) {
        EXPECT_EQ(
            W(names[i]),
            Value(L"SELECT comname FROM component WHERE id = ?", { std::to_wstring(ids[i]) }));
        EXPECT_EQ(111u, types[i]);
    }

    // The selected component: it, the components after it and those inside the folders
    // that follow.
    CDWordArray ids2, types2;
    CStringArray names2;
    m_pTree->SelectItem(Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"KL2*1" }));
    EXPECT_EQ(0, m_pTree->GetChildItemInfo(ids2, names2, types2));
    EXPECT_EQ((Lines{ L"KL2", L"A1", L"N1" }), Names(names2));

    // A selected folder starts at its first child; a floor or the project adds nothing.
    names2.RemoveAll();
    ids2.RemoveAll();
    types2.RemoveAll();
    m_pTree->SelectItem(Find({ L"测试工程", L"2层", L"柱" }));
    m_pTree->GetChildItemInfo(ids2, names2, types2);
    EXPECT_EQ((Lines{ L"C1" }), Names(names2));
    m_pTree->SelectItem(Find({ L"测试工程", L"2层" }));
    EXPECT_EQ(0, m_pTree->GetChildItemInfo(ids2, names2, types2));
    EXPECT_EQ(1, names2.GetSize());
    m_pTree->SelectItem(Find({ L"测试工程", L"2层", L"基础" })); // folder without children
    EXPECT_EQ(0, m_pTree->GetChildItemInfo(ids2, names2, types2));
    EXPECT_EQ(1, names2.GetSize());

    // From no item: the whole tree, every id text.
    CStringArray all;
    m_pTree->GetTreeComponentArray(NULL, all);
    ASSERT_EQ(6, all.GetSize());
    std::vector<std::wstring> fromTree = Names(all), fromFile;
    CSQLDataSet set;
    ASSERT_TRUE(set.Load(
        L"SELECT id FROM component WHERE comname IN ('KL1','KL2','A1','N1','Z1','C1')", {}));
    for (int r = 1; r <= set.GetRowCount(); ++r)
        fromFile.push_back(W(set.GetAsString(0, r)));
    std::sort(fromTree.begin(), fromTree.end());
    std::sort(fromFile.begin(), fromFile.end());
    EXPECT_EQ(fromFile, fromTree);
    EXPECT_EQ(L"Z1", Value(L"SELECT comname FROM component WHERE id = ?", { W(all[0]) }));

    // The selected item's text; empty without a selection.
    m_pTree->SelectItem(Find({ L"测试工程", L"2层", L"柱", L"C*3", L"C1*1" }));
    EXPECT_EQ(L"C1*1", W(m_pTree->GetTreeNodeName()));
    m_pTree->SelectItem(NULL);
    EXPECT_EQ(L"", W(m_pTree->GetTreeNodeName()));
    m_pTree->SetComName(12345, L"KL9");
    EXPECT_EQ(L"KL9", W(m_pTree->m_strComName));
}

TEST_F(TreeTest, InitSelItemKeepsOnlyAllComponentSelections)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    ExpandAll();
    HTREEITEM hKL1 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"KL1*2" });
    HTREEITEM hKL2 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"KL2*1" });
    HTREEITEM hA1 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"A1*2.500" });
    HTREEITEM hFolder = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4" });
    auto selected = [&](HTREEITEM h) {
        return (m_pTree->GetItemState(h, TVIS_SELECTED) & TVIS_SELECTED) != 0;
    };

    m_pTree->SelectItem(hKL1);
    m_pTree->SetItemState(hKL2, TVIS_SELECTED, TVIS_SELECTED);
    m_pTree->SetItemState(hA1, TVIS_SELECTED, TVIS_SELECTED);
    m_pTree->InitSelItem();
    ASSERT_EQ(3, m_pTree->m_arrSelItems.GetSize());
    EXPECT_EQ(hKL1, m_pTree->m_arrSelItems[0]);
    EXPECT_EQ(hKL2, m_pTree->m_arrSelItems[1]);
    EXPECT_EQ(hA1, m_pTree->m_arrSelItems[2]);

    // A folder in the selection: the highlight goes from all of them and nothing is kept.
    m_pTree->SetItemState(hA1, 0, TVIS_SELECTED);
    m_pTree->SetItemState(hFolder, TVIS_SELECTED, TVIS_SELECTED);
    m_pTree->InitSelItem();
    EXPECT_EQ(0, m_pTree->m_arrSelItems.GetSize());
    EXPECT_FALSE(selected(hKL1));
    EXPECT_FALSE(selected(hKL2));
    EXPECT_FALSE(selected(hFolder));

    // A folder alone: nothing kept, its highlight stays.
    m_pTree->SelectItem(hFolder);
    m_pTree->InitSelItem();
    EXPECT_EQ(0, m_pTree->m_arrSelItems.GetSize());
    EXPECT_TRUE(selected(hFolder));

    // One component alone is kept.
    m_pTree->SelectItem(hA1);
    m_pTree->InitSelItem();
    ASSERT_EQ(1, m_pTree->m_arrSelItems.GetSize());
    EXPECT_EQ(hA1, m_pTree->m_arrSelItems[0]);
}

TEST_F(TreeTest, ReListOrdersByCompositorAndRebuildsByFloor)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 0);
    m_pTree->ReListTreeNode(L"");

    // Display orders 0..n-1 follow the host's name order.
    CSQLDataSet set;
    ASSERT_TRUE(set.Load(L"SELECT id, comname, showid FROM component ORDER BY id", {}));
    CStringArray arrNames;
    for (int r = 1; r <= set.GetRowCount(); ++r)
        arrNames.Add(set.GetAsString(L"comname", r));
    CStringCompositor compositor(arrNames);
    CArray<int, int> order;
    compositor.GetResult(order);
    ASSERT_EQ(set.GetRowCount(), (int)order.GetSize());
    for (INT_PTR k = 0; k < order.GetSize(); ++k)
        EXPECT_EQ((int)k, set.GetAsInteger(L"showid", order[k] + 1)) << W(arrNames[order[k]]);

    // Rebuilt by floor although it was shown by component.
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"基础层" }));
    EXPECT_EQ(1, m_pTree->m_bTreeReady);

    // By id: every display order becomes the component's id.
    m_pTree->InitTree(L"", 0);
    m_pTree->ReListTreeNode_ComID(L"");
    EXPECT_EQ(L"0", Value(L"SELECT COUNT(*) FROM component WHERE showid <> id", {}));
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"KL2*1" }));
    // KL2 was inserted first, so it now lists first.
    EXPECT_EQ(L"KL2*1",
              W(m_pTree->GetItemText(
                  m_pTree->GetChildItem(Find({ L"测试工程", L"1层", L"梁", L"框架梁" })))));
}

TEST_F(TreeTest, DelFloorRemovesTheFloorsDataButNotTheItem)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    m_pTree->DelFloor(1);
    EXPECT_EQ(L"0", Value(L"SELECT COUNT(*) FROM component WHERE floorid = 1", {}));
    NDataModelDataSet* pFloors = m_pTree->m_pFolderManager->m_pFloorDataSet;
    for (int r = 1; r <= pFloors->GetRowCount(); ++r)
        EXPECT_NE(1, pFloors->GetAsInteger(L"id", r));
    EXPECT_NE((HTREEITEM)NULL, Find({ L"测试工程", L"1层" }));

    // The new-component mark is the host's to set.
    EXPECT_EQ(0, m_pTree->IsNewAdd());
    m_pTree->SetNewAdd(1);
    EXPECT_EQ(1, m_pTree->IsNewAdd());
}

TEST_F(TreeTest, ARemovedItemLeavesEveryKeptHandle)
{
    WriteStandardProject();
    CreateTree();
    m_pTree->InitTree(L"", 1);
    ExpandAll();
    const Lines outer = { L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4" };
    HTREEITEM hOuter = Find(outer);
    HTREEITEM hA1 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"A1*2.500" });
    HTREEITEM hN1 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"外层*4", L"内层*3", L"N1*2" });
    HTREEITEM hKL1 = Find({ L"测试工程", L"1层", L"梁", L"框架梁", L"KL1*2" });
    ASSERT_TRUE(hOuter && hA1 && hN1 && hKL1);

    // The user folder is cut while a multi-node copy of three components waits, two of them
    // inside it; then the folder goes (as a delete, a paste of the cut or the host removes it).
    m_pTree->cutItem = hOuter;
    m_pTree->CopyInfo.sourceParentItem = hOuter;
    for (HTREEITEM h : { hA1, hKL1, hN1 }) {
        m_pTree->m_arrOpItems.Add(h);
        m_pTree->m_arrSelItems.Add(h);
    }
    m_pTree->FreeTree(hOuter);

    EXPECT_EQ(nullptr, m_pTree->cutItem);
    EXPECT_EQ(nullptr, m_pTree->CopyInfo.sourceParentItem);
    for (auto* pArr : { &m_pTree->m_arrOpItems, &m_pTree->m_arrSelItems }) {
        ASSERT_EQ(1, pArr->GetSize()) << "only the item outside the removed branch stays";
        EXPECT_EQ(hKL1, (*pArr)[0]);
    }
    EXPECT_EQ(nullptr, Find(outer));
}
