// CSoftShowPicInfoOpr: the host's product icon, for the title bars of dialogs.
//
// GetSoftLogIcon gives the icon the host registered with SetSoftLogIcon; without one, the
// first icon of the given module, else the first icon of the executable, else the system's
// application icon. The icon is shared: callers do not destroy it.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CSoftShowPicInfoOpr
{
public:
    static HICON GetSoftLogIcon(HINSTANCE hInstance);
    static void SetSoftLogIcon(HICON hIcon);
};

// KxCast::ToInt narrows a pointer-sized integer (a message result, an item data value) to the
// 32 bits an id has.
namespace KxCast {
template <typename T>
inline int ToInt(T value)
{
    return static_cast<int>(value);
}
} // namespace KxCast
