// The host's rule texts ("TREE", "CreateComTREE") as the XML DOM of the host's Windows reads
// them (MSXML through COM): both rule readers load, walk and read attributes the same way.
//
//   CRuleDocument doc;
//   if (!doc.Load(strText)) return 0;            // no DOM, or a text that did not parse
//   doc.ForEachSection(L"OtherFloor", [&](IXMLDOMNode* pSection) { ... });
//   CRuleDocument::ForEachChild(pSection, [&](IXMLDOMNode* pNode) { ... });
//
// Children are walked along firstChild/nextSibling, so comments and other nodes count as
// nodes of the rule tree just as elements do; whitespace between elements is dropped.
#pragma once
#include "afxwin.h"
#include <ole2.h>
#include <msxml.h>
#include <functional>

class AFX_EXT_CLASS CRuleDocument
{
public:
    CRuleDocument();
    virtual ~CRuleDocument();

    // TRUE when the text parsed into a document with a document element.
    BOOL Load(const CString& strText);
    // The document element's children whose node name equals strSection ignoring case, in
    // document order.
    void ForEachSection(const CString& strSection, const std::function<void(IXMLDOMNode*)>& f);

    static void ForEachChild(IXMLDOMNode* pParent, const std::function<void(IXMLDOMNode*)>& f);
    // The attribute's text matched by exact name; empty when the node is null, has no
    // attributes (comments, text) or lacks the attribute.
    static CString GetAttributeValue(IXMLDOMNode* pNode, const wchar_t* pszName);

private:
    CRuleDocument(const CRuleDocument&) = delete;
    CRuleDocument& operator=(const CRuleDocument&) = delete;
    void Release();

    IXMLDOMDocument* m_pDoc;
    IXMLDOMElement* m_pRoot;
};
