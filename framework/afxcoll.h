// MFC's typed arrays: the same operations as CArray, for the element types MFC names.
// CObArray does not own what it holds: the owner deletes its objects (through CObject's
// virtual destructor) before RemoveAll.
#pragma once
#include "CArray.h"
#include "CString.h"

class CPtrArray : public CArray<void*, void*>
{};
class CObArray : public CArray<CObject*, CObject*>
{};
class CStringArray : public CArray<CString, const CString&>
{};
class CDWordArray : public CArray<DWORD, DWORD>
{};
class CWordArray : public CArray<WORD, WORD>
{};
class CUIntArray : public CArray<UINT, UINT>
{};
class CByteArray : public CArray<BYTE, BYTE>
{};
