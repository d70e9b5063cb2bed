#include "wizard/CreateComFolderRuleManager.h"
#include <objbase.h>
#include <msxml.h>
#include <cstdlib>

namespace {

template <class T> void SafeRelease(T*& p)
{
    if (p) {
        p->Release();
        p = nullptr;
    }
}

CString TakeBstr(BSTR bstr)
{
    CString str(bstr ? bstr : L"");
    SysFreeString(bstr);
    return str;
}

// Children along firstChild/nextSibling, not childNodes: comments and text nodes count as
// nodes of the rule tree exactly as elements do.
template <class F> void ForEachChild(IXMLDOMNode* pParent, F f)
{
    IXMLDOMNode* pChild = nullptr;
    if (FAILED(pParent->get_firstChild(&pChild)))
        return;
    while (pChild) {
        f(pChild);
        IXMLDOMNode* pNext = nullptr;
        if (FAILED(pChild->get_nextSibling(&pNext)))
            pNext = nullptr;
        pChild->Release();
        pChild = pNext;
    }
}

} // namespace

CCreateComFolderRuleManager::CCreateComFolderRuleManager()
{
}

CCreateComFolderRuleManager::~CCreateComFolderRuleManager()
{
    for (INT_PTR i = 0; i < m_arrNodes.GetSize(); ++i)
        delete GetNode(i);
    m_arrNodes.RemoveAll();
}

int CCreateComFolderRuleManager::LoadRule(CString strRule)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"MSXML.domdocument", &clsid)))
        return 0;
    IXMLDOMDocument* pDoc = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, (void**)&pDoc)) || !pDoc)
        return 0;

    // A parse failure shows as a missing document element below.
    BSTR bstrRule = strRule.AllocSysString();
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    pDoc->loadXML(bstrRule, &bLoaded);
    SysFreeString(bstrRule);

    IXMLDOMElement* pRoot = nullptr;
    if (FAILED(pDoc->get_documentElement(&pRoot)) || !pRoot) {
        SafeRelease(pDoc);
        return 0;
    }
    ForEachChild(pRoot, [this](IXMLDOMNode* pChild) {
        BSTR bstrName = nullptr;
        if (SUCCEEDED(pChild->get_nodeName(&bstrName)) && TakeBstr(bstrName).CompareNoCase(L"TreeNode") == 0)
            ReadTreeNode(pChild);
    });
    SafeRelease(pRoot);
    SafeRelease(pDoc);
    return 1;
}

void CCreateComFolderRuleManager::ReadTreeNode(IXMLDOMNode* pSection)
{
    if (!pSection)
        return;
    // Three levels below the section at most; deeper nodes are not part of the rules.
    ForEachChild(pSection, [this](IXMLDOMNode* pLevel1) {
        AppendNode(pLevel1);
        ForEachChild(pLevel1, [this](IXMLDOMNode* pLevel2) {
            AppendNode(pLevel2);
            ForEachChild(pLevel2, [this](IXMLDOMNode* pLevel3) { AppendNode(pLevel3); });
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
    if (!pNode)
        return CString();
    // Comments and text nodes have no attribute map (S_FALSE and null).
    IXMLDOMNamedNodeMap* pAttributes = nullptr;
    if (FAILED(pNode->get_attributes(&pAttributes)) || !pAttributes)
        return CString();
    CString strValue;
    BSTR bstrName = strName.AllocSysString();
    IXMLDOMNode* pAttribute = nullptr;
    if (SUCCEEDED(pAttributes->getNamedItem(bstrName, &pAttribute)) && pAttribute) {
        BSTR bstrText = nullptr;
        if (SUCCEEDED(pAttribute->get_text(&bstrText)))
            strValue = TakeBstr(bstrText);
        pAttribute->Release();
    }
    SysFreeString(bstrName);
    pAttributes->Release();
    return strValue;
}
