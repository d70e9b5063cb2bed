// CParamProp: the record on every item of the component tree.
//
// The item's data value is the record's address; the record says what the item stands for
// (project, floor, component folder, component), which project row it mirrors and its
// quantity multiplier. Code that reacts to an item decides by the record, never by the text.
//
// The host reads these fields directly through the addresses it receives in messages, so
// their order and widths are part of the module's binary interface: one virtual slot, then
// the six fields below. Do not add data members.
#pragma once

#include "afxwin.h"

class AFX_EXT_CLASS CParamProp
{
public:
    enum TreeNodeType
    {
        NodeProject = 0,
        NodeFloor = 1,
        NodeFolder = 2,
        NodeComponent = 3,
    };

    CParamProp();
    CParamProp(const CParamProp& src);
    CParamProp& operator=(const CParamProp& src);
    virtual ~CParamProp();

    // A folder whose id reads 100 or more was made by the user: it shows its multiplier and
    // takes part in totals. Rule folders (ids up to 99, or ids without leading digits) do not.
    BOOL IsUserFolder() const;

    // Records alive in this process. Rebuilding or releasing the tree brings the count back
    // to what it was, which is how tests see that no record leaks.
    static LONG GetLiveCount();

    int m_nFloorID;
    int m_nComType;
    float m_fVolume;
    CString m_strID;
    CString m_strName;
    TreeNodeType m_nNodeType;
};

static_assert(sizeof(CParamProp::TreeNodeType) == 4, "the host reads the kind as 32 bits");
