#include "CTreeCtrl.h"
#include "CEdit.h"
#include "CImageList.h"

BOOL CTreeCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::CreateEx(0, WC_TREEVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CTreeCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID)
{
    return CWnd::CreateEx(dwExStyle, WC_TREEVIEWW, NULL, dwStyle, rect, pParentWnd, nID);
}

HTREEITEM CTreeCtrl::InsertItem(LPTVINSERTSTRUCTW lpInsertStruct)
{
    return (HTREEITEM)::SendMessageW(m_hWnd, TVM_INSERTITEMW, 0, (LPARAM)lpInsertStruct);
}

HTREEITEM CTreeCtrl::InsertItem(UINT nMask, LPCWSTR lpszItem, int nImage, int nSelectedImage,
                                UINT nState, UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    TVINSERTSTRUCTW tvis = {};
    tvis.hParent = hParent;
    tvis.hInsertAfter = hInsertAfter;
    tvis.item.mask = nMask;
    tvis.item.pszText = const_cast<LPWSTR>(lpszItem);
    tvis.item.iImage = nImage;
    tvis.item.iSelectedImage = nSelectedImage;
    tvis.item.state = nState;
    tvis.item.stateMask = nStateMask;
    tvis.item.lParam = lParam;
    return InsertItem(&tvis);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT, lpszItem, 0, 0, 0, 0, 0, hParent, hInsertAfter);
}

HTREEITEM CTreeCtrl::InsertItem(LPCWSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    return InsertItem(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, nImage, nSelectedImage,
                      0, 0, 0, hParent, hInsertAfter);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)hItem);
}
BOOL CTreeCtrl::DeleteAllItems()
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_DELETEITEM, 0, (LPARAM)TVI_ROOT);
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM hItem, UINT nCode) const
{
    return (HTREEITEM)::SendMessageW(m_hWnd, TVM_GETNEXTITEM, nCode, (LPARAM)hItem);
}

BOOL CTreeCtrl::GetItem(TVITEMW* pItem) const
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_GETITEMW, 0, (LPARAM)pItem);
}
BOOL CTreeCtrl::SetItem(TVITEMW* pItem)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_SETITEMW, 0, (LPARAM)pItem);
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    // The control has no "text length" query: grow the buffer until the text fits.
    CString text;
    for (int size = 256;; size *= 4) {
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text.GetBuffer(size);
        item.cchTextMax = size;
        item.pszText[0] = 0;
        if (!GetItem(&item)) {
            text.ReleaseBuffer(0);
            break;
        }
        if (item.pszText != text.GetString()) { // the control may hand back its own buffer
            CString own(item.pszText);
            text.ReleaseBuffer(0);
            text = own;
            break;
        }
        text.ReleaseBuffer();
        if (text.GetLength() < size - 1 || size >= 65536)
            break;
    }
    return text;
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCWSTR lpszItem)
{
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = const_cast<LPWSTR>(lpszItem);
    return SetItem(&item);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    return GetItem(&item) ? (DWORD_PTR)item.lParam : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR dwData)
{
    TVITEMW item = {};
    item.mask = TVIF_PARAM;
    item.hItem = hItem;
    item.lParam = (LPARAM)dwData;
    return SetItem(&item);
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    return (UINT)::SendMessageW(m_hWnd, TVM_GETITEMSTATE, (WPARAM)hItem, nStateMask) & nStateMask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask)
{
    TVITEMW item = {};
    item.mask = TVIF_STATE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nStateMask;
    return SetItem(&item);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    if (!GetItem(&item))
        return FALSE;
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hItem;
    return GetItem(&item) && item.cChildren != 0;
}

BOOL CTreeCtrl::Select(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_SELECTITEM, nCode, (LPARAM)hItem);
}
BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_EXPAND, nCode, (LPARAM)hItem);
}
BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_ENSUREVISIBLE, 0, (LPARAM)hItem);
}
BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_SORTCHILDREN, 0, (LPARAM)hItem);
}
BOOL CTreeCtrl::SortChildrenCB(LPTVSORTCB pSort)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_SORTCHILDRENCB, 0, (LPARAM)pSort);
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* pFlags) const
{
    TVHITTESTINFO hti = {};
    hti.pt = pt;
    HTREEITEM h = (HTREEITEM)::SendMessageW(m_hWnd, TVM_HITTEST, 0, (LPARAM)&hti);
    if (pFlags)
        *pFlags = hti.flags;
    return h;
}

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* pHitTestInfo) const
{
    return (HTREEITEM)::SendMessageW(m_hWnd, TVM_HITTEST, 0, (LPARAM)pHitTestInfo);
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, LPRECT lpRect, BOOL bTextOnly) const
{
    *reinterpret_cast<HTREEITEM*>(lpRect) = hItem;
    return (BOOL)::SendMessageW(m_hWnd, TVM_GETITEMRECT, bTextOnly, (LPARAM)lpRect);
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    return static_cast<CEdit*>(
        CWnd::FromHandle((HWND)::SendMessageW(m_hWnd, TVM_EDITLABELW, 0, (LPARAM)hItem)));
}

CEdit* CTreeCtrl::GetEditControl() const
{
    return static_cast<CEdit*>(
        CWnd::FromHandle((HWND)::SendMessageW(m_hWnd, TVM_GETEDITCONTROL, 0, 0)));
}

BOOL CTreeCtrl::EndEditLabelNow(BOOL fCancelWithoutSave)
{
    return (BOOL)::SendMessageW(m_hWnd, TVM_ENDEDITLABELNOW, fCancelWithoutSave, 0);
}

CImageList* CTreeCtrl::SetImageList(CImageList* pImageList, int nImageListType)
{
    return CImageList::FromHandle((HIMAGELIST)::SendMessageW(
        m_hWnd, TVM_SETIMAGELIST, nImageListType, (LPARAM)pImageList->GetSafeHandle()));
}

CImageList* CTreeCtrl::GetImageList(int nImageListType) const
{
    return CImageList::FromHandle(
        (HIMAGELIST)::SendMessageW(m_hWnd, TVM_GETIMAGELIST, nImageListType, 0));
}

UINT CTreeCtrl::GetCount() const { return (UINT)::SendMessageW(m_hWnd, TVM_GETCOUNT, 0, 0); }
UINT CTreeCtrl::GetVisibleCount() const
{
    return (UINT)::SendMessageW(m_hWnd, TVM_GETVISIBLECOUNT, 0, 0);
}
UINT CTreeCtrl::GetIndent() const { return (UINT)::SendMessageW(m_hWnd, TVM_GETINDENT, 0, 0); }
void CTreeCtrl::SetIndent(UINT nIndent) { ::SendMessageW(m_hWnd, TVM_SETINDENT, nIndent, 0); }
