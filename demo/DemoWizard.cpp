#include "DemoWizard.h"
#include <windows.h>
#include <cstdio>
#include "ComTreeHost.h"
#include "resources/ComTreeModule.h"
#include "wizard/InitTreeDlg.h"
#include "Screenshot.h"

namespace {

const wchar_t kCaption[] = L"新增构件类别选择";

// The screenshot is taken from inside the wizard's modal loop: a CBT hook sees the dialog
// activate, a zero-delay timer lets it paint, then the picture is written and the dialog
// cancelled.
struct ScreenshotState
{
    std::wstring path;
    HHOOK hHook = nullptr;
    HWND hDlg = nullptr;
    bool written = false;
};
ScreenshotState* s_pState = nullptr;

void CALLBACK TakeScreenshot(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    KillTimer(nullptr, nTimer);
    HWND hDlg = s_pState->hDlg;
    for (int round = 0; round < 5; ++round) {
        RedrawWindow(hDlg, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(40);
    }
    s_pState->written = SaveWindowPng(hDlg, s_pState->path.c_str()) != FALSE;
    PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 (LPARAM)GetDlgItem(hDlg, IDCANCEL));
}

LRESULT CALLBACK WatchActivation(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE && s_pState && !s_pState->hDlg) {
        wchar_t text[64] = {};
        GetWindowTextW((HWND)wParam, text, 64);
        if (wcscmp(text, kCaption) == 0) {
            s_pState->hDlg = (HWND)wParam;
            SetTimer(nullptr, 0, 0, TakeScreenshot);
        }
    }
    return CallNextHookEx(s_pState ? s_pState->hHook : nullptr, nCode, wParam, lParam);
}

} // namespace

int RunWizardDemo(const std::wstring& dataDir, const std::wstring& initComType,
                  const std::wstring& screenshot)
{
    if (!dataDir.empty())
        KxMfc::Fun::SetSysDataPath(dataDir.c_str());
    ScreenshotState state;
    if (!screenshot.empty()) {
        state.path = screenshot;
        s_pState = &state;
        state.hHook = SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, GetCurrentThreadId());
    }
    ULONGLONG result;
    {
        UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
        CInitTreeDlg wizard;
        result = wizard.GetValue(initComType.c_str());
    }
    if (state.hHook)
        UnhookWindowsHookEx(state.hHook);
    s_pState = nullptr;
    if (!screenshot.empty()) {
        if (!state.written) {
            fwprintf(stderr, L"comtree-demo: no screenshot of the wizard was written\n");
            return 1;
        }
        return 0;
    }
    printf("%llu\n", (unsigned long long)result);
    return 0;
}
