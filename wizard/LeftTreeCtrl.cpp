#include "wizard/LeftTreeCtrl.h"
#include "wizard/CLWDlg.h"
#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include <iterator>

namespace {

// The tree's images 0..10, in the order the rules' ImageIndex/SelectIndex count them.
const UINT s_nTreeIcons[] = {
    IDI_WIZARD_ROOT,  IDI_TREE_BRICK_WALL, IDI_TREE_JOINT,   IDI_TREE_SLAB,
    IDI_TREE_COLUMN,  IDI_TREE_PILE,       IDI_TREE_STAIRS,  IDI_TREE_RING,
    IDI_TREE_FOOTING, IDI_WIZARD_MEMBER,   IDI_WIZARD_OTHER,
};

// Whatever the template says: a plain chooser, no label editing and no dragging.
const DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS
    | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP | TVS_SHOWSELALWAYS;
static_assert(kTreeStyle == 0x50810037, "style of the wizard's class tree");

} // namespace

BEGIN_MESSAGE_MAP(CLeftTreeCtrl, CTreeCtrl)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CLeftTreeCtrl::CLeftTreeCtrl() {}

CLeftTreeCtrl::~CLeftTreeCtrl() {}

void CLeftTreeCtrl::FillTree()
{
    CCLWDlg* pDlg = (CCLWDlg*)GetParent();
    DeleteAllItems();
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, kTreeStyle);

    CComTreeModule::LoadIconStrip(m_imageList, ILC_COLOR4, s_nTreeIcons,
                                  (int)std::size(s_nTreeIcons));
    SetImageList(&m_imageList, TVSIL_NORMAL);

    HTREEITEM hRoot = InsertItem(L"构件向导", 0, 0, TVI_ROOT, TVI_LAST);
    SetItemData(hRoot, 0);
    HTREEITEM hCategory = hRoot;
    HTREEITEM hSelect = NULL;
    BOOL bMatched = FALSE;
    CCreateComFolderRuleManager& rules = pDlg->m_ruleManager;
    for (INT_PTR i = 0; i < rules.m_arrNodes.GetSize(); ++i) {
        CTreeNodeProp* pNode = rules.GetNode(i);
        if (pNode->m_strNameID == L"0") {
            hCategory = InsertItem(pNode->m_strName, pNode->m_nImageIndex, pNode->m_nSelectIndex,
                                   hRoot, TVI_LAST);
            SetItemData(hCategory, 0);
        } else if (pNode->m_strNameID.GetLength() >= 3) {
            continue; // a type: the list shows it
        } else {
            HTREEITEM hClass = InsertItem(pNode->m_strName, pNode->m_nImageIndex,
                                          pNode->m_nSelectIndex, hCategory, TVI_LAST);
            SetItemData(hClass, (DWORD_PTR)(INT_PTR)_wtoi(pNode->m_strNameID));
            // Several classes may carry the caller's code: the last one wins.
            if (pNode->m_strComType == pDlg->m_strInitComType) {
                pDlg->m_rightList.FillTypes(pNode->m_strNameID, pNode->m_strName,
                                            &rules.m_arrNodes);
                hSelect = hClass;
                bMatched = TRUE;
            }
        }
    }
    if (!bMatched) {
        pDlg->m_rightList.FillTypes(L"11", L"框架梁", &rules.m_arrNodes);
        // The first class of the first category, whichever it is. A missing level selects
        // nothing (a null item would otherwise stand for the root of the control).
        HTREEITEM hFirst = GetRootItem();
        HTREEITEM hFirstCategory = hFirst ? GetChildItem(hFirst) : NULL;
        hSelect = hFirstCategory ? GetChildItem(hFirstCategory) : NULL;
    }
    SelectItem(hSelect);
}

void CLeftTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    CTreeCtrl::OnLButtonDown(nFlags, point);
    HTREEITEM hItem = GetSelectedItem();
    if (!hItem)
        return;
    CCLWDlg* pDlg = (CCLWDlg*)GetParent();
    CString strClassId;
    strClassId.Format(L"%d", (int)GetItemData(hItem));
    CString strText = GetItemText(hItem);
    // Only two-digit numbers are classes with types; the root, categories (0) and a class
    // numbered below 10 show an empty list.
    if (strClassId.GetLength() == 2)
        pDlg->m_rightList.FillTypes(strClassId, strText, &pDlg->m_ruleManager.m_arrNodes);
    else
        pDlg->m_rightList.FillTypes(CString(), strText, &pDlg->m_ruleManager.m_arrNodes);
    pDlg->m_strMessage = L"提示信息：请选择构件";
    pDlg->UpdateData(FALSE);
}
