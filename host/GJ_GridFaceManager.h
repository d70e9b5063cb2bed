// CGJ_GridFaceManager: the texts the host supplies by key. The text of a key is the file
// "<data folder>\<key>.xml" (KxMfc::Fun::GetSysDataPath): "TREE" gives the folder rules,
// "CreateComTREE" the wizard rules. Files are read as UTF-8 or UTF-16 (either byte order)
// when they start with a byte-order mark, else as UTF-8 when they are valid UTF-8, else in the
// system code page. A text the host set with SetGridFace takes the place of the file.
// A key with neither gives an empty text.
#pragma once
#include "afxwin.h"
#include "HostExport.h"

class KXHOST_API CGJ_GridFaceManager
{
public:
    static CGJ_GridFaceManager* Instance();

    CString GetGridFace(LPCTSTR pszKey);
    // Supplies the text of a key from memory; an empty key is ignored.
    void SetGridFace(LPCTSTR pszKey, LPCTSTR pszText);
    // Forgets the texts set with SetGridFace: keys read their files again.
    void ClearGridFaces();

    // Decodes the bytes of a text file as described above.
    static CString DecodeText(const void* pData, size_t nSize);

private:
    CGJ_GridFaceManager();
    ~CGJ_GridFaceManager();
    CGJ_GridFaceManager(const CGJ_GridFaceManager&) = delete;
    CGJ_GridFaceManager& operator=(const CGJ_GridFaceManager&) = delete;
    struct Impl;
    Impl* m_pImpl;
};
