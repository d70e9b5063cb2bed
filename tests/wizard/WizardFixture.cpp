#include "WizardFixture.h"
#include <commctrl.h>
#include <cstdio>
#include "ComTreeHost.h"
#include "TestProject.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "wizard/InitTreeDlg.h"

namespace {

const wchar_t kCaption[] = L"新增构件类别选择";

void RemoveTree(const std::wstring& dir)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring path = dir + L"\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(dir.c_str());
}

} // namespace

void CWizardFixture::SetUp()
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[64];
    swprintf(name, 64, L"wizard-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    m_dataDir = std::wstring(temp) + name;
    ASSERT_TRUE(CreateDirectoryW(m_dataDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((m_dataDir + L"\\bmp").c_str(), nullptr));

    m_oldDataPath = (LPCWSTR)KxMfc::Fun::GetSysDataPath();
    KxMfc::Fun::SetSysDataPath(m_dataDir.c_str());
}

void CWizardFixture::TearDown()
{
    KxMfc::Fun::SetSysDataPath(m_oldDataPath.c_str());
    RemoveTree(m_dataDir);
}

void CWizardFixture::WriteRules(const wchar_t* text)
{
    // UTF-16 with its byte-order mark, as the host's data folder may hold it.
    std::wstring content = std::wstring(1, 0xFEFF) + text;
    WriteAllBytes(m_dataDir + L"\\CreateComTREE.xml", content.data(),
                  content.size() * sizeof(wchar_t));
}

void CWizardFixture::DeleteRules() { DeleteFileW((m_dataDir + L"\\CreateComTREE.xml").c_str()); }

void CWizardFixture::WritePicture(const wchar_t* name, COLORREF color)
{
    const int side = 40, stride = side * 3;
    std::vector<unsigned char> file(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)
                                    + stride * side);
    BITMAPFILEHEADER* bf = (BITMAPFILEHEADER*)file.data();
    BITMAPINFOHEADER* bi = (BITMAPINFOHEADER*)(file.data() + sizeof(BITMAPFILEHEADER));
    bf->bfType = 0x4D42;
    bf->bfSize = (DWORD)file.size();
    bf->bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bi->biSize = sizeof(BITMAPINFOHEADER);
    bi->biWidth = side;
    bi->biHeight = side;
    bi->biPlanes = 1;
    bi->biBitCount = 24;
    bi->biCompression = BI_RGB;
    unsigned char* px = file.data() + bf->bfOffBits;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            bool border = x < 4 || y < 4 || x >= side - 4 || y >= side - 4;
            COLORREF c = border ? RGB(255, 255, 254) : color;
            unsigned char* p = px + (y * side + x) * 3;
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    WriteAllBytes(m_dataDir + L"\\bmp\\" + name + L".bmp", file.data(), file.size());
}

void CWizardFixture::DeletePicture(const wchar_t* name)
{
    DeleteFileW((m_dataDir + L"\\bmp\\" + name + L".bmp").c_str());
}

void CWizardFixture::UseDataFolder(const std::wstring& dir)
{
    KxMfc::Fun::SetSysDataPath(dir.c_str());
}

namespace {

// The steps of one wizard run. Each step runs from a thread timer, so the dialog's own loop
// runs between two steps: a dialog that a step ended is gone before the next step would run.
struct WizardRun
{
    std::vector<std::function<void(HWND)>> steps;
    size_t nRun = 0;
    HWND hDlg = nullptr;
    bool bLeftOpen = false;
    std::wstring caption;
    UINT_PTR nTimer = 0;
};
WizardRun* s_pRun = nullptr;

void CALLBACK NextStep(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    WizardRun* run = s_pRun;
    if (nTimer)
        KillTimer(nullptr, nTimer);
    if (run && nTimer && nTimer != run->nTimer)
        return;
    if (run)
        run->nTimer = 0;
    if (!run || !IsWindow(run->hDlg) || !IsWindowVisible(run->hDlg))
        return;
    if (run->nRun < run->steps.size()) {
        run->steps[run->nRun++](run->hDlg);
        PumpUntilIdle();
        run->nTimer = SetTimer(nullptr, 0, 10, NextStep);
        return;
    }
    // Every step ran and the dialog is still up (a failed assertion, say): cancel it so the
    // test goes on.
    run->bLeftOpen = true;
    PostMessageW(run->hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                 (LPARAM)GetDlgItem(run->hDlg, IDCANCEL));
}

} // namespace

ULONGLONG CWizardFixture::RunWizard(const wchar_t* initComType, std::function<void(HWND)> action)
{
    return RunWizardSteps(initComType, { std::move(action) });
}

ULONGLONG CWizardFixture::RunWizardSteps(const wchar_t* initComType,
                                         std::vector<std::function<void(HWND)>> steps)
{
    WizardRun run;
    run.steps = std::move(steps);
    s_pRun = &run;
    auto driver = DriveNextDialog([&](HWND hDlg) {
        run.hDlg = hDlg;
        run.caption = WindowText(hDlg);
        NextStep(nullptr, 0, 0, 0);
    });
    ULONGLONG result;
    {
        // As the add-component command does it: the module's resources for the duration.
        UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
        CInitTreeDlg wizard;
        result = wizard.GetValue(initComType);
    }
    if (run.nTimer)
        KillTimer(nullptr, run.nTimer);
    s_pRun = nullptr;
    m_nStepsRun = run.nRun;
    EXPECT_TRUE(driver->Ran()) << "the wizard did not open";
    EXPECT_EQ(kCaption, run.caption);
    EXPECT_EQ(run.steps.size(), run.nRun) << "the wizard ended before its last step";
    EXPECT_FALSE(run.bLeftOpen) << "the wizard was left open";
    return result;
}

HWND Tree(HWND hDlg) { return GetDlgItem(hDlg, IDC_WIZARD_TREE); }
HWND List(HWND hDlg) { return GetDlgItem(hDlg, IDC_WIZARD_LIST); }

std::wstring ClassName(HWND hWnd)
{
    wchar_t text[128] = {};
    GetClassNameW(hWnd, text, 128);
    return text;
}

std::wstring Message(HWND hDlg) { return WindowText(GetDlgItem(hDlg, IDC_WIZARD_MESSAGE)); }
void SetMessage(HWND hDlg, const wchar_t* text) { SetDlgItemTextW(hDlg, IDC_WIZARD_MESSAGE, text); }

void PressOk(HWND hDlg)
{
    SendMessageW(GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
    PumpUntilIdle();
}

void PressCancel(HWND hDlg)
{
    SendMessageW(GetDlgItem(hDlg, IDCANCEL), BM_CLICK, 0, 0);
    PumpUntilIdle();
}

static void CollectTree(HWND hTree, HTREEITEM hItem, int depth, std::vector<TreeRow>& rows)
{
    for (; hItem; hItem = TreeView_GetNextSibling(hTree, hItem)) {
        wchar_t text[256] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = 256;
        TreeView_GetItem(hTree, &item);
        rows.push_back(
            { hItem, text, (long long)item.lParam, item.iImage, item.iSelectedImage, depth });
        CollectTree(hTree, TreeView_GetChild(hTree, hItem), depth + 1, rows);
    }
}

std::vector<TreeRow> TreeRows(HWND hTree)
{
    std::vector<TreeRow> rows;
    CollectTree(hTree, TreeView_GetRoot(hTree), 0, rows);
    return rows;
}

std::wstring SelectedTreeText(HWND hTree)
{
    HTREEITEM hSel = TreeView_GetSelection(hTree);
    for (const TreeRow& r : TreeRows(hTree))
        if (r.hItem == hSel)
            return r.text;
    return L"(none)";
}

void ClickTreeText(HWND hTree, const std::wstring& text)
{
    for (const TreeRow& r : TreeRows(hTree)) {
        if (r.text != text)
            continue;
        TreeView_EnsureVisible(hTree, r.hItem);
        ASSERT_GE(TreeItemPoint(hTree, r.hItem).x, 0) << "item not shown";
        ClickTreeItem(hTree, r.hItem);
        return;
    }
    ADD_FAILURE() << "no tree item shows this text";
}

std::vector<std::wstring> ListRows(HWND hList)
{
    std::vector<std::wstring> rows;
    int n = ListView_GetItemCount(hList);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = 256;
        ListView_GetItem(hList, &item);
        rows.push_back(std::wstring(text) + L" " + std::to_wstring((long long)item.lParam) + L" "
                       + std::to_wstring(item.iImage));
    }
    return rows;
}

int SelectedListItem(HWND hList) { return ListView_GetNextItem(hList, -1, LVNI_SELECTED); }

static POINT ListItemCentre(HWND hList, int item)
{
    RECT rc = {};
    ListView_EnsureVisible(hList, item, FALSE);
    ListView_GetItemRect(hList, item, &rc, LVIR_ICON);
    return { (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 };
}

void ClickListItem(HWND hList, int item) { ClickClient(hList, ListItemCentre(hList, item)); }

void DoubleClickListItem(HWND hList, int item)
{
    DoubleClickClient(hList, ListItemCentre(hList, item));
}

void ClickClient(HWND hWnd, POINT pt)
{
    LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    PostMessageW(hWnd, WM_LBUTTONUP, 0, lParam);
    SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    PumpUntilIdle(1);
}

void DoubleClickClient(HWND hWnd, POINT pt)
{
    ClickClient(hWnd, pt);
    LPARAM lParam = MAKELPARAM(pt.x, pt.y);
    PostMessageW(hWnd, WM_LBUTTONUP, 0, lParam);
    SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, lParam);
    PumpUntilIdle(1);
}

COLORREF ImagePixel(HIMAGELIST hImages, int image, int x, int y)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 40);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT rc = { 0, 0, 40, 40 };
    FillRect(dc, &rc, (HBRUSH)GetStockObject(BLACK_BRUSH));
    ImageList_Draw(hImages, image, dc, 0, 0, ILD_NORMAL);
    COLORREF color = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return color;
}
