#include "Bench.h"

#include <commctrl.h>
#include <objbase.h>
#include <stdio.h>

#include "afxwin.h"
#include "ComTreeHost.h"
#include "panel/Dlg_ComTree.h"
#include "resources/resource.h"

double NowMs()
{
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0)
        QueryPerformanceFrequency(&freq);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)freq.QuadPart;
}

void PumpPending()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

double MedianMs(int runs, const std::function<void()>& prepare,
                const std::function<void()>& measured)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        PumpPending();
        const double start = NowMs();
        measured();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Report(const char* name, double value, const char* unit)
{
    printf("%s %.3f %s\n", name, value, unit);
    fflush(stdout);
}

namespace {
const int kFloors = 100;
const int kFoldersPerFloor = 40;
const int kComponentsPerFolder = 24;

std::wstring ExeDir()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring s(path);
    return s.substr(0, s.find_last_of(L"\\/"));
}
} // namespace

std::wstring BenchProjectPath()
{
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring strPath = std::wstring(tmp) + L"comtree-bench-" + std::to_wstring(kFloors)
        + L"x" + std::to_wstring(kFoldersPerFloor) + L"x" + std::to_wstring(kComponentsPerFolder)
        + L".db";
    if (GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        return strPath;
    std::wstring cmd = L"\"" + ExeDir() + L"\\make-bench-project.exe\" \"" + strPath + L"\" "
        + std::to_wstring(kFloors) + L" " + std::to_wstring(kFoldersPerFloor) + L" "
        + std::to_wstring(kComponentsPerFolder);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(NULL, &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return std::wstring();
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD rc = 1;
    GetExitCodeProcess(pi.hProcess, &rc);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return rc == 0 ? strPath : std::wstring();
}

bool CreateHostWindow(CWnd& host, int width, int height)
{
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS; // the framework creates windows with its own instance
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"BenchHost";
    RegisterClassW(&wc);
    return host.CreateEx(0, L"BenchHost", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width,
                         height, NULL, NULL)
        != FALSE;
}

std::wstring CopyOfBenchProject(const wchar_t* pszFileName)
{
    const std::wstring strSource = BenchProjectPath();
    if (strSource.empty())
        return std::wstring();
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::wstring strCopy = std::wstring(tmp) + pszFileName;
    return CopyFileW(strSource.c_str(), strCopy.c_str(), FALSE) ? strCopy : std::wstring();
}

bool OpenBenchProject(const std::wstring& strPath)
{
    CString strError;
    if (!strPath.empty() && CProjectDatabase::Open(strPath.c_str(), &strError))
        return true;
    fprintf(stderr, "no benchmark project: %s\n", strError.ToUtf8().c_str());
    return false;
}

CDlg_ComTree* CreateBenchPanel(CWnd& host, bool bInitTree)
{
    if (!CreateHostWindow(host, 700, 700))
        return NULL;
    CDlg_ComTree* pPanel = new CDlg_ComTree(&host);
    if (!pPanel->Create(IDD_DLG_COMTREE, &host))
        return NULL;
    if (bInitTree) {
        CAccessProject_ProjectInfoTable info;
        pPanel->InitTree(info.GetProjectName());
    }
    pPanel->MoveWindow(0, 0, 330, 650);
    pPanel->ShowWindow(SW_SHOW);
    return pPanel;
}

int main()
{
    HRESULT hr = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    const int rc = RunBench();
    if (SUCCEEDED(hr))
        CoUninitialize();
    return rc;
}
