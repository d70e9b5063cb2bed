// A real project file, a host window and the component tree control as its child.
//
// Each test gets a fresh SQLite project (TestProject.h), then constructs the control (whose folder store opens the project's datasets at once) and
// creates its window. Nothing of the module is replaced: the tree view, the datasets and the
// file are the real ones.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "TestProject.h"
#include "folders/ComFolderManager.h"
#include "tree/CompoentsTreeCtrl.h"

// Exposes the protected building blocks the editing commands use.
class CTestTree : public CCompoentsTreeCtrl
{
public:
    using CCompoentsTreeCtrl::CreateChildItem;
    using CCompoentsTreeCtrl::InitFloor;
    using CCompoentsTreeCtrl::InitOwnerCom;
    using CCompoentsTreeCtrl::InsertItemByOwnerCom;
    using CCompoentsTreeCtrl::ReSumNodeVolume;
    using CCompoentsTreeCtrl::ReSumTreeNodeVolumeValue;
};

// The host window: records the selection changes the tree passes on.
class CTestHostWnd : public CWnd
{
public:
    std::vector<HTREEITEM> m_arrSelNew;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr->code == TVN_SELCHANGEDW)
            m_arrSelNew.push_back(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem);
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
};

class TreeTest : public ::testing::Test, public CTestProject
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The three-floor project most tests use (see TreeFixture.cpp).
    void WriteStandardProject();

    // Constructs the control on the project as it now stands and creates its window.
    void CreateTree();
    void DestroyTree();

    // The tree, one line per item in pre-order, two spaces per depth.
    std::vector<std::wstring> Dump();
    // The item reached by the path of labels from the top, NULL when there is none.
    HTREEITEM Find(const std::vector<std::wstring>& path);
    CParamProp* Prop(HTREEITEM hItem) { return m_pTree->GetItemProp(hItem); }
    void ExpandAll();

    CTestHostWnd m_host;
    CTestTree* m_pTree = nullptr;
    LONG m_nRecordsBefore = 0;
};
