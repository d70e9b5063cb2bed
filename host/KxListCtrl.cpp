#include "KxListCtrl.h"

CKxListCtrl::CKxListCtrl() {}

CKxListCtrl::~CKxListCtrl() {}

int CKxListCtrl::InsertGroup(int nIndex, int nGroupId, CString strHeader)
{
    if (HasGroup(nGroupId))
        return -1;
    LVGROUP group = {};
    group.cbSize = sizeof(group);
    group.mask = LVGF_HEADER | LVGF_GROUPID | LVGF_ALIGN;
    group.pszHeader = const_cast<LPWSTR>(strHeader.GetString());
    group.iGroupId = nGroupId;
    group.uAlign = LVGA_HEADER_LEFT;
    return static_cast<int>(CListCtrl::InsertGroup(nIndex, &group));
}

int CKxListCtrl::InsertGroupItem(int nItem, wchar_t* pszText, int nGroupId, int nImage,
                                 DWORD dwData)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_GROUPID;
    item.iItem = nItem;
    item.pszText = pszText ? pszText : const_cast<wchar_t*>(L"");
    item.iImage = nImage;
    item.lParam = static_cast<LPARAM>(dwData);
    item.iGroupId = nGroupId;
    return InsertItem(&item);
}
