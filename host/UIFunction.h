// UIFunction: the host's message box and resource-handle switch.
//
// KxMessageBox shows a modal message box owned by the host's main frame (or the active
// window) and returns the button pressed (IDOK, IDYES, IDNO, ...). An empty caption means the
// host's default caption (SetDefaultCaption). The host application may install a handler
// that takes the place of the box; tests install one that records each message and answers
// from a script.
//
// A program run without a person (a test, a scripted or dumping run) calls SetUnattended:
// from then on a box that no handler takes is never shown, since nobody would close it. It
// is written to stderr as "<program>: box <caption>|<text>" and gets its default button's
// answer, and the run goes on.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

namespace UIFunction {

typedef int (*KxMessageBoxHandler)(LPCTSTR pszText, LPCTSTR pszCaption, UINT nStyle,
                                   void* pContext);

KXHOST_API int KxMessageBox(LPCTSTR pszText, LPCTSTR pszCaption = NULL, UINT nStyle = MB_OK);
// Installs a handler (NULL restores the real box); returns the previous one.
KXHOST_API KxMessageBoxHandler SetMessageBoxHandler(KxMessageBoxHandler pfnHandler,
                                                    void* pContext = NULL);
// pszProgram names the program in the stderr line; NULL makes boxes real again.
KXHOST_API void SetUnattended(LPCTSTR pszProgram);
// The answer of a box's default button (MB_DEFBUTTONn of its buttons).
KXHOST_API int DefaultAnswer(UINT nStyle);
KXHOST_API void SetDefaultCaption(LPCTSTR pszCaption);
KXHOST_API CString GetDefaultCaption();

// For its lifetime, resources load from hModule (AfxSetResourceHandle); the previous handle
// is restored when it ends, also when guards nest.
class KXHOST_API KxMfc_ResourceOverride
{
public:
    explicit KxMfc_ResourceOverride(HINSTANCE hModule);
    ~KxMfc_ResourceOverride();

private:
    KxMfc_ResourceOverride(const KxMfc_ResourceOverride&) = delete;
    KxMfc_ResourceOverride& operator=(const KxMfc_ResourceOverride&) = delete;
    HINSTANCE m_hPrevious;
};

} // namespace UIFunction
