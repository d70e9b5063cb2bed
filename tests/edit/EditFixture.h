// The panel on a fresh project file, created and built as a host does it, with a host window
// and the message-box recorder answering OK. Nothing of the module is
// replaced; the editing commands are driven through real clicks and commands.
//
// The project (SeedProject) has two floors, 基础 (0) and 首 (1), each with the rule folders
// 梁 10 > 框架梁 11 (own components, user folders allowed) and 柱 20 > 框架柱 21 (own
// components), plus 次梁 12 under 10 not created yet (the add list of 梁). Floor 1 holds the
// user folder 标准间 100 in 11 and the components KL-1 in 11, KL-2 in 100 and KZ-1 in 21.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "FwTestSupport.h"
#include "TestProject.h"
#include "panel/Dlg_ComTree.h"
#include "tree/ParamProp.h"

class EditTest : public ::testing::Test, public CTestProject
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Project rows, written straight to the file before the panel is opened.
    void AddFolder(int nFloorId, LPCWSTR pszId, LPCWSTR pszParentId, LPCWSTR pszName, int nOwnerCom,
                   int nAddUserFolder, int nInitCreate)
    {
        CTestProject::AddFolder(nFloorId, pszId, pszParentId, pszName, nOwnerCom, nInitCreate, 1.0,
                                0, 111, -1, nAddUserFolder);
    }
    void SeedProject();

    // Creates the panel on the file in the stored layout and expands every item.
    void OpenPanel(bool bByFloor = true);
    void ClosePanel();
    void ExpandAll();

    CCompoentsTreeCtrl& Ctrl() { return m_pPanel->m_treeCtrl; }
    HWND Tree() { return m_pPanel->m_treeCtrl.GetSafeHwnd(); }
    // The first item in pre-order with this kind, floor and id; under hUnder when given.
    HTREEITEM Item(int nKind, int nFloorId, LPCWSTR pszId, HTREEITEM hUnder = NULL);
    HTREEITEM Root() { return TreeView_GetRoot(Tree()); }

    // Fills the clipboard record as a copy of the item fills it, until the copy command
    // exists (a family of its own).
    void HoldCopy(HTREEITEM hSource);

    // The menu a right click at the point opens, in the demo's print format, read while it
    // is open and closed with Escape; empty when no menu opened.
    std::wstring RightClickAt(POINT pt);
    std::wstring RightClick(HTREEITEM hItem);
    // The host's menu of the caret item in the same format; "null" for a null pointer.
    std::wstring HostMenu();

    CWnd m_host;
    CDlg_ComTree* m_pPanel = nullptr;
    CBoxRecorder m_boxes;
    LONG m_nRecordsBefore = 0;
};
