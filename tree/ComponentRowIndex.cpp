#include "tree/ComponentRowIndex.h"

#include <algorithm>
#include <string>

#include "ComTreeHost.h"

namespace {
struct Pending
{
    int nFloorId;
    double dShowId; // REAL in some projects (1.5 between 1 and 2): read as stored
    CString strFolderId;
    CComponentRowIndex::Row row;
};
} // namespace

std::wstring CComponentRowIndex::Key(int nFloorId, LPCWSTR pszFolderId)
{
    // The unit separator cannot occur in a decimal floor id.
    return std::to_wstring(nFloorId) + L'\x1f' + pszFolderId;
}

BOOL CComponentRowIndex::Load()
{
    m_rows.clear();
    m_groups.clear();

    CAccessProject_Components_GJTable table;
    CKxSQLTableCtrl* pCursor = NULL;
    if (!table.GetAllRow_TableCtrl(pCursor) || pCursor == NULL)
        return FALSE;

    // The cursor runs in id order; a stable sort keeps that order among equal display orders.
    std::vector<Pending> pending;
    while (pCursor->TableNextRow()) {
        Pending p;
        p.nFloorId = 0;
        p.dShowId = 0.0;
        p.row.nId = 0;
        p.row.nComType = 0;
        p.row.dVolume = 0.0;
        pCursor->GetAsInterger(L"floorid", p.nFloorId);
        pCursor->GetAsString(L"folderid", p.strFolderId);
        pCursor->GetAsFloat(L"showid", p.dShowId);
        pCursor->GetAsInterger(L"id", p.row.nId);
        pCursor->GetAsString(L"comname", p.row.strName);
        pCursor->GetAsInterger(L"comtype", p.row.nComType);
        pCursor->GetAsFloat(L"volume", p.row.dVolume);
        pending.push_back(std::move(p));
    }
    delete pCursor;

    std::stable_sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
        if (a.nFloorId != b.nFloorId)
            return a.nFloorId < b.nFloorId;
        const int nCmp = a.strFolderId.Compare(b.strFolderId);
        if (nCmp != 0)
            return nCmp < 0;
        return a.dShowId < b.dShowId;
    });

    m_rows.reserve(pending.size());
    for (size_t i = 0; i < pending.size(); ++i) {
        const std::wstring strKey = Key(pending[i].nFloorId, pending[i].strFolderId);
        auto it = m_groups.find(strKey);
        if (it == m_groups.end())
            m_groups.emplace(strKey, std::make_pair((int)m_rows.size(), 1));
        else
            ++it->second.second;
        m_rows.push_back(std::move(pending[i].row));
    }
    return TRUE;
}

const CComponentRowIndex::Row* CComponentRowIndex::Find(int nFloorId, const CString& strFolderId,
                                                        int& nCount) const
{
    auto it = m_groups.find(Key(nFloorId, strFolderId));
    if (it == m_groups.end()) {
        nCount = 0;
        return NULL;
    }
    nCount = it->second.second;
    return &m_rows[it->second.first];
}
