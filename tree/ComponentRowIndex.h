// CComponentRowIndex: every component row of the project, read with one cursor and grouped by
// folder, for the duration of one full build of the tree.
//
// The full build lists the components of every folder it shows. Asking the project for each
// folder's rows separately costs one query per folder, which on a large project is most of the
// build; reading the table once and answering per folder from memory gives the same rows in
// the same order (display order, then id).
#pragma once

#include <unordered_map>
#include <vector>

#include "afxwin.h"

class CComponentRowIndex
{
public:
    struct Row
    {
        int nId;
        int nComType;
        double dVolume;
        CString strName;
    };

    // Reads all component rows; FALSE when no cursor over the table can be had.
    BOOL Load();

    // The rows whose floorid is nFloorId and whose folderid equals strFolderId exactly, in
    // ascending showid, rows of equal showid in id order. NULL with nCount 0 when none.
    const Row* Find(int nFloorId, const CString& strFolderId, int& nCount) const;

private:
    static std::wstring Key(int nFloorId, LPCWSTR pszFolderId);

    std::vector<Row> m_rows;
    std::unordered_map<std::wstring, std::pair<int, int>> m_groups; // key -> first row, count
};
