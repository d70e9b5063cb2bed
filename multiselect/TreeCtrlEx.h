// CTreeCtrlEx: a tree control on which several items can be selected at once.
//
// The tree view itself knows one selected item, the caret. This control keeps the caret as
// the tree's own and marks every other selected item with the TVIS_SELECTED state bit, so the
// tree paints them highlighted. Only visible items take part: every walk over the selection
// starts at the root and follows TVGN_NEXTVISIBLE, and a collapse first drops the bit from
// everything it hides.
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

    DECLARE_MESSAGE_MAP()

private:
    BOOL IsItemSelected(HTREEITEM hItem);
    void ApplySelectedBits(const CArray<HTREEITEM, HTREEITEM>* pOn,
                           const CArray<HTREEITEM, HTREEITEM>* pOff);
    void FillNotifyItem(TVITEM& item, HTREEITEM hItem);
    void SendTreeNotify(NMHDR* pHeader, UINT nCode);
    void NotifySelChanged(HTREEITEM hNew, const TVITEM* pOld);
};
