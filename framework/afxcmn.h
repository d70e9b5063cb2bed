// Umbrella header for the common-control wrappers (tree, list, image list).
#pragma once
#include "afxwin.h"
#include <commctrl.h>
#include "CImageList.h"
#include "CTreeCtrl.h"
#include "CListCtrl.h"
