#include "folders/ComFolderRuleManager.h"
#include <stdlib.h>
#include "folders/RuleDocument.h"

CComFolderRuleManager::CComFolderRuleManager() {}

CComFolderRuleManager::~CComFolderRuleManager()
{
    for (INT_PTR i = 0; i < m_arrRule.GetSize(); ++i)
        delete m_arrRule[i];
    m_arrRule.SetSize(0);
}

int CComFolderRuleManager::LoadRule(const CString& strRule, const CString& strSection)
{
    CRuleDocument doc;
    if (!doc.Load(strRule))
        return 0;
    doc.ForEachSection(strSection, [this](IXMLDOMNode* pSection) { ReadFolderNode(pSection); });
    return 1;
}

void CComFolderRuleManager::ReadFolderNode(IXMLDOMNode* pSection)
{
    if (!pSection)
        return;
    // Every child counts, whatever its kind: a comment in a section is a folder with no
    // attributes, as the host's own reader sees it.
    CRuleDocument::ForEachChild(pSection, [this](IXMLDOMNode* pTop) {
        CComFolderProp* pTopProp = ReadFolder(pTop, CString());
        m_arrRule.Add(pTopProp);
        CString strParentId = pTopProp->m_strNameId.Right(2);
        CRuleDocument::ForEachChild(pTop, [&](IXMLDOMNode* pSub) {
            CComFolderProp* pSubProp = ReadFolder(pSub, strParentId);
            m_arrRule.Add(pSubProp);
        });
    });
}

CComFolderProp* CComFolderRuleManager::ReadFolder(IXMLDOMNode* pNode, const CString& strParentId)
{
    CString strName = GetAttributeValue(pNode, L"Name");
    CString strImageIndex = GetAttributeValue(pNode, L"ImageIndex");
    CString strSelectedIndex = GetAttributeValue(pNode, L"SelectedIndex");
    CString strComType = GetAttributeValue(pNode, L"ComType");
    CString strNameId = GetAttributeValue(pNode, L"NameId");
    CString strAllowOwnerCom = GetAttributeValue(pNode, L"AllowOwnerCom");
    CString strAllowAddUserFolder = GetAttributeValue(pNode, L"AllowAddUserFolder");
    CString strInitCreate = GetAttributeValue(pNode, L"InitCreate");
    CString strShowID = GetAttributeValue(pNode, L"ShowID");

    return new CComFolderProp(strNameId, strName, _wtoi(strImageIndex), _wtoi(strSelectedIndex),
                              strParentId, _wtoi(strComType), IsTrue(strInitCreate),
                              IsTrue(strAllowAddUserFolder), IsTrue(strAllowOwnerCom),
                              _wtoi(strShowID));
}

CString CComFolderRuleManager::GetAttributeValue(IXMLDOMNode* pNode, const wchar_t* pszName)
{
    return CRuleDocument::GetAttributeValue(pNode, pszName);
}

int CComFolderRuleManager::IsTrue(const CString& strValue)
{
    return strValue.CompareNoCase(L"true") == 0 ? 1 : 0;
}
