#include "CListCtrl.h"
#include "CImageList.h"

BOOL CListCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(0, WC_LISTVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
}

CImageList* CListCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageW(
        m_hWnd, LVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()));
}

CImageList* CListCtrl::GetImageList(int nImageListType) const
{
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessageW(m_hWnd, LVM_GETIMAGELIST, nImageListType, 0));
}

int CListCtrl::InsertItem(const LVITEMW* pItem)
{
    return (int)::SendMessageW(m_hWnd, LVM_INSERTITEMW, 0, (LPARAM)pItem);
}
int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem)
{
    return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}
int CListCtrl::InsertItem(int nItem, LPCWSTR lpszItem, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}
int CListCtrl::InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask,
                          int nImage, LPARAM lParam)
{
    LVITEMW item = {};
    item.mask = nMask;
    item.iItem = nItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_DELETEITEM, nItem, 0);
}
BOOL CListCtrl::DeleteAllItems() { return (BOOL)::SendMessageW(m_hWnd, LVM_DELETEALLITEMS, 0, 0); }
int CListCtrl::GetItemCount() const { return (int)::SendMessageW(m_hWnd, LVM_GETITEMCOUNT, 0, 0); }
BOOL CListCtrl::GetItem(LVITEMW* pItem) const
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_GETITEMW, 0, (LPARAM)pItem);
}
BOOL CListCtrl::SetItem(const LVITEMW* pItem)
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_SETITEMW, 0, (LPARAM)pItem);
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    // LVM_GETITEMTEXT returns the length copied; grow until it fits.
    CString text;
    for (int size = 256;; size *= 4) {
        LVITEMW item = {};
        item.iSubItem = nSubItem;
        item.pszText = text.GetBuffer(size);
        item.cchTextMax = size;
        int n = (int)::SendMessageW(m_hWnd, LVM_GETITEMTEXTW, nItem, (LPARAM)&item);
        text.ReleaseBuffer(n);
        if (n < size - 1 || size >= 65536)
            break;
    }
    return text;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, LPCWSTR lpszText)
{
    LVITEMW item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPWSTR>(lpszText);
    return (BOOL)::SendMessageW(m_hWnd, LVM_SETITEMTEXTW, nItem, (LPARAM)&item);
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR dwData)
{
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    return (UINT)::SendMessageW(m_hWnd, LVM_GETITEMSTATE, nItem, nMask);
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    LVITEMW item = {};
    item.state = nState;
    item.stateMask = nMask;
    return (BOOL)::SendMessageW(m_hWnd, LVM_SETITEMSTATE, nItem, (LPARAM)&item);
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    return (int)::SendMessageW(m_hWnd, LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0));
}
UINT CListCtrl::GetSelectedCount() const
{
    return (UINT)::SendMessageW(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0);
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    return (POSITION)(INT_PTR)(1 + GetNextItem(-1, LVNI_SELECTED));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int nOld = (int)(INT_PTR)pos - 1;
    pos = (POSITION)(INT_PTR)(1 + GetNextItem(nOld, LVNI_SELECTED));
    return nOld;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_ENSUREVISIBLE, nItem, bPartialOK);
}

int CListCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    LVHITTESTINFO hti = {};
    hti.pt = pt;
    int n = (int)::SendMessageW(m_hWnd, LVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags)
        *pFlags = hti.flags;
    return n;
}

BOOL CListCtrl::GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const
{
    lpRect->left = (LONG)nCode;
    return (BOOL)::SendMessageW(m_hWnd, LVM_GETITEMRECT, nItem, (LPARAM)lpRect);
}

BOOL CListCtrl::Arrange(UINT nCode) { return (BOOL)::SendMessageW(m_hWnd, LVM_ARRANGE, nCode, 0); }
DWORD CListCtrl::SetView(int iView) { return (DWORD)::SendMessageW(m_hWnd, LVM_SETVIEW, iView, 0); }
DWORD CListCtrl::GetView() const { return (DWORD)::SendMessageW(m_hWnd, LVM_GETVIEW, 0, 0); }
DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle)
{
    return (DWORD)::SendMessageW(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle);
}
DWORD CListCtrl::GetExtendedStyle() const
{
    return (DWORD)::SendMessageW(m_hWnd, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
}

int CListCtrl::InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat, int nWidth,
                            int nSubItem)
{
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_FMT;
    col.pszText = const_cast<LPWSTR>(lpszColumnHeading);
    col.fmt = nFormat;
    if (nWidth != -1) {
        col.mask |= LVCF_WIDTH;
        col.cx = nWidth;
    }
    if (nSubItem != -1) {
        col.mask |= LVCF_SUBITEM;
        col.iSubItem = nSubItem;
    }
    return (int)::SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, nCol, (LPARAM)&col);
}

LRESULT CListCtrl::EnableGroupView(BOOL fEnable)
{
    return ::SendMessageW(m_hWnd, LVM_ENABLEGROUPVIEW, fEnable, 0);
}
BOOL CListCtrl::IsGroupViewEnabled() const
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_ISGROUPVIEWENABLED, 0, 0);
}
LRESULT CListCtrl::InsertGroup(int index, PLVGROUP pgrp)
{
    return ::SendMessageW(m_hWnd, LVM_INSERTGROUP, index, (LPARAM)pgrp);
}
int CListCtrl::RemoveGroup(int iGroupId)
{
    return (int)::SendMessageW(m_hWnd, LVM_REMOVEGROUP, iGroupId, 0);
}
void CListCtrl::RemoveAllGroups() { ::SendMessageW(m_hWnd, LVM_REMOVEALLGROUPS, 0, 0); }
int CListCtrl::SetGroupInfo(int iGroupId, PLVGROUP pGroup)
{
    return (int)::SendMessageW(m_hWnd, LVM_SETGROUPINFO, iGroupId, (LPARAM)pGroup);
}
int CListCtrl::GetGroupInfo(int iGroupId, PLVGROUP pgrp) const
{
    return (int)::SendMessageW(m_hWnd, LVM_GETGROUPINFO, iGroupId, (LPARAM)pgrp);
}
BOOL CListCtrl::HasGroup(int iGroupId) const
{
    return (BOOL)::SendMessageW(m_hWnd, LVM_HASGROUP, iGroupId, 0);
}
