// Renaming a floor, a component folder or a component: through the rename dialog, by editing
// the label in place, or by the host (ChangeSelectedItemName). Each way stores the name where
// the item's kind keeps it and rebuilds the label from it.
//
// A label is the stored name plus a mark the build appends: "*count" on components and user
// folders, the floor mark on floors. The mark is never part of a stored name, so the in-place
// editor shows the name alone and the mark comes back after the edit, and a name holding "*"
// is refused everywhere (the next build could not tell name from count).
#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>

#include "ComTreeHost.h"
#include "edit/Dialog_Rename.h"
#include "folders/ComFolderManager.h"
#include "resources/ComTreeModule.h"
#include "tree/VolumeText.h"

namespace {

const wchar_t kBadName[] = L"输入格式有误，请重新输入！";
const wchar_t kCountMark = L'*';

using FloorField = CAccessProject_FloorTable::CFieldInfo;
using FolderField = CAccessProject_ComFolderTable::CFieldInfo;

// A name the next build can show and read back: not empty, no count mark in it.
bool IsStorableName(const CString& strName)
{
    return !strName.IsEmpty() && strName.Find(kCountMark) < 0;
}

bool HasCountSuffix(const CParamProp* pProp)
{
    return pProp->m_nNodeType == CParamProp::NodeComponent || pProp->IsUserFolder();
}

int FindFloorRow(NDataModelDataSet* pFloors, int nFloorId)
{
    const int nCount = pFloors ? pFloors->GetRowCount() : 0;
    for (int nRow = 1; nRow <= nCount; ++nRow)
        if (pFloors->GetAsInteger(FloorField::id, nRow) == nFloorId)
            return nRow;
    return 0;
}

// The name as stored for the item's kind: a floor's "lcmc", a folder's "foldername", a
// component's row name. Empty when the row is missing.
CString StoredName(CComFolderManager* pStore, const CParamProp* pProp)
{
    switch (pProp->m_nNodeType) {
    case CParamProp::NodeFloor: {
        const int nRow = FindFloorRow(pStore->m_pFloorDataSet, pProp->m_nFloorID);
        return nRow ? pStore->m_pFloorDataSet->GetAsString(FloorField::lcmc, nRow) : CString();
    }
    case CParamProp::NodeFolder: {
        const int nRow = pStore->FindFolderRow(pProp->m_strID, pProp->m_nFloorID);
        return nRow ? pStore->m_pComFolderDataSet->GetAsString(FolderField::foldername, nRow)
                    : CString();
    }
    default:
        return pStore->GetComponentName(_wtoi(pProp->m_strID));
    }
}

// Stores the name where the item's kind keeps it. A floor's name changes in the floor dataset
// only: the host writes that dataset when it saves. A folder's row is written at once, and so
// is a component's. Without a matching floor or folder row nothing is written.
void StoreName(CComFolderManager* pStore, const CParamProp* pProp, const CString& strName)
{
    switch (pProp->m_nNodeType) {
    case CParamProp::NodeFloor: {
        const int nRow = FindFloorRow(pStore->m_pFloorDataSet, pProp->m_nFloorID);
        if (nRow)
            pStore->m_pFloorDataSet->SetAsString(FloorField::lcmc, nRow, strName);
        break;
    }
    case CParamProp::NodeFolder: {
        const int nRow = pStore->FindFolderRow(pProp->m_strID, pProp->m_nFloorID);
        if (nRow) {
            pStore->m_pComFolderDataSet->SetAsString(FolderField::foldername, nRow, strName);
            pStore->m_pComFolderDataSet->DoSqlUpdate();
        }
        break;
    }
    default:
        pStore->RenameComponent(_wtoi(pProp->m_strID), strName);
        break;
    }
}

// Where the stored name ends in the item's label, so that what follows is the mark the build
// appended: the first "*" on components and user folders, the end of the stored name on a
// floor. 0 when the whole label is the name (rule folders, or a label that does not start
// with the floor's stored name).
int NameLength(CComFolderManager* pStore, const CParamProp* pProp, const CString& strLabel)
{
    if (HasCountSuffix(pProp))
        return strLabel.Find(kCountMark);
    if (pProp->m_nNodeType == CParamProp::NodeFloor) {
        const CString strStored = StoredName(pStore, pProp);
        if (!strStored.IsEmpty() && strLabel.Left(strStored.GetLength()) == strStored)
            return strStored.GetLength();
    }
    return 0;
}

} // namespace

void CCompoentsTreeCtrl::OnReName()
{
    const HTREEITEM hItem = GetSelectedItem();
    CParamProp* pProp = GetItemProp(hItem);
    // The project's name is not the tree's to change (its menu offers no rename either).
    if (pProp == NULL || pProp->m_nNodeType == CParamProp::NodeProject)
        return;
    const CString strOldLabel = GetItemText(hItem);

    // A refused name is applied nowhere; the dialog comes back with the stored name.
    CString strName;
    for (;;) {
        CDialog_Rename dlg(CManageSteelMainFrame::Instance()->GetSteelMainFrame());
        dlg.m_strName = StoredName(m_pFolderManager, pProp);
        INT_PTR nResult;
        {
            UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
            nResult = dlg.DoModal();
        }
        // The item may have gone while the dialog was up.
        if (nResult != IDOK || GetItemProp(hItem) != pProp)
            return;
        if (IsStorableName(dlg.m_strName)) {
            strName = dlg.m_strName;
            break;
        }
        UIFunction::KxMessageBox(kBadName, L"", MB_OK);
    }

    CString strLabel = strName;
    if (HasCountSuffix(pProp)) {
        const CString strCount = m_pFolderManager->GetVolumeText(
            _wtoi(pProp->m_strID), pProp->m_nFloorID, pProp->m_nNodeType);
        strLabel += kCountMark + FormatVolumeText(_wtof(strCount));
    } else if (pProp->m_nNodeType == CParamProp::NodeFloor) {
        strLabel += strOldLabel.Mid(NameLength(m_pFolderManager, pProp, strOldLabel));
    }
    StoreName(m_pFolderManager, pProp, strName);
    // A floor's record carries its label, as the build gives it.
    pProp->m_strName = pProp->m_nNodeType == CParamProp::NodeFloor ? strLabel : strName;
    SetItemText(hItem, strLabel);
}

void CCompoentsTreeCtrl::OnBeginlabeledit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    m_strEditLabel.Empty();
    m_bLabelEditCancelled = 0;
    const CParamProp* pProp = GetItemProp(pInfo->item.hItem);
    // The project's name is not the tree's to change: its label is never edited.
    if (pProp == NULL || pProp->m_nNodeType == CParamProp::NodeProject) {
        *pResult = 1;
        return;
    }
    *pResult = 0;
    const CString strLabel = GetItemText(pInfo->item.hItem);
    const int nName = NameLength(m_pFolderManager, pProp, strLabel);
    if (nName <= 0)
        return;
    m_strEditLabel = strLabel.Mid(nName);
    CEdit* pEdit = GetEditControl();
    if (pEdit != NULL)
        pEdit->SetWindowText(strLabel.Left(nName));
}

void CCompoentsTreeCtrl::OnEndlabeledit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const NMTVDISPINFOW* pInfo = reinterpret_cast<const NMTVDISPINFOW*>(pNMHDR);
    // The tree never sets the text itself: the label is rebuilt below.
    *pResult = 0;
    if (pInfo->item.pszText == NULL || pInfo->item.pszText[0] == 0 || m_bLabelEditCancelled)
        return;
    const HTREEITEM hItem = pInfo->item.hItem ? pInfo->item.hItem : GetSelectedItem();
    CParamProp* pProp = GetItemProp(hItem);
    if (pProp == NULL)
        return;
    const CString strName(pInfo->item.pszText);
    if (!IsStorableName(strName)) {
        // As the dialog does: say so and edit again, from the stored name.
        UIFunction::KxMessageBox(kBadName, L"", MB_OK);
        PostMessage(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(hItem));
        return;
    }
    StoreName(m_pFolderManager, pProp, strName);
    const CString strLabel = strName + m_strEditLabel;
    pProp->m_strName = pProp->m_nNodeType == CParamProp::NodeFloor ? strLabel : strName;
    SetItemText(hItem, strLabel);
}

BOOL CCompoentsTreeCtrl::PreTranslateMessage(MSG* pMsg)
{
    // Escape in the tree or its label editor ends editing without change: an open editor is
    // cancelled, a delayed edit still waiting is dropped, and the key goes no further (the
    // panel would take it for its Cancel). This is what a click on the tree's top left corner
    // does on Windows; it is not sent as one, because Wine hit-tests that corner as the
    // project's expand button and the whole tree would collapse.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_hWnd != NULL
        && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        m_bEditArmed = 0;
        if (GetEditControl() != NULL) {
            m_bLabelEditCancelled = 1;
            EndEditLabelNow(TRUE);
            SetFocus();
        }
        return TRUE;
    }
    return CTreeCtrlEx::PreTranslateMessage(pMsg);
}

void CCompoentsTreeCtrl::KillEditBox()
{
    CEdit* pEdit = GetSafeHwnd() ? GetEditControl() : NULL;
    if (pEdit != NULL && ::IsWindow(pEdit->GetSafeHwnd()))
        pEdit->SendMessage(WM_CLOSE);
}

void CCompoentsTreeCtrl::ChangeSelectedItemName(CString strName)
{
    const HTREEITEM hItem = GetSafeHwnd() ? GetSelectedItem() : NULL;
    CParamProp* pProp = GetItemProp(hItem);
    // Only a component's name is the host's to set; another kind's id would name an unrelated
    // component row. A name the label could not carry is ignored.
    if (pProp == NULL || pProp->m_nNodeType != CParamProp::NodeComponent
        || !IsStorableName(strName))
        return;
    pProp->m_strName = strName;
    m_pFolderManager->RenameComponent(_wtoi(pProp->m_strID), strName);
    SetItemText(hItem, strName + kCountMark + FormatVolumeText(pProp->m_fVolume));
}
