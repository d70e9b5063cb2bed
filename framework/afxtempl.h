// Umbrella header for the collection templates (CArray<TYPE, ARG_TYPE>) and MFC's typed
// arrays.
#pragma once
#include "CArray.h"
#include "afxcoll.h"
