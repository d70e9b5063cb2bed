// CBitmap: owns an HBITMAP (DeleteObject on destruction), so an image list can take
// pictures loaded from files or resources the MFC way: Add(&bitmap, crMask).
#pragma once
#include <windows.h>
#include "afxfw.h"
#include "CObject.h"

class FW_API CBitmap : public CObject
{
public:
    CBitmap() : m_hObject(NULL) {}
    ~CBitmap() override;

    HBITMAP m_hObject;
    operator HBITMAP() const { return m_hObject; }
    HBITMAP GetSafeHandle() const;

    BOOL Attach(HBITMAP hBitmap);
    HBITMAP Detach();
    BOOL DeleteObject();
    // From the resource handle or the extension-module chain.
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const
    {
        return ::GetObjectW(m_hObject, sizeof(BITMAP), pBitMap);
    }
};
