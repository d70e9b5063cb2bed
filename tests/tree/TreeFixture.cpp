#include "TreeFixture.h"

#include <functional>

namespace {
const wchar_t kHostClass[] = L"ComTreeTestHost";

void RegisterHostClass()
{
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS; // the framework creates windows with its own instance
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.hCursor = LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = kHostClass;
    RegisterClassW(&wc);
}

} // namespace

void TreeTest::SetUp()
{
    m_nRecordsBefore = CParamProp::GetLiveCount();
    RegisterHostClass();
    ASSERT_TRUE(m_host.CreateEx(0, kHostClass, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400,
                                700, NULL, NULL));
}

void TreeTest::TearDown()
{
    DestroyTree();
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
    EXPECT_EQ(m_nRecordsBefore, CParamProp::GetLiveCount()) << "records leaked";
}

// Three floors whose display order differs from their id order, rule folders with a hidden
// one, nested user folders with fractional counts, and rows of a floor that does not exist.
void TreeTest::WriteStandardProject()
{
    CProjectConnectTransaction transaction; // one commit for all rows keeps the suite quick
    AddFloor(0, L"基础", 0);
    AddFloor(1, L"1", 2);
    AddFloor(2, L"2", 1);
    for (int nFloor = 0; nFloor <= 2; ++nFloor) {
        AddFolder(nFloor, L"10", L"", L"梁", 0, 1, 1.0, 0, 111);
        AddFolder(nFloor, L"11", L"10", L"框架梁", 1, 1, 1.0, 2, 111);
        AddFolder(nFloor, L"12", L"10", L"次梁", 1, 0, 1.0, 2, 121);
        // A rule folder's count never shows and never multiplies.
        AddFolder(nFloor, L"20", L"", L"柱", 1, 1, nFloor == 0 ? 2.0 : 1.0, 4, 211);
        AddFolder(nFloor, L"50", L"", L"基础", 1, 1, 1.0, 8, 511);
    }
    // Floor 1: user folders 4 and 3 deep inside a rule folder; one below the hidden folder.
    AddFolder(1, L"100", L"11", L"外层", 1, 1, 4.0);
    AddFolder(1, L"101", L"100", L"内层", 1, 1, 3.0);
    AddFolder(1, L"102", L"12", L"藏", 1, 1, 1.0);
    // Floor 2: counts that show as 3, -1 and 2.500.
    AddFolder(2, L"103", L"20", L"C", 1, 1, 2.9996);
    AddFolder(2, L"104", L"20", L"D", 1, 1, -1.5);
    AddFolder(2, L"105", L"20", L"半", 1, 1, 2.5);
    // A floor id with no floor row.
    AddFolder(9, L"10", L"", L"幽灵", 1, 1, 1.0);
    AddFolder(9, L"106", L"10", L"幽灵子", 1, 1, 1.0);

    CAccessProject_Components_GJTable table;
    // Table order KL2, KL1; display order KL1, KL2.
    const int nKL2 = AddComponent(1, L"11", L"KL2", 1.0);
    const int nKL1 = AddComponent(1, L"11", L"KL1", 2.0);
    table.SetShowID(nKL1, 0);
    table.SetShowID(nKL2, 1);
    AddComponent(1, L"100", L"A1", 2.5);
    AddComponent(1, L"101", L"N1", 2.0);
    AddComponent(1, L"12", L"藏1", 1.0);
    AddComponent(1, L"102", L"藏2", 1.0);
    AddComponent(0, L"20", L"Z1", 5.0, 211);
    AddComponent(0, L"10", L"不显示", 1.0); // folder 10 admits no components
    AddComponent(2, L"103", L"C1", 1.0);
    AddComponent(9, L"10", L"幽灵构件", 1.0);
}

void TreeTest::CreateTree()
{
    DestroyTree();
    m_pTree = new CTestTree;
    CRect rc(0, 0, 380, 660);
    ASSERT_TRUE(m_pTree->Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, rc, &m_host, 1000));
}

void TreeTest::DestroyTree()
{
    if (m_pTree == nullptr)
        return;
    m_pTree->FreeAllData();
    if (m_pTree->GetSafeHwnd())
        m_pTree->DestroyWindow();
    delete m_pTree;
    m_pTree = nullptr;
}

std::vector<std::wstring> TreeTest::Dump()
{
    std::vector<std::wstring> lines;
    std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM hItem, int nDepth) {
        for (; hItem != NULL; hItem = m_pTree->GetNextSiblingItem(hItem)) {
            lines.push_back(std::wstring(2 * nDepth, L' ') + W(m_pTree->GetItemText(hItem)));
            walk(m_pTree->GetChildItem(hItem), nDepth + 1);
        }
    };
    walk(m_pTree->GetRootItem(), 0);
    return lines;
}

HTREEITEM TreeTest::Find(const std::vector<std::wstring>& path)
{
    HTREEITEM hLevel = m_pTree->GetRootItem();
    HTREEITEM hFound = NULL;
    for (const std::wstring& strLabel : path) {
        hFound = NULL;
        for (HTREEITEM h = hLevel; h != NULL; h = m_pTree->GetNextSiblingItem(h)) {
            if (W(m_pTree->GetItemText(h)) == strLabel) {
                hFound = h;
                break;
            }
        }
        if (hFound == NULL)
            return NULL;
        hLevel = m_pTree->GetChildItem(hFound);
    }
    return hFound;
}

void TreeTest::ExpandAll()
{
    std::function<void(HTREEITEM)> walk = [&](HTREEITEM hItem) {
        for (; hItem != NULL; hItem = m_pTree->GetNextSiblingItem(hItem)) {
            if (m_pTree->GetChildItem(hItem) != NULL) {
                m_pTree->Expand(hItem, TVE_EXPAND);
                walk(m_pTree->GetChildItem(hItem));
            }
        }
    };
    walk(m_pTree->GetRootItem());
}
