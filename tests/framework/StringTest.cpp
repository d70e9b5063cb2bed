// CString as the module uses it: Chinese text, MFC's printf meaning of %s, code-page
// conversions, searching and trimming at the edges, and buffers filled by Win32 calls.
#include <gtest/gtest.h>
#include <string>
#include "afxwin.h"

namespace {
std::wstring W(const CString& s) { return std::wstring(s.GetString(), s.GetLength()); }
} // namespace

TEST(CStringFormat, EachConversionWithChineseText)
{
    CString s;
    s.Format(L"%s-%d", L"框架梁", 3);
    EXPECT_EQ(L"框架梁-3", W(s));
    s.Format(L"%.3f", 2.5);
    EXPECT_EQ(L"2.500", W(s));
    s.Format(L"%g|%g|%g", 0.5, 3.0, 1234567.0);
    EXPECT_EQ(0u, W(s).find(L"0.5|3|1.23457e+")) << W(s).c_str();
    s.Format(L"%x %X %08x", 255, 255, 0xABCu);
    EXPECT_EQ(L"ff FF 00000abc", W(s));
    s.Format(L"[%5d][%-5d][%05d][%u]", 42, 42, 42, 4000000000u);
    EXPECT_EQ(L"[   42][42   ][00042][4000000000]", W(s));
    s.Format(L"%c%c%%", L'层', L'A');
    EXPECT_EQ(L"层A%", W(s));
    s.Format(L"%I64d %lld", (long long)-9000000000LL, 9000000000LL);
    EXPECT_EQ(L"-9000000000 9000000000", W(s));
    s.Format(L"%S|%hs", "narrow", "also");
    EXPECT_EQ(L"narrow|also", W(s));
    s.Format(L"%-6s|%6s|%.2s", L"梁", L"柱", L"基础垫层");
    EXPECT_EQ(L"梁     |     柱|基础", W(s));
}

TEST(CStringFormat, CStringArgumentsAndAliasing)
{
    CString name(L"KL");
    CString s;
    s.Format(L"%s-%d", name, 7); // a CString passed directly, as MFC code does
    EXPECT_EQ(L"KL-7", W(s));
    s.Format(L"<%s>", s); // formatting a string into itself
    EXPECT_EQ(L"<KL-7>", W(s));
    s.AppendFormat(L"*%.3f", 1.5f);
    EXPECT_EQ(L"<KL-7>*1.500", W(s));
    CString longText(L'字', 5000);
    s.Format(L"%s%s", longText, longText);
    EXPECT_EQ(10000, s.GetLength());
    EXPECT_EQ(L'字', s[9999]);
}

TEST(CStringFormat, GeneralFormatOfCommonValues)
{
    CString s;
    s.Format(L"%g %g %g %g", 0.5, 3.0, 2.25, 100.0);
    EXPECT_EQ(L"0.5 3 2.25 100", W(s));
}

TEST(CStringConvert, AnsiCodePageAndUtf8)
{
    // "层" in code page 936, the system code page under the test runner.
    CString floor("\xB2\xE3");
    EXPECT_EQ(L"层", W(floor));
    CString first = CString(L"首") + CString("\xB2\xE3");
    EXPECT_EQ(L"首层", W(first));
    EXPECT_EQ(std::string("\xCA\xD7\xB2\xE3"), first.ToAnsi());
    EXPECT_EQ(std::string("\xE9\xA6\x96\xE5\xB1\x82"), first.ToUtf8());
    EXPECT_EQ(L"首层", W(CString::FromUtf8("\xE9\xA6\x96\xE5\xB1\x82")));
    EXPECT_EQ(L"首", W(CString::FromUtf8("\xE9\xA6\x96\xE5\xB1\x82", 3)));
    EXPECT_EQ(L"层", W(CString::FromAnsi("\xB2\xE3")));
    CString assigned;
    assigned = "\xB2\xE3";
    EXPECT_EQ(L"层", W(assigned));
    EXPECT_TRUE(CString((const char*)nullptr).IsEmpty());
    EXPECT_TRUE(CString::FromUtf8("").IsEmpty());
}

TEST(CStringSearch, FindAndExtractAtTheEdges)
{
    CString s(L"KL-1*3.5");
    EXPECT_EQ(4, s.Find(L'*'));
    EXPECT_EQ(4, s.Find(L"*3"));
    EXPECT_EQ(-1, s.Find(L'*', 5));
    EXPECT_EQ(-1, s.Find(L'*', 99));
    EXPECT_EQ(-1, s.Find(L"x"));
    EXPECT_EQ(6, s.ReverseFind(L'.'));
    EXPECT_EQ(2, s.FindOneOf(L"-*"));
    EXPECT_EQ(L"KL-1", W(s.Left(s.Find(L'*'))));
    EXPECT_EQ(L"*3.5", W(s.Mid(4)));
    EXPECT_EQ(L"*3", W(s.Mid(4, 2)));
    EXPECT_EQ(L"3.5", W(s.Right(3)));
    // Out-of-range extraction clamps, as in MFC.
    EXPECT_EQ(L"", W(s.Left(-1)));
    EXPECT_EQ(W(s), W(s.Left(100)));
    EXPECT_EQ(L"", W(s.Mid(100)));
    EXPECT_EQ(L"KL", W(s.Mid(-3, 2)));
    EXPECT_EQ(W(s), W(s.Right(100)));
    int pos = 0;
    CString list(L",a,,bc,");
    EXPECT_EQ(L"a", W(list.Tokenize(L",", pos)));
    EXPECT_EQ(L"bc", W(list.Tokenize(L",", pos)));
    EXPECT_EQ(L"", W(list.Tokenize(L",", pos)));
    EXPECT_EQ(-1, pos);
}

TEST(CStringEdit, TrimCaseReplaceRemoveInsertDelete)
{
    CString s(L" \t 首层 \r\n");
    EXPECT_EQ(L"首层", W(s.Trim()));
    s = L"xx梁xx";
    EXPECT_EQ(L"梁xx", W(CString(s).TrimLeft(L'x')));
    EXPECT_EQ(L"xx梁", W(CString(s).TrimRight(L"x")));
    EXPECT_EQ(L"梁", W(s.Trim(L"x")));
    CString mixed(L"Abc层");
    EXPECT_EQ(L"ABC层", W(CString(mixed).MakeUpper()));
    EXPECT_EQ(L"abc层", W(mixed.MakeLower()));
    CString r(L"a.b.c");
    EXPECT_EQ(2, r.Replace(L'.', L'/'));
    EXPECT_EQ(L"a/b/c", W(r));
    EXPECT_EQ(2, r.Replace(L"/", L"--"));
    EXPECT_EQ(L"a--b--c", W(r));
    EXPECT_EQ(0, r.Replace(L"", L"x"));
    EXPECT_EQ(0, r.Replace(L"zz", L"x"));
    EXPECT_EQ(1, r.Replace(L"a--b--c", L""));
    EXPECT_TRUE(r.IsEmpty());
    CString rm(L"1,000,000");
    EXPECT_EQ(2, rm.Remove(L','));
    EXPECT_EQ(L"1000000", W(rm));
    CString ins(L"KL");
    EXPECT_EQ(4, ins.Insert(2, L"-1"));
    EXPECT_EQ(5, ins.Insert(99, L'*'));
    EXPECT_EQ(L"KL-1*", W(ins));
    EXPECT_EQ(3, ins.Delete(2, 2));
    EXPECT_EQ(L"KL*", W(ins));
    EXPECT_EQ(3, ins.Delete(10, 2));
    ins.Empty();
    EXPECT_TRUE(ins.IsEmpty());
    EXPECT_EQ(L"", W(ins));
}

TEST(CStringCompare, OperatorsAndCaseInsensitive)
{
    CString a(L"100"), b(L"99"), c(L"100");
    EXPECT_TRUE(a == c);
    EXPECT_TRUE(a == L"100");
    EXPECT_TRUE(L"100" == a);
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a < b); // text order, not numbers
    EXPECT_FALSE(b < a);
    EXPECT_GT(0, a.Compare(L"99"));
    EXPECT_EQ(0, CString(L"Abc").CompareNoCase(L"aBC"));
    EXPECT_NE(0, CString(L"Abc").Compare(L"aBC"));
    EXPECT_EQ(L"按楼层", W(CString(L"按") + L"楼" + CString(L"层")));
    EXPECT_EQ(L"*3", W(L'*' + CString(L"3")));
    CString acc;
    for (int i = 0; i < 1000; ++i)
        acc += L'x';
    acc += acc; // appending a string to itself
    EXPECT_EQ(2000, acc.GetLength());
}

TEST(CStringBuffer, FilledByWin32AndReleased)
{
    CString s;
    LPWSTR p = s.GetBuffer(MAX_PATH);
    DWORD n = GetEnvironmentVariableW(L"NO_SUCH_VARIABLE_HERE", p, MAX_PATH);
    EXPECT_EQ(0u, n);
    lstrcpyW(p, L"构件树");
    s.ReleaseBuffer();
    EXPECT_EQ(3, s.GetLength());
    EXPECT_EQ(L"构件树", W(s));
    p = s.GetBuffer(10);
    p[1] = 0;
    s.ReleaseBuffer();
    EXPECT_EQ(L"构", W(s));
    p = s.GetBufferSetLength(4);
    p[1] = L'a';
    p[2] = L'b';
    p[3] = L'c';
    s.ReleaseBuffer(2);
    EXPECT_EQ(L"构a", W(s));
    s.SetAt(1, L'层');
    EXPECT_EQ(L'层', s.GetAt(1));
    BSTR b = CString(L"层\0x", 3).AllocSysString();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(3u, SysStringLen(b));
    EXPECT_EQ(L'x', b[2]);
    SysFreeString(b);
}

TEST(CStringBuffer, BadIndexThrowsInvalidArgument)
{
    CString s(L"ab");
    for (int bad : { -1, 2, 100 }) {
        bool caught = false;
        try {
            s.GetAt(bad);
        } catch (CException* e) {
            caught = dynamic_cast<CInvalidArgException*>(e) != nullptr;
            wchar_t msg[128] = {};
            EXPECT_TRUE(e->GetErrorMessage(msg, 128));
            EXPECT_NE(nullptr, wcsstr(msg, L"CString::GetAt")) << bad;
            e->Delete();
        }
        EXPECT_TRUE(caught) << bad;
    }
    EXPECT_THROW(s.SetAt(2, L'x'), CException*);
    EXPECT_EQ(L"ab", W(s));
}
