// The sample and benchmark project builders, run as the demo and the benchmarks run them, and
// their projects read back through the host's own classes.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"
#include <memory>
#include <set>

namespace {

// Runs a program of the build folder (the suite's working folder) and returns its exit code.
DWORD RunBuilt(const std::wstring& commandLine)
{
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = commandLine;
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 0xFFFFFFFF;
    WaitForSingleObject(pi.hProcess, 120000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code;
}

} // namespace

TEST(SampleBuilders, SampleProjectIsRealisticAndConsistent)
{
    std::wstring path = TempFilePath(L"示例");
    ASSERT_EQ(0u, RunBuilt(L"make-sample-project.exe \"" + path + L"\""));
    CString error;
    ASSERT_TRUE(CProjectDatabase::Open(path.c_str(), &error)) << Narrow(error);
    EXPECT_FALSE(CAccessProject_ProjectInfoTable().GetProjectName().IsEmpty());

    std::unique_ptr<CSQLDataSet> floors(CAccessProject_FloorTable().GetSortDataSet());
    ASSERT_GE(floors->GetRowCount(), 3);
    EXPECT_EQ(0, floors->GetAsInteger(L"id", 1)) << "the foundation floor comes first";
    std::set<int> pendingFloors;
    for (int r = 1; r <= floors->GetRowCount(); ++r)
        if (floors->GetAsInteger(L"createmode", r) == 1)
            pendingFloors.insert(floors->GetAsInteger(L"id", r));

    std::unique_ptr<CSQLDataSet> folders(CAccessProject_ComFolderTable().GetDataSet());
    std::set<std::pair<int, std::wstring>> folderKeys;
    bool userFolderWithCount = false;
    for (int r = 1; r <= folders->GetRowCount(); ++r) {
        folderKeys.insert({ folders->GetAsInteger(L"floorid", r),
                            folders->GetAsString(L"comfolderid", r).GetString() });
        if (folders->GetAsInteger(L"comfolderid", r) >= 100
            && folders->GetAsFloat(L"volume", r) > 1)
            userFolderWithCount = true;
        CString parent = folders->GetAsString(L"parentid", r);
        if (!parent.IsEmpty()) {
            EXPECT_TRUE(
                folderKeys.count({ folders->GetAsInteger(L"floorid", r), parent.GetString() }))
                << "a parent row comes before its child";
        }
    }
    EXPECT_TRUE(userFolderWithCount);

    std::unique_ptr<CSQLDataSet> components(CAccessProject_Components_GJTable().GetDataSet());
    EXPECT_GE(components->GetRowCount(), 24);
    for (int r = 1; r <= components->GetRowCount(); ++r) {
        int floor = components->GetAsInteger(L"floorid", r);
        std::wstring folder = components->GetAsString(L"folderid", r).GetString();
        EXPECT_FALSE(pendingFloors.count(floor))
            << "no components on a floor whose folders do not exist yet";
        EXPECT_TRUE(folderKeys.count({ floor, folder }))
            << "component " << Narrow(components->GetAsString(L"comname", r))
            << " names a folder its floor has";
        EXPECT_GT(components->GetAsFloat(L"volume", r), 0.0);
    }
    CProjectDatabase::Close();
    RemoveProjectFile(path);
}

TEST(SampleBuilders, BenchProjectHasTheAskedSizeAndRefusesBadArguments)
{
    std::wstring path = TempFilePath(L"基准");
    ASSERT_EQ(0u, RunBuilt(L"make-bench-project.exe \"" + path + L"\" 3 95 2"));
    CString error;
    ASSERT_TRUE(CProjectDatabase::Open(path.c_str(), &error)) << Narrow(error);
    std::unique_ptr<CSQLDataSet> floors(CAccessProject_FloorTable().GetDataSet());
    std::unique_ptr<CSQLDataSet> folders(CAccessProject_ComFolderTable().GetDataSet());
    std::unique_ptr<CSQLDataSet> components(CAccessProject_Components_GJTable().GetDataSet());
    EXPECT_EQ(3, floors->GetRowCount());
    EXPECT_EQ(3 * 95, folders->GetRowCount());
    EXPECT_EQ(3 * 95 * 2, components->GetRowCount());
    // Beyond the 90 rule-shaped ids come user folders from 100, under a category.
    int userFolders = 0;
    for (int r = 1; r <= folders->GetRowCount(); ++r)
        if (folders->GetAsInteger(L"comfolderid", r) >= 100) {
            ++userFolders;
            EXPECT_EQ(0, folders->GetAsInteger(L"parentid", r) % 10);
        }
    EXPECT_EQ(3 * 5, userFolders);
    CProjectDatabase::Close();
    RemoveProjectFile(path);

    EXPECT_EQ(2u, RunBuilt(L"make-bench-project.exe \"" + path + L"\" 0 40 24"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
}
