// CImageList: owns an HIMAGELIST (destroyed with the object unless detached).
// Create(cx, cy, flags, initial, grow) as ImageList_Create; Add(icon) and
// Add(bitmap, mask colour) append and return the new index (-1 on failure).
// FromHandle wraps a list someone else owns (a temporary that never destroys it).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "afxfw.h"
#include "CObject.h"

class CBitmap;
class CDC;

class FW_API CImageList : public CObject
{
public:
    CImageList() : m_hImageList(NULL) {}
    ~CImageList() override;

    HIMAGELIST m_hImageList;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const;
    static CImageList* FromHandle(HIMAGELIST hImageList);

    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    int GetImageCount() const;
    int Add(HICON hIcon);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    BOOL Remove(int nImage);
    BOOL Replace(int nImage, HICON hIcon);
    HICON ExtractIcon(int nImage);
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};
