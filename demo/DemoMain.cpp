// comtree-demo.exe --project FILE --data DIR [--dump] [--screenshot FILE.png]
// comtree-demo.exe --data DIR --wizard TYPE [--screenshot FILE.png]
// comtree-demo.exe --project FILE --data DIR --script FILE.txt
// A host application around the component tree module.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include "ComTreeHost.h"
#include "panel/Dlg_ComTree.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "DemoFrame.h"
#include "DemoScript.h"
#include "DemoOptions.h"
#include "DemoWizard.h"
#include "Screenshot.h"
#include "TreeDump.h"

namespace {

// The dump is UTF-8 with bare line feeds, whatever the console or pipe would do with text.
void PrintUtf8(FILE* f, const std::wstring& text)
{
    _setmode(_fileno(f), _O_BINARY);
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), (int)text.size(), nullptr, 0, nullptr,
                                nullptr);
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

void PrintStep(const std::wstring& text) { PrintUtf8(stdout, text); }

// What a scripted session drives: the panel's own controls.
class CPanelScriptSite : public IDemoScriptSite
{
public:
    explicit CPanelScriptSite(CDemoFrame& frame) : m_frame(frame) {}
    HWND GetTreeWnd() override { return Panel() ? Panel()->m_treeCtrl.GetSafeHwnd() : NULL; }
    HWND GetCountEdit() override { return Panel() ? Panel()->m_editNum.GetSafeHwnd() : NULL; }
    HWND GetRadio(bool bByFloor) override
    {
        if (!Panel())
            return NULL;
        return bByFloor ? Panel()->m_radioByFloor.GetSafeHwnd()
                        : Panel()->m_radioByComponent.GetSafeHwnd();
    }

private:
    CDlg_ComTree* Panel() { return m_frame.GetPanel(); }
    CDemoFrame& m_frame;
};

int RunProject(const DemoOptions& opt)
{
    // Every line is checked before the project is opened.
    CDemoScript script;
    if (!opt.script.empty()) {
        std::wstring strWhy;
        if (!script.Load(opt.script, &strWhy)) {
            PrintUtf8(stderr, L"comtree-demo: script " + strWhy + L"\n");
            return GetFileAttributesW(opt.script.c_str()) == INVALID_FILE_ATTRIBUTES ? 2 : 3;
        }
    }

    KxMfc::Fun::SetSysDataPath(opt.data.c_str());
    UIFunction::SetDefaultCaption(L"构件树演示");

    CDemoFrame frame;
    const bool bShow = !opt.dump;
    if (!frame.CreateFrame(bShow)) {
        PrintUtf8(stderr, L"comtree-demo: 无法创建主窗口\n");
        return 1;
    }
    CString strError;
    if (!frame.OpenProject(opt.project.c_str(), &strError)) {
        if (opt.Unattended())
            PrintUtf8(stderr, L"comtree-demo: " + std::wstring(strError.GetString()) + L"\n");
        else
            UIFunction::KxMessageBox(strError, L"", MB_OK);
        frame.DestroyWindow();
        return 2;
    }
    // A scripted session starts from the tree as InitTree left it.
    if (opt.script.empty())
        frame.ShowFirstComponent(!opt.screenshot.empty());
    int rc = 0;
    if (!opt.script.empty()) {
        frame.SetMessageObserver(
            [&script](UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT lResult) {
                script.NoteHostMessage(nMsg, wParam, lParam, lResult);
            });
        CPanelScriptSite site(frame);
        rc = script.Run(&site, &PrintStep);
        frame.SetMessageObserver(nullptr);
        if (rc != 0)
            PrintUtf8(stderr, L"comtree-demo: script " + script.GetError() + L"\n");
    } else if (opt.dump) {
        PrintUtf8(stdout, DumpComponentTree(frame.GetPanel()->m_treeCtrl.GetSafeHwnd()));
    } else if (!opt.screenshot.empty()) {
        PumpUntilIdle();
        ::RedrawWindow(frame.GetSafeHwnd(), NULL, NULL,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpUntilIdle();
        rc = SaveWindowPng(frame.GetSafeHwnd(), opt.screenshot.c_str()) ? 0 : 1;
    } else {
        MSG msg;
        while (frame.GetSafeHwnd() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (frame.GetSafeHwnd())
        frame.DestroyWindow();
    CProjectDatabase::Close();
    return rc;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    DemoOptions opt;
    std::wstring error;
    if (!ParseDemoOptions(argc, argv, opt, error)) {
        PrintUtf8(stderr, L"comtree-demo: " + error + L"\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    // The product icon of this host: the module's project icon, on the frame and the wizard.
    CSoftShowPicInfoOpr::SetSoftLogIcon((HICON)LoadImageW(CComTreeModule::GetInstance(),
                                                          MAKEINTRESOURCEW(IDI_TREE_PROJECT),
                                                          IMAGE_ICON, 16, 16, LR_SHARED));
    int rc = !opt.wizard.empty() ? RunWizardDemo(opt.data, opt.wizard, opt.screenshot)
                                 : RunProject(opt);
    CoUninitialize();
    return rc;
}
