// One entry of the add list: a rule folder of a floor that is not shown yet.
//
// Entries are kept in a CObArray as their owner's MFC code always did; they are stored and
// read back through a cast, and the owner deletes them as CFolderArray.
#pragma once
#include "afxwin.h"

class AFX_EXT_CLASS CFolderArray
{
public:
    CFolderArray(const CString& strFolderId, const CString& strFolderName);
    virtual ~CFolderArray();

    CString m_strFolderId;
    CString m_strFolderName;
};
