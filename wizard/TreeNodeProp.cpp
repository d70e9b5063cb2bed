#include "wizard/TreeNodeProp.h"

// The integers stay unset, as the reader always fills them.
CTreeNodeProp::CTreeNodeProp() {}

CTreeNodeProp::CTreeNodeProp(const CString& strName, int nImageIndex, int nSelectIndex,
                             const CString& strCreateMode, const CString& strNameID,
                             const CString& strComType, const CString& strMessage)
    : m_strNameID(strNameID), m_strComType(strComType), m_strCreateMode(strCreateMode),
      m_nSelectIndex(nSelectIndex), m_nImageIndex(nImageIndex), m_strName(strName),
      m_strMessage(strMessage)
{}

CTreeNodeProp::~CTreeNodeProp() {}
