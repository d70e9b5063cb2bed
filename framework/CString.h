// CString: the framework's wide (UTF-16) string, with MFC's names and semantics.
//
// Layout: one pointer to the characters (a length/capacity header sits before them), so a
// CString is as small as a pointer. Copies are deep; there is no reference counting.
//
// Format and AppendFormat follow the Microsoft C runtime's wide printf: %s and %c take WIDE
// arguments (as in MFC), %S/%hs take narrow ones, %d %u %x %X %g %f %.3f %I64d behave as
// in MFC. A CString may be passed directly for %s: Format converts CString arguments to
// their character pointer before the variable argument list is built (MFC relies on the
// pointer layout for this; with GCC the conversion has to be explicit, so it is done here).
//
// Narrow text: the const char* constructor and assignment read the ANSI code page (CP_ACP),
// as MFC's Unicode build does. FromUtf8/ToUtf8 and FromAnsi/ToAnsi convert explicitly.
//
// Bad indexes: GetAt and SetAt with an index outside [0, GetLength()) report the fault
// (debugger output and stderr) and throw CInvalidArgException* (see CException.h), like
// MFC's AtlThrow(E_INVALIDARG). Left/Mid/Right clamp their arguments, as in MFC.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include "afxfw.h"

class FW_API CString
{
public:
    CString();
    CString(const CString& src);
    CString(CString&& src) noexcept;
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);              // ANSI code page
    CString(LPCSTR pch, int nLength); // ANSI code page
    explicit CString(wchar_t ch, int nRepeat = 1);
    ~CString();

    CString& operator=(const CString& src);
    CString& operator=(CString&& src) noexcept;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz); // ANSI code page
    CString& operator=(wchar_t ch);

    CString& operator+=(const CString& str);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(wchar_t ch);

    operator LPCWSTR() const { return m_pszData; }
    LPCWSTR GetString() const { return m_pszData; }
    int GetLength() const;
    bool IsEmpty() const { return GetLength() == 0; }
    void Empty();

    wchar_t GetAt(int iChar) const;
    void SetAt(int iChar, wchar_t ch);
    wchar_t operator[](int iChar) const { return GetAt(iChar); }

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;

    int Find(wchar_t ch, int iStart = 0) const;
    int Find(LPCWSTR pszSub, int iStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString Left(int nCount) const;
    CString Mid(int iFirst) const;
    CString Mid(int iFirst, int nCount) const;
    CString Right(int nCount) const;
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(LPCWSTR pszTargets);

    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t chRemove);
    int Insert(int iIndex, wchar_t ch);
    int Insert(int iIndex, LPCWSTR psz);
    int Delete(int iIndex, int nCount = 1);

    template <typename... Args>
    void Format(LPCWSTR pszFormat, const Args&... args)
    {
        FormatRaw(pszFormat, FormatArg(args)...);
    }
    template <typename... Args>
    void AppendFormat(LPCWSTR pszFormat, const Args&... args)
    {
        AppendFormatRaw(pszFormat, FormatArg(args)...);
    }
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // Loads a string-table entry through the resource handle and the extension-module chain.
    BOOL LoadString(UINT nID);

    LPWSTR GetBuffer();
    LPWSTR GetBuffer(int nMinBufferLength);
    LPWSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    BSTR AllocSysString() const;

    static CString FromAnsi(LPCSTR pch, int nLength = -1);
    static CString FromUtf8(LPCSTR pch, int nLength = -1);
    std::string ToAnsi() const { return ToNarrow(CP_ACP); }
    std::string ToUtf8() const { return ToNarrow(CP_UTF8); }

    friend CString operator+(const CString& a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, LPCWSTR b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(LPCWSTR a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(const CString& a, wchar_t b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend CString operator+(wchar_t a, const CString& b)
    {
        CString r(a);
        r += b;
        return r;
    }

    friend bool operator==(const CString& a, const CString& b)
    {
        return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
    }
    friend bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
    friend bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
    friend bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
    friend bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
    friend bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
    friend bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

    // Exported form of Format: the template above hands over only plain values.
    void __cdecl FormatRaw(LPCWSTR pszFormat, ...);
    void __cdecl AppendFormatRaw(LPCWSTR pszFormat, ...);

private:
    template <typename T>
    static const T& FormatArg(const T& v)
    {
        return v;
    }
    static LPCWSTR FormatArg(const CString& s) { return s.m_pszData; }

    std::string ToNarrow(UINT codePage) const
    {
        int n = WideCharToMultiByte(codePage, 0, m_pszData, GetLength(), nullptr, 0, nullptr,
                                    nullptr);
        std::string s(n > 0 ? n : 0, '\0');
        if (n > 0)
            WideCharToMultiByte(codePage, 0, m_pszData, GetLength(), &s[0], n, nullptr, nullptr);
        return s;
    }

    void Reserve(int nLength); // keeps the contents, capacity at least nLength
    void SetLength(int nLength);
    void Assign(LPCWSTR pch, int nLength);
    void Append(LPCWSTR pch, int nLength);
    void AssignNarrow(UINT codePage, LPCSTR pch, int nLength);

    LPWSTR m_pszData;
};
