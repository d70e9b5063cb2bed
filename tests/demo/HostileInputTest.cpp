// What a hostile user and a failing disk do to the demo host, each case run as a user runs it:
// the demo as its own process on a sample project that the test damages, a data folder it
// writes, or a script it generates. Every run must end by itself, never wait on a box, and
// leave the file as it was unless a change was saved.
//   BadProjects   damaged, incomplete or strangely filled project files
//   BadRuleTexts  rule texts, pictures and typed texts that cannot be used as given
//   WriteFaults   writes the project file refuses
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ProjectConnection.h"
#include "DemoProcess.h"

namespace {

const wchar_t kSampleData[] = COMTREE_SAMPLE_DATA_DIR;
const char kBeams[] = "示例工程：某住宅楼 / 首层 / 梁 / 框架梁";

std::string Utf8(const std::wstring& w)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], n, nullptr, nullptr);
    return s;
}

std::wstring Wide(const std::string& s)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

int CountLines(const std::string& s)
{
    int n = 0;
    for (char c : s)
        n += c == '\n';
    return n;
}

class Hostile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_project = TempProjectPath(L"hst");
        ASSERT_EQ("", WriteSampleProject(m_project));
        m_dir = m_project + L".d";
        CreateDirectoryW(m_dir.c_str(), nullptr);
    }
    void TearDown() override
    {
        DeleteFileW(m_project.c_str());
        DeleteTree(m_dir);
    }
    static void DeleteTree(const std::wstring& dir)
    {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteTree(dir + L"\\" + name);
                else
                    DeleteFileW((dir + L"\\" + name).c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(dir.c_str());
    }

    void Sql(const wchar_t* sql)
    {
        CProjectConnection conn;
        ASSERT_TRUE(conn.Open(m_project.c_str(), FALSE));
        ASSERT_TRUE(conn.Execute(sql)) << Utf8(conn.GetLastErrorText());
    }
    std::string Rows(const wchar_t* sql)
    {
        CProjectConnection conn;
        std::vector<std::vector<std::wstring>> rows;
        if (!conn.Open(m_project.c_str(), FALSE) || !conn.Query(sql, {}, rows))
            return "<cannot read>";
        std::wstring out;
        for (const auto& row : rows) {
            for (size_t c = 0; c < row.size(); ++c)
                out += (c ? L"|" : L"") + row[c];
            out += L"\n";
        }
        return Utf8(out);
    }
    std::string Components() { return Rows(L"SELECT * FROM component ORDER BY id"); }

    RunResult Demo(const std::wstring& args, const std::wstring& data = kSampleData)
    {
        return RunProgram(L"comtree-demo.exe",
                          L"--project \"" + m_project + L"\" --data \"" + data + L"\" " + args);
    }
    // A data folder of the sample's files, TREE.xml replaced by the given bytes (none when
    // null), the pictures only when asked for.
    std::wstring DataFolder(const char* pszTree, bool bPictures = false)
    {
        const std::wstring data = m_dir + L"\\data";
        CreateDirectoryW(data.c_str(), nullptr);
        CopyFileW((std::wstring(kSampleData) + L"\\CreateComTREE.xml").c_str(),
                  (data + L"\\CreateComTREE.xml").c_str(), FALSE);
        DeleteFileW((data + L"\\TREE.xml").c_str());
        if (pszTree)
            WriteBytes(data + L"\\TREE.xml", pszTree);
        if (bPictures) {
            CreateDirectoryW((data + L"\\bmp").c_str(), nullptr);
            for (int n = 11; n <= 99; ++n) {
                const std::wstring name = L"\\bmp\\" + std::to_wstring(n) + L".bmp";
                CopyFileW((std::wstring(kSampleData) + name).c_str(), (data + name).c_str(), FALSE);
            }
            CopyFileW((std::wstring(kSampleData) + L"\\bmp\\blank.bmp").c_str(),
                      (data + L"\\bmp\\blank.bmp").c_str(), FALSE);
        }
        return data;
    }
    // Runs generated scripts (name, UTF-8 text) in one demo process, each on its own copy of
    // the project; per name the exit code, what it printed and why it stopped.
    struct Session
    {
        std::string exit, out, err;
    };
    std::vector<Session> Scripts(const std::vector<std::pair<std::string, std::string>>& scripts)
    {
        const std::wstring dir = m_dir + L"\\scripts", results = m_dir + L"\\results";
        CreateDirectoryW(dir.c_str(), nullptr);
        for (const auto& s : scripts)
            WriteBytes(dir + L"\\" + Wide(s.first) + L".txt", s.second);
        RunResult r = Demo(L"--scripts \"" + dir + L"\" --results \"" + results + L"\"");
        EXPECT_EQ(0u, r.exitCode) << r.err;
        std::vector<Session> sessions;
        for (const auto& s : scripts) {
            const std::wstring base = results + L"\\" + Wide(s.first);
            sessions.push_back({ FileBytes(base + L".exit"), FileBytes(base + L".out"),
                                 FileBytes(base + L".err") });
        }
        return sessions;
    }
    // The component rows of a session's copy (opening the sample gives its last floor the
    // folders it asks for, so the other tables change by design).
    std::string CopyComponents(const std::string& name)
    {
        const std::wstring saved = m_project;
        m_project = m_dir + L"\\results\\" + Wide(name) + L".sqlite";
        std::string t = Components();
        m_project = saved;
        return t;
    }

    std::wstring m_project, m_dir;
};

typedef Hostile BadProjects;
typedef Hostile BadRuleTexts;
typedef Hostile WriteFaults;

// ---- bad projects ----------------------------------------------------------------------

TEST_F(BadProjects, ADamagedOrIncompleteFileIsRefusedByNameAndLeftUntouched)
{
    struct Case
    {
        const wchar_t* sql; // run on the sample; null: the tables' root pages are overwritten
        const char* message;
    } cases[] = {
        { nullptr, "已损坏" },
        { L"DROP TABLE floor", "缺少数据表 floor" },
        { L"ALTER TABLE component DROP COLUMN volume", "数据表 component 缺少列 volume" },
    };
    const std::string sample = FileBytes(m_project);
    const std::string roots = Rows(L"SELECT rootpage FROM sqlite_master WHERE name IN"
                                   L" ('projectinfo', 'floor', 'comfolder', 'component')");
    const size_t nPage = std::stoul(Rows(L"PRAGMA page_size"));
    for (const Case& c : cases) {
        WriteBytes(m_project, sample);
        if (c.sql) {
            Sql(c.sql);
        } else {
            // Header and schema stay whole; the pages the tables start from do not.
            std::string bytes = sample;
            for (size_t at = 0; at < roots.size(); at = roots.find('\n', at) + 1) {
                const size_t nFirst = (std::stoul(roots.substr(at)) - 1) * nPage;
                ASSERT_LE(nFirst + nPage, bytes.size());
                for (size_t i = nFirst + 8; i < nFirst + nPage; ++i)
                    bytes[i] = (char)(i * 131 >> 3);
            }
            WriteBytes(m_project, bytes);
        }
        const std::string before = FileBytes(m_project);
        RunResult r = Demo(L"--dump");
        EXPECT_EQ(2u, r.exitCode) << c.message;
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
        EXPECT_EQ("", r.out) << c.message;
        EXPECT_TRUE(before == FileBytes(m_project)) << c.message << ": the file was changed";
    }
}

TEST_F(BadProjects, RepeatedFolderRowsArePlacedOnceAndReported)
{
    const std::string plain = Demo(L"--dump").out;
    // The folder table without its key, every row of the first floor there sixteen times.
    Sql(L"CREATE TABLE copy AS SELECT * FROM comfolder; DROP TABLE comfolder;"
        L"CREATE TABLE comfolder (comfolderid TEXT, floorid INTEGER, allowownercom INTEGER,"
        L" parentid TEXT, foldername TEXT, imageindex INTEGER, selectedindex INTEGER,"
        L" comtype INTEGER, allowadduserfolder INTEGER, initcreate INTEGER, volume REAL,"
        L" showid INTEGER);"
        L"INSERT INTO comfolder SELECT * FROM copy;"
        L"WITH RECURSIVE k(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM k WHERE n < 15)"
        L" INSERT INTO comfolder SELECT copy.* FROM copy, k"
        L" WHERE copy.floorid = (SELECT min(floorid) FROM copy);"
        L"DROP TABLE copy");
    RunResult r = Demo(L"--dump");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(plain, r.out) << "the tree of the file without the repeated rows";
    EXPECT_NE(std::string::npos, r.err.find("comtree-demo: box ")) << r.err;
    EXPECT_NE(std::string::npos, r.err.find("构件夹数据有重复")) << r.err;
}

TEST_F(BadProjects, ThreeThousandNestedUserFoldersBuildAndTotal)
{
    const int nPlain = CountLines(Demo(L"--dump").out);
    // Folders 1000..3999 on floor 1, each inside the one before, the first in 框架梁 (11); a
    // component two deep at the bottom.
    Sql(L"WITH RECURSIVE c(n) AS (SELECT 1000 UNION ALL SELECT n + 1 FROM c WHERE n < 3999)"
        L" INSERT INTO comfolder (comfolderid, floorid, allowownercom, parentid, foldername,"
        L" imageindex, selectedindex, comtype, allowadduserfolder, initcreate, volume, showid)"
        L" SELECT n, 1, 1, CASE n WHEN 1000 THEN '11' ELSE n - 1 END, 'U' || n, 0, 0, 111, 1, 1,"
        L" 1, n FROM c;"
        L"INSERT INTO component (floorid, folderid, comname, comtype, volume, showid)"
        L" VALUES (1, '3999', 'DEEP', 111, 2, 1)");
    RunResult r = Demo(L"--dump");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(nPlain + 3001, CountLines(r.out));
    const size_t at = r.out.find("DEEP*2\t");
    ASSERT_NE(std::string::npos, at);
    const size_t lineStart = r.out.rfind('\n', at) + 1;
    EXPECT_EQ(2u * (4 + 3000), at - lineStart) << "two spaces per depth";

    // A count on the outermost folder is multiplied into every component below it.
    auto sessions = Scripts(
        { { "deep",
            "expand 示例工程：某住宅楼 / 首层\n"
            "expand 示例工程：某住宅楼 / 首层 / 梁\n"
            "expand "
                + std::string(kBeams) + "\nclick " + kBeams
                + " / U1000*1\ntype 3\n"
                  "db SELECT sumvolume FROM component WHERE comname = 'DEEP'\n" } });
    EXPECT_EQ("0\n", sessions[0].exit) << sessions[0].err;
    EXPECT_EQ("6\n", sessions[0].out);
}

TEST_F(BadProjects, FractionalDisplayOrdersSortAsNumbers)
{
    Sql(L"UPDATE component SET showid = CASE id WHEN 10 THEN 2.5 WHEN 11 THEN 2.2 WHEN 12 THEN 1"
        L" WHEN 13 THEN 2.9 END WHERE id IN (10, 11, 12, 13)");
    RunResult r = Demo(L"--dump");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    const size_t k10 = r.out.find("KL-10*"), k2 = r.out.find("KL-2*"), k1 = r.out.find("KL-1*"),
                 k3 = r.out.find("KL-3*");
    for (size_t at : { k10, k2, k1, k3 })
        ASSERT_NE(std::string::npos, at) << r.out;
    EXPECT_TRUE(k10 < k2 && k2 < k1 && k1 < k3) << r.out.substr(k1 < k10 ? k1 : k10, 200);
}

// ---- bad rule texts, pictures and typed texts --------------------------------------------

TEST_F(BadRuleTexts, UnreadableFolderRulesNeverHoldARun)
{
    std::string nested = "<?xml version=\"1.0\"?>";
    for (int i = 0; i < 5000; ++i)
        nested += "<a>";
    struct Case
    {
        const char* text; // null: no TREE.xml
        bool bRefused;    // else read as rules without folders
    } cases[] = {
        { nullptr, true },
        { "", true },
        { "<?xml version=\"1.0\"?><Root><Folder", true },
        { nested.c_str(), true },
        { "<?xml version=\"1.0\" encoding=\"UTF-16\"?><Root/>", false },
        { "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY e \"&#x41;\">]><Root>&e;</Root>", false },
    };
    for (const Case& c : cases) {
        const std::wstring data = DataFolder(c.text);
        for (const wchar_t* mode : { L"--dump", L"--screenshot \"shot.png\"" }) {
            // The first floor asks for its folders, so the build reads the rules.
            Sql(L"UPDATE floor SET createmode = 1 WHERE id = (SELECT min(id) FROM floor)");
            RunResult r = Demo(mode, data);
            const std::string what = std::string(c.text ? c.text : "<missing>").substr(0, 80);
            EXPECT_EQ(0u, r.exitCode) << what << r.err;
            EXPECT_EQ(c.bRefused, r.err.find("comtree-demo: box ") != std::string::npos) << what;
            EXPECT_EQ(c.bRefused, r.err.find("读取规则失败") != std::string::npos) << what;
        }
    }
}

TEST_F(BadRuleTexts, BadPicturesGetTheBlankOne)
{
    const std::wstring data = DataFolder(nullptr, true);
    const std::string good = FileBytes(data + L"\\bmp\\11.bmp");
    std::string absurd = good;
    absurd[18] = absurd[19] = absurd[20] = '\x7f'; // width near 8 million
    std::string random(4854, '\0');
    for (size_t i = 0; i < random.size(); ++i)
        random[i] = (char)(i * 2654435761u >> 13);
    random[0] = 'B';
    random[1] = 'M';
    WriteBytes(data + L"\\bmp\\11.bmp", good.substr(0, 300)); // truncated
    WriteBytes(data + L"\\bmp\\12.bmp", "");
    WriteBytes(data + L"\\bmp\\13.bmp", random);
    WriteBytes(data + L"\\bmp\\14.bmp", absurd);
    const std::wstring png = m_dir + L"\\wizard.png";
    RunResult r = RunProgram(L"comtree-demo.exe",
                             L"--data \"" + data + L"\" --wizard 111 --screenshot \"" + png
                                 + L"\"");
    EXPECT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ("\x89PNG", FileBytes(png).substr(0, 4));
}

TEST_F(BadRuleTexts, CountsBeyondTheStoredTypeAreRefusedAtOnce)
{
    const std::string select = "expand 示例工程：某住宅楼 / 首层\n"
                               "expand 示例工程：某住宅楼 / 首层 / 梁\n"
                               "expand "
        + std::string(kBeams) + "\nclick " + kBeams + " / KL-1*2\n";
    const std::string before = Components();
    auto sessions = Scripts({
        { "nines", select + "type " + std::string(39, '9') + "\nlog\n" },
        { "huge", select + "type " + std::string(5 << 20, '1') + "\nlog\n" },
    });
    const char* const expected[] = { "box 错误提示|数量超出范围|0 -> ok",
                                     "box 错误提示|数量的位数太多|0 -> ok" };
    for (size_t i = 0; i < sessions.size(); ++i) {
        EXPECT_EQ("0\n", sessions[i].exit) << sessions[i].err.substr(0, 300);
        EXPECT_NE(std::string::npos, sessions[i].out.find(expected[i]))
            << sessions[i].out.substr(0, 300);
    }
    EXPECT_TRUE(before == CopyComponents("nines"));
    EXPECT_TRUE(before == CopyComponents("huge"));
}

TEST_F(BadRuleTexts, ScriptedStatementsOnlyReadAndAreBounded)
{
    struct Case
    {
        const char* name;
        std::string sql;
        const char* why;
    } cases[] = {
        { "heap", "PRAGMA hard_heap_limit = 1", "only a SELECT" },
        { "lock", "PRAGMA locking_mode = EXCLUSIVE", "only a SELECT" },
        { "pages", "PRAGMA max_page_count = 1", "only a SELECT" },
        { "busy", "PRAGMA busy_timeout = 1", "only a SELECT" },
        { "optimize", "PRAGMA optimize", "only a SELECT" },
        { "rows",
          "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < 5000)"
          " SELECT x FROM c",
          "more than 1000 rows" },
        { "forever",
          "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c)"
          " SELECT count(*) FROM c",
          "stopped after" },
        { "long", "SELECT '" + std::string(2000, 'x') + "' FROM nowhere", "no such table" },
    };
    std::vector<std::pair<std::string, std::string>> scripts;
    for (const Case& c : cases)
        scripts.push_back({ c.name, "db " + c.sql + "\n" });
    auto sessions = Scripts(scripts);
    for (size_t i = 0; i < sessions.size(); ++i) {
        const Session& s = sessions[i];
        EXPECT_EQ("3\n", s.exit) << cases[i].name;
        EXPECT_NE(std::string::npos, s.err.find(cases[i].why)) << s.err.substr(0, 300);
        const size_t echo = s.err.find(": db ");
        ASSERT_NE(std::string::npos, echo) << s.err.substr(0, 300);
        EXPECT_LE(Wide(s.err.substr(echo + 2)).size(), 201u) << "an echo of at most 200";
    }
}

// ---- write faults ------------------------------------------------------------------------

TEST_F(WriteFaults, ARefusedCountIsToldOnceAndTheFileAndScreenKeepTheStoredOne)
{
    // Storing the shown count again on selection passes; a new count does not.
    Sql(L"CREATE TRIGGER audit BEFORE UPDATE OF volume ON component"
        L" WHEN NEW.volume <> OLD.volume BEGIN SELECT RAISE(ABORT, 'audit'); END");
    const std::string before = Components();
    const std::string steps =
        "expand 示例工程：某住宅楼 / 首层\nexpand 示例工程：某住宅楼 / 首层 / 梁\n"
        "expand "
        + std::string(kBeams) + "\nclick " + kBeams + " / KL-1*2\nlog\n";
    auto sessions = Scripts({
        { "kept", steps + "type 7\nlog\nfield\ndump " + kBeams + " / KL-1*2\n" },
        { "reload", steps + "answer ok\nanswer yes\ntype 7\nlog\ndump " + kBeams + "\n" },
    });
    for (const Session& s : sessions) {
        EXPECT_EQ("0\n", s.exit) << s.err;
        size_t first = s.out.find("|保存失败：");
        ASSERT_NE(std::string::npos, first) << s.out;
        EXPECT_EQ(std::string::npos, s.out.find("|保存失败：", first + 1)) << "told once";
        EXPECT_NE(std::string::npos, s.out.find("重新载入工程")) << s.out;
        EXPECT_NE(std::string::npos, s.out.find("KL-1*2\tcomponent 1 10 111 2 ")) << s.out;
        EXPECT_EQ(std::string::npos, s.out.find("KL-1*7")) << s.out;
    }
    EXPECT_NE(std::string::npos, sessions[0].out.find("field '2' enabled")) << sessions[0].out;
    EXPECT_TRUE(before == CopyComponents("kept"));
    EXPECT_TRUE(before == CopyComponents("reload"));
}

} // namespace
