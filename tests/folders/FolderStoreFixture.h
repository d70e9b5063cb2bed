// The folder store on a project of the test's own: the folder rule text it reads under
// "TREE" and the message boxes it shows (recorded), with the rows read back through a
// connection of their own.
#pragma once
#include <gtest/gtest.h>
#include "TestProject.h"
#include "folders/ComFolderManager.h"

// Two top-level folders (one shown, one hidden) and a sub-folder of the second, beside a
// BaseFloor section that the store never reads.
inline const wchar_t kStoreRules[] =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<TREE>\n"
    L"  <BaseFloor>\n"
    L"    <Folder Name=\"基础\" NameId=\"1050\" InitCreate=\"true\" ShowID=\"1\"/>\n"
    L"  </BaseFloor>\n"
    L"  <OtherFloor>\n"
    L"    <Folder Name=\"柱\" NameId=\"1010\" ImageIndex=\"1\" SelectedIndex=\"2\" ComType=\"10\"\n"
    L"            AllowOwnerCom=\"true\" InitCreate=\"true\" ShowID=\"1\"/>\n"
    L"    <Folder Name=\"梁\" NameId=\"1020\" ComType=\"20\" AllowAddUserFolder=\"true\" "
    L"ShowID=\"2\">\n"
    L"      <Folder Name=\"框架梁\" NameId=\"1021\" ImageIndex=\"5\" SelectedIndex=\"6\" "
    L"ComType=\"21\"\n"
    L"              AllowOwnerCom=\"true\" InitCreate=\"true\" ShowID=\"9\"/>\n"
    L"    </Folder>\n"
    L"  </OtherFloor>\n"
    L"</TREE>\n";

class FolderStoreTest : public testing::Test, public CTestProject
{
protected:
    FolderStoreTest() { SetRules(kStoreRules); }

    // A folder named after its id, show id 0.
    void AddFolderRow(const wchar_t* pszId, int nFloorId, const wchar_t* pszParentId,
                      int nInitCreate, const wchar_t* pszVolume = L"1")
    {
        AddFolder(nFloorId, pszId, pszParentId, (L"文件夹" + std::wstring(pszId)).c_str(), 1,
                  nInitCreate, _wtof(pszVolume), 0, 0, 0);
    }
    int AddComponent(int nFloorId, const wchar_t* pszFolderId, const wchar_t* pszName)
    {
        return CTestProject::AddComponent(nFloorId, pszFolderId, pszName, 1.0, 1);
    }
    Rows Query(const wchar_t* pszSql, const std::vector<std::wstring>& params = {})
    {
        return Peek(pszSql, params);
    }
    // The dataset's cell as text, for compact row checks.
    static std::wstring Cell(NDataModelDataSet* pData, const wchar_t* pszField, int nRow)
    {
        return W(pData->GetAsString(pszField, nRow));
    }

    CBoxRecorder m_boxes;
};
