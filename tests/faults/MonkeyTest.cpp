// A long seeded session of random user steps over the sample project (clicks with and without
// Ctrl and Shift, keys, expanding, the count field, the layout, right clicks and one of the
// entries they offer with the answers its dialogs and boxes need), checking after every step
// that the tree still mirrors the file and keeps no handle of a removed item.
// COMTREE_MONKEY_STEPS and COMTREE_MONKEY_SEED change the length and the seed; the seed is
// printed, and a failure names the step and the script lines that led to it.
#include <windows.h>
#include <gtest/gtest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>
#include "DemoProcess.h"
#include "ScriptSession.h"
#include "tree/CompoentsTreeCtrl.h"

namespace {

unsigned EnvNumber(const char* pszName, unsigned nDefault)
{
    const char* p = getenv(pszName);
    return p && *p ? static_cast<unsigned>(strtoul(p, nullptr, 10)) : nDefault;
}

class CMonkey
{
public:
    CMonkey(CScriptSession& session, unsigned nSeed) : m_session(session), m_rng(nSeed) {}

    // One random step as script text (one action and what it needs answered).
    std::wstring NextStep()
    {
        std::vector<HTREEITEM> visible;
        HWND hTree = m_session.TreeWnd();
        for (HTREEITEM h = TreeView_GetRoot(hTree); h; h = TreeView_GetNextVisible(hTree, h))
            visible.push_back(h);
        if (visible.empty())
            return L"radio floor\n";
        const std::wstring path = m_session.PathOf(visible[Pick(visible.size())]);
        switch (Pick(20)) {
        case 0:
        case 1:
        case 2:
            return L"click " + path + L"\n";
        case 3:
            return L"click " + path + L" ctrl\n";
        case 4:
            return L"click " + path + L" shift\n";
        case 5:
        case 6: {
            static const wchar_t* const kKeys[] = { L"up",   L"down", L"left",  L"right",
                                                    L"home", L"end",  L"space", L"pagedown" };
            std::wstring step = L"key " + std::wstring(kKeys[Pick(8)]);
            if (Pick(3) == 0)
                step += Pick(2) ? L" shift" : L" ctrl";
            return step + L"\n";
        }
        case 7:
        case 8:
            return L"expand " + path + L"\n";
        case 9:
            return L"collapse " + path + L"\n";
        case 10: {
            static const wchar_t* const kCounts[] = { L"3", L"0.5", L"12", L"0", L"x", L"2.25" };
            return L"type " + std::wstring(kCounts[Pick(6)]) + L"\n";
        }
        case 11:
            return Pick(8) ? L"key f2\nedit M" + std::to_wstring(Pick(100)) + L"\n"
                           : L"key f2\nedit cancel\n";
        case 12:
            return Pick(10) == 0 ? (Pick(2) ? L"radio component\n" : L"radio floor\n")
                                 : L"host rename H" + std::to_wstring(Pick(100)) + L"\n";
        default:
            return MenuStep(path);
        }
    }

private:
    size_t Pick(size_t n) { return static_cast<size_t>(m_rng() % n); }

    // A right click and one of the enabled entries the menu offers, with its answers queued.
    std::wstring MenuStep(const std::wstring& path)
    {
        std::wstring out;
        m_session.Run(L"rclick " + path + L"\nchoose none\n", &out);
        std::vector<std::wstring> entries;
        size_t at = out.find(L"menu ");
        if (at == std::wstring::npos)
            return L"rclick " + path + L"\nchoose none\n";
        const std::wstring line = out.substr(at + 5, out.find(L'\n', at) - at - 5);
        std::wstring top;
        for (size_t i = 0; i <= line.size();) {
            size_t end = line.find(L'|', i);
            if (end == std::wstring::npos)
                end = line.size();
            std::wstring e = line.substr(i, end - i);
            i = end + 1;
            const bool bSub = !e.empty() && e[0] == L'>';
            if (bSub)
                e = e.substr(1);
            if (e.empty() || e == L"-")
                continue;
            const bool bGrayed = e.find(L":grayed") != std::wstring::npos;
            if (!bSub)
                top = bGrayed ? L"" : e;
            if (bGrayed || (bSub && top.empty()))
                continue;
            if (bSub && !entries.empty() && entries.back() == top)
                entries.pop_back(); // a submenu is chosen through its entries
            entries.push_back(bSub ? top + L" > " + e : e);
        }
        if (entries.empty())
            return L"rclick " + path + L"\nchoose none\n";
        const std::wstring entry = entries[Pick(entries.size())];
        std::wstring step = Pick(4) ? L"answer yes\n" : L"answer no\n";
        if (entry.find(L"构件向导") != std::wstring::npos)
            step += Pick(5) ? L"wizard 211\n" : L"wizard cancel\n";
        if (entry.find(L"重命名") != std::wstring::npos)
            step += L"rename R" + std::to_wstring(Pick(100)) + L"\n";
        return step + L"rclick " + path + L"\nchoose " + entry + L"\n";
    }

    CScriptSession& m_session;
    std::mt19937 m_rng;
};

TEST(MonkeyTest, ALongRandomSessionKeepsTheTreeTrueToTheFile)
{
    const unsigned nSteps = EnvNumber("COMTREE_MONKEY_STEPS", 1000);
    const unsigned nSeed = EnvNumber("COMTREE_MONKEY_SEED", 20261206);
    const std::wstring strPath = TempProjectPath(L"mky");
    CScriptSession session;
    std::wstring strWhy;
    ASSERT_TRUE(session.Open(strPath, &strWhy)) << Utf8(strWhy);
    CMonkey monkey(session, nSeed);
    std::deque<std::wstring> recent; // the last steps, for the report of a failure
    const auto start = std::chrono::steady_clock::now();
    unsigned nScriptErrors = 0;
    for (unsigned i = 1; i <= nSteps; ++i) {
        const std::wstring step = monkey.NextStep();
        std::wstring out;
        nScriptErrors += session.Run(step, &out) != 0;
        recent.push_back(step);
        if (recent.size() > 8)
            recent.pop_front();
        const std::wstring strBroken = session.CheckTree();
        if (!strBroken.empty()) {
            std::wstring strTrail;
            for (const auto& s : recent)
                strTrail += s;
            ADD_FAILURE() << "seed " << nSeed << " step " << i << ": " << Utf8(strBroken)
                          << "\nlast steps:\n"
                          << Utf8(strTrail) << "output:\n"
                          << Utf8(out);
            break;
        }
    }
    const double dSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("monkey seed %u steps %u seconds %.1f steps that could not run %u\n", nSeed, nSteps,
           dSeconds, nScriptErrors);
    session.Close();
    DeleteFileW(strPath.c_str());
}

} // namespace
