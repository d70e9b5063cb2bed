#include "DemoProcess.h"

namespace {

std::string ReadAll(HANDLE h)
{
    std::string s;
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n)
        s.append(buf, n);
    return s;
}

// Moves what the pipe holds now into text, without waiting for more.
void Drain(HANDLE h, std::string& text)
{
    DWORD nAvailable = 0;
    char buf[4096];
    while (PeekNamedPipe(h, nullptr, 0, nullptr, &nAvailable, nullptr) && nAvailable > 0) {
        DWORD n = 0;
        if (!ReadFile(h, buf, nAvailable < sizeof(buf) ? nAvailable : sizeof(buf), &n, nullptr)
            || n == 0)
            return;
        text.append(buf, n);
    }
}

std::string LastError(const char* what)
{
    return std::string("could not start the program: ") + what + " failed with error "
        + std::to_string(GetLastError());
}

} // namespace

std::wstring BinDir()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

// Runs a program of the build with both output streams captured. Both pipes are read on
// this thread, by polling, until the program has ended and its pipes are empty: a reader
// thread that outlived a call (Wine's services, started by a program, keep its output handles
// open for as long as the wine server lives) wrote into the frame of a returned call and read
// from handles closed under it, whose numbers the next call's pipes then reused.
RunResult RunProgram(const std::wstring& exe, const std::wstring& args)
{
    RunResult r;
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, TRUE };
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &sa, 0)) {
        r.err = LastError("CreatePipe");
        return r;
    }
    if (!CreatePipe(&errRead, &errWrite, &sa, 0)) {
        r.err = LastError("CreatePipe");
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return r;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = outWrite;
    si.hStdError = errWrite;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring cmd = L"\"" + BinDir() + exe + L"\" " + args;
    const BOOL bStarted = CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr,
                                         BinDir().c_str(), &si, &pi);
    if (!bStarted)
        r.err = LastError("CreateProcess");
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    if (bStarted) {
        const ULONGLONG ullDeadline = GetTickCount64() + 120000;
        for (;;) {
            Drain(outRead, r.out);
            Drain(errRead, r.err);
            if (WaitForSingleObject(pi.hProcess, 5) == WAIT_OBJECT_0)
                break;
            if (GetTickCount64() > ullDeadline) {
                TerminateProcess(pi.hProcess, 99);
                WaitForSingleObject(pi.hProcess, 10000);
                break;
            }
        }
        // What the program wrote before it ended is in the pipes now.
        Drain(outRead, r.out);
        Drain(errRead, r.err);
        GetExitCodeProcess(pi.hProcess, &r.exitCode);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    return r;
}

std::wstring TempProjectPath(const wchar_t* pszPrefix)
{
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, pszPrefix, 0, file);
    DeleteFileW(file);
    return std::wstring(file) + L".sqlite";
}

std::string WriteSampleProject(const std::wstring& path)
{
    // Built once: a Wine process and the build take about a second, a copy nothing.
    static struct Master
    {
        std::wstring path = TempProjectPath(L"smp");
        std::string error;
        bool built = false;
        ~Master() { DeleteFileW(path.c_str()); }
    } master;
    if (!master.built) {
        RunResult r = RunProgram(L"make-sample-project.exe", L"\"" + master.path + L"\"");
        master.built = true;
        if (r.exitCode != 0)
            master.error = "make-sample-project failed: " + r.err;
    }
    if (!master.error.empty())
        return master.error;
    if (!CopyFileW(master.path.c_str(), path.c_str(), FALSE))
        return "cannot copy the sample project";
    return "";
}

std::string FileBytes(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string s = ReadAll(h);
    CloseHandle(h);
    return s;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &n, nullptr);
    CloseHandle(h);
}
