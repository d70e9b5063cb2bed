// A host application around the component tree module; DemoOptions.h gives its command line.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <string>
#include <vector>
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
    CCompoentsTreeCtrl* GetTreeCtrl() override { return Panel() ? &Panel()->m_treeCtrl : NULL; }
    HWND GetCountEdit() override { return Panel() ? Panel()->m_editNum.GetSafeHwnd() : NULL; }
    HWND GetRadio(bool bByFloor) override
    {
        if (!Panel())
            return NULL;
        return bByFloor ? Panel()->m_radioByFloor.GetSafeHwnd()
                        : Panel()->m_radioByComponent.GetSafeHwnd();
    }
    HWND GetFrameWnd() override { return m_frame.GetSafeHwnd(); }
    void RejectNextComponent() override { m_frame.RejectNextComponent(); }
    void NameNextComponent(const std::wstring& strName) override
    {
        m_frame.NameNextComponent(strName.c_str());
    }
    void MoveAtNextOpen(int nComId, const std::wstring& strFolderId) override
    {
        m_frame.MoveAtNextOpen(nComId, strFolderId.c_str());
    }

private:
    CDlg_ComTree* Panel() { return m_frame.GetPanel(); }
    CDemoFrame& m_frame;
};

typedef CDemoScript::Output Output;

// One scripted session in a main frame of its own on pszProject: 0 when every step ran, 3
// when one could not, 2 when the script or the project cannot be read. What the steps print
// goes to out as it comes, the reason for a stop to err.
int RunSession(const std::wstring& project, const std::wstring& scriptPath, const Output& out,
               const Output& err)
{
    // Every line is checked before the project is opened.
    CDemoScript script;
    std::wstring strWhy;
    if (!script.Load(scriptPath, &strWhy)) {
        err(L"comtree-demo: script " + strWhy + L"\n");
        return GetFileAttributesW(scriptPath.c_str()) == INVALID_FILE_ATTRIBUTES ? 2 : 3;
    }
    CDemoFrame frame;
    if (!frame.CreateFrame(TRUE)) {
        err(L"comtree-demo: 无法创建主窗口\n");
        return 1;
    }
    int rc = 2;
    CString strError;
    if (frame.OpenProject(project.c_str(), &strError)) {
        // The session starts from the tree as InitTree left it.
        frame.SetMessageObserver(
            [&script](UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT lResult) {
                script.NoteHostMessage(nMsg, wParam, lParam, lResult);
            });
        CPanelScriptSite site(frame);
        rc = script.Run(&site, out);
        frame.SetMessageObserver(nullptr);
        if (rc != 0)
            err(L"comtree-demo: script " + script.GetError() + L"\n");
    } else {
        err(L"comtree-demo: " + std::wstring(strError.GetString()) + L"\n");
    }
    if (frame.GetSafeHwnd())
        frame.DestroyWindow();
    CProjectDatabase::Close();
    // The frame's end asks the host's loop to quit; the next session must not read that.
    MSG msg;
    while (PeekMessageW(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    return rc;
}

// The scripts of a folder (NAME.txt), by name.
std::vector<std::wstring> ScriptNames(const std::wstring& dir)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*.txt").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::wstring name = fd.cFileName;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, L".txt") == 0)
            names.push_back(name.substr(0, name.size() - 4));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

// Every script of opt.scripts in one process, each on its own copy of opt.project, as if run
// alone with --script. For each NAME the results folder gets NAME.sqlite (the copy),
// NAME.out (what the steps printed), NAME.err (the reason it stopped, when it did) and
// NAME.exit (its exit code), and "NAME exit N" is printed. 0 once every session has its
// results; 2 when the folders or the project cannot be used.
int RunScriptBatch(const DemoOptions& opt)
{
    std::vector<std::wstring> names = ScriptNames(opt.scripts);
    if (names.empty()) {
        PrintUtf8(stderr, L"comtree-demo: no scripts (NAME.txt) in " + opt.scripts + L"\n");
        return 2;
    }
    CreateDirectoryW(opt.results.c_str(), nullptr);
    for (const std::wstring& name : names) {
        const std::wstring base = opt.results + L"\\" + name;
        const std::wstring copy = base + L".sqlite";
        FILE* out = _wfopen((base + L".out").c_str(), L"wb");
        if (!out || !CopyFileW(opt.project.c_str(), copy.c_str(), FALSE)) {
            PrintUtf8(stderr,
                      L"comtree-demo: cannot write the results of " + name + L" in " + opt.results
                          + L"\n");
            if (out)
                fclose(out);
            return 2;
        }
        std::wstring strErr;
        int rc = RunSession(
            copy, opt.scripts + L"\\" + name + L".txt",
            [out](const std::wstring& text) { PrintUtf8(out, text); },
            [&strErr](const std::wstring& text) { strErr += text; });
        fclose(out);
        DeleteFileW((base + L".err").c_str());
        if (!strErr.empty()) {
            FILE* err = _wfopen((base + L".err").c_str(), L"wb");
            if (err) {
                PrintUtf8(err, strErr);
                fclose(err);
            }
        }
        FILE* exitFile = _wfopen((base + L".exit").c_str(), L"wb");
        if (exitFile) {
            PrintUtf8(exitFile, std::to_wstring(rc) + L"\n");
            fclose(exitFile);
        }
        PrintUtf8(stdout, name + L" exit " + std::to_wstring(rc) + L"\n");
    }
    return 0;
}

int RunProject(const DemoOptions& opt)
{
    KxMfc::Fun::SetSysDataPath(opt.data.c_str());
    UIFunction::SetDefaultCaption(L"构件树演示");
    if (!opt.scripts.empty())
        return RunScriptBatch(opt);
    if (!opt.script.empty()) {
        return RunSession(opt.project, opt.script, &PrintStep,
                          [](const std::wstring& text) { PrintUtf8(stderr, text); });
    }

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
    frame.ShowFirstComponent(!opt.screenshot.empty());
    int rc = 0;
    if (opt.dump) {
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
    if (opt.steps) {
        PrintUtf8(stdout, CDemoScript::StepTable());
        return 0;
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
