#include "wizard/RightListCtrl.h"
#include "wizard/CLWDlg.h"

#include <cstring>

namespace {

const int kTypeGroup = 1;
const int kFirstPicture = 11;
const int kLastPicture = 99;

// The pictures' transparent background: near-white, so that their own white stays white.
const COLORREF kPictureMask = RGB(255, 255, 254);

// Pictures are small; anything far beyond is not one of them.
const LONG kMaxPictureSide = 4096;
const DWORD kMaxPictureBytes = 64u << 20;

// Whether the file is a whole, plainly encoded bitmap: its headers agree with each other and
// with the file's length. The system's loader trusts them, and a truncated, random or absurdly
// sized file can take it down with the wizard; such a file gets the blank picture instead.
bool IsSoundBitmap(const CString& strPath)
{
    HANDLE h = ::CreateFileW(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    BYTE head[sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)] = {};
    DWORD nRead = 0;
    const bool bRead = ::GetFileSizeEx(h, &size) && size.QuadPart <= kMaxPictureBytes
        && ::ReadFile(h, head, sizeof(head), &nRead, NULL) && nRead == sizeof(head);
    ::CloseHandle(h);
    if (!bRead)
        return false;
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    memcpy(&file, head, sizeof(file));
    memcpy(&info, head + sizeof(file), sizeof(info));
    const LONGLONG nLength = size.QuadPart;
    if (file.bfType != 0x4D42 /* "BM" */ || info.biSize < sizeof(BITMAPINFOHEADER)
        || info.biSize > 124 || info.biPlanes != 1)
        return false;
    const LONG nHeight = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    if (info.biWidth <= 0 || info.biWidth > kMaxPictureSide || nHeight <= 0
        || nHeight > kMaxPictureSide)
        return false;
    const WORD nBits = info.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return false;
    if (info.biCompression != BI_RGB && info.biCompression != BI_BITFIELDS)
        return false;
    const LONGLONG nColors = nBits <= 8 ? (info.biClrUsed ? info.biClrUsed : 1LL << nBits) : 0;
    if (nBits <= 8 && info.biClrUsed > (1u << nBits))
        return false;
    const LONGLONG nStride = (((LONGLONG)info.biWidth * nBits + 31) / 32) * 4;
    const LONGLONG nMasks = info.biCompression == BI_BITFIELDS && info.biSize == 40 ? 12 : 0;
    const LONGLONG nHeaders = (LONGLONG)sizeof(file) + info.biSize + nColors * 4 + nMasks;
    return file.bfOffBits >= nHeaders && file.bfOffBits + nStride * nHeight <= nLength;
}

HBITMAP LoadPicture(const CString& strPath)
{
    if (!IsSoundBitmap(strPath))
        return NULL;
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
