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

} // namespace

std::wstring BinDir()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring s = path;
    return s.substr(0, s.find_last_of(L"\\/") + 1);
}

// Runs a program of the build with both output streams captured (read on a second thread
// each, so a full pipe never stalls the child).
RunResult RunProgram(const std::wstring& exe, const std::wstring& args)
{
    RunResult r;
    SECURITY_ATTRIBUTES sa = { sizeof(sa), nullptr, TRUE };
    HANDLE outRead, outWrite, errRead, errWrite;
    CreatePipe(&outRead, &outWrite, &sa, 0);
    CreatePipe(&errRead, &errWrite, &sa, 0);
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
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, BinDir().c_str(), &si,
                        &pi)) {
        r.err = "could not start the program";
        return r;
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    struct Reader
    {
        HANDLE h;
        std::string text;
    };
    Reader outReader = { outRead, {} }, errReader = { errRead, {} };
    auto proc = [](LPVOID p) -> DWORD {
        Reader* rd = static_cast<Reader*>(p);
        rd->text = ReadAll(rd->h);
        return 0;
    };
    HANDLE threads[2] = { CreateThread(nullptr, 0, proc, &outReader, 0, nullptr),
                          CreateThread(nullptr, 0, proc, &errReader, 0, nullptr) };
    if (WaitForSingleObject(pi.hProcess, 120000) == WAIT_TIMEOUT)
        TerminateProcess(pi.hProcess, 99);
    WaitForMultipleObjects(2, threads, TRUE, 10000);
    GetExitCodeProcess(pi.hProcess, &r.exitCode);
    for (HANDLE h : { threads[0], threads[1], pi.hProcess, pi.hThread, outRead, errRead })
        CloseHandle(h);
    r.out = outReader.text;
    r.err = errReader.text;
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
