// CTreeCtrlEx: a tree control on which several items can be selected at once.
//
// The tree view itself knows one selected item, the caret. This control keeps the caret as
// the tree's own and marks every other selected item with the TVIS_SELECTED state bit, so the
// tree paints them highlighted. Only visible items take part: the selection is counted, listed
// and cleared among the visible items, in visible order, and a collapse first drops the bit
// from everything it hides.
//
// The record of the selection. Beside the bits the control keeps the set of items that have
// one, so that counting, listing and clearing cost what the selection holds, never a walk
// over the tree (the tree view's every call that names an item searches all items for it).
// To set or clear an item's selected bit, call
//     SetItemSelected(hItem, bSelected)
// The record follows the bit whichever way it changes: the control's window procedure notes
// every TVM_SETITEM and TVM_INSERTITEM that carries the bit, a moved caret (SelectItem, keys,
// clicks, deletions) is caught up before the record is read, and a removed item leaves it
// (OnItemRemoved). What it cannot see is a bit changed without a message to the window.
// In a debug build each message the control handles ends with a check that the record
// equals the bits (CheckSelectionRecord; trees of up to 2,000 items).
//
// The parent hears about a changed selection once per user action, through notifications the
// control builds itself (TVN_SELCHANGING, TVN_SELCHANGED, TVN_BEGINDRAG, TVN_KEYDOWN); the
// tree's own TVN_SELCHANGED is kept from the parent while a selection is being assembled.
//
// Derived controls forward their handlers of the same names to the ones below.
//
// Kept handles. Whatever removes an item (a command, a rebuild, the host), the tree view
// tells the parent with TVN_DELETEITEM, which comes back here reflected; OnItemRemoved then
// drops every handle this control keeps of that item. A derived control that keeps handles of
// its own overrides it and calls the base: a removed item's handle is never used again.
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"

#include <unordered_set>
#include <utility>
#include <vector>

// GetNextItemEx code: the next item of a full pre-order walk, hidden items included.
#define TVGN_EX_ALL 0x000F

class AFX_EXT_CLASS CTreeCtrlEx : public CTreeCtrl
{
public:
    CTreeCtrlEx();
    virtual ~CTreeCtrlEx();

    // Selection queries and changes; all of them walk the visible items in visible order.
    UINT CountSelected();
    HTREEITEM GetFirstSelected();
    HTREEITEM GetNextSelected(HTREEITEM hItem);
    void ClearMultiSelection();
    BOOL SelectRange(HTREEITEM hFrom, HTREEITEM hTo);
    void ApplyClickSelection(HTREEITEM hItem, UINT nFlags, CPoint point);
    HTREEITEM GetNextItemEx(HTREEITEM hItem, UINT nCode);
    // The visible selected items in visible order.
    void GetSelectedItems(CArray<HTREEITEM, HTREEITEM>& arrItems);

    // The one way to set or clear an item's selected bit: it keeps the record in step.
    void SetItemSelected(HTREEITEM hItem, BOOL bSelected);
    BOOL IsItemSelected(HTREEITEM hItem);

    // Whether the record equals the set of items with the bit, walking the whole tree (tests
    // and debug builds only).
    BOOL CheckSelectionRecord();

protected:
    // Called for every item the tree view removes, before its memory goes.
    virtual void OnItemRemoved(HTREEITEM hItem);

    BOOL m_bDeferSelect;     // a press on a selected item: apply the click on release
    CPoint m_ptPress;        // client point of the last press on an item
    HTREEITEM m_hPressItem;  // item under a pending press, NULL when none is pending
    HTREEITEM m_hAnchorItem; // fixed end of Shift ranges
    BOOL m_bSelSettled;      // FALSE while a selection is assembled in several steps
    BOOL m_bEditArmed;       // a delayed label edit waits for timer 1
    UINT_PTR m_nEditTimerId;

#ifndef NDEBUG
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
#endif

public:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnSetfocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnKillfocus(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg BOOL OnDeleteitem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnSetItemW(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetItemA(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInsertItemW(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInsertItemA(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // A visible item's place in visible order (its row's top); FALSE for a hidden item.
    BOOL GetVisibleTop(HTREEITEM hItem, LONG& nTop);
    // The record's visible items sorted in visible order.
    void SortedVisibleSelection(std::vector<std::pair<LONG, HTREEITEM>>& items);
    // The caret moved (by the tree, a key, the host): the tree took the bit from the old
    // caret and gave it to the new one.
    void FollowCaret();
    void NoteSelectedBit(HTREEITEM hItem, const TVITEMW& item);
    LRESULT SetItemMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT InsertItemMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void ApplySelectedBits(const CArray<HTREEITEM, HTREEITEM>* pOn,
                           const CArray<HTREEITEM, HTREEITEM>* pOff);
    BOOL SelectRangeByWalk(HTREEITEM hFrom, HTREEITEM hTo);

    std::unordered_set<HTREEITEM> m_setSelected; // items with the selected bit
    HTREEITEM m_hCaretSeen;                      // the caret when the record was last in step
#ifndef NDEBUG
    int m_nMessageDepth;
#endif
    void FillNotifyItem(TVITEM& item, HTREEITEM hItem);
    void SendTreeNotify(NMHDR* pHeader, UINT nCode);
    void NotifySelChanged(HTREEITEM hNew, const TVITEM* pOld);
};
