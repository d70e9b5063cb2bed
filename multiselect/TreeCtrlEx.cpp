#include "multiselect/TreeCtrlEx.h"

#include <stdlib.h>
#include "Timing.h"

namespace {
const UINT_PTR kEditTimer = 1;
const UINT kNotifyMask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
const INT_PTR kBatchRepaint = 8; // state changes above which one repaint beats many
} // namespace

BEGIN_MESSAGE_MAP(CTreeCtrlEx, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDING, OnItemexpanding)
    ON_NOTIFY_REFLECT_EX(TVN_SELCHANGED, OnSelchanged)
    ON_NOTIFY_REFLECT_EX(NM_SETFOCUS, OnSetfocus)
    ON_NOTIFY_REFLECT_EX(NM_KILLFOCUS, OnKillfocus)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEM, OnDeleteitem)
END_MESSAGE_MAP()

CTreeCtrlEx::CTreeCtrlEx()
    : m_bDeferSelect(FALSE), m_hPressItem(NULL), m_hAnchorItem(NULL), m_bSelSettled(TRUE),
      m_bEditArmed(FALSE), m_nEditTimerId(0)
{}

CTreeCtrlEx::~CTreeCtrlEx() {}

BOOL CTreeCtrlEx::IsItemSelected(HTREEITEM hItem)
{
    return hItem != NULL && (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0;
}

UINT CTreeCtrlEx::CountSelected()
{
    UINT nCount = 0;
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (IsItemSelected(h))
            ++nCount;
    }
    return nCount;
}

HTREEITEM CTreeCtrlEx::GetFirstSelected()
{
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (IsItemSelected(h))
            return h;
    }
    return NULL;
}

HTREEITEM CTreeCtrlEx::GetNextSelected(HTREEITEM hItem)
{
    // Walk from the root rather than from hItem: a handle that is no longer visible (or no
    // longer exists) must not be handed to the tree as a starting point.
    HTREEITEM h = GetRootItem();
    while (h != NULL && h != hItem)
        h = GetNextVisibleItem(h);
    if (h == NULL)
        return NULL;
    for (h = GetNextVisibleItem(h); h != NULL; h = GetNextVisibleItem(h)) {
        if (IsItemSelected(h))
            return h;
    }
    return NULL;
}

void CTreeCtrlEx::ClearMultiSelection()
{
    CArray<HTREEITEM, HTREEITEM> arrOff;
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (IsItemSelected(h))
            arrOff.Add(h);
    }
    ApplySelectedBits(NULL, &arrOff);
}

BOOL CTreeCtrlEx::SelectRange(HTREEITEM hFrom, HTREEITEM hTo)
{
    HTREEITEM h = GetRootItem();
    while (h != NULL && h != hFrom && h != hTo)
        h = GetNextVisibleItem(h);
    if (h == NULL)
        return FALSE;
    const BOOL bReversed = (h == hTo && h != hFrom);

    SelectItem(hTo);

    const HTREEITEM hOpen = bReversed ? hTo : hFrom;
    const HTREEITEM hClose = bReversed ? hFrom : hTo;
    BOOL bInside = FALSE, bClosed = FALSE;
    CArray<HTREEITEM, HTREEITEM> arrOn, arrOff;
    for (h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (!bInside && !bClosed && h == hOpen)
            bInside = TRUE;
        // Touch only items whose bit changes: each state change repaints the item.
        const BOOL bSelected = IsItemSelected(h);
        if (bInside && !bSelected)
            arrOn.Add(h);
        else if (!bInside && bSelected)
            arrOff.Add(h);
        if (bInside && h == hClose) {
            bInside = FALSE;
            bClosed = TRUE;
        }
    }
    ApplySelectedBits(&arrOn, &arrOff);
    return TRUE;
}

void CTreeCtrlEx::ApplySelectedBits(const CArray<HTREEITEM, HTREEITEM>* pOn,
                                    const CArray<HTREEITEM, HTREEITEM>* pOff)
{
    // Some tree views recompute their scroll range from every item on each state change of
    // an item at or below the top row, which makes a long range quadratic. A large batch
    // therefore runs with drawing off and repaints once.
    const INT_PTR nChanges = (pOn ? pOn->GetSize() : 0) + (pOff ? pOff->GetSize() : 0);
    const BOOL bBatch = nChanges > kBatchRepaint && IsWindowVisible();
    if (bBatch)
        SendMessage(WM_SETREDRAW, FALSE);
    for (INT_PTR i = 0; pOn != NULL && i < pOn->GetSize(); ++i)
        SetItemState(pOn->GetAt(i), TVIS_SELECTED, TVIS_SELECTED);
    for (INT_PTR i = 0; pOff != NULL && i < pOff->GetSize(); ++i)
        SetItemState(pOff->GetAt(i), 0, TVIS_SELECTED);
    if (bBatch) {
        SendMessage(WM_SETREDRAW, TRUE);
        Invalidate(FALSE);
    }
}

void CTreeCtrlEx::ApplyClickSelection(HTREEITEM hItem, UINT nFlags, CPoint point)
{
    if (hItem == NULL)
        return; // a click on nothing changes nothing and tells nobody
    TVITEM itemOld;
    ZeroMemory(&itemOld, sizeof(itemOld));
    const HTREEITEM hCaret = GetSelectedItem();
    if (hCaret != NULL)
        FillNotifyItem(itemOld, hCaret);

    m_bSelSettled = FALSE;
    if (nFlags & MK_SHIFT) {
        if (m_hAnchorItem == NULL)
            m_hAnchorItem = hCaret;
        SelectRange(m_hAnchorItem, hItem);
    } else if (nFlags & MK_CONTROL) {
        const BOOL bItemSelected = IsItemSelected(hItem);
        const BOOL bCaretSelected = IsItemSelected(hCaret);

        NMTREEVIEW changing;
        ZeroMemory(&changing, sizeof(changing));
        changing.action = TVC_BYMOUSE;
        FillNotifyItem(changing.itemNew, hItem);
        changing.ptDrag = point;
        SendTreeNotify(&changing.hdr, TVN_SELCHANGING);

        if (bCaretSelected)
            SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
        if (bItemSelected) {
            SetItemState(hItem, 0, TVIS_SELECTED);
        } else {
            SelectItem(hItem);
            SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        }
        // Moving the caret took the bit from the old caret; a toggle must not drop it.
        if (bCaretSelected && hCaret != hItem)
            SetItemState(hCaret, TVIS_SELECTED, TVIS_SELECTED);
        if (m_hAnchorItem == NULL)
            m_hAnchorItem = hItem;
        ZeroMemory(&itemOld, sizeof(itemOld));
    } else {
        ClearMultiSelection();
        SelectItem(hItem);
        SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        m_hAnchorItem = hItem;
    }
    m_bSelSettled = TRUE;
    NotifySelChanged(m_hPressItem, &itemOld);
}

HTREEITEM CTreeCtrlEx::GetNextItemEx(HTREEITEM hItem, UINT nCode)
{
    if (nCode != TVGN_EX_ALL)
        return GetNextItem(hItem, nCode);
    HTREEITEM hNext = GetChildItem(hItem);
    if (hNext != NULL)
        return hNext;
    for (HTREEITEM h = hItem; h != NULL; h = GetParentItem(h)) {
        hNext = GetNextSiblingItem(h);
        if (hNext != NULL)
            return hNext;
    }
    return NULL;
}

void CTreeCtrlEx::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTiming timing(L"CTreeCtrlEx::OnLButtonDown", true, L"全局统计", false);

    UINT uHit = 0;
    const HTREEITEM hItem = HitTest(point, &uHit);
    const BOOL bModifier = (nFlags & (MK_SHIFT | MK_CONTROL)) != 0;

    if (!bModifier && (GetStyle() & TVS_EDITLABELS) && (uHit & TVHT_ONITEMLABEL) && hItem != NULL
        && hItem == GetSelectedItem()) {
        // A second click on the caret's label edits it, but only once the double-click time
        // has passed without a double-click.
        ClearMultiSelection();
        SelectItem(hItem);
        // Reselecting the caret leaves its state alone; give back the bit just cleared.
        SetItemState(hItem, TVIS_SELECTED, TVIS_SELECTED);
        m_bEditArmed = TRUE;
        m_nEditTimerId = SetTimer(kEditTimer, GetDoubleClickTime(), NULL);
        return;
    }

    m_bEditArmed = FALSE;
    if (hItem != NULL && (uHit & TVHT_ONITEM)) {
        SetFocus();
        m_hPressItem = hItem;
        if (IsItemSelected(hItem)) {
            // Keep a selected group intact until we know the press is not a drag.
            m_bDeferSelect = TRUE;
        } else {
            ApplyClickSelection(hItem, nFlags, point);
            m_bDeferSelect = FALSE;
        }
        m_ptPress = point;
        return;
    }
    CTreeCtrl::OnLButtonDown(nFlags, point);
}

void CTreeCtrlEx::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDeferSelect) {
        ApplyClickSelection(m_hPressItem, nFlags, point);
        m_bDeferSelect = FALSE;
    }
    m_hPressItem = NULL;
    CTreeCtrl::OnLButtonUp(nFlags, point);
}

void CTreeCtrlEx::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_hPressItem != NULL
        && (abs(point.x - m_ptPress.x) > GetSystemMetrics(SM_CXDRAG)
            || abs(point.y - m_ptPress.y) > GetSystemMetrics(SM_CYDRAG))) {
        m_bDeferSelect = FALSE;
        if (::GetParent(m_hWnd) != NULL && !(GetStyle() & TVS_DISABLEDRAGDROP)) {
            NMTREEVIEW drag;
            ZeroMemory(&drag, sizeof(drag));
            FillNotifyItem(drag.itemNew, m_hPressItem);
            drag.ptDrag = point;
            SendTreeNotify(&drag.hdr, TVN_BEGINDRAG);
        }
        m_hPressItem = NULL;
    }
    CTreeCtrl::OnMouseMove(nFlags, point);
}

void CTreeCtrlEx::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bShift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;

    if (nChar == VK_UP || nChar == VK_DOWN) {
        const HTREEITEM hCaret = GetSelectedItem();
        HTREEITEM hNext = NULL;
        if (hCaret != NULL)
            hNext = nChar == VK_UP ? GetPrevVisibleItem(hCaret) : GetNextVisibleItem(hCaret);

        if (!bShift) {
            if (CountSelected() > 1)
                ClearMultiSelection();
            if (hNext != NULL)
                CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
            m_hAnchorItem = GetSelectedItem();
            return;
        }

        if (hNext != NULL) {
            m_bSelSettled = FALSE;
            const BOOL bNextWasClear = !IsItemSelected(hNext);
            SelectItem(hNext);
            if (bNextWasClear || !IsItemSelected(hCaret))
                SelectRange(m_hAnchorItem, hNext);
            m_bSelSettled = TRUE;
            NotifySelChanged(hNext, NULL);
        }
        // The tree never saw this key, so its parent has not heard of it either.
        NMTVKEYDOWN key;
        ZeroMemory(&key, sizeof(key));
        key.wVKey = (WORD)nChar;
        key.flags = 0;
        SendTreeNotify(&key.hdr, TVN_KEYDOWN);
        return;
    }

    if (nChar == VK_PRIOR || nChar == VK_NEXT) {
        if (bShift) {
            m_bSelSettled = FALSE;
            CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
            const HTREEITEM hCaret = GetSelectedItem();
            SelectRange(m_hAnchorItem, hCaret);
            m_bSelSettled = TRUE;
            NotifySelChanged(hCaret, NULL);
        } else {
            if (CountSelected() > 1)
                ClearMultiSelection();
            CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
            m_hAnchorItem = GetSelectedItem();
        }
        return;
    }

    CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTreeCtrlEx::OnRButtonDown(UINT nFlags, CPoint point)
{
    UINT uHit = 0;
    const HTREEITEM hItem = HitTest(point, &uHit);
    // With a group selected the right click belongs to the group's menu.
    if (hItem != NULL && (uHit & TVHT_ONITEM) && CountSelected() < 2)
        SelectItem(hItem);
    CTreeCtrl::OnRButtonDown(nFlags, point);
}

void CTreeCtrlEx::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_bEditArmed = FALSE;
    CTreeCtrl::OnLButtonDblClk(nFlags, point);
}

void CTreeCtrlEx::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kEditTimer) {
        CTreeCtrl::OnTimer(nIDEvent);
        return;
    }
    KillTimer(m_nEditTimerId);
    if (m_bEditArmed)
        EditLabel(GetSelectedItem());
    m_bEditArmed = FALSE;
}

BOOL CTreeCtrlEx::OnItemexpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTREEVIEW* pNMTreeView = reinterpret_cast<const NMTREEVIEW*>(pNMHDR);
    if (pNMTreeView->action == TVE_COLLAPSE) {
        // Hidden items must not stay selected: every selection walk skips them, so nothing
        // could ever clear them again.
        const HTREEITEM hTop = pNMTreeView->itemNew.hItem;
        HTREEITEM h = GetChildItem(hTop);
        while (h != NULL) {
            if (IsItemSelected(h))
                SetItemState(h, 0, TVIS_SELECTED);
            HTREEITEM hNext = GetChildItem(h);
            for (HTREEITEM hUp = h; hNext == NULL && hUp != NULL && hUp != hTop;
                 hUp = GetParentItem(hUp))
                hNext = GetNextSiblingItem(hUp);
            h = hNext;
        }
    }
    *pResult = 0;
    return FALSE;
}

BOOL CTreeCtrlEx::OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    return m_bSelSettled ? FALSE : TRUE;
}

BOOL CTreeCtrlEx::OnSetfocus(NMHDR* pNMHDR, LRESULT* pResult)
{
    // Selected items other than the caret change colour with the focus too.
    Invalidate(TRUE);
    *pResult = 0;
    return FALSE;
}

BOOL CTreeCtrlEx::OnKillfocus(NMHDR* pNMHDR, LRESULT* pResult)
{
    Invalidate(TRUE);
    *pResult = 0;
    return FALSE;
}

void CTreeCtrlEx::FillNotifyItem(TVITEM& item, HTREEITEM hItem)
{
    ZeroMemory(&item, sizeof(item));
    if (hItem == NULL)
        return;
    item.mask = kNotifyMask;
    item.hItem = hItem;
    item.stateMask = (UINT)-1;
    item.state = GetItemState(hItem, (UINT)-1);
    item.lParam = (LPARAM)GetItemData(hItem);
}

void CTreeCtrlEx::SendTreeNotify(NMHDR* pHeader, UINT nCode)
{
    const HWND hParent = ::GetParent(m_hWnd);
    if (hParent == NULL)
        return;
    const int nId = (int)::GetWindowLongPtr(m_hWnd, GWL_ID);
    pHeader->hwndFrom = m_hWnd;
    pHeader->idFrom = (UINT_PTR)nId;
    pHeader->code = nCode;
    ::SendMessage(hParent, WM_NOTIFY, (WPARAM)nId, (LPARAM)pHeader);
}

void CTreeCtrlEx::NotifySelChanged(HTREEITEM hNew, const TVITEM* pOld)
{
    NMTREEVIEW changed;
    ZeroMemory(&changed, sizeof(changed));
    changed.action = 0;
    if (pOld != NULL)
        changed.itemOld = *pOld;
    FillNotifyItem(changed.itemNew, hNew);
    SendTreeNotify(&changed.hdr, TVN_SELCHANGED);
}

BOOL CTreeCtrlEx::OnDeleteitem(NMHDR* pNMHDR, LRESULT* pResult)
{
    OnItemRemoved(reinterpret_cast<NMTREEVIEW*>(pNMHDR)->itemOld.hItem);
    *pResult = 0;
    return FALSE; // the parent hears of it too
}

void CTreeCtrlEx::OnItemRemoved(HTREEITEM hItem)
{
    if (m_hPressItem == hItem) {
        m_hPressItem = NULL;
        m_bDeferSelect = FALSE;
    }
    if (m_hAnchorItem == hItem)
        m_hAnchorItem = NULL;
}
