// comtree-demo.exe --data DIR --wizard TYPE [--screenshot FILE.png]
// Opens the new-component wizard preselected on TYPE, as the add-component command does.
// With --screenshot it writes a picture of the dialog once it is up and cancels it;
// otherwise the user chooses and the chosen type code is printed.
#pragma once
#include <string>

int RunWizardDemo(const std::wstring& dataDir, const std::wstring& initComType,
                  const std::wstring& screenshot);
