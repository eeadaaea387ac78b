// The window base: anchoring, the tree and its active child, z-order on
// hiding, clicks and double clicks, re-entrant text changes, destruction.
#include "tests/support/screen/ui_rig.h"

namespace {

using ui_test::JournalWnd;
using ui_test::UiRig;

TEST(WindowAnchorTest, PlacesTheRequestedRectByMode)
{
    // Parent client 100 x 50; requested (5, 6) 20 x 10, or (-3, -4) for the far-edge modes.
    struct Case {
        int32_t mode;
        PackedRect requested;
        PackedRect placed;
    } cases[] = {
        {AnchorNone, {5, 6, 24, 15}, {5, 6, 24, 15}},
        {3, {5, 6, 24, 15}, {5, 6, 24, 15}},
        {13, {5, 6, 24, 15}, {5, 6, 24, 15}},
        {AnchorFullHeight, {5, 6, 24, 15}, {5, 0, 24, 49}},
        {AnchorRightFullHeight, {-3, 6, 16, 15}, {77, 0, 96, 49}},
        {AnchorFullWidth, {5, 6, 24, 15}, {0, 6, 99, 15}},
        {AnchorRight, {0, 6, 19, 15}, {80, 6, 99, 15}},
        {AnchorBottomFullWidth, {5, -4, 24, 5}, {0, 36, 99, 45}},
        {AnchorBottom, {5, 0, 24, 9}, {5, 40, 24, 49}},
        {AnchorBottomRight, {0, 0, 19, 9}, {80, 40, 99, 49}},
        {AnchorCentre, {0, 0, 19, 9}, {40, 20, 59, 29}},
        {AnchorCentre, {0, 0, 20, 10}, {39, 19, 59, 29}},    // odd difference rounds down
        {AnchorCentre, {1, 1, 120, 60}, {-9, -4, 110, 55}},  // negative odd difference rounds down too
        {AnchorFill, {5, 6, 24, 15}, {0, 0, 99, 49}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AnchorRect(c.mode, c.requested, 100, 50), c.placed) << "mode " << c.mode;
    }
}

class WindowTest : public UiRig {};

TEST_F(WindowTest, ChildrenAnchorInsideTheParentsClientArea)
{
    CWindow parent(nullptr, PackedRect(10, 10, 109, 59), CStr(), true);
    parent.SetMargins(PackedRect(2, 3, 4, 5), false);
    CWindow child;
    child.SetAnchorMode(AnchorFill);
    ASSERT_TRUE(CWindow::Attach(&child, &parent));
    child.SetRect(PackedRect(0, 0, 5, 5), false);
    EXPECT_EQ(child.WindowRect(), PackedRect(2, 3, 95, 44));
    EXPECT_EQ(child.GetNode()->screenRect, PackedRect(12, 13, 105, 54));

    // Moving the parent lays the child out again and moves its screen rect.
    parent.SetRect(PackedRect(20, 20, 69, 59), false);
    EXPECT_EQ(child.WindowRect(), PackedRect(2, 3, 45, 34));
    EXPECT_EQ(child.GetNode()->screenRect, PackedRect(22, 23, 65, 54));

    // An undefined rect changes nothing.
    child.SetRect(UndefinedRect, false);
    EXPECT_EQ(child.WindowRect(), PackedRect(2, 3, 45, 34));
    child.Detach();
}

TEST_F(WindowTest, NewWindowsAreTopmostAndTheFirstShownBecomesActive)
{
    CWindow parent(nullptr, PackedRect(0, 0, 99, 99), CStr(), true);
    CWindow a(&parent, PackedRect(0, 0, 9, 9), CStr(), false);
    CWindow b(&parent, PackedRect(0, 0, 9, 9), CStr(), false);
    EXPECT_EQ(parent.GetFirstChild(), &b);
    EXPECT_EQ(b.GetNextSibling(), &a);
    EXPECT_EQ(parent.GetActiveChild(), nullptr);
    a.Show(true, false);
    EXPECT_EQ(parent.GetActiveChild(), &a);
    b.Show(true, false);
    EXPECT_EQ(parent.GetActiveChild(), &a) << "the parent already had an active child";
    a.Show(false, false);
    EXPECT_EQ(parent.GetActiveChild(), &b);
    EXPECT_TRUE(b.IsActive());
    EXPECT_FALSE(a.IsActive());
}

TEST_F(WindowTest, HidingTheTopmostWithRaiseBringsTheNextToTheFront)
{
    for (bool raise : {true, false}) {
        CWindow parent(nullptr, PackedRect(0, 0, 99, 99), CStr(), true);
        CWindow a(&parent, PackedRect(0, 0, 9, 9), CStr(), true);
        CWindow b(&parent, PackedRect(0, 0, 9, 9), CStr(), true);
        CWindow c(&parent, PackedRect(0, 0, 9, 9), CStr(), true);
        a.BringToFront(false);  // order a, c, b
        a.Show(false, raise);
        EXPECT_EQ(parent.GetFirstChild(), raise ? &c : &a) << raise;
    }
}

TEST_F(WindowTest, ShowRunsOnShowAgainButHidingTwiceHidesOnce)
{
    JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 9, 9), false);
    w.Show(true, false);
    w.Show(true, false);
    w.Show(false, false);
    w.Show(false, false);
    EXPECT_EQ(m_journal, (std::vector<std::string>{"w show", "w show", "w hide"}));
}

TEST_F(WindowTest, DoubleClicksNeedTimeAndDistanceUnderTheLimits)
{
    struct Case {
        uint32_t gap;
        int dx, dy;
        std::vector<std::string> expected;
    } cases[] = {
        {500, 4, 4, {"w click", "w double"}},
        {501, 4, 4, {"w click", "w click"}},
        {500, 5, 0, {"w click", "w click"}},
        {100, 0, 5, {"w click", "w click"}},
    };
    for (const Case& c : cases) {
        m_journal.clear();
        JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 99, 99));
        w.SetEventFlag(WndEventDoubleClick, true);
        w.OnPenDown(PackedPoint(10, 10));
        w.OnPenUp(PackedPoint(10, 10));
        m_headless->AdvanceClock(c.gap);
        w.OnPenDown(PackedPoint(10 + c.dx, 10 + c.dy));
        w.OnPenUp(PackedPoint(10 + c.dx, 10 + c.dy));
        std::vector<std::string> got;
        for (const std::string& line : m_journal) {
            if (line != "w up" && line.rfind("w down", 0) != 0)
                got.push_back(line);
        }
        EXPECT_EQ(got, c.expected) << c.gap << " ms, " << c.dx << "," << c.dy;
    }
}

TEST_F(WindowTest, AThirdQuickTapAfterADoubleClickIsAClick)
{
    JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 99, 99));
    w.SetEventFlag(WndEventDoubleClick, true);
    for (int i = 0; i < 3; ++i) {
        w.OnPenDown(PackedPoint(10, 10));
        w.OnPenUp(PackedPoint(10, 10));
        m_headless->AdvanceClock(100);
    }
    std::vector<std::string> got;
    for (const std::string& line : m_journal) {
        if (line == "w click" || line == "w double")
            got.push_back(line);
    }
    EXPECT_EQ(got, (std::vector<std::string>{"w click", "w double", "w click"}));
}

TEST_F(WindowTest, PenUpWithoutPenDownRunsTheHandlerButDoesNotClick)
{
    JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 99, 99));
    w.OnPenUp(PackedPoint(3, 3));
    EXPECT_EQ(m_journal, (std::vector<std::string>{"w up"}));
}

// A window that sets its text again from inside its text-changed slot.
class EchoWnd : public CWindow {
public:
    void OnTextChanged() override
    {
        ++calls;
        SetText(CStr("echo"), false);
    }
    int calls = 0;
};

TEST_F(WindowTest, SetTextFromInsideTheTextChangeDoesNotRecurse)
{
    EchoWnd w;
    w.SetText(CStr("first"), false);
    EXPECT_EQ(w.calls, 1);
    EXPECT_EQ(w.Text(), CStr("echo"));
}

TEST_F(WindowTest, DestroyingAWindowDeliversTheOthersQueuedEventsButNoneOfItsOwn)
{
    JournalWnd* a = new JournalWnd(&m_journal, "a", nullptr, PackedRect(0, 0, 9, 9));
    JournalWnd b(&m_journal, "b", nullptr, PackedRect(20, 20, 29, 29));
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    b.Invalidate(UndefinedRect, true);
    a->Invalidate(UndefinedRect, true);
    b.Invalidate(PackedRect(5, 5, 6, 6), false);
    delete a;
    EXPECT_EQ(m_journal, (std::vector<std::string>{"a hide", "b paint 0,0,9,9", "b paint 5,5,6,6"}));
    EXPECT_EQ(CWindowMgr::QueuedCount(), 0);
}

// A window whose click handler destroys another window that still has
// events queued behind the click.
class Killer : public CWindow {
public:
    Killer(CWindow* victim) : CWindow(nullptr, PackedRect(0, 0, 9, 9), CStr(), true), victim(victim)
    {
        BindHandler(HandlerClick, this, &Killer::Kill);
    }
    void Kill(CWindow*, intptr_t)
    {
        delete victim;
        victim = nullptr;
    }
    CWindow* victim;
};

TEST_F(WindowTest, AWindowDestroyedDuringDeliveryGetsNoMoreEvents)
{
    std::vector<std::string> journal;
    JournalWnd* victim = new JournalWnd(&journal, "v", nullptr, PackedRect(50, 50, 59, 59));
    Killer killer(victim);
    CWindowMgr::ProcessEvents();
    journal.clear();
    PenDownSignal.FirePoint(PackedPoint(5, 5));
    PenUpSignal.FirePoint(PackedPoint(5, 5));
    PenDownSignal.FirePoint(PackedPoint(55, 55));  // queued for the victim
    victim->Invalidate(UndefinedRect, true);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(killer.victim, nullptr);
    EXPECT_EQ(journal, (std::vector<std::string>{"v hide"}));
}

TEST_F(WindowTest, DestroyingTheTreeDestroysChildrenFirstChildFirst)
{
    std::vector<std::string> journal;
    JournalWnd* parent = new JournalWnd(&journal, "p", nullptr, PackedRect(0, 0, 99, 99));
    new JournalWnd(&journal, "a", parent, PackedRect(0, 0, 9, 9));
    new JournalWnd(&journal, "b", parent, PackedRect(0, 0, 9, 9));
    CWindowMgr::ProcessEvents();
    journal.clear();
    delete parent;
    // The parent hides first; its children are then no longer really
    // visible and go without hiding.
    EXPECT_EQ(journal, (std::vector<std::string>{"p hide"}));
    EXPECT_EQ(Root()->GetFirstChild(), nullptr);
}

}  // namespace
