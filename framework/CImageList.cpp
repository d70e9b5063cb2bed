#include "CImageList.h"
#include "CBitmap.h"
#include "CDC.h"
#include "FwThreadState.h"

CImageList::~CImageList() { DeleteImageList(); }

HIMAGELIST CImageList::GetSafeHandle() const { return this ? m_hImageList : NULL; }

CImageList* CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (!hImageList)
        return nullptr;
    FwThreadState& ts = FwThreadState::Get();
    auto it = ts.tempImageLists.find(hImageList);
    if (it != ts.tempImageLists.end())
        return it->second;
    if (ts.tempImageLists.size() >= 256) {
        // Wrappers are valid only for the moment they were asked for; recycle the old ones.
        for (auto& e : ts.tempImageLists) {
            e.second->Detach();
            delete e.second;
        }
        ts.tempImageLists.clear();
    }
    CImageList* p = new CImageList;
    p->m_hImageList = hImageList;
    ts.tempImageLists[hImageList] = p;
    return p;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    if (m_hImageList)
        return FALSE;
    m_hImageList = ImageList_Create(cx, cy, nFlags, nInitial, nGrow);
    return m_hImageList != NULL;
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (m_hImageList || !hImageList)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST h = m_hImageList;
    m_hImageList = NULL;
    return h;
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    // A list still shown by a control must be detached from it by its owner first.
    BOOL ok = ImageList_Destroy(m_hImageList);
    m_hImageList = NULL;
    return ok;
}

int CImageList::GetImageCount() const
{
    return m_hImageList ? ImageList_GetImageCount(m_hImageList) : 0;
}
int CImageList::Add(HICON hIcon)
{
    return m_hImageList ? ImageList_AddIcon(m_hImageList, hIcon) : -1;
}
int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return m_hImageList ? ImageList_AddMasked(m_hImageList, pbmImage->GetSafeHandle(), crMask) : -1;
}
int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return m_hImageList
        ? ImageList_Add(m_hImageList, pbmImage->GetSafeHandle(), pbmMask->GetSafeHandle())
        : -1;
}
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }
BOOL CImageList::Replace(int nImage, HICON hIcon)
{
    return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon) != -1;
}
HICON CImageList::ExtractIcon(int nImage)
{
    return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL);
}
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
    return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}
BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}
