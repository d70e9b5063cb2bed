// A data folder of the test's own (rule text and pictures) set as the host's data path, the
// host's message box recorded instead of shown, the module's resources switched in, and
// helpers that read the wizard's real controls back.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "FwTestSupport.h"
#include "TestProject.h"

struct TreeRow
{
    HTREEITEM hItem;
    std::wstring text;
    long long data;
    int image, selectedImage, depth;
};

class CWizardFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteRules(const wchar_t* text);
    void DeleteRules();
    // A 40x40 picture of one colour as bmp\<name>.bmp, its outer 4 pixels in the wizard's
    // transparent background colour RGB(255,255,254).
    void WritePicture(const wchar_t* name, COLORREF color);
    void DeletePicture(const wchar_t* name);
    // Another data folder for the host, such as the repository's sample data.
    void UseDataFolder(const std::wstring& dir);

    // Runs CInitTreeDlg::GetValue with the module's resources, the action acting on the
    // dialog once it is up; fails the test when the action left the dialog open.
    ULONGLONG RunWizard(const wchar_t* initComType, std::function<void(HWND)> action);
    // The same with several steps; the dialog's loop runs between two steps, so a step that
    // ends the dialog is the last one to run (StepsRun tells how many did).
    ULONGLONG RunWizardSteps(const wchar_t* initComType,
                             std::vector<std::function<void(HWND)>> steps);
    size_t StepsRun() const { return m_nStepsRun; }

    const std::vector<RecordedBox>& Boxes() const { return m_boxes.boxes; }
    void ClearBoxes() { m_boxes.boxes.clear(); }

    std::wstring m_dataDir;

private:
    std::wstring m_oldDataPath;
    size_t m_nStepsRun = 0;
    CBoxRecorder m_boxes;
};

HWND Tree(HWND hDlg);
HWND List(HWND hDlg);
std::wstring ClassName(HWND hWnd);
std::wstring Message(HWND hDlg);
void SetMessage(HWND hDlg, const wchar_t* text);
void PressOk(HWND hDlg);
void PressCancel(HWND hDlg);

// Pre-order, as shown.
std::vector<TreeRow> TreeRows(HWND hTree);
std::wstring SelectedTreeText(HWND hTree);
// Clicks the label of the first item with that text.
void ClickTreeText(HWND hTree, const std::wstring& text);

// "<text> <data> <image>" per item.
std::vector<std::wstring> ListRows(HWND hList);
int SelectedListItem(HWND hList);
void ClickListItem(HWND hList, int item);
void DoubleClickListItem(HWND hList, int item);
// Real mouse input at a client point: the release is queued before the press is handled.
void ClickClient(HWND hWnd, POINT pt);
void DoubleClickClient(HWND hWnd, POINT pt);

// The colour of one image of an image list drawn on black, at its middle or at (x, y).
COLORREF ImagePixel(HIMAGELIST hImages, int image, int x = 20, int y = 20);
