// comtree-demo.exe run as a user runs it: a separate process on a sample project written by
// make-sample-project.exe, its stdout, stderr and exit code read back, and the project file
// inspected afterwards. What the dump says is checked against the file's own rows.
#include <windows.h>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>
#include "ProjectConnection.h"
#include "DemoProcess.h"

#ifndef COMTREE_SAMPLE_DATA_DIR
#error "COMTREE_SAMPLE_DATA_DIR names the source tree's samples/data"
#endif

namespace {

std::wstring Utf8ToWide(const std::string& s)
{
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), (int)s.size(), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), (int)s.size(), &w[0], n);
    return w;
}

// One dump line, split into its parts.
struct DumpLine
{
    int depth;
    std::wstring label, kind, id;
    int floorId, comType, image, selectedImage;
    double volume;
};

std::vector<DumpLine> ParseDump(const std::string& utf8)
{
    std::vector<DumpLine> lines;
    std::wstring text = Utf8ToWide(utf8);
    static const std::wregex kLine(L"^((?:  )*)([^\\t]*)\\t(project|floor|folder|component) "
                                   L"(-?\\d+) (\\S+) (-?\\d+) (\\S+) (-?\\d+)/(-?\\d+)$");
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(L'\n', at);
        std::wstring line = text.substr(at,
                                        end == std::wstring::npos ? std::wstring::npos : end - at);
        at = end == std::wstring::npos ? text.size() : end + 1;
        std::wsmatch m;
        EXPECT_TRUE(std::regex_match(line, m, kLine)) << "malformed dump line";
        if (m.empty())
            continue;
        DumpLine d;
        d.depth = (int)m[1].length() / 2;
        d.label = m[2];
        d.kind = m[3];
        d.floorId = std::stoi(m[4]);
        d.id = m[5];
        d.comType = std::stoi(m[6]);
        d.volume = std::stod(m[7]);
        d.image = std::stoi(m[8]);
        d.selectedImage = std::stoi(m[9]);
        lines.push_back(d);
    }
    return lines;
}

class DemoTest : public ::testing::Test
{
protected:
    void SetUp() override { m_strPath = TempProjectPath(L"dmo"); }
    void TearDown() override { DeleteFileW(m_strPath.c_str()); }

    void MakeSample() { ASSERT_EQ("", WriteSampleProject(m_strPath)); }
    RunResult Demo(const std::wstring& extra)
    {
        return RunProgram(L"comtree-demo.exe",
                          L"--project \"" + m_strPath + L"\" --data \""
                              + std::wstring(COMTREE_SAMPLE_DATA_DIR) + L"\" " + extra);
    }
    std::vector<std::vector<std::wstring>> Rows(const wchar_t* sql,
                                                const std::vector<std::wstring>& params = {})
    {
        CProjectConnection conn;
        std::vector<std::vector<std::wstring>> rows;
        EXPECT_TRUE(conn.Open(m_strPath.c_str(), FALSE));
        EXPECT_TRUE(conn.Query(sql, params, rows)) << conn.GetLastErrorText().c_str();
        return rows;
    }
    void Exec(const wchar_t* sql, const std::vector<std::wstring>& params)
    {
        CProjectConnection conn;
        ASSERT_TRUE(conn.Open(m_strPath.c_str(), FALSE));
        ASSERT_TRUE(conn.ExecuteBound(sql, params));
    }
    // Every component row as the dump shows it: "floor|id|type|volume|name".
    std::multiset<std::wstring> ComponentsInFile()
    {
        std::multiset<std::wstring> out;
        for (auto& r : Rows(L"SELECT floorid, id, comtype, volume, comname FROM component "
                            L"WHERE floorid IN (SELECT id FROM floor)"))
            out.insert(r[0] + L"|" + r[1] + L"|" + r[2] + L"|" + std::to_wstring(std::stod(r[3]))
                       + L"|" + r[4]);
        return out;
    }
    static std::multiset<std::wstring> ComponentsInDump(const std::vector<DumpLine>& lines)
    {
        std::multiset<std::wstring> out;
        for (const DumpLine& d : lines) {
            if (d.kind != L"component")
                continue;
            std::wstring name = d.label.substr(0, d.label.find(L'*'));
            out.insert(std::to_wstring(d.floorId) + L"|" + d.id + L"|" + std::to_wstring(d.comType)
                       + L"|" + std::to_wstring((double)(float)d.volume) + L"|" + name);
        }
        return out;
    }

    std::wstring m_strPath;
};

// The pre-order shape every dump has: one project line first, indents growing one step at a
// time, components and folders only below floors.
void ExpectWellFormed(const std::vector<DumpLine>& lines, const std::wstring& projectName)
{
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(0, lines[0].depth);
    EXPECT_EQ(projectName, lines[0].label);
    EXPECT_EQ(L"project", lines[0].kind);
    EXPECT_EQ(L"-", lines[0].id);
    EXPECT_EQ(11, lines[0].image);
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_GE(lines[i].depth, 1);
        EXPECT_LE(lines[i].depth, lines[i - 1].depth + 1);
        if (lines[i].kind == L"component") {
            EXPECT_EQ(10, lines[i].image);
            EXPECT_NE(std::wstring::npos, lines[i].label.find(L'*'));
        }
        if (lines[i].kind == L"floor") {
            EXPECT_EQ(9, lines[i].image);
        }
    }
}

} // namespace

TEST_F(DemoTest, DumpByFloorListsEveryFloorAndComponentOfTheFile)
{
    MakeSample();
    RunResult r = Demo(L"--dump");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    std::vector<DumpLine> lines = ParseDump(r.out);
    std::wstring name =
        Rows(L"SELECT parmvalue FROM projectinfo WHERE parmname = 'ProjectName'").at(0).at(0);
    ExpectWellFormed(lines, name);

    // Floors directly under the project, in display order.
    std::vector<std::wstring> floorsInDump, floorsInFile;
    for (const DumpLine& d : lines) {
        if (d.depth == 1) {
            EXPECT_EQ(L"floor", d.kind);
            floorsInDump.push_back(std::to_wstring(d.floorId));
        }
    }
    for (auto& row : Rows(L"SELECT id FROM floor ORDER BY showid"))
        floorsInFile.push_back(row[0]);
    EXPECT_EQ(floorsInFile, floorsInDump);

    // Each component once, under its own floor, with the file's values.
    EXPECT_EQ(ComponentsInFile(), ComponentsInDump(lines));
    int floorOfBranch = -1;
    for (const DumpLine& d : lines) {
        if (d.kind == L"floor") {
            floorOfBranch = d.floorId;
        } else if (d.depth > 1) {
            EXPECT_EQ(floorOfBranch, d.floorId) << d.label.c_str();
        }
    }
}

TEST_F(DemoTest, DumpByComponentStartsFromTheCategoriesOfTheFoundationFloor)
{
    MakeSample();
    Exec(L"INSERT OR REPLACE INTO projectinfo (parmname, parmvalue) VALUES ('GJJG', ?1)",
         { L"按构件" });
    RunResult r = Demo(L"--dump");
    ASSERT_EQ(0u, r.exitCode) << r.err;
    std::vector<DumpLine> lines = ParseDump(r.out);
    ExpectWellFormed(
        lines,
        Rows(L"SELECT parmvalue FROM projectinfo WHERE parmname = 'ProjectName'").at(0).at(0));

    std::vector<std::wstring> categories;
    for (const DumpLine& d : lines) {
        if (d.depth == 1) {
            EXPECT_EQ(L"folder", d.kind);
            int id = std::stoi(d.id);
            EXPECT_TRUE(id % 10 == 0 && id < 99) << d.id.c_str();
            EXPECT_EQ(L"1",
                      Rows(L"SELECT COUNT(*) FROM comfolder WHERE floorid = 0 AND comfolderid = ?1",
                           { d.id })[0][0])
                << d.id.c_str();
            categories.push_back(d.id);
        } else if (d.depth == 2) {
            EXPECT_EQ(L"floor", d.kind);
        }
    }
    EXPECT_FALSE(categories.empty());
    // Under the foundation category 50 there is one floor.
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].depth == 1 && lines[i].id == L"50") {
            int floors = 0;
            for (size_t j = i + 1; j < lines.size() && lines[j].depth > 1; ++j)
                floors += lines[j].depth == 2;
            EXPECT_EQ(1, floors);
        }
    }
    // No component is invented, none is listed twice.
    std::multiset<std::wstring> inDump = ComponentsInDump(lines), inFile = ComponentsInFile();
    EXPECT_FALSE(inDump.empty());
    for (const std::wstring& c : inDump) {
        EXPECT_EQ(1u, inDump.count(c));
        EXPECT_EQ(1u, inFile.count(c)) << c.c_str();
    }
}

TEST_F(DemoTest, OpeningTwiceGivesAFloorItsFoldersOnce)
{
    MakeSample();
    auto pending = Rows(L"SELECT id FROM floor WHERE createmode = 1");
    ASSERT_FALSE(pending.empty()) << "the sample leaves a floor for the module to fill";
    const std::wstring floorId = pending[0][0];
    ASSERT_EQ(L"0", Rows(L"SELECT COUNT(*) FROM comfolder WHERE floorid = ?1", { floorId })[0][0]);

    RunResult first = Demo(L"--dump");
    ASSERT_EQ(0u, first.exitCode) << first.err;
    const std::wstring foldersAfterFirst = Rows(L"SELECT COUNT(*) FROM comfolder")[0][0];
    EXPECT_NE(L"0", Rows(L"SELECT COUNT(*) FROM comfolder WHERE floorid = ?1", { floorId })[0][0]);
    EXPECT_EQ(L"0", Rows(L"SELECT COUNT(*) FROM floor WHERE createmode = 1")[0][0]);

    RunResult second = Demo(L"--dump");
    ASSERT_EQ(0u, second.exitCode) << second.err;
    EXPECT_EQ(foldersAfterFirst, Rows(L"SELECT COUNT(*) FROM comfolder")[0][0]);
    EXPECT_TRUE(Rows(L"SELECT comfolderid, floorid FROM comfolder GROUP BY comfolderid, floorid "
                     L"HAVING COUNT(*) > 1")
                    .empty());
    EXPECT_EQ(first.out, second.out);
}

TEST_F(DemoTest, MissingOrBadProjectFilesAreRefusedAndLeftAsTheyWere)
{
    // Missing: nothing is created.
    RunResult missing = Demo(L"--dump");
    EXPECT_EQ(2u, missing.exitCode);
    EXPECT_TRUE(missing.out.empty());
    EXPECT_FALSE(missing.err.empty());
    EXPECT_EQ("<missing>", FileBytes(m_strPath));

    // Not a database, and a database without the project tables: byte for byte unchanged.
    const std::string text = "这不是工程文件\r\nnot a project\r\n";
    WriteBytes(m_strPath, text);
    RunResult bad = Demo(L"--dump");
    EXPECT_EQ(2u, bad.exitCode);
    EXPECT_TRUE(bad.out.empty());
    EXPECT_NE(std::string::npos, bad.err.find("comtree-demo: ")) << bad.err;
    EXPECT_EQ(text, FileBytes(m_strPath));

    DeleteFileW(m_strPath.c_str());
    {
        CProjectConnection conn;
        ASSERT_TRUE(conn.Open(m_strPath.c_str(), TRUE));
        ASSERT_TRUE(conn.Execute(L"CREATE TABLE notes (body TEXT)"));
    }
    const std::string before = FileBytes(m_strPath);
    RunResult other = Demo(L"--dump");
    EXPECT_EQ(2u, other.exitCode);
    EXPECT_FALSE(other.err.empty());
    EXPECT_EQ(before, FileBytes(m_strPath));
}

TEST_F(DemoTest, ScreenshotWritesAPictureOfTheMainWindow)
{
    MakeSample();
    std::wstring png = m_strPath + L".png";
    RunResult r = Demo(L"--screenshot \"" + png + L"\"");
    EXPECT_EQ(0u, r.exitCode) << r.err;
    std::string bytes = FileBytes(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string("\x89PNG\r\n\x1a\n", 8), bytes.substr(0, 8));
    DeleteFileW(png.c_str());
}
