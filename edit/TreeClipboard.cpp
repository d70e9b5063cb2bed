// Delete, cut, copy, paste and quick copy of single tree items, and the two commands that hand
// the selected item to the host.
//
// Cut and copy only record the source in CopyInfo. A paste copies the source's stored rows
// (never its tree item, which may be gone by then) under the target, a folder with its
// sub-folders and components, and after a cut deletes the source. Every paste and every
// recursive delete is one transaction of the project file: when any statement fails the file
// keeps what it had before the command, the tree and the folder store are read again from it,
// and the user sees the error. What cannot be pasted safely is refused before anything is
// written: a folder into itself, and a cut rule folder onto its own floor (the merge target
// would be the source itself, which the cut then deletes with everything pasted into it).
#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>
#include <vector>

#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "tree/ComTreeHostSite.h"
#include "tree/VolumeText.h"

namespace {

using Field = CAccessProject_ComFolderTable::CFieldInfo;
using ComField = CAccessProject_Components_GJTable::CFieldInfo;

const wchar_t kConfirmDelete[] = L"是否删除节点:%s。";
const wchar_t kFoundationNoCopy[] = L"基础构件夹不能复制";
const wchar_t kPasteIntoSource[] = L"不能粘贴到源构件夹之内";
const wchar_t kPasteOntoOwnFloor[] = L"剪切的规则构件夹不能粘贴到原楼层";
const wchar_t kCommandUndone[] = L"项目数据写入失败，本次操作已撤销：%s";

const wchar_t kFoundationFolderId[] = L"50";
const int kFirstUserFolderId = 100; // rule folder ids stay below it
const int kImageComponent = 10;
const int kImageFolder = 0;

// What identifies a tree item's stored rows, kept while the item itself goes away.
struct ItemKey
{
    int nKind;
    int nFloorId;
    CString strId;
};

bool IsClipboardSource(const CTreeCopyInfo& clip, const CParamProp* pProp)
{
    return clip.hasSource && pProp->m_nNodeType == clip.sourceType
        && pProp->m_nFloorID == clip.sourceFloorId && pProp->m_strID == clip.sourceId;
}

// The first item in hBranch's subtree (hBranch included) with this record.
HTREEITEM FindInBranch(CCompoentsTreeCtrl& tree, HTREEITEM hBranch, const ItemKey& key)
{
    HTREEITEM hCur = hBranch;
    while (hCur != NULL) {
        const CParamProp* pProp = tree.GetItemProp(hCur);
        if (pProp && pProp->m_nNodeType == key.nKind && pProp->m_nFloorID == key.nFloorId
            && pProp->m_strID == key.strId)
            return hCur;
        HTREEITEM hNext = tree.GetChildItem(hCur);
        while (hNext == NULL && hCur != hBranch) {
            hNext = tree.GetNextSiblingItem(hCur);
            if (hNext == NULL)
                hCur = tree.GetParentItem(hCur);
        }
        hCur = hNext;
    }
    return NULL;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Transactions

BOOL CCompoentsTreeCtrl::EndCommand(CProjectConnectTransaction& transaction)
{
    CProjectConnection* pConn = CProjectDatabase::GetConnection();
    if (pConn == NULL)
        return TRUE; // no project: nothing was written
    // Inside a caller's transaction the caller's end decides.
    const bool bOutermost = pConn->ScopeDepth() == 1;
    if (transaction.End() || !bOutermost)
        return TRUE;
    // The file is as before the command, but the tree items and the folder store's rows were
    // changed as the command went: both are read again from the file.
    const CString strError(pConn->GetLastErrorText().c_str());
    CComTreeHostSite* pSite = GetHostSite();
    m_pFolderManager->ReLoad();
    InitTree(CString(), pSite == NULL || pSite->IsByFloor());
    CString strText;
    strText.Format(kCommandUndone, strError.GetString());
    UIFunction::KxMessageBox(strText, L"", MB_OK);
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Delete

void CCompoentsTreeCtrl::OnDel()
{
    const HTREEITEM hItem = GetSelectedItem();
    const CParamProp* pProp = GetItemProp(hItem);
    if (pProp == NULL)
        return;
    CString strAsk;
    strAsk.Format(kConfirmDelete, pProp->m_strName.GetString());
    if (UIFunction::KxMessageBox(strAsk, L"", MB_YESNO) == IDNO)
        return;
    if (!pProp->m_strID.IsEmpty())
        DelChildItem(hItem);
    CopyInfo.multiCopyPending = 0;
    CopyInfo.multiCutPending = 0;
}

void CCompoentsTreeCtrl::DelChildItem(HTREEITEM hItem)
{
    if (hItem == NULL || GetSafeHwnd() == NULL)
        return;
    CProjectConnectTransaction transaction;
    DeleteBranch(hItem);
    EndCommand(transaction);
}

void CCompoentsTreeCtrl::DeleteBranch(HTREEITEM hItem)
{
    // One walk takes every record of the branch and one deletion removes its items: a folder
    // of a thousand components costs a thousand tree messages less than deleting item by item,
    // each of which the control validates against all its items. The rows then go children
    // first, as the items would have gone.
    std::vector<ItemKey> arrKeys;
    HTREEITEM hCur = hItem;
    while (hCur != NULL) {
        CParamProp* pProp = GetItemProp(hCur);
        if (pProp != NULL) {
            // A deleted source has nothing left to paste, and a folder id may be given again.
            if (IsClipboardSource(CopyInfo, pProp)) {
                CopyInfo.hasSource = 0;
                cutItem = NULL;
            }
            arrKeys.push_back({ pProp->m_nNodeType, pProp->m_nFloorID, pProp->m_strID });
            SetItemData(hCur, 0);
            delete pProp;
        }
        HTREEITEM hNext = GetChildItem(hCur);
        while (hNext == NULL && hCur != hItem) {
            hNext = GetNextSiblingItem(hCur);
            if (hNext == NULL)
                hCur = GetParentItem(hCur);
        }
        hCur = hNext;
    }
    DeleteItem(hItem);

    for (auto it = arrKeys.rbegin(); it != arrKeys.rend(); ++it) {
        if (it->nKind == CParamProp::NodeFolder) {
            if (_wtoi(it->strId) < kFirstUserFolderId)
                m_pFolderManager->UncreateBaseFolder(it->nFloorId, it->strId);
            else
                m_pFolderManager->DelUserFolderRow(it->nFloorId, it->strId);
        } else {
            m_pFolderManager->DelComponentRows(_wtoi(it->strId));
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Cut, copy

void CCompoentsTreeCtrl::RecordSource(HTREEITEM hSource)
{
    const CParamProp* pProp = GetItemProp(hSource);
    const CParamProp* pParent = GetItemProp(GetParentItem(hSource));
    CopyInfo.sourceId = pProp->m_strID;
    CopyInfo.sourceFloorId = pProp->m_nFloorID;
    CopyInfo.sourceType = pProp->m_nNodeType;
    CopyInfo.sourceComType = pProp->m_nComType;
    CopyInfo.sourceParentId = pParent ? pParent->m_strID : CString();
    CopyInfo.hasSource = 1;
    CopyInfo.multiCopyPending = 0;
    CopyInfo.multiCutPending = 0;
}

void CCompoentsTreeCtrl::OnCut()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (GetItemProp(hItem) == NULL)
        return;
    RecordSource(hItem);
    cutItem = hItem;
    CopyInfo.sourceParentItem = GetParentItem(hItem);
    CopyInfo.isCopy = 0;
}

void CCompoentsTreeCtrl::OnCopy()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (GetItemProp(hItem) == NULL)
        return;
    RecordSource(hItem);
    CopyInfo.sourceParentItem = GetParentItem(hItem);
    CopyInfo.isCopy = 1;
}

// ---------------------------------------------------------------------------------------------
// Paste

LPCTSTR CCompoentsTreeCtrl::PasteRefusal(HTREEITEM hTarget)
{
    if (CopyInfo.sourceType == CParamProp::NodeComponent)
        return NULL;
    // A folder pasted into itself would copy its own copy again, without end.
    for (HTREEITEM hUp = hTarget; hUp != NULL; hUp = GetParentItem(hUp)) {
        const CParamProp* pUp = GetItemProp(hUp);
        if (pUp && pUp->m_nNodeType == CParamProp::NodeFolder
            && pUp->m_nFloorID == CopyInfo.sourceFloorId && pUp->m_strID == CopyInfo.sourceId)
            return kPasteIntoSource;
    }
    const CParamProp* pTarget = GetItemProp(hTarget);
    if (!CopyInfo.isCopy && _wtoi(CopyInfo.sourceId) < kFirstUserFolderId && pTarget
        && pTarget->m_nFloorID == CopyInfo.sourceFloorId)
        return kPasteOntoOwnFloor;
    return NULL;
}

void CCompoentsTreeCtrl::OnPaste()
{
    if (CopyInfo.sourceId == kFoundationFolderId) {
        CopyInfo.hasSource = 0;
        UIFunction::KxMessageBox(kFoundationNoCopy, L"", MB_OK);
        return;
    }
    if (DoMPaste())
        return;
    const HTREEITEM hTarget = GetSelectedItem();
    if (GetItemProp(hTarget) == NULL || !CopyInfo.hasSource)
        return;
    if (LPCTSTR pszRefusal = PasteRefusal(hTarget)) {
        UIFunction::KxMessageBox(pszRefusal, L"", MB_OK);
        return;
    }

    // The paste of a folder rewrites the record on its way down; the source is kept apart.
    const CTreeCopyInfo before = CopyInfo;
    const ItemKey source = { CopyInfo.sourceType, CopyInfo.sourceFloorId, CopyInfo.sourceId };
    CProjectConnectTransaction transaction;
    const HTREEITEM hPasted = PasteSourceUnder(hTarget);
    // A cut source goes only once its copy stands. A rebuild since the cut gave its item a
    // new handle; without an item there is nothing to move.
    if (hPasted != NULL && !before.isCopy) {
        const HTREEITEM hCut = cutItem != NULL
            ? cutItem
            : FindSourceItem(source.nKind, source.nFloorId, source.strId);
        if (hCut != NULL)
            DeleteBranch(hCut);
    }
    ReSumNodeVolume(hTarget);
    if (!EndCommand(transaction)) {
        // Nothing happened: the clipboard holds what it held, less the handles of the old tree.
        CopyInfo = before;
        CopyInfo.sourceParentItem = NULL;
        return;
    }
    CopyInfo.hasSource = 0;
    Invalidate();
}

void CCompoentsTreeCtrl::OnQuickCopy()
{
    const HTREEITEM hItem = GetSelectedItem();
    if (GetItemProp(hItem) == NULL)
        return;
    const HTREEITEM hParent = GetParentItem(hItem);
    if (hParent == NULL)
        return; // the project item has nowhere to go
    RecordSource(hItem);
    CopyInfo.sourceParentItem = NULL;
    CopyInfo.isCopy = 1;
    const CTreeCopyInfo before = CopyInfo;
    CProjectConnectTransaction transaction;
    PasteSourceUnder(hParent);
    ReSumNodeVolume(hParent);
    if (!EndCommand(transaction)) {
        CopyInfo = before;
        return;
    }
    Invalidate();
}

void CCompoentsTreeCtrl::PasteChildItem(HTREEITEM hTarget)
{
    if (GetItemProp(hTarget) == NULL)
        return;
    if (LPCTSTR pszRefusal = PasteRefusal(hTarget)) {
        UIFunction::KxMessageBox(pszRefusal, L"", MB_OK);
        return;
    }
    CProjectConnectTransaction transaction;
    PasteSourceUnder(hTarget);
    EndCommand(transaction);
}

HTREEITEM CCompoentsTreeCtrl::PasteSourceUnder(HTREEITEM hTarget)
{
    const CParamProp* pTarget = GetItemProp(hTarget);
    if (pTarget == NULL)
        return NULL;
    const int nFloorId = pTarget->m_nFloorID;
    const CString strTargetId = pTarget->m_strID;
    const int nSourceId = _wtoi(CopyInfo.sourceId);

    if (CopyInfo.sourceType == CParamProp::NodeComponent) {
        CAccessProject_Components_GJTable components;
        const CString strName = components.GetComName(nSourceId);
        if (strName.IsEmpty())
            return NULL; // the component is gone
        const CString strCount = components.GetComVolume(nSourceId);
        const float fCount = (float)_wtof(strCount);
        const int nNewId = components.CopyOneRow(nSourceId, nFloorId, strTargetId);
        if (nNewId <= 0)
            return NULL;
        return InsertComponentItem(hTarget, nFloorId, nNewId, strName, CopyInfo.sourceComType,
                                   fCount, FormatVolumeText(fCount));
    }

    // A folder: its row on the source floor must still stand (a hidden rule folder has been
    // deleted: its content is gone).
    CSQLDataSet* pFolders = m_pFolderManager->m_pComFolderDataSet;
    const int nSourceRow = m_pFolderManager->FindFolderRow(CopyInfo.sourceId,
                                                           CopyInfo.sourceFloorId);
    if (pFolders == NULL || nSourceRow <= 0
        || pFolders->GetAsInteger(Field::initcreate, nSourceRow) == 0)
        return NULL;
    FolderRow row;
    row.Read(FolderRow::Columns(pFolders), nSourceRow);
    const CString strCount = m_pFolderManager->GetVolumeText(nSourceId, CopyInfo.sourceFloorId,
                                                             CParamProp::NodeFolder);
    const float fCount = (float)_wtof(strCount);
    const CString strSourceId = CopyInfo.sourceId;
    const int nSourceFloorId = CopyInfo.sourceFloorId;

    HTREEITEM hNew = NULL;
    row.nImage = row.nSelectedImage = kImageFolder;
    if (nSourceId >= kFirstUserFolderId) {
        row.strId = m_pFolderManager->CopyUserFolderRow(nSourceFloorId, nFloorId, strSourceId,
                                                        strTargetId);
    } else {
        // The rule folder's row on the target floor is shown; a new item only when it was not.
        const int nTargetRow = m_pFolderManager->FindFolderRow(strSourceId, nFloorId);
        if (nTargetRow <= 0)
            return NULL; // that floor has no such folder: nothing to show it by
        if (pFolders->GetAsInteger(Field::initcreate, nTargetRow) == 0) {
            row.nImage = row.nSelectedImage = pFolders->GetAsInteger(Field::imageindex, nTargetRow);
            pFolders->SetAsInteger(Field::initcreate, nTargetRow, 1);
            pFolders->DoSqlUpdate();
        } else {
            for (HTREEITEM h = GetChildItem(hTarget); h != NULL && hNew == NULL;
                 h = GetNextSiblingItem(h)) {
                const CParamProp* pChild = GetItemProp(h);
                if (pChild && pChild->m_strID == strSourceId
                    && pChild->m_nNodeType == CopyInfo.sourceType)
                    hNew = h;
            }
            if (hNew == NULL)
                return NULL;
        }
    }
    if (hNew == NULL) {
        if (row.strId.IsEmpty())
            return NULL;
        row.nFloorId = nFloorId;
        row.nComType = CopyInfo.sourceComType;
        hNew = InsertFolderRowItem(hTarget, row, fCount, FormatVolumeText(fCount));
        if (hNew == NULL)
            return NULL;
    }

    // The content, folders first, each pasted as a source of its own: the record describes the
    // last item pasted afterwards.
    CDataSet_ComFolder* pChildren = m_pFolderManager->GetChildFolderRows(strSourceId,
                                                                         nSourceFloorId);
    for (int nRow = 1; nRow <= pChildren->GetRowCount(); ++nRow) {
        CopyInfo.sourceId = pChildren->GetAsString(Field::comfolderid, nRow);
        CopyInfo.sourceFloorId = pChildren->GetAsInteger(Field::floorid, nRow);
        CopyInfo.sourceType = CParamProp::NodeFolder;
        CopyInfo.sourceComType = pChildren->GetAsInteger(Field::comtype, nRow);
        CopyInfo.sourceParentId = pChildren->GetAsString(Field::parentid, nRow);
        PasteSourceUnder(hNew);
    }
    delete pChildren;

    CStringArray arrFields, arrValues;
    arrFields.Add(ComField::folderid);
    arrFields.Add(ComField::floorid);
    arrValues.Add(strSourceId);
    CString strFloor;
    strFloor.Format(L"%d", nSourceFloorId);
    arrValues.Add(strFloor);
    CSQLDataSet* pComponents = CAccessProject_Components_GJTable().GetDataSet(arrFields, arrValues);
    for (int nRow = 1; nRow <= pComponents->GetRowCount(); ++nRow) {
        CopyInfo.sourceId.Format(L"%d", pComponents->GetAsInteger(ComField::id, nRow));
        CopyInfo.sourceFloorId = pComponents->GetAsInteger(ComField::floorid, nRow);
        CopyInfo.sourceType = CParamProp::NodeComponent;
        CopyInfo.sourceComType = pComponents->GetAsInteger(ComField::comtype, nRow);
        CopyInfo.sourceParentId = pComponents->GetAsString(ComField::folderid, nRow);
        PasteSourceUnder(hNew);
    }
    delete pComponents;
    return hNew;
}

HTREEITEM CCompoentsTreeCtrl::FindSourceItem(int nKind, int nFloorId, const CString& strId)
{
    // Only the source's floor is searched: by floor it is a top-level item, by component it
    // stands under every category head. The whole tree would cost seconds on a large project.
    const ItemKey key = { nKind, nFloorId, strId };
    for (HTREEITEM hTop = GetChildItem(GetRootItem()); hTop != NULL;
         hTop = GetNextSiblingItem(hTop)) {
        const CParamProp* pTop = GetItemProp(hTop);
        if (pTop == NULL)
            continue;
        if (pTop->m_nNodeType == CParamProp::NodeFloor) {
            if (pTop->m_nFloorID != nFloorId)
                continue;
            if (HTREEITEM hFound = FindInBranch(*this, hTop, key))
                return hFound;
            continue;
        }
        for (HTREEITEM hFloor = GetChildItem(hTop); hFloor != NULL;
             hFloor = GetNextSiblingItem(hFloor)) {
            const CParamProp* pFloor = GetItemProp(hFloor);
            if (pFloor == NULL || pFloor->m_nNodeType != CParamProp::NodeFloor
                || pFloor->m_nFloorID != nFloorId)
                continue;
            if (HTREEITEM hFound = FindInBranch(*this, hFloor, key))
                return hFound;
        }
    }
    return NULL;
}

// ---------------------------------------------------------------------------------------------
// The host's commands on the selected item

void CCompoentsTreeCtrl::OnModifyCom()
{
    const HTREEITEM hItem = GetSelectedItem();
    CParamProp* pProp = GetItemProp(hItem);
    CWnd* pFrame = CManageSteelMainFrame::Instance()->GetSteelMainFrame();
    if (pProp != NULL && pFrame != NULL)
        pFrame->SendMessage(WM_COMTREE_OPENCOMPONENT, reinterpret_cast<WPARAM>(&m_menu),
                            reinterpret_cast<LPARAM>(pProp));
}

void CCompoentsTreeCtrl::OnModifyBatch()
{
    const HTREEITEM hItem = GetSelectedItem();
    CParamProp* pProp = GetItemProp(hItem);
    CWnd* pFrame = CManageSteelMainFrame::Instance()->GetSteelMainFrame();
    if (pProp != NULL && pFrame != NULL)
        pFrame->SendMessage(WM_COMTREE_BATCHMODIFY, reinterpret_cast<WPARAM>(hItem),
                            reinterpret_cast<LPARAM>(pProp));
}
