#include "wizard/CreateComFolderRuleManager.h"
#include "folders/RuleDocument.h"
#include <cstdlib>

CCreateComFolderRuleManager::CCreateComFolderRuleManager() {}

CCreateComFolderRuleManager::~CCreateComFolderRuleManager()
{
    for (INT_PTR i = 0; i < m_arrNodes.GetSize(); ++i)
        delete GetNode(i);
    m_arrNodes.RemoveAll();
}

int CCreateComFolderRuleManager::LoadRule(CString strRule)
{
    CRuleDocument doc;
    if (!doc.Load(strRule))
        return 0;
    doc.ForEachSection(L"TreeNode", [this](IXMLDOMNode* pSection) { ReadTreeNode(pSection); });
    return 1;
}

void CCreateComFolderRuleManager::ReadTreeNode(IXMLDOMNode* pSection)
{
    if (!pSection)
        return;
    // Three levels below the section at most; deeper nodes are not part of the rules.
    CRuleDocument::ForEachChild(pSection, [this](IXMLDOMNode* pLevel1) {
        AppendNode(pLevel1);
        CRuleDocument::ForEachChild(pLevel1, [this](IXMLDOMNode* pLevel2) {
            AppendNode(pLevel2);
            CRuleDocument::ForEachChild(pLevel2,
                                        [this](IXMLDOMNode* pLevel3) { AppendNode(pLevel3); });
        });
    });
}

void CCreateComFolderRuleManager::AppendNode(IXMLDOMNode* pNode)
{
    CString strName = GetAttributeValue(pNode, L"Name");
    CString strImageIndex = GetAttributeValue(pNode, L"ImageIndex");
    CString strSelectIndex = GetAttributeValue(pNode, L"SelectIndex");
    CString strComType = GetAttributeValue(pNode, L"ComType");
    CString strCreateMode = GetAttributeValue(pNode, L"CreateMode");
    CString strNameID = GetAttributeValue(pNode, L"NameID");
    CString strMessage = GetAttributeValue(pNode, L"Message");
    CTreeNodeProp* pProp = new CTreeNodeProp(strName, _wtoi(strImageIndex), _wtoi(strSelectIndex),
                                             strCreateMode, strNameID, strComType, strMessage);
    m_arrNodes.Add(reinterpret_cast<CObject*>(pProp));
}

CString CCreateComFolderRuleManager::GetAttributeValue(IXMLDOMNode* pNode, CString strName)
{
    return CRuleDocument::GetAttributeValue(pNode, strName);
}
