// CListCtrl: the list-view control, one method per list-view message (LVM_*), including the
// group view of comctl32 version 6 (the executable's manifest requests it).
// Selected items are walked MFC's way:
//     POSITION pos = list.GetFirstSelectedItemPosition();
//     while (pos) { int i = list.GetNextSelectedItem(pos); ... }
#pragma once
#include "CWnd.h"

class CImageList;
struct FwPosition;
typedef FwPosition* POSITION;

class FW_API CListCtrl : public CWnd
{
public:
    CListCtrl() {}
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    CImageList* SetImageList(CImageList* pImageList, int nImageListType);
    CImageList* GetImageList(int nImageListType) const;

    int InsertItem(const LVITEMW* pItem);
    int InsertItem(int nItem, LPCWSTR lpszItem);
    int InsertItem(int nItem, LPCWSTR lpszItem, int nImage);
    int InsertItem(UINT nMask, int nItem, LPCWSTR lpszItem, UINT nState, UINT nStateMask,
                   int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItem(LVITEMW* pItem) const;
    BOOL SetItem(const LVITEMW* pItem);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemText(int nItem, int nSubItem, LPCWSTR lpszText);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR dwData);
    UINT GetItemState(int nItem, UINT nMask) const;
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    int GetNextItem(int nItem, int nFlags) const;
    UINT GetSelectedCount() const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    int HitTest(CPoint pt, UINT* pFlags = NULL) const;
    BOOL GetItemRect(int nItem, LPRECT lpRect, UINT nCode) const;
    BOOL Arrange(UINT nCode);
    DWORD SetView(int iView);
    DWORD GetView() const;
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    DWORD GetExtendedStyle() const;
    int InsertColumn(int nCol, LPCWSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT,
                     int nWidth = -1, int nSubItem = -1);

    LRESULT EnableGroupView(BOOL fEnable);
    BOOL IsGroupViewEnabled() const;
    LRESULT InsertGroup(int index, PLVGROUP pgrp);
    int RemoveGroup(int iGroupId);
    void RemoveAllGroups();
    int SetGroupInfo(int iGroupId, PLVGROUP pGroup);
    int GetGroupInfo(int iGroupId, PLVGROUP pgrp) const;
    BOOL HasGroup(int iGroupId) const;
};
