// The wizard's class tree: root, categories, classes. A class item carries its class
// number; the root and the categories carry 0.
#pragma once
#include "afxwin.h"
#include "afxcmn.h"

class AFX_EXT_CLASS CLeftTreeCtrl : public CTreeCtrl
{
public:
    CLeftTreeCtrl();
    ~CLeftTreeCtrl() override;

    // Fills the tree from the dialog's rules and lists the types of the preselected class.
    void FillTree();

protected:
    CImageList m_imageList;

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
