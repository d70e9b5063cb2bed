// Every editing command run with one statement failing, at each statement it executes in
// turn, on a fresh copy of the sample project: the project file afterwards holds either what
// it held before the command or what the command writes when nothing fails, never a state
// between, and the process goes on. Where the host tells the user of the failure
// ("保存失败", or a command's own "项目数据写入失败"), the runs that told it are counted.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "ComTreeHost.h"
#include "DemoProcess.h"
#include "ScriptSession.h"
#include "StatementFaults.h"

namespace {

#define P L"示例工程：某住宅楼 / "
#define BEAMS P L"首层 / 梁 / 框架梁"
#define OPEN_BEAMS L"expand " P L"首层\nexpand " P L"首层 / 梁\nexpand " BEAMS L"\n"
#define OPEN_COLUMNS L"expand " P L"首层\nexpand " P L"首层 / 柱\n"

struct FaultCase
{
    const wchar_t* pszName;
    const wchar_t* pszSetup;   // run before the project is read as "before"
    const wchar_t* pszCommand; // the command, run with the fault armed
};

const FaultCase kCases[] = {
    { L"count edit", OPEN_BEAMS L"click " BEAMS L" / KL-1*2\n", L"type 3\n" },
    { L"layout switch", L"", L"radio component\n" },
    { L"add floor", L"", L"menu 工程(&F) > 添加楼层\nmenu 工程(&F) > 保存(&S)\n" },
    { L"add listed folder", L"expand " P L"首层\n",
      L"rclick " P L"首层 / 梁\nchoose 添加(&T) > 承台梁\nmenu 工程(&F) > 保存(&S)\n" },
    { L"add user folder", OPEN_BEAMS,
      L"rclick " BEAMS L"\nchoose 添加(&T) > 添加自定义文件夹(&U)\n" },
    { L"add component", OPEN_COLUMNS,
      L"wizard 211\nrclick " P L"首层 / 柱 / 框架柱\nchoose 添加(&T) > 构件向导(&G)\n" },
    { L"add custom component", OPEN_COLUMNS,
      L"rclick " P L"首层 / 柱 / 框架柱\nchoose 添加(&T) > 新增自定义构件(&O)\n" },
    { L"rename by dialog", OPEN_BEAMS,
      L"rclick " BEAMS L" / KL-1*2\nrename KL-9\nchoose 重命名(&R)\n" },
    { L"rename folder by dialog", OPEN_BEAMS,
      L"rclick " BEAMS L"\nrename 框架梁甲\nchoose 重命名(&R)\n" },
    { L"rename in place", OPEN_BEAMS L"click " BEAMS L" / KL-1*2\n",
      L"click " BEAMS L" / KL-1*2\nwait 800\nedit KL-9\n" },
    { L"rename by host", OPEN_BEAMS L"click " BEAMS L" / KL-1*2\n", L"host rename KL-9\n" },
    { L"delete component", OPEN_BEAMS,
      L"rclick " BEAMS L" / KL-2*2\nanswer yes\nchoose 删除(&D)\n" },
    { L"delete folder", L"expand " P L"二层\nexpand " P L"二层 / 梁\n",
      L"rclick " P L"二层 / 梁 / 标准层梁*3\nanswer yes\nchoose 删除(&D)\n" },
    { L"copy", OPEN_BEAMS, L"rclick " BEAMS L" / KL-3*1.500\nchoose 复制(&C)\n" },
    { L"paste component", OPEN_BEAMS L"rclick " BEAMS L" / KL-3*1.500\nchoose 复制(&C)\n",
      L"rclick " BEAMS L"\nchoose 粘贴(&V)\n" },
    { L"cut and paste folder",
      L"expand " P L"二层\nexpand " P L"二层 / "
      L"梁\nexpand"
      L" " P L"首层\nexpand"
      L" " P L"首层 / "
      L"梁\nrclick"
      L" " P L"二层 / 梁 / 标准层梁*3\nchoose "
      L"剪切(&X)\n",
      L"rclick " P L"首层 / 梁\nchoose 粘贴(&V)\n" },
    { L"paste rule folder",
      OPEN_COLUMNS L"expand " P L"二层\nrclick " P L"首层 / 柱 / 框架柱\nchoose 复制(&C)\n",
      L"rclick " P L"二层 / 柱\nchoose 粘贴(&V)\n" },
    { L"quick copy", OPEN_BEAMS, L"rclick " BEAMS L" / KL-10*1\nchoose 快速复制(&Q)\n" },
    { L"multi-node copy",
      OPEN_BEAMS L"click " BEAMS L" / KL-1*2\nclick " BEAMS L" / KL-3*1.500 ctrl\n",
      L"rclick " BEAMS L" / KL-3*1.500\nchoose 复制\n" },
    { L"multi-node copy and paste",
      OPEN_BEAMS L"expand " P L"二层\nexpand " P L"二层 / 柱\nclick " BEAMS L" / KL-1*2\nclick " BEAMS L" / KL-3*1.500 ctrl\nrclick " BEAMS L" / KL-3*1.500\nchoose 复制\nclick " P L"二层 / 柱 / 框架柱\n",
      L"command 32774\n" },
    { L"multi-node cut and paste",
      OPEN_BEAMS L"expand " P L"二层\nexpand " P L"二层 / 梁\nclick " BEAMS L" / KL-1*2\nclick " BEAMS L" / KL-10*1 shift\nrclick " BEAMS L" / KL-2*2\nchoose 剪切\nclick " P L"二层 / 梁 / 框架梁\n",
      L"command 32774\n" },
    { L"multi-node delete",
      OPEN_COLUMNS L"expand " P L"首层 / 柱 / 框架柱\nexpand " P L"首层 / 柱 / "
                   L"构造柱\nclick"
                   L" " P L"首层 / 柱 / 框架柱 / "
                   L"KZ-1*"
                   L"12\nclick"
                   L" " P L"首层 / 柱 / "
                   L"构造柱 / GZ-1*6 "
                   L"ctrl\n",
      L"answer yes\nrclick " P L"首层 / 柱 / 构造柱 / GZ-1*6\nchoose 删除\n" },
    { L"move",
      OPEN_COLUMNS L"expand " P L"首层 / 柱 / 框架柱\nclick " P L"首层 / 柱 / 框架柱 / KZ-1*12\n",
      L"host move 16 22\ndblclick " P L"首层 / 柱 / 框架柱 / KZ-1*12\n" },
};

int CountOf(const std::wstring& text, const std::wstring& what)
{
    int n = 0;
    for (size_t at = text.find(what); at != std::wstring::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

// The first line of text that differs from model, for the report.
std::wstring FirstDifference(const std::wstring& text, const std::wstring& model)
{
    size_t i = 0;
    while (i < text.size() && i < model.size() && text[i] == model[i])
        ++i;
    const size_t from = text.rfind(L'\n', i) == std::wstring::npos ? 0 : text.rfind(L'\n', i) + 1;
    return text.substr(from, text.find(L'\n', i) - from);
}

class FaultsTest : public ::testing::Test
{
protected:
    void SetUp() override { m_strPath = TempProjectPath(L"flt"); }
    void TearDown() override
    {
        m_session.Close();
        DeleteFileW(m_strPath.c_str());
    }

    // Opens a fresh copy, runs the setup, then the command with the fault at nth (0: none).
    // Returns false when the session could not be set up; fills the tables and the output.
    bool RunOnce(const FaultCase& c, int nth, std::wstring& before, std::wstring& after,
                 int& nStatements, std::wstring& out)
    {
        std::wstring strWhy;
        if (!m_session.Open(m_strPath, &strWhy)) {
            ADD_FAILURE() << c.pszName;
            return false;
        }
        // The item a command's menu is opened on is selected first: selecting stores the
        // totals the selection shows, a change of its own.
        std::wstring strSetup = c.pszSetup;
        const std::wstring strCommand = c.pszCommand;
        const size_t at = strCommand.find(L"rclick ");
        if (at != std::wstring::npos) {
            const std::wstring strClick = L"click "
                + strCommand.substr(at + 7, strCommand.find(L'\n', at) - at - 7);
            if (strSetup.find(strClick) == std::wstring::npos) // not already selected
                strSetup += strClick + L"\n";
        }
        std::wstring strSetupOut;
        if (m_session.Run(strSetup, &strSetupOut) != 0) {
            ADD_FAILURE() << "setup of " << Utf8(c.pszName) << ": " << Utf8(strSetupOut);
            return false;
        }
        before = CScriptSession::Tables();
        KxStatementFaultArm(nth);
        m_session.Run(std::wstring(c.pszCommand) + L"log\n", &out);
        nStatements = KxStatementFaultDisarm();
        after = CScriptSession::Tables();
        m_session.Close();
        return true;
    }

    std::wstring m_strPath;
    CScriptSession m_session;
};

TEST_F(FaultsTest, EveryStatementOfEveryCommandFailsWithoutLeavingTheFileBetween)
{
    int nPairs = 0, nPassed = 0, nTold = 0;
    // COMTREE_FAULT_CASE runs only the commands whose name contains it.
    const char* pszOnly = getenv("COMTREE_FAULT_CASE");
    for (const FaultCase& c : kCases) {
        if (pszOnly && *pszOnly && Utf8(c.pszName).find(pszOnly) == std::string::npos)
            continue;
        std::wstring before, after, out;
        int nStatements = 0;
        if (!RunOnce(c, 0, before, after, nStatements, out))
            continue;
        int nCasePassed = 0, nCaseTold = 0;
        for (int nth = 1; nth <= nStatements; ++nth) {
            std::wstring b, a, o;
            int n = 0;
            if (!RunOnce(c, nth, b, a, n, o))
                break;
            ++nPairs;
            EXPECT_EQ(before, b) << "the setup is not repeatable";
            const bool bGood = a == before || a == after;
            EXPECT_TRUE(bGood) << Utf8(c.pszName) << " with statement " << nth << " of "
                               << nStatements << " failing leaves the file between: "
                               << Utf8(FirstDifference(a, after))
                               << " (after the command: " << Utf8(FirstDifference(after, a))
                               << "; before: " << Utf8(FirstDifference(before, a)) << ")\n"
                               << Utf8(o);
            nCasePassed += bGood;
            nCaseTold += CountOf(o, L"保存失败") + CountOf(o, L"写入失败") > 0;
        }
        nPassed += nCasePassed;
        nTold += nCaseTold;
        printf("fault %s: %s, statements %d passed %d told %d\n", Utf8(c.pszName).c_str(),
               before == after ? "writes nothing" : "writes", nStatements, nCasePassed, nCaseTold);
    }
    printf("fault pairs %d passed %d told %d\n", nPairs, nPassed, nTold);
    fflush(stdout);
    EXPECT_EQ(nPairs, nPassed);
    EXPECT_GT(nPairs, 0);
}

} // namespace
