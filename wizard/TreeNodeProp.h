// One node of the wizard rules: a category, a class or a type, told apart by its NameID.
#pragma once
#include "afxwin.h"

class AFX_EXT_CLASS CTreeNodeProp
{
public:
    CTreeNodeProp();
    CTreeNodeProp(const CString& strName, int nImageIndex, int nSelectIndex,
                  const CString& strCreateMode, const CString& strNameID, const CString& strComType,
                  const CString& strMessage);
    virtual ~CTreeNodeProp();

    CString m_strNameID;  // "0" category; up to two characters a class; longer a type
    CString m_strComType; // kept as text: a class is matched against the caller's text
    CString m_strCreateMode;
    int m_nSelectIndex;
    int m_nImageIndex; // for a type: the number of its picture (11..99)
    CString m_strName;
    CString m_strMessage;
};
