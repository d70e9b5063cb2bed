// The multiplier text that follows the "*" in the labels of components and user folders, and
// that the panel's count field shows.
#pragma once

#include "afxwin.h"

// Three decimals, or the whole number alone when the rounded value has no positive fraction:
// 3 -> "3", 2.5 -> "2.500", 2.9996 -> "3". The rounded text is read back in single precision,
// as the stored counts are, and a negative value with a fraction shows its truncated whole part.
AFX_EXT_API CString FormatVolumeText(double dVolume);
