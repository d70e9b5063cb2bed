// A real project file, a host window that records what the module sends it, and the panel
// created on them as a host creates it.
//
// Each test has a fresh SQLite project (TestProject.h) and records every message box (answered
// OK), then constructs the panel with the host window as parent, creates it from its template
// and calls InitTree with the project name. Nothing of the module is replaced.
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

// What the host window received with WM_COMTREE_COUNTAPPLIED: the record's address and its
// fields at that moment.
struct CountMessage
{
    const CParamProp* pRecord;
    int nKind, nFloorId;
    std::wstring strId, strName;
    float fVolume;
};

class CRecordingHost : public CWnd
{
public:
    std::vector<CountMessage> m_arrCounts;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class PanelTest : public ::testing::Test, public CTestProject
{
protected:
    void SetUp() override;
    void TearDown() override;

    void SetLayoutValue(LPCWSTR pszValue);
    // Two floors with rule folders, components and a user folder (see PanelFixture.cpp).
    void WriteStandardProject();

    void CreatePanel();
    void DestroyPanel();

    // The first item, in pre-order, whose record has this kind, floor and id.
    HTREEITEM FindItem(int nKind, int nFloorId, LPCWSTR pszId);
    CParamProp* Prop(HTREEITEM hItem);
    std::wstring Label(HTREEITEM hItem);
    void Click(HTREEITEM hItem, UINT mkModifiers = 0);
    void TypeCount(LPCWSTR pszText); // the user's edit: the field's text replaced

    HWND Tree() { return m_pPanel->m_treeCtrl.GetSafeHwnd(); }
    HWND CountField() { return m_pPanel->m_editNum.GetSafeHwnd(); }
    std::wstring CountText() { return WindowText(CountField()); }
    BOOL IsChecked(int nId)
    {
        return ::IsDlgButtonChecked(m_pPanel->GetSafeHwnd(), nId) == BST_CHECKED;
    }

    CRecordingHost m_host;
    CDlg_ComTree* m_pPanel = nullptr;
    CBoxRecorder m_boxes;
    LONG m_nRecordsBefore = 0;
};
