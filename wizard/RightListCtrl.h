// The wizard's type list: the types of one class as 40x40 pictures in one group (id 1).
// An item carries its type's component type code.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"
#include "ComTreeHost.h"

class AFX_EXT_CLASS CRightListCtrl : public CKxListCtrl
{
public:
    CRightListCtrl();
    ~CRightListCtrl() override;

    // Group view on and the pictures bmp\11.bmp..99.bmp of the data folder loaded.
    void InitList();
    // Shows the types of class strClassId under the header strClassName; an empty class id
    // leaves the list empty.
    void FillTypes(CString strClassId, CString strClassName, CObArray* pNodes);

protected:
    CImageList m_imageList;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
