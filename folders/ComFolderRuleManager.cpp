#include "folders/ComFolderRuleManager.h"
#include <stdlib.h>

namespace {

// DOM pointers released on every path out of a walk.
template <class T>
class CComRef
{
public:
    CComRef() : p(nullptr) {}
    ~CComRef() { Release(); }
    void Release() { if (p) { p->Release(); p = nullptr; } }
    T** operator&() { Release(); return &p; }
    T* operator->() const { return p; }
    operator T*() const { return p; }
    T* p;
};

// Children in document order: firstChild, then nextSibling.
class CChildWalk
{
public:
    explicit CChildWalk(IXMLDOMNode* pParent) { pParent->get_firstChild(&m_pNode); }
    ~CChildWalk() { if (m_pNode) m_pNode->Release(); }
    IXMLDOMNode* Current() const { return m_pNode; }
    void Next()
    {
        IXMLDOMNode* pNext = nullptr;
        m_pNode->get_nextSibling(&pNext);
        m_pNode->Release();
        m_pNode = pNext;
    }
private:
    IXMLDOMNode* m_pNode = nullptr;
};

} // namespace

CComFolderRuleManager::CComFolderRuleManager()
{
}

CComFolderRuleManager::~CComFolderRuleManager()
{
    for (INT_PTR i = 0; i < m_arrRule.GetSize(); ++i)
        delete m_arrRule[i];
    m_arrRule.SetSize(0);
}

int CComFolderRuleManager::LoadRule(const CString& strRule, const CString& strSection)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"MSXML.domdocument", &clsid)))
        return 0;
    CComRef<IXMLDOMDocument> pDoc;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument,
                                reinterpret_cast<void**>(&pDoc))) || !pDoc)
        return 0;
    // Indentation between elements must never become folders. MSXML drops it by default;
    // saying so keeps any DOM that defaults otherwise in line.
    pDoc->put_preserveWhiteSpace(VARIANT_FALSE);

    BSTR bstrRule = strRule.AllocSysString();
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    pDoc->loadXML(bstrRule, &bLoaded);
    SysFreeString(bstrRule);

    // A text that did not parse leaves no document element.
    CComRef<IXMLDOMElement> pRoot;
    if (FAILED(pDoc->get_documentElement(&pRoot)) || !pRoot)
        return 0;

    for (CChildWalk walk(pRoot); walk.Current(); walk.Next()) {
        BSTR bstrName = nullptr;
        walk.Current()->get_nodeName(&bstrName);
        BOOL bMatch = bstrName && strSection.CompareNoCase(bstrName) == 0;
        SysFreeString(bstrName);
        if (bMatch)
            ReadFolderNode(walk.Current());
    }
    return 1;
}

void CComFolderRuleManager::ReadFolderNode(IXMLDOMNode* pSection)
{
    if (!pSection)
        return;
    // Every child counts, whatever its kind: a comment in a section is a folder with no
    // attributes, as the host's own reader sees it.
    for (CChildWalk top(pSection); top.Current(); top.Next()) {
        CComFolderProp* pTop = ReadFolder(top.Current(), CString());
        m_arrRule.Add(pTop);
        CString strParentId = pTop->m_strNameId.Right(2);
        for (CChildWalk sub(top.Current()); sub.Current(); sub.Next()) {
            CComFolderProp* pSub = ReadFolder(sub.Current(), strParentId);
            m_arrRule.Add(pSub);
        }
    }
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
    if (!pNode || !pszName)
        return CString();
    // Comments and text nodes have no attribute map.
    CComRef<IXMLDOMNamedNodeMap> pAttributes;
    if (FAILED(pNode->get_attributes(&pAttributes)) || !pAttributes)
        return CString();
    BSTR bstrName = SysAllocString(pszName);
    CComRef<IXMLDOMNode> pAttribute;
    HRESULT hr = pAttributes->getNamedItem(bstrName, &pAttribute);
    SysFreeString(bstrName);
    if (FAILED(hr) || !pAttribute)
        return CString();
    BSTR bstrText = nullptr;
    pAttribute->get_text(&bstrText);
    CString strText(bstrText ? static_cast<const wchar_t*>(bstrText) : L"");
    SysFreeString(bstrText);
    return strText;
}

int CComFolderRuleManager::IsTrue(const CString& strValue)
{
    return strValue.CompareNoCase(L"true") == 0 ? 1 : 0;
}
