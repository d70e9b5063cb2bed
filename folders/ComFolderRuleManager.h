// Reads one named section of the folder rule text ("TREE") into a list of rule records.
//
// The text goes through the XML DOM the host's Windows supplies (MSXML through COM), so the
// rules read the same here as in the host. Section elements are the document element's
// children whose name matches ignoring case; each child of a section is a top-level folder and
// each of its children a sub-folder. Deeper nodes are ignored: rules are two levels deep.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include <ole2.h>
#include <msxml.h>
#include "folders/ComFolderProp.h"

class AFX_EXT_CLASS CComFolderRuleManager
{
public:
    CComFolderRuleManager();
    virtual ~CComFolderRuleManager();

    // 1 when the text parsed (also when no section matched), 0 when it did not or no DOM
    // could be created. Appends to m_arrRule; the caller empties it when it wants a fresh list.
    int LoadRule(const CString& strRule, const CString& strSection);
    void ReadFolderNode(IXMLDOMNode* pSection);
    CString GetAttributeValue(IXMLDOMNode* pNode, const wchar_t* pszName);
    int IsTrue(const CString& strValue);

    // Owned records, depth first: each top-level folder followed by its sub-folders.
    CArray<CComFolderProp*, CComFolderProp*&> m_arrRule;

private:
    CComFolderProp* ReadFolder(IXMLDOMNode* pNode, const CString& strParentId);
    CComFolderRuleManager(const CComFolderRuleManager&) = delete;
    CComFolderRuleManager& operator=(const CComFolderRuleManager&) = delete;
};
