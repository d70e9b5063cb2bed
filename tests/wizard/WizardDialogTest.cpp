// The new-component wizard run for real: CInitTreeDlg::GetValue opens dialog 102 from the
// module's resources, a CModalDriver acts on it from inside its modal loop (clicks in the
// real tree and list, reads them back, presses OK or Cancel) and GetValue's result is
// checked afterwards. Rules and pictures come from a data folder the test writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "WizardFixture.h"
#include "TestProject.h"
#include "wizard/InitTreeDlg.h"
#include "ComTreeHost.h"
#include "resources/resource.h"

namespace {

// Two categories. Class 11 is not named 框架梁 here, so the fallback's header is told apart
// from the rule's name; 12 and 13 share a type code; 1203 is a stray type of class 12 after
// class 13's run; 7 and 07 are classes whose numbers have one digit.
const wchar_t kRules[] =
    L"<CreateComTREE><TreeNode>"
    L"<Node Name='梁' NameID='0' ImageIndex='1' SelectIndex='2'>"
    L"  <Node Name='连梁' NameID='15' ComType='150' ImageIndex='3' SelectIndex='4'>"
    L"    <Node Name='连梁A' NameID='1501' ComType='151' ImageIndex='15' Message='连梁说明'/>"
    L"  </Node>"
    L"  <Node Name='梁类' NameID='11' ComType='110' ImageIndex='5' SelectIndex='6'>"
    L"    <Node Name='框架梁KL' NameID='1101' ComType='111' ImageIndex='11' Message='楼层框架梁'/>"
    L"    <Node Name='屋面框架梁' NameID='1102' ComType='112' ImageIndex='12'/>"
    L"    <Node Name='零类型' NameID='1103' ComType='0' ImageIndex='13'/>"
    L"    <Node Name='非数字' NameID='1104' ComType='abc' ImageIndex='14'/>"
    L"  </Node>"
    L"  <Node Name='次梁' NameID='12' ComType='120' ImageIndex='5' SelectIndex='5'>"
    L"    <Node Name='次梁A' NameID='1201' ComType='121' ImageIndex='21' Message='次梁说明'/>"
    L"    <Node Name='次梁B' NameID='1202' ComType='122' ImageIndex='22'/>"
    L"  </Node>"
    L"  <Node Name='次梁二' NameID='13' ComType='120' ImageIndex='5' SelectIndex='5'>"
    L"    <Node Name='次梁C' NameID='1301' ComType='123' ImageIndex='23'/>"
    L"  </Node>"
    L"  <Node Name='旧次梁' NameID='1203' ComType='124' ImageIndex='24'/>"
    L"  <Node Name='单数类' NameID='7' ComType='700'/>"
    L"</Node>"
    L"<Node Name='柱' NameID='0' ImageIndex='7' SelectIndex='8'>"
    L"  <Node Name='零七' NameID='07' ComType='707'/>"
    L"  <Node Name='框架柱' NameID='21' ComType='210' ImageIndex='9' SelectIndex='10'>"
    L"    <Node Name='框架柱A' NameID='2101' ComType='211' ImageIndex='31'/>"
    L"  </Node>"
    L"</Node>"
    L"</TreeNode></CreateComTREE>";

class WizardDialog : public CWizardFixture
{
protected:
    void SetUp() override
    {
        CWizardFixture::SetUp();
        WriteRules(kRules);
        WritePicture(L"11", RGB(255, 0, 0));
        WritePicture(L"13", RGB(0, 0, 255));
        WritePicture(L"blank", RGB(0, 255, 0));
    }
};

using Texts = std::vector<std::wstring>;

} // namespace

TEST_F(WizardDialog, OpensOnTheTemplateWithItsControls)
{
    ULONGLONG result = RunWizard(L"210", [&](HWND hDlg) {
        EXPECT_EQ(L"新增构件类别选择", WindowText(hDlg));
        EXPECT_TRUE(GetWindowLongW(hDlg, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        RECT units = { 0, 0, 390, 264 }, client;
        MapDialogRect(hDlg, &units);
        GetClientRect(hDlg, &client);
        EXPECT_EQ(units.right, client.right);
        EXPECT_EQ(units.bottom, client.bottom);

        EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongW(GetDlgItem(hDlg, IDOK), GWL_STYLE) & 0x0F);
        // The tree's style is replaced when it is filled: no label editing, no drag.
        EXPECT_EQ(0x50810037u, (DWORD)GetWindowLongW(Tree(hDlg), GWL_STYLE));
        EXPECT_EQ(L"", Message(hDlg));
        EXPECT_NE(nullptr, (HICON)SendMessageW(hDlg, WM_GETICON, ICON_BIG, 0));
        EXPECT_NE(nullptr, (HICON)SendMessageW(hDlg, WM_GETICON, ICON_SMALL, 0));
        HIMAGELIST hTreeImages = TreeView_GetImageList(Tree(hDlg), TVSIL_NORMAL);
        EXPECT_EQ(11, ImageList_GetImageCount(hTreeImages));
        PressCancel(hDlg);
    });
    EXPECT_EQ(0u, result);
}

TEST_F(WizardDialog, TreeHoldsRootCategoriesAndClassesButNoTypes)
{
    RunWizard(L"210", [&](HWND hDlg) {
        std::vector<TreeRow> rows = TreeRows(Tree(hDlg));
        Texts shown;
        for (const TreeRow& r : rows)
            shown.push_back(std::wstring(r.depth * 2, L' ') + r.text + L" "
                            + std::to_wstring(r.data) + L" " + std::to_wstring(r.image) + L"/"
                            + std::to_wstring(r.selectedImage));
        EXPECT_EQ((Texts{ L"构件向导 0 0/0", L"  梁 0 1/2", L"    连梁 15 3/4", L"    梁类 11 5/6",
                          L"    次梁 12 5/5", L"    次梁二 13 5/5", L"    单数类 7 0/0",
                          L"  柱 0 7/8", L"    零七 7 0/0", L"    框架柱 21 9/10" }),
                  shown);
        PressCancel(hDlg);
    });
}

TEST_F(WizardDialog, PreselectsTheClassOfTheCallersType)
{
    const struct
    {
        const wchar_t *code, *selected;
        Texts list;
    } cases[] = {
        // A class in the second category: selected, its parent opened, its types listed.
        { L"210", L"框架柱", { L"框架柱A 211 20" } },
        // Two classes carry 120: the last one wins.
        { L"120", L"次梁二", { L"次梁C 123 12" } },
        // The code is compared as text; without a match the first class is selected while
        // the list shows class 11.
        { L" 210",
          L"连梁",
          { L"框架梁KL 111 0", L"屋面框架梁 112 1", L"零类型 0 2", L"非数字 0 3" } },
        { L"999",
          L"连梁",
          { L"框架梁KL 111 0", L"屋面框架梁 112 1", L"零类型 0 2", L"非数字 0 3" } },
    };
    for (const auto& c : cases) {
        RunWizard(c.code, [&](HWND hDlg) {
            EXPECT_EQ(c.selected, SelectedTreeText(Tree(hDlg))) << Narrow(c.code);
            EXPECT_EQ(c.list, ListRows(List(hDlg))) << Narrow(c.code);
            EXPECT_EQ(-1, SelectedListItem(List(hDlg)));
            PressCancel(hDlg);
        });
    }
}

TEST_F(WizardDialog, TreeClicksListTheTypesOfTwoDigitClassesOnly)
{
    RunWizard(L"999", [&](HWND hDlg) {
        HWND hTree = Tree(hDlg), hList = List(hDlg);
        // Only the first unbroken run of a class's records are its types: the stray 1203
        // after class 13's run is not listed.
        ClickTreeText(hTree, L"次梁");
        EXPECT_EQ(L"次梁", SelectedTreeText(hTree));
        EXPECT_EQ((Texts{ L"次梁A 121 10", L"次梁B 122 11" }), ListRows(hList));
        EXPECT_EQ(L"提示信息：请选择构件", Message(hDlg));

        for (const wchar_t* empties : { L"构件向导", L"柱", L"单数类", L"零七" }) {
            ClickTreeText(hTree, L"次梁");
            ASSERT_EQ(2, ListView_GetItemCount(hList));
            SetMessage(hDlg, L"");
            ClickTreeText(hTree, empties);
            EXPECT_EQ(empties, SelectedTreeText(hTree));
            EXPECT_EQ(0, ListView_GetItemCount(hList)) << empties;
            EXPECT_EQ(L"提示信息：请选择构件", Message(hDlg)) << empties;
        }
        ClickTreeText(hTree, L"连梁");
        EXPECT_EQ((Texts{ L"连梁A 151 4" }), ListRows(hList));
        PressCancel(hDlg);
    });
}

TEST_F(WizardDialog, ListClicksShowTheTypesMessage)
{
    RunWizard(L"120", [&](HWND hDlg) {
        HWND hTree = Tree(hDlg), hList = List(hDlg);
        ClickTreeText(hTree, L"次梁");
        ClickListItem(hList, 0);
        EXPECT_EQ(0, SelectedListItem(hList));
        EXPECT_EQ(L"提示信息:次梁说明", Message(hDlg));
        ClickListItem(hList, 1);
        EXPECT_EQ(1, SelectedListItem(hList));
        EXPECT_EQ(L"提示信息:请选择具体构件", Message(hDlg));

        // Keyboard moves change neither the list nor the message.
        PressKey(hList, VK_LEFT);
        EXPECT_EQ(L"提示信息:请选择具体构件", Message(hDlg));
        PressKey(hTree, VK_DOWN);
        EXPECT_EQ(L"次梁二", SelectedTreeText(hTree));
        EXPECT_EQ(2, ListView_GetItemCount(hList));
        EXPECT_EQ(L"提示信息:请选择具体构件", Message(hDlg));
        PressCancel(hDlg);
    });
}

TEST_F(WizardDialog, OkReturnsTheChosenTypesCode)
{
    EXPECT_EQ(122u, RunWizard(L"120", [&](HWND hDlg) {
                  ClickTreeText(Tree(hDlg), L"次梁");
                  ClickListItem(List(hDlg), 1);
                  PressOk(hDlg);
              }));
    // A double-click on a type confirms it.
    EXPECT_EQ(111u, RunWizard(L"999", [&](HWND hDlg) { DoubleClickListItem(List(hDlg), 0); }));
    // Cancel returns 0 even with a type chosen; so does OK on a type whose code is zero or not
    // a number (the dialog ends, yet the caller reads 0 as cancelled).
    for (int item : { 0, 2, 3 }) {
        EXPECT_EQ(0u,
                  RunWizard(L"999",
                            [&](HWND hDlg) {
                                ClickListItem(List(hDlg), item);
                                ASSERT_EQ(item, SelectedListItem(List(hDlg)));
                                item ? PressOk(hDlg) : PressCancel(hDlg);
                            }))
            << item;
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(WizardDialog, OkWithoutAChoiceAsksForOneAndStaysOpen)
{
    EXPECT_EQ(0u,
              RunWizardSteps(L"120",
                             {
                                 [&](HWND hDlg) {
                                     ASSERT_EQ(-1, SelectedListItem(List(hDlg)));
                                     PressOk(hDlg);
                                 },
                                 [&](HWND hDlg) {
                                     // Still open: this step runs only because the dialog did not end.
                                     ASSERT_EQ(1u, Boxes().size());
                                     EXPECT_EQ(L"请选择构件类型\n", Boxes()[0].text);
                                     EXPECT_EQ((LPCWSTR)UIFunction::GetDefaultCaption(),
                                               Boxes()[0].caption); // the module passed none
                                     EXPECT_EQ(0u, Boxes()[0].style);
                                     // A double-click on an empty part of the list, nothing selected: the same message.
                                     RECT rc;
                                     GetClientRect(List(hDlg), &rc);
                                     DoubleClickClient(List(hDlg), { rc.right - 5, rc.bottom - 5 });
                                     EXPECT_EQ(-1, SelectedListItem(List(hDlg)));
                                 },
                                 [&](HWND hDlg) {
                                     ASSERT_EQ(2u, Boxes().size());
                                     EXPECT_EQ(L"请选择构件类型\n", Boxes()[1].text);
                                     PressCancel(hDlg);
                                 },
                             }));
}

TEST_F(WizardDialog, PicturesComeFromTheDataFolder)
{
    RunWizard(L"999", [&](HWND hDlg) {
        HIMAGELIST hImages = ListView_GetImageList(List(hDlg), LVSIL_NORMAL);
        ASSERT_EQ(89, ImageList_GetImageCount(hImages));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(hImages, &cx, &cy);
        EXPECT_EQ(40, cx);
        EXPECT_EQ(40, cy);
        // 11 and 13 are there, 12 falls back to blank.bmp, 99 too.
        EXPECT_EQ(RGB(255, 0, 0), ImagePixel(hImages, 0));
        EXPECT_EQ(RGB(0, 255, 0), ImagePixel(hImages, 1));
        EXPECT_EQ(RGB(0, 0, 255), ImagePixel(hImages, 2));
        EXPECT_EQ(RGB(0, 255, 0), ImagePixel(hImages, 88));
        // The background colour of the pictures shows as the list's white.
        EXPECT_EQ(RGB(255, 255, 255), ImagePixel(hImages, 0, 1, 1));
        EXPECT_EQ(RGB(255, 255, 255), ImagePixel(hImages, 2, 38, 38));
        PressCancel(hDlg);
    });
}

TEST_F(WizardDialog, WithoutABlankPictureLaterPicturesMoveUp)
{
    DeletePicture(L"blank");
    RunWizard(L"999", [&](HWND hDlg) {
        HIMAGELIST hImages = ListView_GetImageList(List(hDlg), LVSIL_NORMAL);
        ASSERT_EQ(2, ImageList_GetImageCount(hImages));
        EXPECT_EQ(RGB(255, 0, 0), ImagePixel(hImages, 0));
        EXPECT_EQ(RGB(0, 0, 255), ImagePixel(hImages, 1));
        PressCancel(hDlg);
    });
}

TEST_F(WizardDialog, MissingOrBrokenRulesLeaveOnlyTheRoot)
{
    for (const wchar_t* rules :
         { (const wchar_t*)nullptr, L"<CreateComTREE><TreeNode><Node NameID='0'>", L"not xml" }) {
        if (rules)
            WriteRules(rules);
        else
            DeleteRules();
        ClearBoxes();
        EXPECT_EQ(0u,
                  RunWizardSteps(L"111",
                                 {
                                     [&](HWND hDlg) {
                                         std::vector<TreeRow> rows = TreeRows(Tree(hDlg));
                                         ASSERT_EQ(1u, rows.size());
                                         EXPECT_EQ(L"构件向导", rows[0].text);
                                         EXPECT_EQ(0, ListView_GetItemCount(List(hDlg)));
                                         PressOk(hDlg);
                                     },
                                     [&](HWND hDlg) {
                                         EXPECT_EQ(1u, Boxes().size());
                                         PressCancel(hDlg);
                                     },
                                 }))
            << (rules ? rules : L"(no rule text)");
    }
}

// The repository's sample data folder, as a host ships it.
class WizardSampleData : public CWizardFixture
{
protected:
    void SetUp() override
    {
        CWizardFixture::SetUp();
        UseDataFolder(COMTREE_SAMPLE_DATA);
    }
};

TEST_F(WizardSampleData, OpensOnTheFoldersClassWithEveryPictureAndIcon)
{
    ULONGLONG result = RunWizard(L"121", [&](HWND hDlg) {
        EXPECT_EQ(L"次梁", SelectedTreeText(Tree(hDlg)));
        EXPECT_EQ(11, ImageList_GetImageCount(TreeView_GetImageList(Tree(hDlg), TVSIL_NORMAL)));
        EXPECT_EQ(89, ImageList_GetImageCount(ListView_GetImageList(List(hDlg), LVSIL_NORMAL)));
        std::vector<std::wstring> rows = ListRows(List(hDlg));
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(0u, rows[0].find(L"非框架梁 121 "));
        ClickListItem(List(hDlg), 1);
        EXPECT_EQ(0u, Message(hDlg).find(L"提示信息:弧形次梁(HCL)：")) << Message(hDlg);
        PressOk(hDlg);
    });
    EXPECT_EQ(122u, result);
}
