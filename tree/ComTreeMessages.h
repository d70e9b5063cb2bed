// The messages the component tree module sends to its host's windows: the protocol a host
// codes against, by these names (ON_MESSAGE(WM_COMTREE_OPENCOMPONENT, ...)). The numbers
// never change; +104 is not used.
//
// Each is sent with SendMessage on the host's user-interface thread, so the module waits for
// the answer. "The host window" is the parent window handed to the panel's constructor; "the
// main frame" is CManageSteelMainFrame::Instance()->GetSteelMainFrame(). A CParamProp* in
// lParam belongs to the tree: read it while handling the message, never keep or free it.
#pragma once

#include <windows.h>

// A component is being added through the wizard (构件向导).
//   Sender: CCompoentsTreeCtrl::AddCom, after the row named "新构件" was stored.
//   Receiver: the host window. wParam: 0. lParam: the new component's id.
//   Answer: -1 rejects the component (its row is deleted, no item is added); any other value
//   is the id used from then on, so a host that agrees returns lParam. While handling it the
//   host may name the component with CCompoentsTreeCtrl::SetComName; otherwise it gets the
//   type's default name (KL-3).
const UINT WM_COMTREE_NEWCOMPONENT = WM_USER + 100; // 0x464

// The same-component count was applied to the selected item, which is sent whatever its kind:
// every selection change with fewer than two selected components comes this way too.
//   Sender: CCompoentsTreeCtrl::OnChangeEditNum, run by every change of the panel's count field.
//   Receiver: the host window. wParam: 0. lParam: the selected item's CParamProp*.
//   Answer: ignored.
const UINT WM_COMTREE_COUNTAPPLIED = WM_USER + 101; // 0x465

// Re-filing after a double-click: while handling WM_COMTREE_OPENFOLDER or a double-click's
// WM_COMTREE_OPENCOMPONENT the host may set the tree's m_nMoveComId and m_bMovePending = 1;
// when the message returns, the tree moves that component under the folder its stored row
// now names (MoveNode).

// A folder that admits components was double-clicked: the host may show its editor.
//   Sender: CCompoentsTreeCtrl::OnLButtonDblClk.
//   Receiver: the host window. wParam: the tree's CMenu*. lParam: the folder's CParamProp*.
//   Answer: ignored (see re-filing above).
const UINT WM_COMTREE_OPENFOLDER = WM_USER + 102; // 0x466

// A component is to be opened in the host's editor.
//   Sender: CCompoentsTreeCtrl::OnLButtonDblClk (a double-click on a component), sent to the
//   host window; CCompoentsTreeCtrl::OnModifyCom ("修改构件"), sent to the main frame.
//   wParam: the tree's CMenu*. lParam: the component's CParamProp*.
//   Answer: ignored (see re-filing above).
const UINT WM_COMTREE_OPENCOMPONENT = WM_USER + 103; // 0x467

// The user asked to modify the selected components together ("批量修改(&M)").
//   Sender: CCompoentsTreeCtrl::OnModifyBatch.
//   Receiver: the main frame. wParam: the selected HTREEITEM. lParam: its CParamProp*.
//   Answer: ignored.
const UINT WM_COMTREE_BATCHMODIFY = WM_USER + 105; // 0x469
