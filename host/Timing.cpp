#include "Timing.h"
#include <map>
#include <mutex>
#include <string>

namespace {

struct Record
{
    std::wstring group;
    int count = 0;
    double total = 0, last = 0, max = 0;
};

std::mutex& Lock()
{
    static std::mutex m;
    return m;
}

std::map<std::wstring, Record>& Records()
{
    static std::map<std::wstring, Record> records;
    return records;
}

LONGLONG Now()
{
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double ToMilliseconds(LONGLONG ticks)
{
    static LONGLONG freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return ticks * 1000.0 / static_cast<double>(freq);
}

template <typename F>
auto WithRecord(LPCTSTR label, F f, decltype(f(*(Record*)nullptr)) none)
{
    std::lock_guard<std::mutex> guard(Lock());
    auto it = Records().find(label ? label : L"");
    return it == Records().end() ? none : f(it->second);
}

} // namespace

CTiming::CTiming(LPCTSTR pszLabel, bool bEnabled, LPCTSTR pszGroup, bool bTrace)
    : m_strLabel(pszLabel ? pszLabel : L""), m_strGroup(pszGroup ? pszGroup : L""),
      m_bEnabled(bEnabled), m_bTrace(bTrace), m_nStart(bEnabled ? Now() : 0)
{}

CTiming::~CTiming()
{
    if (!m_bEnabled)
        return;
    double ms = ElapsedMilliseconds();
    {
        std::lock_guard<std::mutex> guard(Lock());
        Record& r = Records()[m_strLabel.GetString()];
        r.group = m_strGroup.GetString();
        ++r.count;
        r.total += ms;
        r.last = ms;
        if (ms > r.max)
            r.max = ms;
    }
    if (m_bTrace) {
        CString line;
        line.Format(L"%s [%s]: %.3f ms\n", m_strLabel.GetString(), m_strGroup.GetString(), ms);
        OutputDebugStringW(line);
    }
}

double CTiming::ElapsedMilliseconds() const
{
    return m_bEnabled ? ToMilliseconds(Now() - m_nStart) : 0.0;
}

int CTiming::GetCount(LPCTSTR pszLabel)
{
    return WithRecord(
        pszLabel, [](Record& r) { return r.count; }, 0);
}

double CTiming::GetTotalMilliseconds(LPCTSTR pszLabel)
{
    return WithRecord(
        pszLabel, [](Record& r) { return r.total; }, 0.0);
}

double CTiming::GetLastMilliseconds(LPCTSTR pszLabel)
{
    return WithRecord(
        pszLabel, [](Record& r) { return r.last; }, 0.0);
}

double CTiming::GetMaxMilliseconds(LPCTSTR pszLabel)
{
    return WithRecord(
        pszLabel, [](Record& r) { return r.max; }, 0.0);
}

CString CTiming::GetGroup(LPCTSTR pszLabel)
{
    return CString(WithRecord(
                       pszLabel, [](Record& r) { return r.group; }, std::wstring())
                       .c_str());
}

void CTiming::GetLabels(CStringArray& arrLabels)
{
    std::lock_guard<std::mutex> guard(Lock());
    arrLabels.RemoveAll();
    for (const auto& kv : Records())
        arrLabels.Add(CString(kv.first.c_str()));
}

void CTiming::Reset(LPCTSTR pszLabel)
{
    std::lock_guard<std::mutex> guard(Lock());
    if (pszLabel)
        Records().erase(pszLabel);
    else
        Records().clear();
}
