// The operations on several selected components at once (copy, cut, paste, delete), the
// double-click that hands a component or a folder to the host, and the re-filing the host may
// ask for while it handles that double-click.
//
// Pending items are kept by tree handle from the copy or cut until the paste. Every removal of
// an item drops it from m_arrOpItems (OnItemRemoved), so a paste only ever meets live items and
// pastes what is left of the group. The project is written first, in one transaction; the tree
// follows only when that transaction committed, so the tree never shows rows the file lacks.
#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>

#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "tree/ComTreeHostSite.h"
#include "tree/VolumeText.h"

namespace {

using ComField = CAccessProject_Components_GJTable::CFieldInfo;

// The first folder with id strId among hFrom and the siblings after it, then among hFrom and
// the siblings before it, nearest first.
HTREEITEM FindFolderBeside(CCompoentsTreeCtrl& tree, HTREEITEM hFrom, const CString& strId)
{
    auto isFolder = [&](HTREEITEM hItem) {
        const CParamProp* pProp = tree.GetItemProp(hItem);
        return pProp && pProp->m_nNodeType == CParamProp::NodeFolder && pProp->m_strID == strId;
    };
    for (HTREEITEM h = hFrom; h != NULL; h = tree.GetNextSiblingItem(h)) {
        if (isFolder(h))
            return h;
    }
    for (HTREEITEM h = hFrom; h != NULL; h = tree.GetPrevSiblingItem(h)) {
        if (isFolder(h))
            return h;
    }
    return NULL;
}

// Copy and cut only mark the group; the single-item clipboard is emptied so that paste means
// this group.
void HoldSelection(CCompoentsTreeCtrl& tree, bool bCut)
{
    tree.InitSelItem();
    tree.m_arrOpItems.RemoveAll();
    tree.CopyInfo.multiCutPending = bCut ? 1 : 0;
    tree.CopyInfo.multiCopyPending = bCut ? 0 : 1;
    tree.CopyInfo.hasSource = 0;
    tree.m_arrOpItems.Append(tree.m_arrSelItems);
}

} // namespace

void CCompoentsTreeCtrl::OnMCopy() { HoldSelection(*this, false); }

void CCompoentsTreeCtrl::OnMCut() { HoldSelection(*this, true); }

void CCompoentsTreeCtrl::OnMPaste() { DoMPaste(); }

// With a group pending the result is 1 whether or not anything could be pasted: the paste
// command is then this one's, and the single-item paste must not run on a clipboard the
// group emptied. Pasting needs a folder as caret; anywhere else, or when the write was rolled
// back, nothing changes and the group stays pending.
int CCompoentsTreeCtrl::DoMPaste()
{
    const bool bMove = CopyInfo.multiCutPending != 0;
    if (!bMove && !CopyInfo.multiCopyPending) {
        m_arrOpItems.RemoveAll();
        m_arrSelItems.RemoveAll();
        if (GetSafeHwnd())
            Invalidate();
        return 0;
    }
    const HTREEITEM hTarget = GetSafeHwnd() ? GetSelectedItem() : NULL;
    const CParamProp* pTarget = GetItemProp(hTarget);
    if (pTarget == NULL || pTarget->m_nNodeType != CParamProp::NodeFolder)
        return 1;
    const int nFloorId = pTarget->m_nFloorID;
    const CString strFolderId = pTarget->m_strID;

    // The sources as they stand; removing a moved item below changes m_arrOpItems.
    CArray<HTREEITEM, HTREEITEM> arrItems;
    arrItems.Append(m_arrOpItems);
    const INT_PTR nCount = arrItems.GetSize();
    CArray<CParamProp*, CParamProp*> arrSources;
    CArray<int, int> arrIds; // the pasted rows' ids; 0 where the source has no row
    arrSources.SetSize(nCount);
    arrIds.SetSize(nCount);
    {
        CProjectConnectTransaction transaction;
        CAccessProject_Components_GJTable table;
        for (INT_PTR i = 0; i < nCount; ++i) {
            CParamProp* pSource = GetItemProp(arrItems[i]);
            arrSources[i] = pSource;
            arrIds[i] = 0;
            if (pSource == NULL || pSource->m_nNodeType != CParamProp::NodeComponent)
                continue;
            const int nId = _wtoi(pSource->m_strID);
            if (bMove)
                arrIds[i] = table.ModifyOneRow(nId, nFloorId, strFolderId) ? nId : 0;
            else
                arrIds[i] = table.CopyOneRow(nId, nFloorId, strFolderId);
        }
        if (!transaction.End())
            return 1;
    }

    for (INT_PTR i = 0; i < nCount; ++i) {
        CParamProp* pSource = arrSources[i];
        if (arrIds[i] == 0)
            continue;
        InsertComponentItem(hTarget, nFloorId, arrIds[i], pSource->m_strName, pSource->m_nComType,
                            pSource->m_fVolume, FormatVolumeText(pSource->m_fVolume));
        if (bMove) {
            // The record stays until its item is gone: the removal notification may read it.
            DeleteItem(arrItems[i]);
            delete pSource;
        }
    }
    CopyInfo.multiCopyPending = 0;
    CopyInfo.multiCutPending = 0;
    m_arrOpItems.RemoveAll();
    m_arrSelItems.RemoveAll();
    Invalidate();
    return 1;
}

// The rows go first, in one transaction; when it is rolled back the items stay, as the rows
// do. The caret moves to the parent before the items go, so that the tree does not pass the
// caret from one doomed item to the next, telling the panel each time.
void CCompoentsTreeCtrl::OnMDel()
{
    InitSelItem();
    const INT_PTR nCount = m_arrSelItems.GetSize();
    if (nCount == 0)
        return;
    const HTREEITEM hParent = GetParentItem(m_arrSelItems[nCount - 1]);
    m_arrOpItems.RemoveAll();
    m_arrOpItems.Append(m_arrSelItems);

    CArray<int, int&> arrIds;
    for (INT_PTR i = 0; i < nCount; ++i) {
        const CParamProp* pProp = GetItemProp(m_arrOpItems[i]);
        int nId = pProp ? _wtoi(pProp->m_strID) : 0;
        arrIds.Add(nId);
    }
    {
        CProjectConnectTransaction transaction;
        m_pFolderManager->DeleteComponents(arrIds);
        if (!transaction.End())
            return;
    }

    SelectItem(hParent);
    CArray<HTREEITEM, HTREEITEM> arrItems;
    arrItems.Append(m_arrOpItems);
    for (INT_PTR i = 0; i < arrItems.GetSize(); ++i) {
        CParamProp* pProp = GetItemProp(arrItems[i]);
        DeleteItem(arrItems[i]);
        delete pProp;
    }
    m_arrOpItems.RemoveAll();
    CopyInfo.multiCopyPending = 0;
    CopyInfo.multiCutPending = 0;
    Invalidate();
}

int CCompoentsTreeCtrl::IsInTheSameLevel(HTREEITEM hItem)
{
    if (m_arrSelItems.GetSize() == 0)
        return 1;
    if (GetSafeHwnd() == NULL)
        return 0;
    const CParamProp* pParent = GetItemProp(GetParentItem(hItem));
    const CParamProp* pCaretParent = GetItemProp(GetParentItem(GetSelectedItem()));
    if (pParent == NULL || pCaretParent == NULL)
        return 0;
    return pParent->m_nFloorID == pCaretParent->m_nFloorID
        && pParent->m_strID == pCaretParent->m_strID;
}

void CCompoentsTreeCtrl::SetItems_State()
{
    InitSelItem();
    for (INT_PTR i = 0; i < m_arrSelItems.GetSize(); ++i)
        SetItemState(m_arrSelItems[i], TVIS_SELECTED, TVIS_SELECTED);
}

// Only a double-click on a label acts; one on an icon, a button or beside the label does
// nothing, not even expand. The host may ask, while it handles the message, that a component
// be re-filed (m_bMovePending); that happens once the message returns.
void CCompoentsTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (nFlags & (MK_CONTROL | MK_SHIFT))
        return;
    SetNewAdd(0);
    // The press before this one may have armed the delayed label edit on the caret.
    m_bEditArmed = FALSE;
    UINT uHit = 0;
    HitTest(point, &uHit);
    const HTREEITEM hCaret = GetSelectedItem();
    CParamProp* pProp = (uHit & TVHT_ONITEMLABEL) ? GetItemProp(hCaret) : NULL;
    if (pProp != NULL) {
        CComTreeHostSite* pSite = GetHostSite();
        CWnd* pHost = pSite ? pSite->GetHostWindow() : GetParent();
        UINT nMessage = 0;
        if (pProp->m_nNodeType == CParamProp::NodeComponent)
            nMessage = WM_COMTREE_OPENCOMPONENT;
        else if (m_pFolderManager->IsAllowOwnerCom(pProp->m_nFloorID, pProp->m_strID))
            nMessage = WM_COMTREE_OPENFOLDER;
        if (nMessage == 0) {
            CTreeCtrlEx::OnLButtonDblClk(nFlags, point);
        } else {
            // The host's re-filing of a component and the item's move are stored together.
            CProjectConnectTransaction transaction;
            if (pHost && pHost->GetSafeHwnd())
                pHost->SendMessage(nMessage, reinterpret_cast<WPARAM>(&m_menu),
                                   reinterpret_cast<LPARAM>(pProp));
            if (m_bMovePending == 1)
                MoveNode();
        }
    }
    KillEditBox();
}

// The component's item is the caret after a double-click on it. After a double-click on a
// folder the caret is that folder: the component's item is then looked for among its children
// (it may not be in the tree yet), and the folder stands where the component's parent would.
// The new folder is looked for beside the component's parent only; when it is not there the
// component goes back under its parent. The label shows the count as the row gives it.
void CCompoentsTreeCtrl::MoveNode()
{
    if (GetSafeHwnd() == NULL)
        return;
    CString strFolderId, strVolume, strName;
    int nComType = 0, nFloorId = 0;
    {
        CAccessProject_Components_GJTable table;
        CSQLDataSet* pRow = table.GetDataSet(m_nMoveComId);
        if (pRow == NULL)
            return;
        strFolderId = pRow->GetAsString(ComField::folderid, 1, 0, 0);
        nComType = pRow->GetAsInteger(ComField::comtype, 1, 0, 0);
        nFloorId = pRow->GetAsInteger(ComField::floorid, 1, 0, 0);
        strVolume = pRow->GetAsString(ComField::volume, 1, 0, 0);
        strName = pRow->GetAsString(ComField::comname, 1, 0, 0);
        delete pRow;
    }

    HTREEITEM hCaret = GetSelectedItem();
    const CParamProp* pCaret = GetItemProp(hCaret);
    if (pCaret == NULL)
        return;
    HTREEITEM hOld = NULL, hParent = NULL;
    if (pCaret->m_nNodeType == CParamProp::NodeComponent) {
        hOld = hCaret;
        hParent = GetParentItem(hCaret);
    } else {
        hParent = hCaret;
        for (HTREEITEM h = GetChildItem(hCaret); h != NULL && hOld == NULL;
             h = GetNextSiblingItem(h)) {
            const CParamProp* pChild = GetItemProp(h);
            if (pChild && pChild->m_nNodeType == CParamProp::NodeComponent
                && _wtoi(pChild->m_strID) == m_nMoveComId)
                hOld = h;
        }
    }
    HTREEITEM hFolder = FindFolderBeside(*this, hParent, strFolderId);
    if (hFolder == NULL)
        hFolder = hParent;
    if (hFolder == NULL)
        return;

    const HTREEITEM hNew = InsertComponentItem(hFolder, nFloorId, m_nMoveComId, strName, nComType,
                                               (float)_wtof(strVolume), strVolume);
    if (hNew == NULL)
        return;
    SelectItem(hNew);
    if (hOld != NULL) {
        CParamProp* pOld = GetItemProp(hOld);
        DeleteItem(hOld);
        delete pOld;
    }
    Invalidate();
    m_bMovePending = 0;
}
