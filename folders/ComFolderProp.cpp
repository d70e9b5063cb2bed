#include "folders/ComFolderProp.h"

CComFolderProp::CComFolderProp()
    : m_bInitCreate(FALSE), m_bAllowAddUserFolder(FALSE), m_bAllowOwnerCom(FALSE), m_nImageIndex(0),
      m_nSelectedIndex(0), m_nComType(0), m_nShowID(0)
{}

CComFolderProp::CComFolderProp(const CString& strNameId, const CString& strName, int nImageIndex,
                               int nSelectedIndex, const CString& strParentId, int nComType,
                               BOOL bInitCreate, BOOL bAllowAddUserFolder, BOOL bAllowOwnerCom,
                               int nShowID)
    : m_strName(strName), m_bInitCreate(bInitCreate), m_bAllowAddUserFolder(bAllowAddUserFolder),
      m_bAllowOwnerCom(bAllowOwnerCom), m_strNameId(strNameId), m_nImageIndex(nImageIndex),
      m_nSelectedIndex(nSelectedIndex), m_nComType(nComType), m_strParentId(strParentId),
      m_nShowID(nShowID)
{}

CComFolderProp::~CComFolderProp() {}
