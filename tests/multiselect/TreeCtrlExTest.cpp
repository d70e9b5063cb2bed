// CTreeCtrlEx on a real tree view, driven the way a user drives it: mouse messages at item
// rectangles, keys with the Shift state set, timers pumped past the double-click time, and a
// parent window that records every notification that reaches it.
#include "afxwin.h"
#include "afxcmn.h"
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "multiselect/TreeCtrlEx.h"
#include "TreeDriver.h"
#include "Timing.h"

namespace {

const UINT kTreeId = 1000;
const DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES
    | TVS_LINESATROOT | TVS_SHOWSELALWAYS;

class MultiSelectTree : public ::testing::Test
{
protected:
    // 工程
    //   一层        (data 10)  a1 a2 a3 a4   (data 11..14)
    //   二层        (data 20)  b1 b2 b3      (data 21..23)
    //   三层        (data 30)
    // One host window for the whole run: top-level windows are slow to make under Wine.
    static CRecordingParent& Host()
    {
        static CRecordingParent host;
        if (host.m_hWnd == NULL) {
            EXPECT_TRUE(host.CreateHost());
        }
        return host;
    }
    CRecordingParent& parent = Host();
    CTreeCtrlEx tree;
    HTREEITEM root = NULL, a = NULL, b = NULL, c = NULL;
    HTREEITEM ai[4] = {}, bi[3] = {};

    void Build(DWORD style)
    {
        ASSERT_TRUE(tree.Create(style, CRect(0, 0, 380, 560), &parent, kTreeId));
        root = Add(L"工程", TVI_ROOT, 1);
        a = Add(L"一层", root, 10);
        for (int i = 0; i < 4; ++i)
            ai[i] = Add(L"构件", a, 11 + i);
        b = Add(L"二层", root, 20);
        for (int i = 0; i < 3; ++i)
            bi[i] = Add(L"构件", b, 21 + i);
        c = Add(L"三层", root, 30);
        tree.Expand(root, TVE_EXPAND);
        tree.Expand(a, TVE_EXPAND);
        tree.Expand(b, TVE_EXPAND);
        tree.SetFocus();
        PumpFor(50);
        parent.Clear();
    }
    void SetUp() override { Build(kStyle); }
    void TearDown() override
    {
        tree.DestroyWindow();
        PumpFor(10);
        parent.Clear();
    }

    HTREEITEM Add(const wchar_t* text, HTREEITEM under, DWORD_PTR data)
    {
        HTREEITEM h = tree.InsertItem(text, under, TVI_LAST);
        tree.SetItemData(h, data);
        return h;
    }
    std::set<HTREEITEM> Selected() { return SelectedBits(tree.m_hWnd); }
    HTREEITEM Caret() { return tree.GetSelectedItem(); }
    // The tree picks a caret when it first gets the focus; some cases need none.
    void NoCaret()
    {
        tree.SelectItem(NULL);
        tree.ClearMultiSelection();
        parent.Clear();
        ASSERT_EQ(NULL, Caret());
        ASSERT_TRUE(Selected().empty());
    }
    // Only the caret selected, as after a plain click.
    void Start(HTREEITEM h)
    {
        ClickTreeItem(tree.m_hWnd, h, 0);
        parent.Clear();
    }
};

using Set = std::set<HTREEITEM>;

// ---- plain, Ctrl and Shift clicks ---------------------------------------------------------

TEST_F(MultiSelectTree, PlainClickSelectsOnlyTheItemAndReportsOldAndNewCaret)
{
    ClickTreeItem(tree.m_hWnd, ai[0], 0);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_CONTROL);
    parent.Clear();

    ClickTreeItem(tree.m_hWnd, bi[2], 0);
    EXPECT_EQ(Set({ bi[2] }), Selected());
    EXPECT_EQ(bi[2], Caret());

    // The tree announces its own caret move; its TVN_SELCHANGED is held back, ours follows.
    ASSERT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW }), parent.Codes());
    const Note& n = parent.notes[1];
    EXPECT_EQ((WPARAM)kTreeId, n.wParam);
    EXPECT_EQ(tree.m_hWnd, n.tv.hdr.hwndFrom);
    EXPECT_EQ((UINT_PTR)kTreeId, n.tv.hdr.idFrom);
    EXPECT_EQ(0u, n.tv.action);
    EXPECT_EQ((UINT)(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM), n.tv.itemNew.mask);
    EXPECT_EQ(bi[2], n.tv.itemNew.hItem);
    EXPECT_TRUE(n.tv.itemNew.state & TVIS_SELECTED);
    EXPECT_EQ((LPARAM)23, n.tv.itemNew.lParam);
    EXPECT_EQ((UINT)(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM), n.tv.itemOld.mask);
    EXPECT_EQ(ai[1], n.tv.itemOld.hItem);
    EXPECT_EQ((LPARAM)12, n.tv.itemOld.lParam);
    EXPECT_EQ(0, n.tv.ptDrag.x);
    EXPECT_EQ(0, n.tv.ptDrag.y);
}

TEST_F(MultiSelectTree, FirstClickWithoutCaretReportsAnEmptyOldItem)
{
    NoCaret();
    ClickTreeItem(tree.m_hWnd, a, 0);
    EXPECT_EQ(Set({ a }), Selected());
    const Note* n = parent.Last(TVN_SELCHANGEDW);
    ASSERT_TRUE(n);
    EXPECT_TRUE(IsAllZero(n->tv.itemOld));
    EXPECT_EQ(a, n->tv.itemNew.hItem);
}

TEST_F(MultiSelectTree, ControlClickTogglesAndKeepsTheOthers)
{
    Start(ai[0]);

    // Adding: the old item stays, the new one becomes the caret.
    ClickTreeItem(tree.m_hWnd, bi[0], MK_CONTROL);
    EXPECT_EQ(Set({ ai[0], bi[0] }), Selected());
    EXPECT_EQ(bi[0], Caret());
    ASSERT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGINGW, TVN_SELCHANGEDW }), parent.Codes());
    const Note& changing = parent.notes[0];
    EXPECT_EQ((UINT)TVC_BYMOUSE, changing.tv.action);
    EXPECT_EQ(0u, changing.tv.itemOld.mask);
    EXPECT_EQ(NULL, changing.tv.itemOld.hItem);
    EXPECT_EQ(bi[0], changing.tv.itemNew.hItem);
    EXPECT_EQ((LPARAM)21, changing.tv.itemNew.lParam);
    EXPECT_FALSE(changing.tv.itemNew.state & TVIS_SELECTED) << "sent before the change";
    const CPoint at = TreeItemPoint(tree.m_hWnd, bi[0]);
    EXPECT_EQ(at.x, changing.tv.ptDrag.x);
    EXPECT_EQ(at.y, changing.tv.ptDrag.y);
    const Note& changed = parent.notes[2];
    EXPECT_TRUE(IsAllZero(changed.tv.itemOld)) << "a Ctrl click reports no old item";
    EXPECT_EQ(bi[0], changed.tv.itemNew.hItem);
    EXPECT_TRUE(changed.tv.itemNew.state & TVIS_SELECTED);

    ClickTreeItem(tree.m_hWnd, c, MK_CONTROL);
    EXPECT_EQ(Set({ ai[0], bi[0], c }), Selected());

    // Removing a selected item that is not the caret: the caret stays where it is. The
    // press is deferred to the release, so the whole action still sends one TVN_SELCHANGED.
    parent.Clear();
    ClickTreeItem(tree.m_hWnd, ai[0], MK_CONTROL);
    EXPECT_EQ(Set({ bi[0], c }), Selected());
    EXPECT_EQ(c, Caret());
    EXPECT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW }), parent.Codes());

    // Removing the caret itself: it loses its mark but stays the caret.
    ClickTreeItem(tree.m_hWnd, c, MK_CONTROL);
    EXPECT_EQ(Set({ bi[0] }), Selected());
    EXPECT_EQ(c, Caret());
}

// Steps: "click X", "ctrl X", "shift X" (left clicks with those keys), "right X", "set X" (the
// program moves the caret), "down", "shift-down". Items: root a a1..a4 b b1..b3 c.
struct Sequence
{
    const char* steps;
    const char* selected; // the marked items afterwards
    const char* caret;
    bool quietLastStep; // the last step tells the parent nothing
};

const Sequence kSequences[] = {
    { "click b2; ctrl b2", "", "b2", false },                    // the only marked item: none left
    { "click a3; shift b2", "a3 a4 b b1 b2", "b2", false },      // a visible range
    { "click a3; shift b2; shift a1", "a1 a2 a3", "a1", false }, // from the anchor, not the caret
    { "click a3; shift b2; shift a3", "a3", "a3", false },
    { "set a2; shift b1", "a2 a3 a4 b b1", "b1", false }, // no anchor yet: from the caret
    { "set c; ctrl a2; ctrl b3; shift a4", "a2 a3 a4", "a4",
      false }, // the first Ctrl click anchors
    { "click a1; ctrl a3; ctrl b2; right c", "a1 a3 b2", "b2", false }, // a group stays
    { "click a1; right b3", "b3", "b3", false },                        // a single selection moves
    { "click a1; ctrl a3; ctrl b2; down", "b3", "b3", false }, // a plain key: the new caret only
    { "click a1; ctrl a3; ctrl b2; down; shift b", "b b1 b2 b3", "b", false }, // anchor follows
    { "click b3; ctrl c; down", "", "c", true }, // below the last item: cleared
    { "click b3; shift c; shift-down", "b3 c", "c", false },
};

TEST_F(MultiSelectTree, SequencesOfClicksAndKeysLeaveTheirSelectionAndCaret)
{
    for (const Sequence& q : kSequences) {
        SCOPED_TRACE(q.steps);
        tree.DestroyWindow(); // a fresh tree: no anchor, no caret of the last sequence
        Build(kStyle);
        const std::map<std::string, HTREEITEM> items = {
            { "root", root }, { "a", a },      { "a1", ai[0] }, { "a2", ai[1] },
            { "a3", ai[2] },  { "a4", ai[3] }, { "b", b },      { "b1", bi[0] },
            { "b2", bi[1] },  { "b3", bi[2] }, { "c", c },
        };
        auto item = [&](const std::string& name) { return items.at(name); };
        std::istringstream steps(q.steps);
        for (std::string step; std::getline(steps, step, ';');) {
            parent.Clear();
            std::istringstream words(step);
            std::string verb, name;
            words >> verb >> name;
            if (verb == "click" || verb == "ctrl" || verb == "shift")
                ClickTreeItem(tree.m_hWnd, item(name),
                              verb == "ctrl"        ? MK_CONTROL
                                  : verb == "shift" ? MK_SHIFT
                                                    : 0);
            else if (verb == "right")
                RightClickTreeItem(tree.m_hWnd, item(name));
            else if (verb == "set")
                tree.SelectItem(item(name));
            else
                PressKey(tree.m_hWnd, VK_DOWN, verb == "shift-down" ? MK_SHIFT : 0);
        }
        Set expected;
        std::istringstream names(q.selected);
        for (std::string name; names >> name;)
            expected.insert(item(name));
        EXPECT_EQ(expected, Selected());
        EXPECT_EQ(expected.size(), tree.CountSelected());
        EXPECT_EQ(item(q.caret), Caret());
        if (q.quietLastStep)
            EXPECT_TRUE(parent.notes.empty()) << parent.Describe();
    }
}

// ---- press, release and drag ----------------------------------------------------------------

class MultiSelectGroup : public MultiSelectTree
{
protected:
    void SetUp() override
    {
        MultiSelectTree::SetUp();
        ClickTreeItem(tree.m_hWnd, ai[0], 0);
        ClickTreeItem(tree.m_hWnd, ai[2], MK_CONTROL);
        ClickTreeItem(tree.m_hWnd, bi[1], MK_CONTROL);
        ASSERT_EQ(Set({ ai[0], ai[2], bi[1] }), Selected());
        parent.Clear();
    }
};

TEST_F(MultiSelectGroup, PressOnAGroupMemberWaitsForTheRelease)
{
    const CPoint at = TreeItemPoint(tree.m_hWnd, ai[2]);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(Set({ ai[0], ai[2], bi[1] }), Selected());
    EXPECT_TRUE(parent.notes.empty());

    SendMouse(tree.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at + CPoint(1, 1)); // a tremble
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Set({ ai[2] }), Selected());
    EXPECT_EQ(ai[2], Caret());
    ASSERT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW }), parent.Codes());
    EXPECT_EQ(ai[2], parent.notes[1].tv.itemNew.hItem);
    EXPECT_EQ(bi[1], parent.notes[1].tv.itemOld.hItem);
}

TEST_F(MultiSelectGroup, DraggingAGroupMemberKeepsTheGroupAndDisabledDragSendsNothing)
{
    tree.ModifyStyle(0, TVS_DISABLEDRAGDROP);
    const CPoint at = TreeItemPoint(tree.m_hWnd, ai[2]);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMouse(tree.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON,
              at + CPoint(0, GetSystemMetrics(SM_CYDRAG) + 1));
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, at + CPoint(0, GetSystemMetrics(SM_CYDRAG) + 1));
    EXPECT_EQ(Set({ ai[0], ai[2], bi[1] }), Selected());
    EXPECT_EQ(bi[1], Caret());
    EXPECT_TRUE(parent.notes.empty()) << parent.Describe();
}

TEST_F(MultiSelectGroup, DragReportsTheBeginDragOnceWithItemAndMousePosition)
{
    const CPoint at = TreeItemPoint(tree.m_hWnd, ai[0]);
    const CPoint away = at + CPoint(GetSystemMetrics(SM_CXDRAG) + 1, 0);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMouse(tree.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, away);
    SendMouse(tree.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, away + CPoint(20, 0));
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, away + CPoint(20, 0));
    ASSERT_EQ(Codes({ TVN_BEGINDRAGW }), parent.Codes()) << parent.Describe();
    const Note& n = parent.notes[0];
    EXPECT_EQ((WPARAM)kTreeId, n.wParam);
    EXPECT_EQ(ai[0], n.tv.itemNew.hItem);
    EXPECT_EQ((LPARAM)11, n.tv.itemNew.lParam);
    EXPECT_TRUE(n.tv.itemNew.state & TVIS_SELECTED);
    EXPECT_EQ(away.x, n.tv.ptDrag.x);
    EXPECT_EQ(away.y, n.tv.ptDrag.y);
    EXPECT_EQ(Set({ ai[0], ai[2], bi[1] }), Selected());
}

TEST_F(MultiSelectGroup, PressOnAnUnselectedItemSelectsAtOnceAndDragStillReports)
{
    const CPoint at = TreeItemPoint(tree.m_hWnd, c);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    EXPECT_EQ(Set({ c }), Selected());
    SendMouse(tree.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at + CPoint(-30, 0));
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, at + CPoint(-30, 0));
    EXPECT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_BEGINDRAGW }), parent.Codes());
    EXPECT_EQ(Set({ c }), Selected());
}

TEST_F(MultiSelectTree, ShiftArrowsGrowAndShrinkTheRangeAndReportTheKey)
{
    Start(ai[2]);
    PressKey(tree.m_hWnd, VK_DOWN, MK_SHIFT);
    PressKey(tree.m_hWnd, VK_DOWN, MK_SHIFT);
    EXPECT_EQ(Set({ ai[2], ai[3], b }), Selected());
    EXPECT_EQ(b, Caret());
    // Per key: the tree's caret move, our selection change, then the key itself.
    ASSERT_EQ(Codes({ TVN_SELCHANGINGW, TVN_SELCHANGEDW, TVN_KEYDOWN, TVN_SELCHANGINGW,
                      TVN_SELCHANGEDW, TVN_KEYDOWN }),
              parent.Codes());
    const Note& changed = parent.notes[4];
    EXPECT_EQ(b, changed.tv.itemNew.hItem);
    EXPECT_EQ((LPARAM)20, changed.tv.itemNew.lParam);
    EXPECT_EQ((UINT)(TVIF_HANDLE | TVIF_STATE | TVIF_PARAM), changed.tv.itemNew.mask);
    EXPECT_TRUE(IsAllZero(changed.tv.itemOld));
    const Note& key = parent.notes[5];
    EXPECT_EQ((WORD)VK_DOWN, key.key.wVKey);
    EXPECT_EQ(0u, key.key.flags);
    EXPECT_EQ((UINT_PTR)kTreeId, key.key.hdr.idFrom);

    PressKey(tree.m_hWnd, VK_UP, MK_SHIFT);
    EXPECT_EQ(Set({ ai[2], ai[3] }), Selected());
    PressKey(tree.m_hWnd, VK_UP, MK_SHIFT);
    PressKey(tree.m_hWnd, VK_UP, MK_SHIFT);
    EXPECT_EQ(Set({ ai[1], ai[2] }), Selected());
    EXPECT_EQ(ai[1], Caret());
}

TEST_F(MultiSelectTree, PageKeysSelectARangeWithShiftAndCollapseItWithout)
{
    Start(ai[1]);
    PressKey(tree.m_hWnd, VK_NEXT, MK_SHIFT);
    // The tree is taller than its content: a page runs to the last item.
    EXPECT_EQ(c, Caret());
    EXPECT_EQ(Set({ ai[1], ai[2], ai[3], b, bi[0], bi[1], bi[2], c }), Selected());
    const Note* n = parent.Last(TVN_SELCHANGEDW);
    ASSERT_TRUE(n);
    EXPECT_EQ(c, n->tv.itemNew.hItem);
    EXPECT_TRUE(IsAllZero(n->tv.itemOld));
    EXPECT_EQ(1u, parent.Count(TVN_SELCHANGEDW)) << parent.Describe();

    PressKey(tree.m_hWnd, VK_PRIOR, MK_SHIFT);
    EXPECT_EQ(root, Caret());
    EXPECT_EQ(Set({ root, a, ai[0], ai[1] }), Selected());

    PressKey(tree.m_hWnd, VK_NEXT);
    EXPECT_EQ(Set({ c }), Selected());
    ClickTreeItem(tree.m_hWnd, bi[2], MK_SHIFT);
    EXPECT_EQ(Set({ bi[2], c }), Selected()) << "the anchor follows a plain page key";
}

// ---- delayed label edit -------------------------------------------------------------------

class MultiSelectEditable : public MultiSelectTree
{
protected:
    void SetUp() override { Build(kStyle | TVS_EDITLABELS); }
    HWND Editor() { return (HWND)SendMessageW(tree.m_hWnd, TVM_GETEDITCONTROL, 0, 0); }
};

TEST_F(MultiSelectEditable, ClickOnTheCaretLabelEditsAfterTheDoubleClickTime)
{
    Start(bi[0]);
    ClickTreeItem(tree.m_hWnd, bi[0], 0);
    EXPECT_EQ(NULL, Editor()) << "not before the double-click time";
    EXPECT_TRUE(parent.notes.empty()) << parent.Describe();
    PumpFor(GetDoubleClickTime() + 300);
    HWND edit = Editor();
    ASSERT_NE((HWND)NULL, edit);
    EXPECT_TRUE(IsWindowVisible(edit));
    EXPECT_EQ(Codes({ TVN_BEGINLABELEDITW, NM_KILLFOCUS }), parent.Codes())
        << "the editor took the focus";
    EXPECT_EQ(Set({ bi[0] }), Selected());
    SendMessageW(tree.m_hWnd, TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(MultiSelectEditable, DoubleClickWithinTheTimeCancelsTheEdit)
{
    Start(bi[0]);
    const CPoint at = TreeItemPoint(tree.m_hWnd, bi[0]);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, at);
    SendMouse(tree.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, at);
    PumpFor(GetDoubleClickTime() + 300);
    EXPECT_EQ(NULL, Editor());
    EXPECT_EQ(0u, parent.Count(TVN_BEGINLABELEDITW));
}

TEST_F(MultiSelectEditable, ClickOnTheCaretOfAGroupReducesItAndArmsTheEdit)
{
    Start(ai[0]);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_CONTROL);
    ClickTreeItem(tree.m_hWnd, ai[3], MK_CONTROL);
    parent.Clear();
    ClickTreeItem(tree.m_hWnd, ai[3], 0);
    EXPECT_EQ(Set({ ai[3] }), Selected());
    EXPECT_EQ(ai[3], Caret());
    PumpFor(GetDoubleClickTime() + 300);
    EXPECT_NE((HWND)NULL, Editor());
    SendMessageW(tree.m_hWnd, TVM_ENDEDITLABELNOW, TRUE, 0);
}

TEST_F(MultiSelectEditable, ModifiedClickOnTheCaretNeverEdits)
{
    Start(ai[0]);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_SHIFT);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_CONTROL); // toggles instead
    PumpFor(GetDoubleClickTime() + 300);
    EXPECT_EQ(NULL, Editor());
    EXPECT_EQ(Set({ ai[0] }), Selected());
}

TEST_F(MultiSelectTree, WithoutEditLabelsAClickOnTheCaretNeverEdits)
{
    Start(ai[0]);
    ClickTreeItem(tree.m_hWnd, ai[0], 0);
    PumpFor(GetDoubleClickTime() + 300);
    EXPECT_EQ(NULL, (HWND)SendMessageW(tree.m_hWnd, TVM_GETEDITCONTROL, 0, 0));
    EXPECT_EQ(0u, parent.Count(TVN_BEGINLABELEDITW));
}

// ---- collapse and expand --------------------------------------------------------------------

TEST_F(MultiSelectTree, CollapseDropsHiddenSelectionsForGood)
{
    Start(ai[0]);
    ClickTreeItem(tree.m_hWnd, bi[0], MK_CONTROL);
    ClickTreeItem(tree.m_hWnd, bi[2], MK_CONTROL);
    ClickTreeItem(tree.m_hWnd, c, MK_CONTROL);
    parent.Clear();

    ClickExpandButton(tree.m_hWnd, b); // the user's collapse, with its notifications
    EXPECT_FALSE(tree.GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Set({ ai[0], c }), Selected());
    EXPECT_NE(nullptr, parent.Last(TVN_ITEMEXPANDINGW)) << "the parent sees the collapse too";

    ClickExpandButton(tree.m_hWnd, b);
    EXPECT_TRUE(tree.GetItemState(b, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(Set({ ai[0], c }), Selected());
    EXPECT_EQ(2u, tree.CountSelected());
}

TEST_F(MultiSelectTree, CollapseClearsNestedBranchesButNotTheirNeighbours)
{
    Start(ai[3]);
    ClickTreeItem(tree.m_hWnd, bi[0], MK_CONTROL);
    ClickTreeItem(tree.m_hWnd, c, MK_CONTROL);
    // A selected item below a collapsed branch inside the collapsing one.
    HTREEITEM deep = Add(L"深", ai[1], 99);
    tree.SetItemState(deep, TVIS_SELECTED, TVIS_SELECTED);
    ClickExpandButton(tree.m_hWnd, root);
    // The caret was hidden too, so the tree moved it to the collapsed item.
    EXPECT_EQ(root, Caret());
    EXPECT_EQ(Set({ root }), Selected());
    ClickExpandButton(tree.m_hWnd, root);
    EXPECT_EQ(1u, tree.CountSelected());
    EXPECT_FALSE(tree.GetItemState(deep, TVIS_SELECTED) & TVIS_SELECTED);
}

// ---- queries --------------------------------------------------------------------------------

TEST_F(MultiSelectTree, QueriesSeeOnlyVisibleItemsInVisibleOrder)
{
    Start(c);
    tree.Expand(b, TVE_COLLAPSE);
    tree.SetItemState(ai[1], TVIS_SELECTED, TVIS_SELECTED);
    tree.SetItemState(bi[1], TVIS_SELECTED, TVIS_SELECTED); // hidden, yet marked

    EXPECT_EQ(2u, tree.CountSelected());
    EXPECT_EQ(ai[1], tree.GetFirstSelected());
    EXPECT_EQ(c, tree.GetNextSelected(ai[1]));
    EXPECT_EQ(NULL, tree.GetNextSelected(c));
    EXPECT_EQ(NULL, tree.GetNextSelected(bi[0])) << "a hidden start item finds nothing";

    tree.ClearMultiSelection();
    EXPECT_EQ(Set({ bi[1] }), Selected()) << "hidden bits are out of reach";
    EXPECT_EQ(c, Caret());
}

TEST_F(MultiSelectTree, SelectRangeNeedsAVisibleEndAndRunsToTheLastItemOtherwise)
{
    NoCaret();
    tree.Expand(b, TVE_COLLAPSE);
    EXPECT_FALSE(tree.SelectRange(bi[0], bi[1]));
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(NULL, Caret());

    // Reversed, with the closing end hidden: the range runs to the last visible item.
    EXPECT_TRUE(tree.SelectRange(bi[1], ai[2]));
    EXPECT_EQ(Set({ ai[2], ai[3], b, c }), Selected());
    EXPECT_EQ(ai[2], Caret());

    // The far end becomes the caret, which the tree brings into view first.
    EXPECT_TRUE(tree.SelectRange(ai[3], bi[1]));
    EXPECT_EQ(Set({ ai[3], b, bi[0], bi[1] }), Selected());
    EXPECT_EQ(bi[1], Caret());

    EXPECT_TRUE(tree.SelectRange(c, a));
    EXPECT_EQ(Set({ a, ai[0], ai[1], ai[2], ai[3], b, bi[0], bi[1], bi[2], c }), Selected());
    EXPECT_EQ(a, Caret());
}

// The record of the selection against the bits, whoever changes them: the host through the
// window, the host moving the caret, deletions (a new item may take a removed one's address),
// keys. Every message already ends with this check in a debug build; here it is asked for.
TEST_F(MultiSelectTree, TheSelectionRecordFollowsTheBitsWhoeverChangesThem)
{
    Start(bi[2]);
    ClickTreeItem(tree.m_hWnd, ai[3], MK_CONTROL);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_CONTROL);
    TreeView_SetItemState(tree.m_hWnd, c, TVIS_SELECTED, TVIS_SELECTED);
    TreeView_SetItemState(tree.m_hWnd, ai[3], 0, TVIS_SELECTED);
    EXPECT_TRUE(tree.CheckSelectionRecord());

    CArray<HTREEITEM, HTREEITEM> listed;
    tree.GetSelectedItems(listed);
    ASSERT_EQ(3, listed.GetSize()) << "listed in visible order, not in the order selected";
    EXPECT_EQ(ai[1], listed[0]);
    EXPECT_EQ(bi[2], listed[1]);
    EXPECT_EQ(c, listed[2]);

    tree.SelectItem(a); // the host moves the caret: ai[1] loses its bit
    tree.DeleteItem(bi[2]);
    const HTREEITEM fresh = Add(L"新", b, 40);
    EXPECT_TRUE(tree.CheckSelectionRecord());
    EXPECT_EQ(Set({ a, c }), Selected());
    EXPECT_EQ(2u, tree.CountSelected());
    EXPECT_FALSE(tree.IsItemSelected(fresh));

    PressKey(tree.m_hWnd, VK_DOWN, 0);
    EXPECT_TRUE(tree.CheckSelectionRecord());
    EXPECT_EQ(Set({ ai[0] }), Selected());
    tree.SetItemSelected(fresh, TRUE);
    tree.SetItemSelected(ai[0], FALSE);
    EXPECT_EQ(fresh, tree.GetFirstSelected());
    EXPECT_TRUE(tree.CheckSelectionRecord());
}

TEST_F(MultiSelectTree, GetNextItemExWalksTheWholeTreeInPreOrder)
{
    tree.Expand(a, TVE_COLLAPSE);
    std::vector<HTREEITEM> walk;
    for (HTREEITEM h = root; h != NULL; h = tree.GetNextItemEx(h, TVGN_EX_ALL))
        walk.push_back(h);
    const std::vector<HTREEITEM> expected = { root, a,     ai[0], ai[1], ai[2], ai[3],
                                              b,    bi[0], bi[1], bi[2], c };
    EXPECT_EQ(expected, walk);
    EXPECT_EQ(b, tree.GetNextItemEx(a, TVGN_NEXT));
    EXPECT_EQ(NULL, tree.GetNextItemEx(ai[3], TVGN_NEXT));
    EXPECT_EQ(b, tree.GetNextItemEx(a, TVGN_NEXTVISIBLE));
}

// ---- the control id and focus ---------------------------------------------------------------

TEST_F(MultiSelectTree, NotificationsCarryTheIdTheWindowHasNow)
{
    SetWindowLongPtrW(tree.m_hWnd, GWLP_ID, 4321);
    ClickTreeItem(tree.m_hWnd, ai[0], 0);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_CONTROL);
    PressKey(tree.m_hWnd, VK_DOWN, MK_SHIFT);
    ASSERT_GE(parent.Count(TVN_SELCHANGEDW), 2u);
    for (const Note& n : parent.notes) {
        if (n.code == TVN_SELCHANGEDW || n.code == TVN_KEYDOWN) {
            EXPECT_EQ((WPARAM)4321, n.wParam);
            EXPECT_EQ((UINT_PTR)4321, n.hdr.idFrom);
        }
    }
}

TEST_F(MultiSelectTree, EveryPressIsTimedUnderTheGlobalStatistics)
{
    const wchar_t* label = L"CTreeCtrlEx::OnLButtonDown";
    const int before = CTiming::GetCount(label);
    ClickTreeItem(tree.m_hWnd, ai[0], 0);
    ClickTreeItem(tree.m_hWnd, ai[1], MK_SHIFT);
    SendMouse(tree.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, CPoint(370, 550)); // empty space
    SendMouse(tree.m_hWnd, WM_LBUTTONUP, 0, CPoint(370, 550));
    EXPECT_EQ(before + 3, CTiming::GetCount(label));
    EXPECT_EQ(CString(L"全局统计"), CTiming::GetGroup(label));
}

TEST_F(MultiSelectTree, FocusChangesReachTheParent)
{
    HWND other = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 570, 50, 20,
                                 parent.m_hWnd, NULL, NULL, NULL);
    ::SetFocus(other);
    tree.SetFocus();
    EXPECT_EQ(Codes({ NM_KILLFOCUS, NM_SETFOCUS }), parent.Codes());
}

} // namespace
