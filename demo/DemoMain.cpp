// comtree-demo.exe --project FILE --data DIR [--dump] [--screenshot FILE.png]
// comtree-demo.exe --data DIR --wizard TYPE [--screenshot FILE.png]
// A host application around the component tree module.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <string>
#include "ProjectConnection.h"
#include "resources/ComTreeModule.h"
#include "Screenshot.h"
#include "DemoWizard.h"

namespace {

struct Options {
    std::wstring project, data, screenshot, wizard;
    bool dump = false;
};

bool ParseOptions(int argc, wchar_t** argv, Options& opt, std::wstring& error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) { error = L"missing value after " + a; return false; }
            out = argv[++i];
            return true;
        };
        if (a == L"--project") { if (!value(opt.project)) return false; }
        else if (a == L"--data") { if (!value(opt.data)) return false; }
        else if (a == L"--screenshot") { if (!value(opt.screenshot)) return false; }
        else if (a == L"--wizard") { if (!value(opt.wizard)) return false; }
        else if (a == L"--dump") opt.dump = true;
        else { error = L"unknown option " + a; return false; }
    }
    if (opt.project.empty() && opt.wizard.empty()) { error = L"--project FILE is required"; return false; }
    return true;
}

void PrintUtf8(FILE* f, const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), &s[0], n, nullptr, nullptr);
    fwrite(s.data(), 1, s.size(), f);
    fflush(f);
}

void PumpUntilIdle()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(50);
    }
}

LRESULT CALLBACK FrameProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    Options opt;
    std::wstring error;
    if (!ParseOptions(argc, argv, opt, error)) {
        PrintUtf8(stderr, L"comtree-demo: " + error + L"\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    if (!opt.wizard.empty())
        return RunWizardDemo(opt.data, opt.wizard, opt.screenshot);

    CProjectConnection db;
    std::vector<std::vector<std::wstring>> rows;
    if (GetFileAttributesW(opt.project.c_str()) == INVALID_FILE_ATTRIBUTES || !db.Open(opt.project.c_str(), FALSE) ||
        !db.Query(L"SELECT parmvalue FROM projectinfo WHERE parmname = ?1", { L"ProjectName" }, rows)) {
        PrintUtf8(stderr, L"comtree-demo: 无法打开工程文件 " + opt.project + L"\n");
        return 2;
    }
    std::wstring name = rows.empty() ? L"" : rows[0][0];
    if (opt.dump) {
        PrintUtf8(stdout, name + L"\tproject -1 - 0 0 11/11\n");
        return 0;
    }

    WNDCLASSW wc = {};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = L"ComTreeDemoFrame";
    RegisterClassW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 20, 20, 900, 640, nullptr, nullptr, wc.hInstance, nullptr);
    PumpUntilIdle();
    if (!opt.screenshot.empty()) {
        BOOL ok = SaveWindowPng(frame, opt.screenshot.c_str());
        DestroyWindow(frame);
        CoUninitialize();
        return ok ? 0 : 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    CoUninitialize();
    return 0;
}
