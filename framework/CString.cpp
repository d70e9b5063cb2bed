// The Microsoft C runtime's wide printf gives %s its MFC meaning (a wide string); the mingw
// replacement printf would read it as narrow, so it must stay off in this file.
#define __USE_MINGW_ANSI_STDIO 0
#include "CString.h"
#include "CException.h"
#include "AfxResource.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <new>

namespace {

struct StringHeader
{
    int nLength;
    int nCapacity; // characters, without the terminator; 0 marks the shared empty block
};

struct EmptyBlock
{
    StringHeader header;
    wchar_t chars[1];
};
EmptyBlock g_empty = { { 0, 0 }, { 0 } };

inline StringHeader* HeaderOf(LPWSTR p) { return reinterpret_cast<StringHeader*>(p) - 1; }

// Every string but the shared empty block owns a heap block; comparing with the empty block
// itself (rather than by capacity) also lets the optimiser see that it is never freed.
inline void FreeBlock(StringHeader* h)
{
    if (h != &g_empty.header)
        free(h);
}

inline bool IsTrimSpace(wchar_t ch) { return iswspace(ch) != 0; }

} // namespace

CString::CString() : m_pszData(g_empty.chars) {}

CString::CString(const CString& src) : m_pszData(g_empty.chars)
{
    Assign(src.m_pszData, src.GetLength());
}

CString::CString(CString&& src) noexcept : m_pszData(src.m_pszData)
{
    src.m_pszData = g_empty.chars;
}

CString::CString(LPCWSTR psz) : m_pszData(g_empty.chars)
{
    if (psz)
        Assign(psz, (int)wcslen(psz));
}

CString::CString(LPCWSTR pch, int nLength) : m_pszData(g_empty.chars)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException(L"CString(LPCWSTR, int): negative length or null text");
    Assign(pch, nLength);
}

CString::CString(LPCSTR psz) : m_pszData(g_empty.chars)
{
    if (psz)
        AssignNarrow(CP_ACP, psz, -1);
}

CString::CString(LPCSTR pch, int nLength) : m_pszData(g_empty.chars)
{
    if (nLength < 0 || (pch == nullptr && nLength > 0))
        AfxThrowInvalidArgException(L"CString(LPCSTR, int): negative length or null text");
    AssignNarrow(CP_ACP, pch, nLength);
}

CString::CString(wchar_t ch, int nRepeat) : m_pszData(g_empty.chars)
{
    if (nRepeat > 0) {
        Reserve(nRepeat);
        for (int i = 0; i < nRepeat; ++i)
            m_pszData[i] = ch;
        SetLength(nRepeat);
    }
}

CString::~CString() { FreeBlock(HeaderOf(m_pszData)); }

CString& CString::operator=(const CString& src)
{
    if (this != &src)
        Assign(src.m_pszData, src.GetLength());
    return *this;
}

CString& CString::operator=(CString&& src) noexcept
{
    if (this != &src) {
        LPWSTR old = m_pszData;
        m_pszData = src.m_pszData;
        src.m_pszData = old;
    }
    return *this;
}

CString& CString::operator=(LPCWSTR psz)
{
    // psz may point into this string's own buffer: Assign copies with memmove semantics.
    Assign(psz, psz ? (int)wcslen(psz) : 0);
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    AssignNarrow(CP_ACP, psz, -1);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    Assign(&ch, 1);
    return *this;
}

CString& CString::operator+=(const CString& str)
{
    Append(str.m_pszData, str.GetLength());
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    if (psz)
        Append(psz, (int)wcslen(psz));
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    Append(&ch, 1);
    return *this;
}

int CString::GetLength() const { return HeaderOf(m_pszData)->nLength; }

void CString::Empty()
{
    FreeBlock(HeaderOf(m_pszData));
    m_pszData = g_empty.chars;
}

wchar_t CString::GetAt(int iChar) const
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidIndex(L"CString::GetAt", iChar, GetLength());
    return m_pszData[iChar];
}

void CString::SetAt(int iChar, wchar_t ch)
{
    if (iChar < 0 || iChar >= GetLength())
        AfxThrowInvalidIndex(L"CString::SetAt", iChar, GetLength());
    m_pszData[iChar] = ch;
}

int CString::Compare(LPCWSTR psz) const { return wcscmp(m_pszData, psz ? psz : L""); }

int CString::CompareNoCase(LPCWSTR psz) const { return _wcsicmp(m_pszData, psz ? psz : L""); }

int CString::Find(wchar_t ch, int iStart) const
{
    if (iStart < 0 || iStart >= GetLength())
        return -1;
    const wchar_t* p = wcschr(m_pszData + iStart, ch);
    return p && ch ? (int)(p - m_pszData) : -1;
}

int CString::Find(LPCWSTR pszSub, int iStart) const
{
    if (!pszSub || iStart < 0 || iStart > GetLength())
        return -1;
    const wchar_t* p = wcsstr(m_pszData + iStart, pszSub);
    return p ? (int)(p - m_pszData) : -1;
}

int CString::ReverseFind(wchar_t ch) const
{
    const wchar_t* p = wcsrchr(m_pszData, ch);
    return p && ch ? (int)(p - m_pszData) : -1;
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (!pszCharSet)
        return -1;
    size_t n = wcscspn(m_pszData, pszCharSet);
    return (int)n < GetLength() ? (int)n : -1;
}

CString CString::Left(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return CString(m_pszData, nCount);
}

CString CString::Mid(int iFirst) const
{
    return Mid(iFirst, GetLength() - (iFirst < 0 ? 0 : iFirst));
}

CString CString::Mid(int iFirst, int nCount) const
{
    if (iFirst < 0)
        iFirst = 0;
    if (nCount < 0)
        nCount = 0;
    if (iFirst > GetLength())
        iFirst = GetLength();
    if (nCount > GetLength() - iFirst)
        nCount = GetLength() - iFirst;
    return CString(m_pszData + iFirst, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return CString(m_pszData + GetLength() - nCount, nCount);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart > GetLength() || !pszTokens) {
        iStart = -1;
        return CString();
    }
    int from = iStart + (int)wcsspn(m_pszData + iStart, pszTokens);
    if (from >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int len = (int)wcscspn(m_pszData + from, pszTokens);
    iStart = from + len + 1;
    return CString(m_pszData + from, len);
}

CString& CString::MakeUpper()
{
    if (GetLength())
        CharUpperBuffW(m_pszData, GetLength());
    return *this;
}

CString& CString::MakeLower()
{
    if (GetLength())
        CharLowerBuffW(m_pszData, GetLength());
    return *this;
}

CString& CString::MakeReverse()
{
    for (int i = 0, j = GetLength() - 1; i < j; ++i, --j) {
        wchar_t t = m_pszData[i];
        m_pszData[i] = m_pszData[j];
        m_pszData[j] = t;
    }
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(wchar_t chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCWSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }

CString& CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && IsTrimSpace(m_pszData[n]))
        ++n;
    return n ? (Delete(0, n), *this) : *this;
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    int n = 0;
    while (n < GetLength() && m_pszData[n] == chTarget)
        ++n;
    return n ? (Delete(0, n), *this) : *this;
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return *this;
    int n = 0;
    while (n < GetLength() && wcschr(pszTargets, m_pszData[n]))
        ++n;
    return n ? (Delete(0, n), *this) : *this;
}

CString& CString::TrimRight()
{
    int n = GetLength();
    while (n > 0 && IsTrimSpace(m_pszData[n - 1]))
        --n;
    if (n != GetLength())
        SetLength(n);
    return *this;
}

CString& CString::TrimRight(wchar_t chTarget)
{
    int n = GetLength();
    while (n > 0 && m_pszData[n - 1] == chTarget)
        --n;
    if (n != GetLength())
        SetLength(n);
    return *this;
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    if (!pszTargets || !*pszTargets)
        return *this;
    int n = GetLength();
    while (n > 0 && wcschr(pszTargets, m_pszData[n - 1]))
        --n;
    if (n != GetLength())
        SetLength(n);
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (int i = 0; i < GetLength(); ++i) {
        if (m_pszData[i] == chOld) {
            m_pszData[i] = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    int nOld = pszOld ? (int)wcslen(pszOld) : 0;
    if (nOld == 0)
        return 0;
    int nNew = pszNew ? (int)wcslen(pszNew) : 0;
    CString result;
    int count = 0, pos = 0;
    for (;;) {
        const wchar_t* hit = wcsstr(m_pszData + pos, pszOld);
        if (!hit)
            break;
        int at = (int)(hit - m_pszData);
        result.Append(m_pszData + pos, at - pos);
        result.Append(pszNew, nNew);
        pos = at + nOld;
        ++count;
    }
    if (count) {
        result.Append(m_pszData + pos, GetLength() - pos);
        *this = static_cast<CString&&>(result);
    }
    return count;
}

int CString::Remove(wchar_t chRemove)
{
    int j = 0;
    for (int i = 0; i < GetLength(); ++i)
        if (m_pszData[i] != chRemove)
            m_pszData[j++] = m_pszData[i];
    int removed = GetLength() - j;
    if (removed)
        SetLength(j);
    return removed;
}

int CString::Insert(int iIndex, wchar_t ch) { return Insert(iIndex, CString(ch).m_pszData); }

int CString::Insert(int iIndex, LPCWSTR psz)
{
    if (iIndex < 0)
        iIndex = 0;
    if (iIndex > GetLength())
        iIndex = GetLength();
    CString ins(psz); // psz may point into this string
    int n = ins.GetLength();
    if (n) {
        int old = GetLength();
        Reserve(old + n);
        wmemmove(m_pszData + iIndex + n, m_pszData + iIndex, old - iIndex);
        wmemcpy(m_pszData + iIndex, ins.m_pszData, n);
        SetLength(old + n);
    }
    return GetLength();
}

int CString::Delete(int iIndex, int nCount)
{
    if (iIndex < 0)
        iIndex = 0;
    if (nCount < 0)
        nCount = 0;
    if (iIndex >= GetLength() || nCount == 0)
        return GetLength();
    if (nCount > GetLength() - iIndex)
        nCount = GetLength() - iIndex;
    wmemmove(m_pszData + iIndex, m_pszData + iIndex + nCount, GetLength() - iIndex - nCount);
    SetLength(GetLength() - nCount);
    return GetLength();
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    CString result;
    result.AppendFormatV(pszFormat, args);
    *this = static_cast<CString&&>(result); // the arguments may point into this string
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    if (!pszFormat)
        AfxThrowInvalidArgException(L"CString::Format: null format");
    va_list count;
    va_copy(count, args);
    int n = _vscwprintf(pszFormat, count);
    va_end(count);
    if (n < 0)
        AfxThrowInvalidArgException(L"CString::Format: invalid format");
    int old = GetLength();
    Reserve(old + n);
    _vsnwprintf(m_pszData + old, n + 1, pszFormat, args);
    SetLength(old + n);
}

void CString::FormatRaw(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormatRaw(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    AppendFormatV(pszFormat, args);
    va_end(args);
}

BOOL CString::LoadString(UINT nID)
{
    HINSTANCE hInst = AfxFindStringResourceHandle(nID);
    if (!hInst)
        return FALSE;
    LPCWSTR p = nullptr;
    int n = ::LoadStringW(hInst, nID, (LPWSTR)&p, 0);
    if (n <= 0)
        return FALSE;
    Assign(p, n);
    return TRUE;
}

LPWSTR CString::GetBuffer() { return GetBuffer(0); }

LPWSTR CString::GetBuffer(int nMinBufferLength)
{
    if (nMinBufferLength < 0)
        AfxThrowInvalidArgException(L"CString::GetBuffer: negative length");
    Reserve(nMinBufferLength > GetLength() ? nMinBufferLength : GetLength());
    return m_pszData;
}

LPWSTR CString::GetBufferSetLength(int nLength)
{
    GetBuffer(nLength);
    SetLength(nLength);
    return m_pszData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    int cap = HeaderOf(m_pszData)->nCapacity;
    if (nNewLength < 0)
        nNewLength = cap ? (int)wcsnlen(m_pszData, cap) : 0;
    if (nNewLength > cap)
        AfxThrowInvalidArgException(L"CString::ReleaseBuffer: length beyond the buffer");
    if (cap)
        SetLength(nNewLength);
}

BSTR CString::AllocSysString() const
{
    BSTR b = SysAllocStringLen(m_pszData, GetLength());
    if (!b)
        throw std::bad_alloc();
    return b;
}

CString CString::FromAnsi(LPCSTR pch, int nLength)
{
    CString s;
    s.AssignNarrow(CP_ACP, pch, nLength);
    return s;
}

CString CString::FromUtf8(LPCSTR pch, int nLength)
{
    CString s;
    s.AssignNarrow(CP_UTF8, pch, nLength);
    return s;
}

void CString::Reserve(int nLength)
{
    StringHeader* h = HeaderOf(m_pszData);
    if (nLength <= h->nCapacity)
        return;
    // Grow by half again, so repeated appends stay linear.
    int cap = h->nCapacity + h->nCapacity / 2;
    if (cap < nLength)
        cap = nLength;
    if (cap < 15)
        cap = 15;
    StringHeader* n = (StringHeader*)malloc(sizeof(StringHeader) + (cap + 1) * sizeof(wchar_t));
    if (!n)
        throw std::bad_alloc();
    n->nLength = h->nLength;
    n->nCapacity = cap;
    LPWSTR chars = reinterpret_cast<LPWSTR>(n + 1);
    wmemcpy(chars, m_pszData, h->nLength + 1);
    FreeBlock(h);
    m_pszData = chars;
}

void CString::SetLength(int nLength)
{
    if (HeaderOf(m_pszData)->nCapacity == 0)
        return; // the shared empty block stays untouched
    HeaderOf(m_pszData)->nLength = nLength;
    m_pszData[nLength] = 0;
}

void CString::Assign(LPCWSTR pch, int nLength)
{
    if (nLength == 0) {
        SetLength(0);
        return;
    }
    if (pch >= m_pszData && pch <= m_pszData + GetLength()) {
        // A part of this very string: keep it alive across a reallocation.
        CString copy(pch, nLength);
        *this = static_cast<CString&&>(copy);
        return;
    }
    Reserve(nLength);
    wmemcpy(m_pszData, pch, nLength);
    SetLength(nLength);
}

void CString::Append(LPCWSTR pch, int nLength)
{
    if (nLength <= 0)
        return;
    if (pch >= m_pszData && pch <= m_pszData + GetLength()) {
        CString copy(pch, nLength);
        Append(copy.m_pszData, nLength);
        return;
    }
    int old = GetLength();
    Reserve(old + nLength);
    wmemcpy(m_pszData + old, pch, nLength);
    SetLength(old + nLength);
}

void CString::AssignNarrow(UINT codePage, LPCSTR pch, int nLength)
{
    if (!pch || nLength == 0) {
        SetLength(0);
        return;
    }
    if (nLength < 0)
        nLength = (int)strlen(pch);
    int n = MultiByteToWideChar(codePage, 0, pch, nLength, nullptr, 0);
    CString s;
    if (n > 0) {
        s.Reserve(n);
        MultiByteToWideChar(codePage, 0, pch, nLength, s.m_pszData, n);
        s.SetLength(n);
    }
    *this = static_cast<CString&&>(s);
}
