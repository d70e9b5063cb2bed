#include "DemoOptions.h"

namespace {

struct ValueOption
{
    const wchar_t* pszName;
    std::wstring DemoOptions::*pValue;
};
const ValueOption kValueOptions[] = {
    { L"--project", &DemoOptions::project },       { L"--data", &DemoOptions::data },
    { L"--screenshot", &DemoOptions::screenshot }, { L"--wizard", &DemoOptions::wizard },
    { L"--script", &DemoOptions::script },         { L"--scripts", &DemoOptions::scripts },
    { L"--results", &DemoOptions::results },
};

} // namespace

bool ParseDemoOptions(int argc, wchar_t** argv, DemoOptions& opt, std::wstring& error)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        const ValueOption* pOption = nullptr;
        for (const ValueOption& o : kValueOptions)
            if (a == o.pszName)
                pOption = &o;
        if (pOption) {
            if (i + 1 >= argc) {
                error = L"missing value after " + a;
                return false;
            }
            opt.*pOption->pValue = argv[++i];
        } else if (a == L"--dump") {
            opt.dump = true;
        } else if (a == L"--steps") {
            opt.steps = true;
        } else {
            error = L"unknown option " + a;
            return false;
        }
    }
    if (opt.steps)
        return true;
    if (opt.project.empty() && opt.wizard.empty()) {
        error = L"--project FILE is required";
        return false;
    }
    if (opt.data.empty()) {
        error = L"--data DIR is required (the folder with TREE.xml, CreateComTREE.xml and bmp)";
        return false;
    }
    if (opt.scripts.empty() != opt.results.empty()) {
        error = L"--scripts DIR and --results DIR go together";
        return false;
    }
    return true;
}
