// CKxListCtrl: the host's list control with list-view groups (comctl32 version 6):
//
//   list.EnableGroupView(1);
//   list.InsertGroup(0, 11, L"框架梁");
//   list.InsertGroupItem(0, L"楼层框架梁", 11, 0, 111);
//   list.RemoveGroup(11);
//
// EnableGroupView and RemoveGroup are the framework's; InsertGroup takes a header text and
// InsertGroupItem puts an item with text, image and data into a group in one call.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "HostExport.h"

class KXHOST_API CKxListCtrl : public CListCtrl
{
public:
    CKxListCtrl();
    virtual ~CKxListCtrl();

    using CListCtrl::InsertGroup;
    // Inserts a group with a header at position nIndex (-1: last); returns its index, -1
    // when the control refuses it (for instance a group id already present).
    int InsertGroup(int nIndex, int nGroupId, CString strHeader);
    // Inserts an item at nItem into group nGroupId; returns its index, -1 when refused.
    int InsertGroupItem(int nItem, wchar_t* pszText, int nGroupId, int nImage, DWORD dwData);
};
