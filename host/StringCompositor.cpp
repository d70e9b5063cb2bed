#include "StringCompositor.h"
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

const LCID kChinesePinyin = MAKELCID(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED),
                                     SORT_CHINESE_PRCP);

bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }

int CompareText(const wchar_t* a, int na, const wchar_t* b, int nb)
{
    int r = CompareStringW(kChinesePinyin, 0, a, na, b, nb);
    if (r == 0) // the locale is missing: fall back to code-unit order rather than fail
        r = CompareStringOrdinal(a, na, b, nb, FALSE);
    return r - CSTR_EQUAL;
}

} // namespace

int CStringCompositor::Compare(LPCTSTR a, LPCTSTR b)
{
    a = a ? a : L"";
    b = b ? b : L"";
    while (*a && *b) {
        bool da = IsDigit(*a), db = IsDigit(*b);
        const wchar_t* ea = a;
        const wchar_t* eb = b;
        while (*ea && IsDigit(*ea) == da)
            ++ea;
        while (*eb && IsDigit(*eb) == db)
            ++eb;
        int c;
        if (da && db) {
            // Numbers of any length: skip leading zeros, then the longer is larger, else
            // digit by digit.
            const wchar_t* za = a;
            const wchar_t* zb = b;
            while (za < ea - 1 && *za == L'0')
                ++za;
            while (zb < eb - 1 && *zb == L'0')
                ++zb;
            long la = static_cast<long>(ea - za), lb = static_cast<long>(eb - zb);
            c = la != lb ? (la < lb ? -1 : 1) : wcsncmp(za, zb, la);
        } else {
            c = CompareText(a, static_cast<int>(ea - a), b, static_cast<int>(eb - b));
        }
        if (c != 0)
            return c < 0 ? -1 : 1;
        a = ea;
        b = eb;
    }
    return *a ? 1 : (*b ? -1 : 0);
}

CStringCompositor::CStringCompositor(const CStringArray& arrNames) : m_pOrder(nullptr), m_nCount(0)
{
    m_nCount = static_cast<int>(arrNames.GetSize());
    m_pOrder = new int[m_nCount > 0 ? m_nCount : 1];
    std::iota(m_pOrder, m_pOrder + m_nCount, 0);
    std::stable_sort(m_pOrder, m_pOrder + m_nCount,
                     [&arrNames](int x, int y) { return Compare(arrNames[x], arrNames[y]) < 0; });
}

CStringCompositor::~CStringCompositor() { delete[] m_pOrder; }

void CStringCompositor::GetResult(CArray<int, int>& arrOrder) const
{
    arrOrder.SetSize(m_nCount);
    for (int i = 0; i < m_nCount; ++i)
        arrOrder[i] = m_pOrder[i];
}

void CStringCompositor::GetResult(CDWordArray& arrOrder) const
{
    arrOrder.SetSize(m_nCount);
    for (int i = 0; i < m_nCount; ++i)
        arrOrder[i] = static_cast<DWORD>(m_pOrder[i]);
}
