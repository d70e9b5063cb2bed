// The demo host's command line:
//   comtree-demo.exe --project FILE --data DIR [--dump] [--screenshot FILE.png]
//   comtree-demo.exe --project FILE --data DIR --script FILE.txt
//   comtree-demo.exe --project FILE --data DIR --scripts DIR --results DIR
//   comtree-demo.exe --data DIR --wizard TYPE [--screenshot FILE.png]
//   comtree-demo.exe --steps
#pragma once
#include <string>

struct DemoOptions
{
    std::wstring project, data, screenshot, wizard, script, scripts, results;
    bool dump = false;
    bool steps = false;

    // Nobody is there to answer a message box: problems go to stderr instead (--wizard too:
    // it previews one dialog for a picture or its printed answer).
    bool Unattended() const
    {
        return dump || !screenshot.empty() || !script.empty() || !scripts.empty()
            || !wizard.empty();
    }
};

// False with a one-line reason for the user when the command line is not usable.
bool ParseDemoOptions(int argc, wchar_t** argv, DemoOptions& opt, std::wstring& error);
