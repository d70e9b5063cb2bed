// Resource lookup: the resource handle first, then the extension modules registered with
// the framework (most recent first), then the executable; a module unloaded is no longer
// searched.
#include <gtest/gtest.h>
#include "afxwin.h"
#include "FwTestSupport.h"
#include "fwtest_ids.h"

namespace {
int CountChain(HMODULE hModule)
{
    int n = 0;
    CDynLinkLibrary::Lock();
    for (CDynLinkLibrary* p = CDynLinkLibrary::GetFirst(); p; p = p->m_pNextDLL)
        n += p->m_hModule == hModule;
    CDynLinkLibrary::Unlock();
    return n;
}
} // namespace

TEST(ResourceChain, ExtensionModuleResourcesFoundWhileLoaded)
{
    HINSTANCE exe = GetModuleHandleW(nullptr);
    EXPECT_EQ(exe, AfxGetInstanceHandle());
    EXPECT_EQ(exe, AfxGetResourceHandle()) << "the executable until someone switches";

    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(IDR_FW_EXT_MENU)) << "nothing provides it yet";
    CString s;
    EXPECT_FALSE(s.LoadString(IDS_FW_EXT_ONLY));

    HMODULE ext = LoadLibraryW(L"fwtest_res.dll");
    ASSERT_NE(nullptr, ext);
    EXPECT_EQ(1, CountChain(ext)) << "the module registered itself when loaded";
    EXPECT_EQ(ext, AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_FW_EXT), (LPCWSTR)RT_DIALOG));

    // A menu only the module has: found along the chain, with the resource handle untouched.
    ASSERT_TRUE(menu.LoadMenu(IDR_FW_EXT_MENU));
    CMenu* popup = menu.GetSubMenu(0);
    ASSERT_NE(nullptr, popup);
    ASSERT_EQ(4, popup->GetMenuItemCount());
    CString entry;
    popup->GetMenuString(0, entry, MF_BYPOSITION);
    EXPECT_EQ(CString(L"复制"), entry);
    EXPECT_EQ(32775u, popup->GetMenuItemID(3));
    EXPECT_TRUE(popup->GetMenuState(32774, MF_BYCOMMAND) & MF_GRAYED);
    menu.DestroyMenu();

    // A string in both: the resource handle decides first.
    ASSERT_TRUE(s.LoadString(IDS_FW_BOTH));
    EXPECT_EQ(CString(L"来自程序"), s);
    AfxSetResourceHandle(ext);
    ASSERT_TRUE(s.LoadString(IDS_FW_BOTH));
    EXPECT_EQ(CString(L"来自扩展模块"), s);
    AfxSetResourceHandle(exe);
    ASSERT_TRUE(s.LoadString(IDS_FW_EXT_ONLY));
    EXPECT_EQ(CString(L"只在扩展模块"), s);

    // A dialog template only the module has, run modally.
    CNotifyRecorder owner;
    ASSERT_TRUE(owner.CreateRecorder());
    CDialog dlg(IDD_FW_EXT, &owner);
    std::wstring shown;
    auto drive = DriveNextDialog([&](HWND h) {
        shown = WindowText(GetDlgItem(h, IDC_FW_EXT_TEXT));
        PostMessageW(h, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(L"来自扩展模块", shown);

    // A template in the executable while the resource handle points to the module:
    // the chain ends at the executable.
    AfxSetResourceHandle(ext);
    EXPECT_EQ(exe, AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_FW_DATA), (LPCWSTR)RT_DIALOG));
    AfxSetResourceHandle(exe);

    ASSERT_TRUE(FreeLibrary(ext));
    EXPECT_EQ(0, CountChain(ext)) << "unregistered when unloaded";
    EXPECT_FALSE(menu.LoadMenu(IDR_FW_EXT_MENU));
    CDialog gone(IDD_FW_EXT, &owner);
    EXPECT_EQ(-1, gone.DoModal());
    owner.DestroyWindow();
}

TEST(ResourceChain, RegistrationOrderAndTermination)
{
    HMODULE exe = GetModuleHandleW(nullptr);
    AFX_EXTENSION_MODULE a = { FALSE, NULL, NULL };
    ASSERT_TRUE(AfxInitExtensionModule(a, exe));
    EXPECT_TRUE(a.bInitialized);
    CDynLinkLibrary* first = new CDynLinkLibrary(a);
    CDynLinkLibrary* second = new CDynLinkLibrary(a);
    EXPECT_EQ(second, CDynLinkLibrary::GetFirst()) << "the latest registration is searched first";
    EXPECT_EQ(first, second->m_pNextDLL);
    EXPECT_EQ(2, CountChain(exe));
    AfxTermExtensionModule(a);
    EXPECT_EQ(0, CountChain(exe)) << "termination removes every link of the module";
    EXPECT_FALSE(a.bInitialized);
}
