// The host's user-interface services: texts by key from the data folder in both encodings,
// the message box (real and scripted), the resource switch, name ordering, timing scopes,
// the main frame, the data path and the product icon.
#include <gtest/gtest.h>
#include "ComTreeHost.h"
#include "TestProject.h"
#include <string>
#include <vector>

namespace {

std::wstring MakeTempDir()
{
    std::wstring dir = TempFilePath(L"数据");
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir;
}

void WriteUtf8(const std::wstring& path, const std::wstring& text, bool bom)
{
    std::string bytes = bom ? "\xEF\xBB\xBF" : "";
    bytes += Narrow(text.c_str());
    WriteAllBytes(path, bytes.data(), bytes.size());
}

void WriteUtf16(const std::wstring& path, const std::wstring& text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t ch : text) {
        char hi = static_cast<char>(ch >> 8), lo = static_cast<char>(ch & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    WriteAllBytes(path, bytes.data(), bytes.size());
}

const wchar_t kRules[] =
    L"<?xml version=\"1.0\"?>\r\n<TREE><OtherFloor><Folder Name=\"框架梁\" NameId=\"1011\"/>"
    L"</OtherFloor><BaseFloor/></TREE>\r\n";

} // namespace

TEST(GridFace, TextsByKeyFromTheDataFolderInEveryEncoding)
{
    std::wstring dir = MakeTempDir();
    KxMfc::Fun::SetSysDataPath((dir + L"\\").c_str());
    EXPECT_EQ(std::wstring(KxMfc::Fun::GetSysDataPath().GetString()), dir)
        << "no trailing backslash";
    CGJ_GridFaceManager* faces = CGJ_GridFaceManager::Instance();
    ASSERT_EQ(faces, CGJ_GridFaceManager::Instance());

    const struct
    {
        const wchar_t* how;
        int kind;
    } encodings[] = {
        { L"UTF-8 with BOM", 0 },
        { L"UTF-8 without BOM", 1 },
        { L"UTF-16LE", 2 },
        { L"UTF-16BE", 3 },
    };
    for (const auto& e : encodings) {
        std::wstring path = dir + L"\\TREE.xml";
        if (e.kind < 2)
            WriteUtf8(path, kRules, e.kind == 0);
        else
            WriteUtf16(path, kRules, e.kind == 3);
        EXPECT_EQ(std::wstring(kRules), std::wstring(faces->GetGridFace(L"TREE").GetString()))
            << Narrow(e.how);
    }
    WriteUtf16(dir + L"\\CreateComTREE.xml", L"<CreateComTREE>楼梯 🏗️</CreateComTREE>",
               false);
    EXPECT_EQ("<CreateComTREE>楼梯 🏗️</CreateComTREE>",
              Narrow(faces->GetGridFace(L"CreateComTREE")));

    // A text in the system code page (936) without a mark.
    const char gbk[] = "<T>\xB2\xE3</T>"; // 层
    WriteAllBytes(dir + L"\\GBK.xml", gbk, sizeof(gbk) - 1);
    EXPECT_EQ("<T>层</T>", Narrow(faces->GetGridFace(L"GBK")));

    EXPECT_TRUE(faces->GetGridFace(L"NoSuchKey").IsEmpty());
    EXPECT_TRUE(faces->GetGridFace(L"").IsEmpty());
    EXPECT_TRUE(faces->GetGridFace(L"..\\TREE").IsEmpty());

    faces->SetGridFace(L"tree", L"<TREE/>");
    EXPECT_EQ("<TREE/>", Narrow(faces->GetGridFace(L"TREE"))) << "a text set by the host wins";
    faces->ClearGridFaces();
    EXPECT_EQ(std::wstring(kRules), std::wstring(faces->GetGridFace(L"TREE").GetString()));

    for (const wchar_t* f : { L"\\TREE.xml", L"\\CreateComTREE.xml", L"\\GBK.xml" })
        DeleteFileW((dir + f).c_str());
    RemoveDirectoryW(dir.c_str());
    KxMfc::Fun::SetSysDataPath(L"C:\\");
    EXPECT_EQ("C:", Narrow(KxMfc::Fun::GetSysDataPath()));
}

TEST(KxMessageBox, AHandlerRecordsAndAnswersInsteadOfTheBox)
{
    CBoxRecorder rec(IDNO);
    EXPECT_EQ(IDNO, UIFunction::KxMessageBox(L"是否删除节点:KL-1。", L"", MB_YESNO));
    rec.answer = IDOK;
    EXPECT_EQ(IDOK, UIFunction::KxMessageBox(L"数量必须大于0", L"错误提示", 0));
    ASSERT_EQ(2u, rec.boxes.size());
    EXPECT_EQ(L"是否删除节点:KL-1。", rec.boxes[0].text);
    EXPECT_EQ(W(UIFunction::GetDefaultCaption()), rec.boxes[0].caption)
        << "empty caption: the host's";
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), rec.boxes[0].style);
    EXPECT_EQ(L"错误提示", rec.boxes[1].caption);
}

namespace {
// Answers the real message box of this thread with "No" once it is shown.
std::wstring g_seenText, g_seenCaption;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box)
        return;
    wchar_t caption[128] = {}, text[256] = {};
    GetWindowTextW(box, caption, 128);
    GetDlgItemTextW(box, 0xFFFF, text, 256);
    g_seenCaption = caption;
    g_seenText = text;
    KillTimer(nullptr, id);
    PostMessageW(box, WM_COMMAND, IDNO, 0);
}
} // namespace

TEST(KxMessageBox, WithoutAHandlerARealModalBoxAnswers)
{
    UIFunction::KxMessageBoxHandler previous = UIFunction::SetMessageBoxHandler(nullptr);
    UIFunction::SetUnattended(nullptr);
    UIFunction::SetDefaultCaption(L"演示主机");
    UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBox);
    ASSERT_NE(0u, timer);
    int answer = UIFunction::KxMessageBox(L"是否删除节点:梁。", L"", MB_YESNO);
    EXPECT_EQ(IDNO, answer);
    EXPECT_EQ(L"演示主机", g_seenCaption);
    EXPECT_EQ(L"是否删除节点:梁。", g_seenText);
    UIFunction::SetDefaultCaption(nullptr);
    UIFunction::SetUnattended(L"test");
    UIFunction::SetMessageBoxHandler(previous);
}

TEST(ResourceOverride, SwitchesForItsLifetimeAndRestoresWhenNested)
{
    HINSTANCE exe = AfxGetResourceHandle();
    HINSTANCE host = GetModuleHandleW(L"comtree_host.dll");
    HINSTANCE fw = GetModuleHandleW(L"framework.dll");
    ASSERT_TRUE(host && fw);
    {
        UIFunction::KxMfc_ResourceOverride outer(host);
        EXPECT_EQ(host, AfxGetResourceHandle());
        {
            UIFunction::KxMfc_ResourceOverride inner(fw);
            EXPECT_EQ(fw, AfxGetResourceHandle());
        }
        EXPECT_EQ(host, AfxGetResourceHandle());
        UIFunction::KxMfc_ResourceOverride none(nullptr);
        EXPECT_EQ(host, AfxGetResourceHandle()) << "no module: nothing switched";
    }
    EXPECT_EQ(exe, AfxGetResourceHandle());
}

TEST(StringCompositor, NumbersByValueChineseByPinyinEqualNamesKeepOrder)
{
    const wchar_t* names[] = { L"KL-10", L"KL-2", L"柱",     L"KL-1",  L"梁",   L"板", L"KZ-007",
                               L"KZ-7",  L"墙",   L"楼梯10", L"楼梯2", L"KL-2", L"" };
    CStringArray arr;
    for (const wchar_t* n : names)
        arr.Add(CString(n));
    CStringCompositor sorter(arr);
    CArray<int, int> order;
    sorter.GetResult(order);
    ASSERT_EQ(arr.GetSize(), order.GetSize());
    std::vector<std::wstring> sorted;
    for (INT_PTR k = 0; k < order.GetSize(); ++k)
        sorted.push_back(names[order[k]]);
    auto pos = [&](const wchar_t* n) {
        return std::find(sorted.begin(), sorted.end(), std::wstring(n)) - sorted.begin();
    };
    EXPECT_EQ(0, pos(L"")) << "the empty name first";
    EXPECT_LT(pos(L"KL-1"), pos(L"KL-2"));
    EXPECT_LT(pos(L"KL-2"), pos(L"KL-10"));
    EXPECT_LT(pos(L"KL-10"), pos(L"KZ-007"));
    EXPECT_LT(pos(L"楼梯2"), pos(L"楼梯10"));
    // Pinyin: ban < liang < lou < qiang < zhu.
    EXPECT_LT(pos(L"板"), pos(L"梁"));
    EXPECT_LT(pos(L"梁"), pos(L"楼梯2"));
    EXPECT_LT(pos(L"楼梯10"), pos(L"墙"));
    EXPECT_LT(pos(L"墙"), pos(L"柱"));
    // Equal names keep their order: the two KL-2 (indices 1 and 11) and KZ-007 / KZ-7.
    std::vector<int> kl2, kz7;
    for (INT_PTR k = 0; k < order.GetSize(); ++k) {
        if (std::wstring(names[order[k]]) == L"KL-2")
            kl2.push_back(order[k]);
        if (std::wstring(names[order[k]]).rfind(L"KZ-", 0) == 0)
            kz7.push_back(order[k]);
    }
    EXPECT_EQ((std::vector<int>{ 1, 11 }), kl2);
    EXPECT_EQ((std::vector<int>{ 6, 7 }), kz7);

    CDWordArray dw;
    sorter.GetResult(dw);
    ASSERT_EQ(order.GetSize(), dw.GetSize());
    for (INT_PTR k = 0; k < order.GetSize(); ++k)
        EXPECT_EQ(static_cast<DWORD>(order[k]), dw[k]);

    CStringArray empty;
    CStringCompositor none(empty);
    none.GetResult(order);
    EXPECT_EQ(0, order.GetSize());
}

TEST(Timing, ScopesRecordTheirDurationsByLabel)
{
    CTiming::Reset();
    {
        CTiming t(L"CTreeCtrlEx::OnLButtonDown", true, L"全局统计", false);
        Sleep(20);
    }
    {
        CTiming t(L"CTreeCtrlEx::OnLButtonDown", true, L"全局统计", true);
    }
    {
        CTiming off(L"disabled", false, L"全局统计", false);
        Sleep(5);
        EXPECT_EQ(0.0, off.ElapsedMilliseconds());
    }
    EXPECT_EQ(2, CTiming::GetCount(L"CTreeCtrlEx::OnLButtonDown"));
    EXPECT_GE(CTiming::GetMaxMilliseconds(L"CTreeCtrlEx::OnLButtonDown"), 15.0);
    EXPECT_LT(CTiming::GetLastMilliseconds(L"CTreeCtrlEx::OnLButtonDown"), 15.0);
    EXPECT_GE(CTiming::GetTotalMilliseconds(L"CTreeCtrlEx::OnLButtonDown"),
              CTiming::GetMaxMilliseconds(L"CTreeCtrlEx::OnLButtonDown"));
    EXPECT_EQ("全局统计", Narrow(CTiming::GetGroup(L"CTreeCtrlEx::OnLButtonDown")));
    EXPECT_EQ(0, CTiming::GetCount(L"disabled"));
    CStringArray labels;
    CTiming::GetLabels(labels);
    EXPECT_EQ(1, labels.GetSize());
    CTiming::Reset(L"CTreeCtrlEx::OnLButtonDown");
    EXPECT_EQ(0, CTiming::GetCount(L"CTreeCtrlEx::OnLButtonDown"));
}

TEST(MainFrame, RegisteredWindowUntilItIsDestroyed)
{
    CManageSteelMainFrame* frames = CManageSteelMainFrame::Instance();
    HWND wnd = CreateWindowExW(0, L"STATIC", L"主框架", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(wnd);
    frames->SetSteelMainFrame(wnd);
    EXPECT_EQ(wnd, CManageSteelMainFrame::Instance()->GetSteelMainFrameHwnd());
    DestroyWindow(wnd);
    EXPECT_EQ(nullptr, frames->GetSteelMainFrameHwnd());
    frames->SetSteelMainFrame(nullptr);
}

TEST(ProductIcon, RegisteredIconElseAModuleIconElseTheSystemOne)
{
    HICON fallback = CSoftShowPicInfoOpr::GetSoftLogIcon(GetModuleHandleW(L"comtree_host.dll"));
    EXPECT_TRUE(fallback != nullptr);
    HICON mine = LoadIconW(nullptr, IDI_INFORMATION);
    CSoftShowPicInfoOpr::SetSoftLogIcon(mine);
    EXPECT_EQ(mine, CSoftShowPicInfoOpr::GetSoftLogIcon(nullptr));
    CSoftShowPicInfoOpr::SetSoftLogIcon(nullptr);
    EXPECT_EQ(fallback, CSoftShowPicInfoOpr::GetSoftLogIcon(GetModuleHandleW(L"comtree_host.dll")));

    EXPECT_EQ(-1, KxCast::ToInt(static_cast<LRESULT>(-1)));
    EXPECT_EQ(123456, KxCast::ToInt(static_cast<DWORD_PTR>(123456)));
}
