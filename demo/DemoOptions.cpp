#include "DemoOptions.h"

bool ParseDemoOptions(int argc, wchar_t** argv, DemoOptions& opt, std::wstring& error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) {
                error = L"missing value after " + a;
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (a == L"--project") {
            if (!value(opt.project))
                return false;
        } else if (a == L"--data") {
            if (!value(opt.data))
                return false;
        } else if (a == L"--screenshot") {
            if (!value(opt.screenshot))
                return false;
        } else if (a == L"--wizard") {
            if (!value(opt.wizard))
                return false;
        } else if (a == L"--script") {
            if (!value(opt.script))
                return false;
        } else if (a == L"--dump")
            opt.dump = true;
        else {
            error = L"unknown option " + a;
            return false;
        }
    }
    if (opt.project.empty() && opt.wizard.empty()) {
        error = L"--project FILE is required";
        return false;
    }
    if (opt.data.empty()) {
        error = L"--data DIR is required (the folder with TREE.xml, CreateComTREE.xml and bmp)";
        return false;
    }
    return true;
}
