// CDemoFrame: the demo host's main window, doing what a host application does around the
// component tree module.
//
// Creation sequence:
//   CDemoFrame frame;  frame.CreateFrame();        // the window, its menu, the right-hand side
//   frame.OpenProject(path, &error);               // the current project, then the panel on it
//   ... the module's messages arrive (WM_COMTREE_..., tree/ComTreeMessages.h) ...
//   frame.DestroyWindow();                         // commits, frees the tree, ends the loop
//
// The menu bar's 构件(&C) is the component tree's own menu for the selected item: the frame
// fetches it from the tree (GetMenu) each time it opens, and hands every menu command it
// does not handle itself to the tree control, as a host's command routing does; so does
// 工程(&F)'s 添加楼层, the tree's add-floor command, which has no context-menu entry.
//
// A new component (WM_COMTREE_NEWCOMPONENT) is accepted with the proposed id, unless the next
// one was set to be rejected (-1) or named through the tree's SetComName while the message is
// handled (RejectNextComponent, NameNextComponent: one message each, then accept again).
//
// Left: the panel, as tall as the client area. Right: the selected component's stored row and
// a log of every message the module sent, with its record decoded.
//
// The module leaves the folder store's datasets uncommitted (a floor whose folders were just
// created keeps that only in memory), so the frame commits them after every build, on 保存
// and before the panel goes away: a reopened project then never gets a floor's folders twice.
#pragma once
#include "afxwin.h"
#include <functional>
#include <string>

class CDlg_ComTree;

class CDemoFrame : public CWnd
{
public:
    CDemoFrame();
    ~CDemoFrame() override;

    BOOL CreateFrame(BOOL bVisible);
    // Makes pszPath the current project and shows it; on failure the message is in
    // *pError, the file is untouched and the project that was open stays open.
    BOOL OpenProject(LPCTSTR pszPath, CString* pError);
    void CloseProject();
    // Creates pszPath as a new, empty project named after the file and shows it; an existing
    // file is refused and left alone.
    BOOL NewProject(LPCTSTR pszPath, CString* pError);
    // Writes the folder store's pending rows (floors, then their folders) to the project.
    void CommitFolderData();
    // The answer to the next WM_COMTREE_NEWCOMPONENT only.
    void RejectNextComponent();
    void NameNextComponent(const CString& strName);

    CDlg_ComTree* GetPanel() const { return m_pPanel; }
    // Opens the first floor that holds components down to its components; with bSelect the
    // first of them is selected (the right-hand side then shows its row).
    void ShowFirstComponent(BOOL bSelect);
    // The lines the message log shows, oldest first.
    const CStringArray& GetLog() const { return m_arrLog; }
    CString GetSelectedRowText() const { return m_strSelectedRow; }
    // Told of every module message after the frame handled it, with the frame's answer
    // (a scripted session prints them).
    typedef std::function<void(UINT, WPARAM, LPARAM, LRESULT)> MessageObserver;
    void SetMessageObserver(MessageObserver fn) { m_fnObserver = std::move(fn); }
    // At the next double-click message (WM_COMTREE_OPENFOLDER or WM_COMTREE_OPENCOMPONENT) the
    // frame moves component nComId into folder strFolderId of its floor and asks the tree to
    // re-file it, as a host's editor does when the user moves the component there.
    void MoveAtNextOpen(int nComId, const CString& strFolderId);

    // Menu commands.
    afx_msg void OnNewProject();
    afx_msg void OnOpenProject();
    afx_msg void OnSave();
    afx_msg void OnExit();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnAddComponent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCountApplied(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenFolder(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnOpenComponent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBatchModify(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePanel();
    void DestroyPanel();
    void Layout();
    void AddLog(const CString& strLine);
    void ShowSelectedRow(const void* pRecord);
    void UpdateTitle();
    void FillComponentMenu();
    LRESULT Observed(UINT nMsg, LPCTSTR pszMeaning, const CString& strDetail, WPARAM wParam,
                     LPARAM lParam, LRESULT lResult);
    void ApplyPendingMove();

    CDlg_ComTree* m_pPanel;
    HMENU m_hComponentMenu; // 构件(&C), refilled from the tree each time it opens
    HWND m_hRowLabel, m_hRowText, m_hLogLabel, m_hLog;
    HFONT m_hFont;
    CStringArray m_arrLog;
    enum class NewComponentAnswer
    {
        Accept,
        Reject,
        Name,
    };
    NewComponentAnswer m_nNextAnswer;
    CString m_strNextName;
    CString m_strSelectedRow;
    MessageObserver m_fnObserver;
    int m_nMoveComId; // a move asked for with MoveAtNextOpen; 0 when none
    CString m_strMoveFolderId;
};
