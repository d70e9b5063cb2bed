#include "panel/Dlg_ComTree.h"

#include <cfloat>

#include "folders/ComFolderManager.h"

#include "resources/ComTreeModule.h"
#include "resources/resource.h"
#include "tree/ParamProp.h"
#include "tree/VolumeText.h"

// The layout parameter and its two values, which are also the radio buttons' texts.
static const LPCTSTR kLayoutKey = L"GJJG";
static const LPCTSTR kByFloor = L"按楼层";
static const LPCTSTR kByComponent = L"按构件";

// Longest count text the field reads.
static const int kMaxCountLength = 64;

BEGIN_MESSAGE_MAP(CDlg_ComTree, CDialog_Common)
    ON_WM_SIZE()
    ON_EN_CHANGE(IDC_EDIT_NUM, &CDlg_ComTree::OnChangeEditNum)
    ON_BN_CLICKED(IDC_RADIO_BYFLOOR, &CDlg_ComTree::OnRadioByfloor)
    ON_BN_CLICKED(IDC_RADIO_BYCOMPONENT, &CDlg_ComTree::OnRadioBycomponent)
    ON_NOTIFY(TVN_SELCHANGED, IDC_COMTREE, &CDlg_ComTree::OnSelchangedTree)
    ON_NOTIFY(TVN_KEYDOWN, IDC_COMTREE, &CDlg_ComTree::OnKeydownTree)
END_MESSAGE_MAP()

CDlg_ComTree::CDlg_ComTree(CWnd* pParent)
    : CDialog_Common(IDD_DLG_COMTREE, pParent), m_bByFloor(1), m_bLayoutReady(0)
{
    m_treeCtrl.SetHostSite(this);
}

CDlg_ComTree::~CDlg_ComTree() {}

BOOL CDlg_ComTree::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    // The template, the tree's icons and menus live in this module, whatever resource
    // handle the host has set.
    UIFunction::KxMfc_ResourceOverride resources(CComTreeModule::GetInstance());
    return CDialog_Common::Create(nIDTemplate, pParentWnd);
}

void CDlg_ComTree::DoDataExchange(CDataExchange* pDX)
{
    CDialog_Common::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATIC_NUM, m_staticNum);
    DDX_Control(pDX, IDC_STATIC_GROUP, m_staticGroup);
    DDX_Control(pDX, IDC_EDIT_NUM, m_editNum);
    DDX_Control(pDX, IDC_COMTREE, m_treeCtrl);
    DDX_Control(pDX, IDC_RADIO_BYFLOOR, m_radioByFloor);
    DDX_Control(pDX, IDC_RADIO_BYCOMPONENT, m_radioByComponent);
}

BOOL CDlg_ComTree::OnInitDialog()
{
    CDialog_Common::OnInitDialog();
    // Typing and pasting stop one character past the longest count the field reads, so an
    // over-long text is refused at once; the field never holds megabytes to lay out.
    m_editNum.LimitText(kMaxCountLength + 1);
    CheckRadioButton(IDC_RADIO_BYFLOOR, IDC_RADIO_BYCOMPONENT, IDC_RADIO_BYFLOOR);
    m_treeCtrl.InitTree(L"", 1);
    m_bLayoutReady = 1;
    return TRUE;
}

// Enter in the docked panel must not end it.
void CDlg_ComTree::OnOK() {}

void CDlg_ComTree::InitTree(CString strProjectName)
{
    CAccessProject_ProjectInfoTable info;
    CString strLayout;
    info.GetProjectInfo_ParmValue(kLayoutKey, strLayout);
    if (strLayout == kByFloor) {
        m_bByFloor = 1;
        m_radioByFloor.SetCheck(BST_CHECKED);
        m_radioByComponent.SetCheck(BST_UNCHECKED);
    } else if (strLayout == kByComponent) {
        m_bByFloor = 0;
        m_radioByComponent.SetCheck(BST_CHECKED);
        m_radioByFloor.SetCheck(BST_UNCHECKED);
    }
    // Anything else (a new project has no value yet) keeps the layout shown.
    m_treeCtrl.m_pFolderManager->ReLoad();
    m_treeCtrl.InitTree(strProjectName, m_bByFloor);
}

int CDlg_ComTree::ReBuildTree()
{
    CAccessProject_ProjectInfoTable info;
    InitTree(info.GetProjectName());
    return 1;
}

void CDlg_ComTree::StoreLayout(LPCTSTR pszLayout, int nByFloor)
{
    CAccessProject_ProjectInfoTable info;
    CString strProjectName = info.GetProjectName();
    info.SetProjectInfo_ParmValue(kLayoutKey, pszLayout);
    m_bByFloor = nByFloor;
    InitTree(strProjectName);
}

void CDlg_ComTree::OnRadioByfloor() { StoreLayout(kByFloor, 1); }

void CDlg_ComTree::OnRadioBycomponent() { StoreLayout(kByComponent, 0); }

void CDlg_ComTree::OnSize(UINT nType, int cx, int cy)
{
    CDialog_Common::OnSize(nType, cx, cy);
    if (m_bLayoutReady == 1) {
        const UINT flags = SWP_NOZORDER;
        m_treeCtrl.SetWindowPos(NULL, 2, 10, cx, cy - 110, flags);
        m_editNum.SetWindowPos(NULL, 95, cy - 30, 90, 20, flags);
        m_staticNum.SetWindowPos(NULL, 10, cy - 25, 90, 25, flags);
        m_staticGroup.SetWindowPos(NULL, 10, cy - 90, 0, 0, flags | SWP_NOSIZE);
        m_radioByFloor.SetWindowPos(NULL, 25, cy - 70, 60, 20, flags);
        m_radioByComponent.SetWindowPos(NULL, 115, cy - 70, 60, 20, flags);
    }
    Invalidate(TRUE);
}

void CDlg_ComTree::RejectCount(LPCTSTR pszMessage)
{
    UIFunction::KxMessageBox(pszMessage, L"错误提示", MB_OK);
    m_editNum.SetFocus();
}

void CDlg_ComTree::OnChangeEditNum()
{
    CString strText;
    m_editNum.GetWindowText(strText);
    // A count has a few digits; a pasted megabyte of them is refused before it is read.
    if (strText.GetLength() > kMaxCountLength) {
        RejectCount(L"数量的位数太多");
        return;
    }
    int nPoints = 0;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const wchar_t ch = strText[i];
        if (ch == L'.') {
            if (i == 0) {
                RejectCount(L"第一位不能是小数点");
                return;
            }
            ++nPoints;
        } else if (ch < L'0' || ch > L'9') {
            RejectCount(L"不能输入非数字字符");
            return;
        }
        if (nPoints > 1) {
            RejectCount(L"小数点个数不能大于1");
            return;
        }
    }
    // The record keeps the count in single precision: a value beyond it would be infinite
    // there and unreadable in the file.
    const double dValue = _wtof(strText);
    if (!(dValue <= FLT_MAX)) {
        RejectCount(L"数量超出范围");
        return;
    }
    m_treeCtrl.OnChangeEditNum();
}

void CDlg_ComTree::OnSelchangedTree(NMHDR* pNMHDR, LRESULT* pResult)
{
    HTREEITEM hItem = m_treeCtrl.GetSelectedItem();
    if (hItem == NULL)
        return;
    m_treeCtrl.InitSelItem();
    const INT_PTR nSelected = m_treeCtrl.m_arrSelItems.GetSize();
    const CParamProp* pProp = m_treeCtrl.GetItemProp(hItem);
    if (pProp == NULL)
        return;
    // Putting text into the field is a change like typing: it runs OnChangeEditNum, so the
    // tree stores the shown count again and the host hears of the newly selected item.
    const BOOL bCounted = pProp->m_nNodeType == CParamProp::NodeComponent || pProp->IsUserFolder();
    if (nSelected >= 2)
        return; // several components: the field keeps what it shows
    if (bCounted) {
        m_editNum.EnableWindow(TRUE);
        m_editNum.SetWindowText(FormatVolumeText(pProp->m_fVolume));
    } else {
        m_editNum.SetWindowText(L"");
        m_editNum.EnableWindow(FALSE);
    }
}

void CDlg_ComTree::OnKeydownTree(NMHDR* pNMHDR, LRESULT* pResult) { *pResult = 0; }

CString CDlg_ComTree::GetSelTreeNodeName() { return m_treeCtrl.GetTreeNodeName(); }

CString CDlg_ComTree::GetSelTreeNodeNum()
{
    CString strText;
    m_editNum.GetWindowText(strText);
    return strText;
}

void CDlg_ComTree::OnDrag() {}

void CDlg_ComTree::OnDragMove(POINT point) {}

void CDlg_ComTree::OnDragRelease(POINT point, HTREEITEM hItem) {}

BOOL CDlg_ComTree::IsByFloor() { return m_bByFloor; }

CString CDlg_ComTree::GetCountText()
{
    UpdateData(TRUE);
    CString strText;
    m_editNum.GetWindowText(strText);
    return strText;
}

void CDlg_ComTree::SetCountText(LPCTSTR pszText) { m_editNum.SetWindowText(pszText); }

CWnd* CDlg_ComTree::GetHostWindow() { return GetParent(); }
