// The module's place in the framework's resource chain: a host creates the panel from the
// module's template while its own resource handle points at its executable.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include "afxwin.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"

namespace {

bool ChainHolds(HMODULE hModule)
{
    CDynLinkLibrary::Lock();
    bool found = false;
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p; p = p->m_pNextDLL)
        found = found || p->m_hModule == hModule;
    CDynLinkLibrary::Unlock();
    return found;
}

} // namespace

// The host's resource handle stays its executable; the chain still finds the module's
// template, because the module registered itself when it was loaded.
TEST(PanelModule, RegisteredInTheResourceChainWhileLoaded)
{
    HMODULE hModule = CComTreeModule::GetInstance();
    ASSERT_NE(nullptr, hModule);
    EXPECT_TRUE(ChainHolds(hModule));
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(GetModuleHandleW(nullptr));
    EXPECT_EQ(hModule,
              AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_DLG_COMTREE), MAKEINTRESOURCEW(5)));
    AfxSetResourceHandle(hOld);
}

// A second copy of the module loaded and unloaded by path: it joins the chain on load and
// leaves it on unload, so the chain never points into an unmapped image.
TEST(PanelModule, UnregistersWhenUnloaded)
{
    wchar_t dir[MAX_PATH];
    GetModuleFileNameW(CComTreeModule::GetInstance(), dir, MAX_PATH);
    std::wstring source = dir;
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    std::wstring copy = std::wstring(tmp) + L"comtree_copy_"
        + std::to_wstring(GetCurrentProcessId()) + L".dll";
    ASSERT_TRUE(CopyFileW(source.c_str(), copy.c_str(), FALSE));
    // The copy imports framework.dll and comtree_host.dll from the test's folder.
    HMODULE hCopy = LoadLibraryExW(copy.c_str(), nullptr, 0);
    if (!hCopy) {
        SetDllDirectoryW(source.substr(0, source.find_last_of(L"\\/")).c_str());
        hCopy = LoadLibraryW(copy.c_str());
        SetDllDirectoryW(nullptr);
    }
    ASSERT_NE(nullptr, hCopy);
    EXPECT_TRUE(ChainHolds(hCopy));
    EXPECT_TRUE(FreeLibrary(hCopy));
    EXPECT_FALSE(ChainHolds(hCopy));
    EXPECT_TRUE(ChainHolds(CComTreeModule::GetInstance()));
    DeleteFileW(copy.c_str());
}
