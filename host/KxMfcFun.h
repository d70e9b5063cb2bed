// KxMfc::Fun: where the host keeps its data (rule texts, the "bmp" pictures).
//
// The host application sets the data folder once at start (SetSysDataPath); until then it is
// the "data" folder beside the executable. The path has no trailing backslash, so callers
// write "%s\bmp\%d.bmp".
#pragma once
#include "afxwin.h"
#include "HostExport.h"

namespace KxMfc {
namespace Fun {

KXHOST_API CString GetSysDataPath();
KXHOST_API void SetSysDataPath(LPCTSTR pszPath);

} // namespace Fun
} // namespace KxMfc
