#include "wizard/RightListCtrl.h"
#include "wizard/CLWDlg.h"

namespace {

const int kTypeGroup = 1;
const int kFirstPicture = 11;
const int kLastPicture = 99;

// The pictures' transparent background: near-white, so that their own white stays white.
const COLORREF kPictureMask = RGB(255, 255, 254);

HBITMAP LoadPicture(const CString& strPath)
{
    return (HBITMAP)::LoadImageW(NULL, strPath, IMAGE_BITMAP, 0, 0,
                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

} // namespace

BEGIN_MESSAGE_MAP(CRightListCtrl, CKxListCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CRightListCtrl::CRightListCtrl() {}

CRightListCtrl::~CRightListCtrl() {}

int CRightListCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CKxListCtrl::OnCreate(lpCreateStruct);
}

void CRightListCtrl::InitList()
{
    EnableGroupView(1);
    m_imageList.DeleteImageList();
    // With a mask, the pictures' mask-coloured background draws in the list's white; without
    // one the masked pixels would come out black.
    m_imageList.Create(40, 40, ILC_COLOR24 | ILC_MASK, 2, 1);
    CString strDataPath = KxMfc::Fun::GetSysDataPath();
    for (int n = kFirstPicture; n <= kLastPicture; ++n) {
        CString strPath;
        strPath.Format(L"%s\\bmp\\%d.bmp", (LPCWSTR)strDataPath, n);
        HBITMAP hBitmap = LoadPicture(strPath);
        if (!hBitmap) {
            strPath.Format(L"%s\\bmp\\blank.bmp", (LPCWSTR)strDataPath);
            hBitmap = LoadPicture(strPath);
        }
        // Without even the blank picture nothing is appended, and the later pictures move
        // up one index.
        if (!hBitmap)
            continue;
        CBitmap bitmap;
        bitmap.Attach(hBitmap);
        m_imageList.Add(&bitmap, kPictureMask);
        m_imageList.SetBkColor(RGB(255, 255, 255));
        bitmap.DeleteObject();
    }
    SetImageList(&m_imageList, LVSIL_NORMAL);
}

void CRightListCtrl::FillTypes(CString strClassId, CString strClassName, CObArray* pNodes)
{
    RemoveGroup(kTypeGroup);
    DeleteAllItems();
    if (strClassId.IsEmpty())
        return;
    InsertGroup(0, kTypeGroup, strClassName);
    if (!pNodes)
        return;
    // A class's types are the first unbroken run of records whose NameID starts with the
    // class's number; a later stray record of that class is not one of them.
    int nRow = 0;
    BOOL bInRun = FALSE;
    for (INT_PTR i = 0; i < pNodes->GetSize(); ++i) {
        CTreeNodeProp* pNode = reinterpret_cast<CTreeNodeProp*>(pNodes->GetAt(i));
        BOOL bBelongs = pNode->m_strNameID.Left(2) == strClassId
            && pNode->m_strNameID != strClassId;
        if (bBelongs) {
            InsertGroupItem(nRow, (wchar_t*)(LPCWSTR)pNode->m_strName, kTypeGroup,
                            pNode->m_nImageIndex - kFirstPicture,
                            (DWORD)_wtoi(pNode->m_strComType));
            ++nRow;
            bInRun = TRUE;
        } else if (bInRun) {
            break;
        }
    }
}

void CRightListCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CKxListCtrl::OnLButtonDown(nFlags, point);
    POSITION pos = GetFirstSelectedItemPosition();
    if (!pos)
        return;
    int nItem = GetNextSelectedItem(pos);
    CString strComType;
    strComType.Format(L"%d", (int)GetItemData(nItem));

    CCLWDlg* pDlg = (CCLWDlg*)GetParent();
    CString strMessage;
    CCreateComFolderRuleManager& rules = pDlg->m_ruleManager;
    for (INT_PTR i = 0; i < rules.m_arrNodes.GetSize(); ++i) {
        if (rules.GetNode(i)->m_strComType == strComType) {
            strMessage = rules.GetNode(i)->m_strMessage;
            break;
        }
    }
    if (strMessage.IsEmpty())
        strMessage = L"请选择具体构件";
    pDlg->m_strMessage = L"提示信息:" + strMessage;
    pDlg->UpdateData(FALSE);
}
