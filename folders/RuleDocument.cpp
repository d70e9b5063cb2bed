#include "folders/RuleDocument.h"

CRuleDocument::CRuleDocument() : m_pDoc(nullptr), m_pRoot(nullptr) {}

CRuleDocument::~CRuleDocument() { Release(); }

void CRuleDocument::Release()
{
    if (m_pRoot) {
        m_pRoot->Release();
        m_pRoot = nullptr;
    }
    if (m_pDoc) {
        m_pDoc->Release();
        m_pDoc = nullptr;
    }
}

BOOL CRuleDocument::Load(const CString& strText)
{
    Release();
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"MSXML.domdocument", &clsid)))
        return FALSE;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument,
                                reinterpret_cast<void**>(&m_pDoc)))
        || !m_pDoc)
        return FALSE;
    // Indentation between elements must never become rule nodes. MSXML drops it by default;
    // saying so keeps any DOM that defaults otherwise in line.
    m_pDoc->put_preserveWhiteSpace(VARIANT_FALSE);

    BSTR bstrText = strText.AllocSysString();
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    m_pDoc->loadXML(bstrText, &bLoaded);
    SysFreeString(bstrText);

    // A text that did not parse leaves no document element.
    if (FAILED(m_pDoc->get_documentElement(&m_pRoot)) || !m_pRoot) {
        m_pRoot = nullptr;
        Release();
        return FALSE;
    }
    return TRUE;
}

void CRuleDocument::ForEachSection(const CString& strSection,
                                   const std::function<void(IXMLDOMNode*)>& f)
{
    if (!m_pRoot)
        return;
    ForEachChild(m_pRoot, [&](IXMLDOMNode* pChild) {
        BSTR bstrName = nullptr;
        BOOL bMatch = SUCCEEDED(pChild->get_nodeName(&bstrName)) && bstrName
            && strSection.CompareNoCase(bstrName) == 0;
        SysFreeString(bstrName);
        if (bMatch)
            f(pChild);
    });
}

void CRuleDocument::ForEachChild(IXMLDOMNode* pParent, const std::function<void(IXMLDOMNode*)>& f)
{
    if (!pParent)
        return;
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

CString CRuleDocument::GetAttributeValue(IXMLDOMNode* pNode, const wchar_t* pszName)
{
    if (!pNode || !pszName)
        return CString();
    // Comments and text nodes have no attribute map (S_FALSE and null).
    IXMLDOMNamedNodeMap* pAttributes = nullptr;
    if (FAILED(pNode->get_attributes(&pAttributes)) || !pAttributes)
        return CString();
    CString strValue;
    BSTR bstrName = SysAllocString(pszName);
    IXMLDOMNode* pAttribute = nullptr;
    if (SUCCEEDED(pAttributes->getNamedItem(bstrName, &pAttribute)) && pAttribute) {
        BSTR bstrText = nullptr;
        if (SUCCEEDED(pAttribute->get_text(&bstrText)) && bstrText)
            strValue = static_cast<const wchar_t*>(bstrText);
        SysFreeString(bstrText);
        pAttribute->Release();
    }
    SysFreeString(bstrName);
    pAttributes->Release();
    return strValue;
}
