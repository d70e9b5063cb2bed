// Programs of the build run as separate processes, and files read and written byte for byte.
#pragma once
#include <windows.h>
#include <string>

struct RunResult
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;
};

// The folder of the running test, where every program of the build lies.
std::wstring BinDir();
// Runs exe (a file name in BinDir) with both output streams captured; a run that takes more
// than two minutes is ended with exit code 99.
RunResult RunProgram(const std::wstring& exe, const std::wstring& args);
std::string FileBytes(const std::wstring& path); // "<missing>" when it cannot be read
// A path in the temp folder for one test's project file (the file is not created).
std::wstring TempProjectPath(const wchar_t* pszPrefix);
// Writes a fresh sample project to path: "" when done, else why not. The sample is built
// once per test process by make-sample-project.exe, and every test gets a copy of it.
std::string WriteSampleProject(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
