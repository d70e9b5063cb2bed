// What the module takes from the platform, checked under the same runner as every suite:
// a Chinese code page, tree views that hold Chinese text, the XML DOM reached through COM by
// its ProgID, and project files on SQLite that keep Chinese text.
#include <windows.h>
#include <commctrl.h>
#include <msxml.h>
#include <gtest/gtest.h>
#include <string>
#include "ProjectConnection.h"

TEST(Platform, AnsiCodePageIsChinese)
{
    EXPECT_EQ(936u, GetACP());
    // The one narrow literal of the module, the floor suffix, in code page 936.
    const char narrow[] = "\xB2\xE3";
    wchar_t wide[4] = {};
    ASSERT_EQ(1, MultiByteToWideChar(CP_ACP, 0, narrow, 2, wide, 4));
    EXPECT_EQ(std::wstring(L"层"), std::wstring(wide, 1));
}

TEST(Platform, TreeViewHoldsChineseLabels)
{
    HWND frame = CreateWindowExW(0, L"STATIC", L"平台", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(frame);
    HWND tree = CreateWindowExW(
        WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 0, 280, 260,
        frame, (HMENU)1000, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(tree);
    const wchar_t* labels[] = { L"验收工程", L"首层", L"框架柱", L"KL-1*3" };
    HTREEITEM parent = TVI_ROOT, items[4] = {};
    for (int i = 0; i < 4; ++i) {
        TVINSERTSTRUCTW ins = {};
        ins.hParent = parent;
        ins.hInsertAfter = TVI_LAST;
        ins.item.mask = TVIF_TEXT;
        ins.item.pszText = const_cast<wchar_t*>(labels[i]);
        items[i] = (HTREEITEM)SendMessageW(tree, TVM_INSERTITEMW, 0, (LPARAM)&ins);
        ASSERT_TRUE(items[i]);
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, (LPARAM)parent);
        parent = items[i];
    }
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)items[3]);
    for (int i = 0; i < 4; ++i) {
        wchar_t buf[64] = {};
        TVITEMW it = {};
        it.mask = TVIF_TEXT;
        it.hItem = items[i];
        it.pszText = buf;
        it.cchTextMax = 64;
        ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMW, 0, (LPARAM)&it));
        EXPECT_EQ(std::wstring(labels[i]), std::wstring(buf));
        RECT rc = {};
        *(HTREEITEM*)&rc = items[i];
        ASSERT_TRUE(SendMessageW(tree, TVM_GETITEMRECT, TRUE, (LPARAM)&rc));
        EXPECT_GT(rc.right - rc.left, 10) << "label " << i << " has no width";
    }
    EXPECT_EQ(4u, (UINT)SendMessageW(tree, TVM_GETCOUNT, 0, 0));
    DestroyWindow(frame);
}

TEST(Platform, XmlDomThroughComByProgId)
{
    CLSID clsid;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"MSXML.DOMDocument", &clsid));
    IXMLDOMDocument* doc = nullptr;
    ASSERT_EQ(S_OK,
              CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, (void**)&doc));
    BSTR text = SysAllocString(
        L"<TREE><OtherFloor><Folder Name=\"柱\" NameId=\"1020\"/></OtherFloor></TREE>");
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(S_OK, doc->loadXML(text, &ok));
    SysFreeString(text);
    EXPECT_EQ(VARIANT_TRUE, ok);
    IXMLDOMElement* root = nullptr;
    ASSERT_EQ(S_OK, doc->get_documentElement(&root));
    IXMLDOMNode* section = nullptr;
    ASSERT_EQ(S_OK, root->get_firstChild(&section));
    IXMLDOMNode* folder = nullptr;
    ASSERT_EQ(S_OK, section->get_firstChild(&folder));
    IXMLDOMNamedNodeMap* attrs = nullptr;
    ASSERT_EQ(S_OK, folder->get_attributes(&attrs));
    BSTR name = SysAllocString(L"Name");
    IXMLDOMNode* attr = nullptr;
    ASSERT_EQ(S_OK, attrs->getNamedItem(name, &attr));
    SysFreeString(name);
    BSTR value = nullptr;
    ASSERT_EQ(S_OK, attr->get_text(&value));
    EXPECT_EQ(std::wstring(L"柱"), std::wstring(value));
    SysFreeString(value);
    attr->Release();
    attrs->Release();
    folder->Release();
    section->Release();
    root->Release();
    doc->Release();
}

TEST(Platform, SqliteProjectFileKeepsChineseText)
{
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::wstring path = std::wstring(dir) + L"平台测试.sqlite";
    DeleteFileW(path.c_str());
    {
        CProjectConnection db;
        ASSERT_TRUE(db.Open(path.c_str(), TRUE))
            << std::string(db.GetLastErrorText().begin(), db.GetLastErrorText().end());
        ASSERT_TRUE(
            db.Execute(L"CREATE TABLE projectinfo (parmname TEXT PRIMARY KEY, parmvalue TEXT)"));
        ASSERT_TRUE(db.ExecuteBound(L"INSERT INTO projectinfo VALUES (?1, ?2)",
                                    { L"ProjectName", L"验收工程 'x' 50%" }));
    }
    CProjectConnection db;
    ASSERT_TRUE(db.Open(path.c_str(), FALSE));
    std::vector<std::vector<std::wstring>> rows;
    ASSERT_TRUE(db.Query(L"SELECT parmvalue FROM projectinfo WHERE parmname = ?1",
                         { L"ProjectName" }, rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(std::wstring(L"验收工程 'x' 50%"), rows[0][0]);
    db.Close();
    EXPECT_TRUE(DeleteFileW(path.c_str()));
}
