// CTreeCopyInfo: the tree control's own clipboard record. Nothing goes to the system
// clipboard; cut, copy and paste of tree items read and write this record, and the context
// menu reads it to decide whether paste is offered.
//
// A cut records sourceParentItem as a copy does: the by-component layout offers paste on a
// floor only when the source's parent sits under the same category as that floor, and that
// must compare against the item actually cut, not against whatever was copied before it.
// A quick copy records none.
#pragma once

#include "afxwin.h"
#include <commctrl.h>

struct CTreeCopyInfo
{
    int multiCopyPending;       // a multi-node copy waits for its paste
    int multiCutPending;        // a multi-node cut waits for its paste
    int isCopy;                 // 1: the single source was copied, 0: it was cut
    int hasSource;              // a single source item is recorded
    int sourceFloorId;          // -1 when cleared
    int sourceComType;          // -1 when cleared
    CString sourceId;           // folder id or component id of the source
    CString sourceParentId;     // id text of the source's parent item
    HTREEITEM sourceParentItem; // the source's parent item, recorded by a cut or a copy
    int sourceType;             // CParamProp::TreeNodeType of the source

    CTreeCopyInfo()
        : multiCopyPending(0), multiCutPending(0), isCopy(0), hasSource(0), sourceFloorId(-1),
          sourceComType(-1), sourceParentItem(NULL), sourceType(0)
    {}
};
