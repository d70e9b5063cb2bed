#include "multiselect/TreeCtrlEx.h"

#include <stdio.h>
#include <stdlib.h>
#include <algorithm>
#include "Timing.h"

namespace {
const UINT_PTR kEditTimer = 1;
const UINT kNotifyMask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
// State changes above which one repaint beats many. Each change of a visible item makes the
// tree view go over the visible items for its scroll range; turning drawing back on makes it
// lay every visible item out again, which costs as much as some tens of changes.
const INT_PTR kBatchRepaint = 64;
#ifndef NDEBUG
const UINT kCheckedTreeSize = 2000; // trees up to this size are checked after each message
#endif
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
    ON_MESSAGE(TVM_SETITEMW, OnSetItemW)
    ON_MESSAGE(TVM_SETITEMA, OnSetItemA)
    ON_MESSAGE(TVM_INSERTITEMW, OnInsertItemW)
    ON_MESSAGE(TVM_INSERTITEMA, OnInsertItemA)
END_MESSAGE_MAP()

CTreeCtrlEx::CTreeCtrlEx()
    : m_bDeferSelect(FALSE), m_hPressItem(NULL), m_hAnchorItem(NULL), m_bSelSettled(TRUE),
      m_bEditArmed(FALSE), m_nEditTimerId(0), m_hCaretSeen(NULL)
#ifndef NDEBUG
      ,
      m_nMessageDepth(0)
#endif
{}

CTreeCtrlEx::~CTreeCtrlEx() {}

// ---------------------------------------------------------------------------------------------
// The record of the selected items

void CTreeCtrlEx::FollowCaret()
{
    const HTREEITEM hCaret = m_hWnd ? GetSelectedItem() : NULL;
    if (hCaret == m_hCaretSeen)
        return;
    if (m_hCaretSeen != NULL)
        m_setSelected.erase(m_hCaretSeen);
    if (hCaret != NULL)
        m_setSelected.insert(hCaret);
    m_hCaretSeen = hCaret;
}

void CTreeCtrlEx::SetItemSelected(HTREEITEM hItem, BOOL bSelected)
{
    if (hItem != NULL)
        SetItemState(hItem, bSelected ? TVIS_SELECTED : 0, TVIS_SELECTED);
}

namespace {
BOOL CarriesSelectedBit(const TVITEMW* pItem)
{
    return pItem != NULL && (pItem->mask & TVIF_STATE) && (pItem->stateMask & TVIS_SELECTED);
}
} // namespace

void CTreeCtrlEx::NoteSelectedBit(HTREEITEM hItem, const TVITEMW& item)
{
    if (hItem == NULL)
        return;
    if (item.state & TVIS_SELECTED)
        m_setSelected.insert(hItem);
    else
        m_setSelected.erase(hItem);
}

// Whoever sets an item's state or inserts an item, this control or anyone holding the window,
// the bit and the record change together. The caret's moves are caught up first, so that a
// later catch-up cannot undo this change. (The A and W records agree up to the state.)
LRESULT CTreeCtrlEx::SetItemMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const TVITEMW* pItem = reinterpret_cast<const TVITEMW*>(lParam);
    if (!CarriesSelectedBit(pItem))
        return DefWindowProc(nMessage, wParam, lParam);
    FollowCaret();
    const LRESULT lResult = DefWindowProc(nMessage, wParam, lParam);
    if (lResult)
        NoteSelectedBit(pItem->hItem, *pItem);
    return lResult;
}

LRESULT CTreeCtrlEx::InsertItemMessage(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const TVINSERTSTRUCTW* pInsert = reinterpret_cast<const TVINSERTSTRUCTW*>(lParam);
    if (pInsert == NULL || !CarriesSelectedBit(&pInsert->item))
        return DefWindowProc(nMessage, wParam, lParam);
    FollowCaret();
    const LRESULT lResult = DefWindowProc(nMessage, wParam, lParam);
    if (lResult)
        NoteSelectedBit((HTREEITEM)lResult, pInsert->item);
    return lResult;
}

LRESULT CTreeCtrlEx::OnSetItemW(WPARAM wParam, LPARAM lParam)
{
    return SetItemMessage(TVM_SETITEMW, wParam, lParam);
}
LRESULT CTreeCtrlEx::OnSetItemA(WPARAM wParam, LPARAM lParam)
{
    return SetItemMessage(TVM_SETITEMA, wParam, lParam);
}
LRESULT CTreeCtrlEx::OnInsertItemW(WPARAM wParam, LPARAM lParam)
{
    return InsertItemMessage(TVM_INSERTITEMW, wParam, lParam);
}
LRESULT CTreeCtrlEx::OnInsertItemA(WPARAM wParam, LPARAM lParam)
{
    return InsertItemMessage(TVM_INSERTITEMA, wParam, lParam);
}

BOOL CTreeCtrlEx::IsItemSelected(HTREEITEM hItem)
{
    FollowCaret();
    return hItem != NULL && m_setSelected.count(hItem) != 0;
}

BOOL CTreeCtrlEx::GetVisibleTop(HTREEITEM hItem, LONG& nTop)
{
    // The tree view gives a rectangle only to an item whose ancestors are all expanded, and
    // the rows' tops follow the visible order, scrolled out of view or not.
    RECT rc;
    *reinterpret_cast<HTREEITEM*>(&rc) = hItem;
    if (!::SendMessage(m_hWnd, TVM_GETITEMRECT, FALSE, (LPARAM)&rc))
        return FALSE;
    nTop = rc.top;
    return TRUE;
}

void CTreeCtrlEx::SortedVisibleSelection(std::vector<std::pair<LONG, HTREEITEM>>& items)
{
    items.clear();
    FollowCaret();
    for (HTREEITEM h : m_setSelected) {
        LONG nTop = 0;
        if (GetVisibleTop(h, nTop))
            items.push_back({ nTop, h });
    }
    std::sort(items.begin(), items.end());
    for (size_t i = 1; i < items.size(); ++i) {
        if (items[i].first == items[i - 1].first) {
            // Rows without a place of their own (a tree view that has not laid them out):
            // the visible walk decides the order.
            LONG nOrder = 0;
            items.clear();
            for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h), ++nOrder) {
                if (m_setSelected.count(h))
                    items.push_back({ nOrder, h });
            }
            break;
        }
    }
}

BOOL CTreeCtrlEx::CheckSelectionRecord()
{
    FollowCaret();
    std::unordered_set<HTREEITEM> setBits;
    std::vector<HTREEITEM> arrVisible;
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextItemEx(h, TVGN_EX_ALL)) {
        if (GetItemState(h, TVIS_SELECTED) & TVIS_SELECTED)
            setBits.insert(h);
    }
    if (setBits != m_setSelected)
        return FALSE;
    // The visible order the record is listed in is the order of the visible walk.
    for (HTREEITEM h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (setBits.count(h))
            arrVisible.push_back(h);
    }
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    if (items.size() != arrVisible.size())
        return FALSE;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].second != arrVisible[i])
            return FALSE;
    }
    return TRUE;
}

#ifndef NDEBUG
namespace {
// Messages that cannot change an item's state, after which the check is not worth its walk.
BOOL LeavesStatesAlone(UINT message)
{
    switch (message) {
    case TVM_INSERTITEMW:
    case TVM_INSERTITEMA:
    case TVM_GETITEMW:
    case TVM_GETITEMA:
    case TVM_GETNEXTITEM:
    case TVM_GETITEMRECT:
    case TVM_GETCOUNT:
    case TVM_GETITEMSTATE:
    case TVM_HITTEST:
    case TVM_GETIMAGELIST:
    case TVM_GETEDITCONTROL:
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETDLGCODE:
    case WM_DESTROY:
    case WM_NCDESTROY:
        return TRUE;
    }
    return FALSE;
}
} // namespace

LRESULT CTreeCtrlEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++m_nMessageDepth;
    const LRESULT lResult = CTreeCtrl::WindowProc(message, wParam, lParam);
    // After each message handled from outside (the check's own requests are nested); small
    // trees only, the check walks them all.
    if (m_nMessageDepth == 1 && !LeavesStatesAlone(message) && m_hWnd != NULL && ::IsWindow(m_hWnd)
        && GetCount() <= kCheckedTreeSize && !CheckSelectionRecord()) {
        OutputDebugStringW(L"CTreeCtrlEx: the selection record differs from the selected items\n");
        fputs("CTreeCtrlEx: the selection record differs from the selected items\n", stderr);
        abort();
    }
    --m_nMessageDepth;
    return lResult;
}
#endif
// ---------------------------------------------------------------------------------------------
// Queries and changes of the selection

UINT CTreeCtrlEx::CountSelected()
{
    FollowCaret();
    UINT nCount = 0;
    for (HTREEITEM h : m_setSelected) {
        LONG nTop = 0;
        if (GetVisibleTop(h, nTop))
            ++nCount;
    }
    return nCount;
}

void CTreeCtrlEx::GetSelectedItems(CArray<HTREEITEM, HTREEITEM>& arrItems)
{
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    arrItems.RemoveAll();
    for (const auto& item : items)
        arrItems.Add(item.second);
}

HTREEITEM CTreeCtrlEx::GetFirstSelected()
{
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    return items.empty() ? NULL : items.front().second;
}

HTREEITEM CTreeCtrlEx::GetNextSelected(HTREEITEM hItem)
{
    // A handle that is no longer visible (or no longer exists) has no next.
    LONG nTop = 0;
    if (hItem == NULL || !GetVisibleTop(hItem, nTop))
        return NULL;
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    for (const auto& item : items) {
        if (item.first > nTop)
            return item.second;
    }
    return NULL;
}

void CTreeCtrlEx::ClearMultiSelection()
{
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    CArray<HTREEITEM, HTREEITEM> arrOff;
    for (const auto& item : items)
        arrOff.Add(item.second);
    ApplySelectedBits(NULL, &arrOff);
}

BOOL CTreeCtrlEx::SelectRange(HTREEITEM hFrom, HTREEITEM hTo)
{
    LONG nFromTop = 0, nToTop = 0;
    if (hFrom == NULL || hTo == NULL || !GetVisibleTop(hFrom, nFromTop)
        || !GetVisibleTop(hTo, nToTop) || (nFromTop == nToTop && hFrom != hTo))
        return SelectRangeByWalk(hFrom, hTo); // an end out of sight: the rules of the walk
    const BOOL bReversed = nToTop < nFromTop;

    SelectItem(hTo);
    FollowCaret();

    // The range, from its first visible item to its last.
    const HTREEITEM hOpen = bReversed ? hTo : hFrom;
    const HTREEITEM hClose = bReversed ? hFrom : hTo;
    std::unordered_set<HTREEITEM> setRange;
    CArray<HTREEITEM, HTREEITEM> arrOn, arrOff;
    for (HTREEITEM h = hOpen; h != NULL; h = GetNextVisibleItem(h)) {
        setRange.insert(h);
        // Touch only items whose bit changes: each state change repaints the item.
        if (!m_setSelected.count(h))
            arrOn.Add(h);
        if (h == hClose)
            break;
    }
    std::vector<std::pair<LONG, HTREEITEM>> items;
    SortedVisibleSelection(items);
    for (const auto& item : items) {
        if (!setRange.count(item.second))
            arrOff.Add(item.second);
    }
    ApplySelectedBits(&arrOn, &arrOff);
    return TRUE;
}

BOOL CTreeCtrlEx::SelectRangeByWalk(HTREEITEM hFrom, HTREEITEM hTo)
{
    HTREEITEM h = GetRootItem();
    while (h != NULL && h != hFrom && h != hTo)
        h = GetNextVisibleItem(h);
    if (h == NULL)
        return FALSE;
    const BOOL bReversed = (h == hTo && h != hFrom);

    SelectItem(hTo);
    FollowCaret();

    const HTREEITEM hOpen = bReversed ? hTo : hFrom;
    const HTREEITEM hClose = bReversed ? hFrom : hTo;
    BOOL bInside = FALSE, bClosed = FALSE;
    CArray<HTREEITEM, HTREEITEM> arrOn, arrOff;
    for (h = GetRootItem(); h != NULL; h = GetNextVisibleItem(h)) {
        if (!bInside && !bClosed && h == hOpen)
            bInside = TRUE;
        const BOOL bSelected = m_setSelected.count(h) != 0;
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
        SetItemSelected(pOn->GetAt(i), TRUE);
    for (INT_PTR i = 0; pOff != NULL && i < pOff->GetSize(); ++i)
        SetItemSelected(pOff->GetAt(i), FALSE);
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
            SetItemSelected(hCaret, TRUE);
        if (bItemSelected) {
            SetItemSelected(hItem, FALSE);
        } else {
            SelectItem(hItem);
            SetItemSelected(hItem, TRUE);
        }
        // Moving the caret took the bit from the old caret; a toggle must not drop it.
        if (bCaretSelected && hCaret != hItem)
            SetItemSelected(hCaret, TRUE);
        if (m_hAnchorItem == NULL)
            m_hAnchorItem = hItem;
        ZeroMemory(&itemOld, sizeof(itemOld));
    } else {
        ClearMultiSelection();
        SelectItem(hItem);
        SetItemSelected(hItem, TRUE);
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
        SetItemSelected(hItem, TRUE);
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
        // Hidden items must not stay selected: the selection is only ever looked for among
        // the visible items, so nothing could clear them again. The selected descendants
        // are the selected items below hTop.
        const HTREEITEM hTop = pNMTreeView->itemNew.hItem;
        FollowCaret();
        std::vector<HTREEITEM> arrBelow;
        for (HTREEITEM h : m_setSelected) {
            for (HTREEITEM hUp = GetParentItem(h); hUp != NULL; hUp = GetParentItem(hUp)) {
                if (hUp == hTop) {
                    arrBelow.push_back(h);
                    break;
                }
            }
        }
        for (HTREEITEM h : arrBelow)
            SetItemSelected(h, FALSE);
    }
    *pResult = 0;
    return FALSE;
}

BOOL CTreeCtrlEx::OnSelchanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    FollowCaret();
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
    // State and data in one request: each request makes the tree view look the item up.
    TVITEM got;
    ZeroMemory(&got, sizeof(got));
    got.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM;
    got.hItem = hItem;
    got.stateMask = (UINT)-1;
    const BOOL bFound = GetItem(&got);
    item.mask = kNotifyMask;
    item.hItem = hItem;
    item.stateMask = (UINT)-1;
    item.state = bFound ? got.state : 0;
    item.lParam = bFound ? got.lParam : 0;
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
    // A removed item's bit goes with it; a removed caret was the caret last seen or the tree
    // moved the caret before removing it.
    m_setSelected.erase(hItem);
    if (m_hCaretSeen == hItem)
        m_hCaretSeen = NULL;
    if (m_hPressItem == hItem) {
        m_hPressItem = NULL;
        m_bDeferSelect = FALSE;
    }
    if (m_hAnchorItem == hItem)
        m_hAnchorItem = NULL;
}
