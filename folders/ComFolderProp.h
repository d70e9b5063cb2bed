// One folder rule: what a floor's component folder is called, how it is drawn, which
// component type it carries and what the user may do inside it.
#pragma once
#include "afxwin.h"

class AFX_EXT_CLASS CComFolderProp
{
public:
    CComFolderProp();
    CComFolderProp(const CString& strNameId, const CString& strName, int nImageIndex,
                   int nSelectedIndex, const CString& strParentId, int nComType, BOOL bInitCreate,
                   BOOL bAllowAddUserFolder, BOOL bAllowOwnerCom, int nShowID);
    virtual ~CComFolderProp();

    CString m_strName;
    BOOL m_bInitCreate;
    BOOL m_bAllowAddUserFolder;
    BOOL m_bAllowOwnerCom;
    CString m_strNameId; // whole; the folder id is its last two characters
    int m_nImageIndex;
    int m_nSelectedIndex;
    int m_nComType;
    CString m_strParentId; // empty at the top level
    int m_nShowID;
};
