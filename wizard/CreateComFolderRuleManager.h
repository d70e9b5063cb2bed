// Reads the wizard rules (the host's "CreateComTREE" text) into a flat list of node records.
//
// Every <TreeNode> child of the document element (any case) is a section; the nodes up to
// three levels below it are appended depth first. The wizard decides by NameID and list
// order, never by nesting level, so the list keeps no structure.
#pragma once
#include "afxwin.h"
#include "afxtempl.h"
#include "wizard/TreeNodeProp.h"

struct IXMLDOMNode;

class AFX_EXT_CLASS CCreateComFolderRuleManager
{
public:
    CCreateComFolderRuleManager();
    virtual ~CCreateComFolderRuleManager();

    // 1 when the text parsed (also with no section in it), 0 when it did not or no XML DOM
    // could be created. Appends; never empties the list first.
    int LoadRule(CString strRule);
    void ReadTreeNode(IXMLDOMNode* pSection);
    CString GetAttributeValue(IXMLDOMNode* pNode, CString strName);

    // The records, owned here. CTreeNodeProp is no CObject: the array only carries the
    // pointers, GetNode gives them back typed.
    CObArray m_arrNodes;
    CTreeNodeProp* GetNode(INT_PTR nIndex) const
    {
        return reinterpret_cast<CTreeNodeProp*>(m_arrNodes.GetAt(nIndex));
    }

private:
    void AppendNode(IXMLDOMNode* pNode);

    CCreateComFolderRuleManager(const CCreateComFolderRuleManager&) = delete;
    CCreateComFolderRuleManager& operator=(const CCreateComFolderRuleManager&) = delete;
};
