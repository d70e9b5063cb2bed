// A fresh project file per test, opened as the process's current project, the folder rule
// text the store reads under "TREE", the message boxes it shows, and an independent SQLite
// connection that reads back what the store committed.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"

typedef std::vector<std::vector<std::wstring>> Rows;

// Two top-level folders (one shown, one hidden) and a sub-folder of the second, beside a
// BaseFloor section that the store never reads.
extern const wchar_t kStoreRules[];

class FolderStoreTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Seeds rows through the independent connection, before a manager reads them.
    void AddFloor(int nId, const wchar_t* pszName, int nShowId, int nCreateMode = 0);
    void AddFolderRow(const wchar_t* pszId, int nFloorId, const wchar_t* pszParentId,
                      int nInitCreate, const wchar_t* pszVolume = L"1");
    int AddComponent(int nFloorId, const wchar_t* pszFolderId, const wchar_t* pszName);
    void AddResult(int nComId, const wchar_t* pszItem);

    void SetRules(const wchar_t* pszText);

    // What the file holds now, through the independent connection.
    Rows Query(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});
    int Count(const wchar_t* pszSql, const std::vector<std::wstring>& params = {});

    // The dataset's cell as text, for compact row checks.
    static std::wstring Cell(NDataModelDataSet* pData, const wchar_t* pszField, int nRow);

    std::wstring m_strPath;
    CProjectConnection m_reader;
    std::vector<std::wstring> m_boxes; // text|caption|style of every message box
    UIFunction::KxMessageBoxHandler m_pfnPreviousBox = NULL;
};
