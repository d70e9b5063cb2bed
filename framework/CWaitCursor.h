// CWaitCursor: shows the wait cursor for the lifetime of the object.
#pragma once
#include <windows.h>
#include "afxfw.h"

class FW_API CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    void Restore();

private:
    HCURSOR m_hOldCursor;
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};
