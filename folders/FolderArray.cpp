#include "folders/FolderArray.h"

CFolderArray::CFolderArray(const CString& strFolderId, const CString& strFolderName)
    : m_strFolderId(strFolderId), m_strFolderName(strFolderName)
{}

CFolderArray::~CFolderArray() {}
