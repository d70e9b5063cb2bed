// The context menus of the component tree: one item's menu, built afresh for every right
// click and for the host's GetMenu, and the fixed multi-node menu for a group of components.
// An entry only posts its command to the tree control; the other files of this folder
// handle them. The entries depend on the item's kind and folder id, the layout, the folder
// rules and the clipboard record, never on the item's text.
#include "tree/CompoentsTreeCtrl.h"

#include <cstdlib>

#include "ComTreeHost.h"
#include "folders/ComFolderManager.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "tree/ComTreeHostSite.h"

namespace {

const wchar_t kModifyCom[] = L"修改构件";
const wchar_t kAdd[] = L"添加(&T)";
const wchar_t kAddUserFolder[] = L"添加自定义文件夹(&U)";
const wchar_t kUserComponent[] = L"新增自定义构件(&O)";
const wchar_t kOwnerCom[] = L"构件向导(&G)";
const wchar_t kDelete[] = L"删除(&D)";
const wchar_t kRename[] = L"重命名(&R)";
const wchar_t kCut[] = L"剪切(&X)";
const wchar_t kQuickCopy[] = L"快速复制(&Q)";
const wchar_t kCopy[] = L"复制(&C)";
const wchar_t kPaste[] = L"粘贴(&V)";
const wchar_t kBatchModify[] = L"批量修改(&M)";
const wchar_t kSelectFirst[] = L"请先选择构件文件夹或构件!";

const int kProjectFloor = -1;       // the project item's floor id
const int kFirstUserFolderId = 100; // rule folder ids stay below it

// Menus open where the cursor is, left-aligned; either button chooses an entry.
const UINT kTrackFlags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;

UINT EnabledIf(bool bEnabled) { return MF_STRING | (bEnabled ? MF_ENABLED : MF_GRAYED); }

// The add list for an item's menu. A component has no folders to add, and its list is
// emptied rather than left as the last folder's menu filled it: its add submenu shows
// nothing, and a late add command cannot reach the folders of another item.
void RefillAddList(CComFolderManager* pStore, const CParamProp* pProp)
{
    if (pProp->m_nNodeType == CParamProp::NodeComponent)
        pStore->ClearAddList();
    else
        pStore->BuildAddFolderList(pProp->m_nFloorID, pProp->m_strID);
}

// Whether paste is offered on an item that is not in the by-component layout's top rows, the
// first rule that holds deciding: a pending multi-node copy or cut, or a single component,
// goes into a folder that takes own components; a single folder goes back under a folder of
// its parent's id, or into any user folder.
bool IsPasteOffered(const CTreeCopyInfo& clip, CParamProp::TreeNodeType nKind,
                    const CString& strFolderId, bool bOwnComponents)
{
    if (nKind == CParamProp::NodeComponent)
        return false;
    if (clip.multiCopyPending || clip.multiCutPending)
        return bOwnComponents;
    if (!clip.hasSource)
        return false;
    if (clip.sourceType == CParamProp::NodeComponent)
        return bOwnComponents;
    if (clip.sourceType == CParamProp::NodeFolder)
        return clip.sourceParentId == strFolderId || _wtoi(strFolderId) >= kFirstUserFolderId;
    return false;
}

} // namespace

void CCompoentsTreeCtrl::GetPopupMenu(int nFloorId, CString strFolderId,
                                      CParamProp::TreeNodeType nNodeType, int fromClick)
{
    m_menu.DestroyMenu();
    m_menu.CreatePopupMenu();

    const int nFolder = _wtoi(strFolderId);
    const bool bClick = fromClick != 0;
    const bool bComponent = nNodeType == CParamProp::NodeComponent;
    CComTreeHostSite* pSite = GetHostSite();
    const bool bByFloor = pSite == NULL || pSite->IsByFloor();

    // The by-component layout's top rows (the project, the category heads, the floors below
    // them) lead to batch modify only; a floor also takes a folder that was cut or copied
    // from a floor under the same category.
    if (!bByFloor && nFolder % 10 == 0 && nFolder < kFirstUserFolderId && !bComponent) {
        m_menu.AppendMenu(MF_STRING, ID_COMTREE_MODIFY_BATCH, kBatchModify);
        if (nNodeType == CParamProp::NodeFloor) {
            const HTREEITEM hSourceParent = CopyInfo.sourceParentItem;
            const bool bPaste = CopyInfo.hasSource && CopyInfo.sourceParentId == strFolderId
                && hSourceParent != NULL
                && GetParentItem(hSourceParent) == GetParentItem(GetSelectedItem());
            m_menu.AppendMenu(EnabledIf(bPaste), ID_COMTREE_PASTE, kPaste);
        }
        return;
    }
    if (nFloorId == kProjectFloor) {
        m_menu.AppendMenu(MF_STRING, ID_COMTREE_MODIFY_BATCH, kBatchModify);
        return;
    }

    if (bComponent)
        m_menu.AppendMenu(MF_STRING, ID_COMTREE_MODIFY_COM, kModifyCom);

    // The add submenu: the rule folders not shown yet, then what the folder's rule allows.
    CMenu addMenu;
    addMenu.CreatePopupMenu();
    bool bCanAdd = false, bOwnComponents = false;
    const CObArray& arrAdd = m_pFolderManager->m_arrFolder;
    for (INT_PTR i = 0; i < arrAdd.GetSize(); ++i) {
        const CFolderArray* pEntry = reinterpret_cast<const CFolderArray*>(arrAdd[i]);
        addMenu.AppendMenu(MF_STRING, ID_COMTREE_ADD_FOLDER_FIRST + (UINT)i,
                           pEntry->m_strFolderName);
        bCanAdd = true;
    }
    if (!bComponent) {
        if (m_pFolderManager->IsAllowAddUserFolder(nFloorId, strFolderId)) {
            addMenu.AppendMenu(MF_STRING, ID_COMTREE_ADD_USER_FOLD, kAddUserFolder);
            bCanAdd = true;
        }
        if (bClick && m_pFolderManager->IsAllowOwnerCom(nFloorId, strFolderId)) {
            addMenu.AppendMenu(MF_STRING, ID_COMTREE_USER_COMPONENT, kUserComponent);
            addMenu.AppendMenu(MF_STRING, ID_COMTREE_OWNER_COM, kOwnerCom);
            bCanAdd = bOwnComponents = true;
        }
    }
    // From here the context menu owns the submenu.
    m_menu.AppendMenu(MF_POPUP | EnabledIf(bCanAdd), (UINT_PTR)addMenu.Detach(), kAdd);

    // Floors and rule folders are never deleted through the menu.
    const bool bRuleFolder = nNodeType == CParamProp::NodeFolder && nFolder < kFirstUserFolderId;
    m_menu.AppendMenu(EnabledIf(nNodeType != CParamProp::NodeFloor && !bRuleFolder), ID_COMTREE_DEL,
                      kDelete);
    m_menu.AppendMenu(MF_STRING, ID_COMTREE_RENAME, kRename);
    m_menu.AppendMenu(MF_SEPARATOR);

    const bool bMovable = nNodeType == CParamProp::NodeFolder || bComponent;
    if (bMovable || bClick) {
        m_menu.AppendMenu(EnabledIf(bMovable), ID_COMTREE_CUT, kCut);
        m_menu.AppendMenu(EnabledIf(bMovable), ID_COMTREE_QUICK_COPY, kQuickCopy);
        m_menu.AppendMenu(EnabledIf(bMovable), ID_COMTREE_COPY, kCopy);
    }
    const bool bPaste = IsPasteOffered(CopyInfo, nNodeType, strFolderId, bOwnComponents);
    if (bPaste || bClick)
        m_menu.AppendMenu(EnabledIf(bPaste), ID_COMTREE_PASTE, kPaste);
    m_menu.AppendMenu(MF_STRING, ID_COMTREE_MODIFY_BATCH, kBatchModify);
}

CMenu* CCompoentsTreeCtrl::GetMenu()
{
    if (!m_bTreeReady)
        return NULL;
    const CParamProp* pProp = GetItemProp(GetSafeHwnd() ? GetSelectedItem() : NULL);
    if (pProp == NULL)
        return NULL;
    RefillAddList(m_pFolderManager, pProp);
    GetPopupMenu(pProp->m_nFloorID, pProp->m_strID, pProp->m_nNodeType, 0);
    return &m_menu;
}

void CCompoentsTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point)
{
    // The base selects the item under the cursor unless a group is selected; the group is
    // kept only when it holds components alone.
    CTreeCtrlEx::OnRButtonDown(nFlags, point);
    InitSelItem();

    UINT uHit = 0;
    const HTREEITEM hItem = HitTest(point, &uHit);
    if (!(uHit & TVHT_ONITEMLABEL))
        return;
    CPoint ptScreen;
    ::GetCursorPos(&ptScreen);

    if (m_arrSelItems.GetSize() >= 2) {
        CMenu menu;
        {
            UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
            menu.LoadMenu(IDR_MULTINODE);
        }
        CMenu* pPopup = menu.GetSafeHmenu() ? menu.GetSubMenu(0) : NULL;
        if (pPopup != NULL)
            pPopup->TrackPopupMenu(kTrackFlags, ptScreen.x, ptScreen.y, this);
        return;
    }
    if (hItem == NULL) {
        UIFunction::KxMessageBox(kSelectFirst, L"", MB_OK);
        return;
    }
    // The commands act on the caret. It is the item under the cursor unless the click
    // dissolved a group that mixed in folders or floors (or the parent refused the new
    // selection): then no menu, and the next right click selects and serves the item.
    const CParamProp* pProp = GetItemProp(hItem);
    if (pProp == NULL || hItem != GetSelectedItem())
        return;
    RefillAddList(m_pFolderManager, pProp);
    GetPopupMenu(pProp->m_nFloorID, pProp->m_strID, pProp->m_nNodeType, 1);
    m_menu.TrackPopupMenu(kTrackFlags, ptScreen.x, ptScreen.y, this);
    m_menu.DestroyMenu();
}

void CCompoentsTreeCtrl::ReMoveCopyInfo()
{
    CopyInfo.multiCopyPending = 0;
    CopyInfo.multiCutPending = 0;
    CopyInfo.isCopy = 0;
    CopyInfo.hasSource = 0;
    CopyInfo.sourceParentItem = NULL;
    CopyInfo.sourceComType = -1;
    CopyInfo.sourceFloorId = -1;
    CopyInfo.sourceId.Empty();
    CopyInfo.sourceParentId.Empty();
    // sourceType keeps the kind of the last source. The cut item goes with the record: a
    // paste after this must never delete an item cut before it.
    cutItem = NULL;
}
