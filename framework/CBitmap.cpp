#include "CBitmap.h"
#include "AfxResource.h"

CBitmap::~CBitmap() { DeleteObject(); }

HBITMAP CBitmap::GetSafeHandle() const { return this ? m_hObject : NULL; }

BOOL CBitmap::Attach(HBITMAP hBitmap)
{
    if (m_hObject || !hBitmap)
        return FALSE;
    m_hObject = hBitmap;
    return TRUE;
}

HBITMAP CBitmap::Detach()
{
    HBITMAP h = m_hObject;
    m_hObject = NULL;
    return h;
}

BOOL CBitmap::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    BOOL ok = ::DeleteObject(m_hObject);
    m_hObject = NULL;
    return ok;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDResource), (LPCWSTR)RT_BITMAP);
    return Attach((HBITMAP)::LoadImageW(hInst, MAKEINTRESOURCEW(nIDResource), IMAGE_BITMAP, 0, 0,
                                        LR_CREATEDIBSECTION));
}
