// Every suite runs on one UI thread with COM initialised and the common controls registered,
// as a host's UI thread is. Nobody watches a test: a message box that no fixture's handler
// takes is written to stderr and gets its default answer instead of waiting.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <gtest/gtest.h>
#include "UIFunction.h"

int main(int argc, char** argv)
{
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&icc);
    UIFunction::SetUnattended(L"test");
    testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    if (SUCCEEDED(hr))
        CoUninitialize();
    return rc;
}
