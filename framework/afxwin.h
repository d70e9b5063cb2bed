// Umbrella header of the application framework, as module code includes it ("afxwin.h"):
// strings, collections, geometry, exceptions, resources, windows, dialogs and menus.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include "afxfw.h"

#ifndef afx_msg
#define afx_msg
#endif
#ifndef AFXAPI
#define AFXAPI __stdcall
#endif

// ASSERT reports a broken assumption (debugger output and stderr) and goes on, as a release
// build of MFC would; VERIFY always evaluates its expression.
#ifndef ASSERT
#define ASSERT(f) ((f) ? (void)0 : AfxReportAssert(__FILE__, __LINE__, #f))
#endif
#ifndef VERIFY
#define VERIFY(f) ASSERT(f)
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) ASSERT((p) != NULL)
#endif
inline void AfxReportAssert(const char* file, int line, const char* expr)
{
    char text[512];
    snprintf(text, sizeof(text), "%s(%d): assertion failed: %s\n", file, line, expr);
    OutputDebugStringA(text);
    fputs(text, stderr);
}

#include "CObject.h"
#include "CException.h"
#include "CString.h"
#include "CPoint.h"
#include "CSize.h"
#include "CRect.h"
#include "afxcoll.h"
#include "AfxResource.h"
#include "CDynLinkLibrary.h"
#include "AfxMsgMap.h"
#include "CDC.h"
#include "CBitmap.h"
#include "CWnd.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CButton.h"
#include "CStatic.h"
#include "CMenu.h"
#include "CWaitCursor.h"
