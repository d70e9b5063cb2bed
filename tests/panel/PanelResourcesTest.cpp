// The panel's dialog template as comtree.dll carries it, read back from the binary resource,
// and the module's place in the framework's resource chain. A host relies on both: it creates
// the panel from template 12001 while its own resource handle points at its executable.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "afxwin.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"

namespace {

struct TemplateItem
{
    DWORD exStyle = 0, style = 0, id = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring cls, text;
};

struct Template
{
    DWORD exStyle = 0, style = 0;
    short cx = 0, cy = 0;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// A name-or-ordinal field; the predefined control classes come as ordinals 0x80 to 0x85.
const WORD* ReadSzOrOrd(const WORD* p, std::wstring& out)
{
    static const wchar_t* const kAtoms[] = { L"Button",  L"Edit",      L"Static",
                                             L"ListBox", L"ScrollBar", L"ComboBox" };
    if (*p == 0x0000) {
        out.clear();
        return p + 1;
    }
    if (*p == 0xFFFF) {
        WORD ord = p[1];
        out = (ord >= 0x80 && ord <= 0x85) ? kAtoms[ord - 0x80] : L"#" + std::to_wstring(ord);
        return p + 2;
    }
    out = reinterpret_cast<const wchar_t*>(p);
    return p + out.size() + 1;
}

const WORD* AlignDword(const WORD* p)
{
    return reinterpret_cast<const WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
}

bool ReadTemplate(HMODULE hModule, UINT id, Template& t)
{
    HRSRC hRes = FindResourceW(hModule, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!hRes)
        return false;
    const WORD* p = static_cast<const WORD*>(LockResource(LoadResource(hModule, hRes)));
    if (!p || p[0] != 1 || p[1] != 0xFFFF) // only the extended form is expected
        return false;
    auto dword = [&](const WORD* q) {
        DWORD v;
        memcpy(&v, q, 4);
        return v;
    };
    t.exStyle = dword(p + 4);
    t.style = dword(p + 6);
    WORD count = p[8];
    t.cx = (short)p[11];
    t.cy = (short)p[12];
    std::wstring menu, cls, title;
    p = ReadSzOrOrd(p + 13, menu);
    p = ReadSzOrOrd(p, cls);
    p = ReadSzOrOrd(p, title);
    if (t.style & DS_SETFONT) {
        t.pointSize = p[0];
        p += 3; // point size, weight, italic and charset bytes
        p = ReadSzOrOrd(p, t.face);
    }
    for (WORD i = 0; i < count; ++i) {
        p = AlignDword(p);
        TemplateItem it;
        it.exStyle = dword(p + 2);
        it.style = dword(p + 4);
        it.x = (short)p[6];
        it.y = (short)p[7];
        it.cx = (short)p[8];
        it.cy = (short)p[9];
        it.id = dword(p + 10);
        p = ReadSzOrOrd(p + 12, it.cls);
        p = ReadSzOrOrd(p, it.text);
        WORD extra = *p++;
        p = reinterpret_cast<const WORD*>(reinterpret_cast<const BYTE*>(p) + extra);
        t.items.push_back(it);
    }
    return true;
}

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

TEST(PanelTemplate, DialogFrameIsACaptionlessChildInSongTi9)
{
    Template t;
    ASSERT_TRUE(ReadTemplate(CComTreeModule::GetInstance(), IDD_DLG_COMTREE, t));
    EXPECT_EQ(0x40000040u, t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ(139, t.cx);
    EXPECT_EQ(318, t.cy);
    EXPECT_EQ(9, t.pointSize);
    EXPECT_EQ(L"宋体", t.face);
}

TEST(PanelTemplate, ControlsInTemplateOrderWithTheirStylesTextsAndRectangles)
{
    struct Want
    {
        DWORD id;
        const wchar_t* cls;
        const wchar_t* text;
        DWORD style, exStyle;
        short x, y, cx, cy;
    };
    const Want want[] = {
        { 1000, L"SysTreeView32", L"", 0x50010220, 0x201, 2, 7, 133, 231 },
        { 12002, L"Static", L"相同构件数量:", 0x50020000, 0, 9, 248, 53, 10 },
        { 12001, L"Edit", L"", 0x50810080, 0, 69, 247, 56, 13 },
        { 12006, L"Button", L"构件目录结构", 0x50000007, 0, 12, 273, 114, 31 },
        { 12004, L"Button", L"按楼层", 0x50000009, 0, 17, 284, 48, 11 },
        { 12005, L"Button", L"按构件", 0x50000009, 0, 75, 284, 48, 12 },
    };
    Template t;
    ASSERT_TRUE(ReadTemplate(CComTreeModule::GetInstance(), IDD_DLG_COMTREE, t));
    ASSERT_EQ(std::size(want), t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        const TemplateItem& it = t.items[i];
        const Want& w = want[i];
        SCOPED_TRACE(w.id);
        EXPECT_EQ(w.id, it.id);
        EXPECT_EQ(0, _wcsicmp(w.cls, it.cls.c_str())) << std::string(it.cls.begin(), it.cls.end());
        EXPECT_EQ(w.text, it.text);
        EXPECT_EQ(w.style, it.style);
        EXPECT_EQ(w.exStyle, it.exStyle);
        EXPECT_EQ(w.x, it.x);
        EXPECT_EQ(w.y, it.y);
        EXPECT_EQ(w.cx, it.cx);
        EXPECT_EQ(w.cy, it.cy);
    }
}

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
