// The window manager: the event ring, paint merging, pen routing under
// capture and modality, character routing, and modal runs.
#include "tests/support/screen/ui_rig.h"

#include <algorithm>
#include <functional>

namespace {

using ui_test::JournalWnd;
using ui_test::UiRig;

class WindowMgrTest : public UiRig {};

TEST_F(WindowMgrTest, InitGivesTheRootTheWholeDisplayAndFailsWithoutFactory)
{
    CWindow* root = Root();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->WindowRect(), PackedRect(0, 0, 239, 319));
    EXPECT_EQ(root->GetNode()->screenRect, PackedRect(0, 0, 239, 319));
    EXPECT_TRUE(root->IsVisible());
    EXPECT_TRUE(root->IsActive());
    CWindowMgr::Shutdown();
    SetRootScreenWndFactory(nullptr);
    EXPECT_FALSE(CWindowMgr::Init());
    EXPECT_EQ(CWindowMgr::Root(), nullptr);
    SetRootScreenWndFactory(ui_test::MakeRoot);
    ASSERT_TRUE(CWindowMgr::Init());
}

TEST_F(WindowMgrTest, InvalidationsOfOneWindowMergeByTheAreaRule)
{
    struct Case {
        PackedRect first, second;
        std::vector<PackedRect> queued;
    } cases[] = {
        {{0, 0, 9, 9}, {10, 0, 19, 9}, {{0, 0, 19, 9}}},                     // adjacent: 200 < 225
        {{0, 0, 9, 9}, {20, 20, 29, 29}, {{0, 0, 9, 9}, {20, 20, 29, 29}}},  // apart
        {{0, 0, 9, 9}, {10, 10, 19, 19}, {{0, 0, 9, 9}, {10, 10, 19, 19}}},  // corner: 400 not under 225
        {{0, 0, 9, 9}, {2, 2, 5, 5}, {{0, 0, 9, 9}}},                        // inside
    };
    JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 49, 49));
    for (const Case& c : cases) {
        Drain();
        w.Invalidate(c.first, true);
        w.Invalidate(c.second, true);
        EXPECT_EQ(QueuedPaints(&w), c.queued);
    }
    // With merging off a new event is always queued.
    Drain();
    w.Invalidate(PackedRect(0, 0, 9, 9), true);
    w.Invalidate(PackedRect(0, 0, 9, 9), false);
    EXPECT_EQ(QueuedPaints(&w).size(), 2u);
    EXPECT_EQ(PaintMerge, 1) << "the switch is restored";
}

TEST_F(WindowMgrTest, AnotherWindowsPaintStopsTheMergeScan)
{
    JournalWnd a(&m_journal, "a", nullptr, PackedRect(0, 0, 49, 49));
    JournalWnd b(&m_journal, "b", nullptr, PackedRect(100, 100, 149, 149));
    Drain();
    a.Invalidate(PackedRect(0, 0, 9, 9), true);
    b.Invalidate(PackedRect(0, 0, 9, 9), true);
    a.Invalidate(PackedRect(10, 0, 19, 9), true);
    EXPECT_EQ(QueuedPaints(&a), (std::vector<PackedRect>{{0, 0, 9, 9}, {10, 0, 19, 9}}));
}

TEST_F(WindowMgrTest, ParentRepaintReachesTheChildrenBeneathInOrder)
{
    JournalWnd parent(&m_journal, "p", nullptr, PackedRect(10, 10, 109, 109));
    JournalWnd low(&m_journal, "low", &parent, PackedRect(0, 0, 19, 19));
    JournalWnd high(&m_journal, "high", &parent, PackedRect(10, 10, 29, 29));
    JournalWnd away(&m_journal, "away", &parent, PackedRect(60, 60, 69, 69));
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    parent.Invalidate(PackedRect(0, 0, 39, 39), true);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal,
              (std::vector<std::string>{"p paint 0,0,39,39", "low paint 0,0,19,19", "high paint 0,0,19,19"}));
}

TEST_F(WindowMgrTest, RepaintsReachWindowsAboveAndOpaqueAncestors)
{
    JournalWnd parent(&m_journal, "p", nullptr, PackedRect(0, 0, 99, 99));
    JournalWnd low(&m_journal, "low", &parent, PackedRect(0, 0, 39, 39));
    JournalWnd high(&m_journal, "high", &parent, PackedRect(20, 20, 59, 59));
    EXPECT_TRUE(low.GetNode()->overlapped);
    EXPECT_FALSE(high.GetNode()->overlapped);
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    // The lower window is overlapped: the window above repaints the shared part after it.
    low.Invalidate(PackedRect(10, 10, 39, 39), true);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"low paint 10,10,39,39", "high paint 0,0,19,19"}));
    // A see-through window has its area repainted by its parent, then itself.
    m_journal.clear();
    high.InvalidateThrough(PackedRect(0, 0, 9, 9));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"p paint 20,20,29,29", "low paint 20,20,29,29",
                                                   "high paint 0,0,9,9"}));
    EXPECT_FALSE(high.HasFlag(WndSeeThrough)) << "restored";
    // Moving the upper window away ends the overlap; moving it back makes it again.
    high.SetRect(PackedRect(60, 60, 79, 79), false);
    EXPECT_FALSE(low.GetNode()->overlapped);
    high.SetRect(PackedRect(30, 30, 49, 49), false);
    EXPECT_TRUE(low.GetNode()->overlapped);
}

// Rows of controls under a window with columns of its own: each row's repaint
// brings the upper window's and every column's after it, more than the ring
// holds.
TEST_F(WindowMgrTest, RepaintsTheRingCannotHoldLeaveTheWindowAboveInFront)
{
    constexpr int kControls = 20;
    JournalWnd low(&m_journal, "low", nullptr, PackedRect(0, 0, 199, 199));
    JournalWnd high(&m_journal, "high", nullptr, PackedRect(0, 0, 199, 199));
    std::vector<CWindow*> lowControls;
    for (int i = 0; i < kControls; ++i) {
        const auto at = static_cast<int16_t>(i * 9);
        lowControls.push_back(new JournalWnd(&m_journal, "lowc", &low, PackedRect(0, at, 199, at + 8)));
        new JournalWnd(&m_journal, "highc", &high, PackedRect(at, 0, at + 8, 199));
    }
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    for (CWindow* control : lowControls)
        control->Invalidate(UndefinedRect, true);
    CWindowMgr::ProcessEvents();
    // After the last paint of anything below, the upper window and every
    // one of its controls paint again.
    const auto lastLow = std::find_if(m_journal.rbegin(), m_journal.rend(),
                                      [](const std::string& line) { return line.rfind("low", 0) == 0; });
    ASSERT_NE(lastLow, m_journal.rend());
    const auto since = lastLow.base();
    EXPECT_EQ(
        std::count_if(since, m_journal.end(), [](const std::string& l) { return l.rfind("high ", 0) == 0; }),
        1);
    EXPECT_EQ(
        std::count_if(since, m_journal.end(), [](const std::string& l) { return l.rfind("highc ", 0) == 0; }),
        kControls);
    EXPECT_EQ(CWindowMgr::QueuedCount(), 0);
}

TEST_F(WindowMgrTest, APenDownRaisesTheFlaggedChain)
{
    JournalWnd a(&m_journal, "a", nullptr, PackedRect(0, 0, 49, 49));
    JournalWnd b(&m_journal, "b", nullptr, PackedRect(100, 100, 149, 149));
    a.SetFlag(WndRaiseOnPenDown, true);
    ASSERT_EQ(Root()->GetFirstChild(), &b);
    Tap(10, 10);
    EXPECT_EQ(Root()->GetFirstChild(), &a);
}

TEST_F(WindowMgrTest, TheRingHolds300Events)
{
    JournalWnd w(&m_journal, "w", nullptr, PackedRect(0, 0, 49, 49));
    Drain();
    WindowEvent event;
    event.target = &w;
    event.type = EventPenMove;
    for (int i = 0; i < CWindowMgr::RingSize; ++i)
        EXPECT_TRUE(CWindowMgr::Dispatch(event));
    EXPECT_FALSE(CWindowMgr::Dispatch(event)) << "the 301st is lost";
    EXPECT_EQ(CWindowMgr::QueuedCount(), 300);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(CWindowMgr::QueuedCount(), 0);
    EXPECT_EQ(m_journal.size(), 300u);
}

TEST_F(WindowMgrTest, PenEventsGoToTheDeepestWindowInLocalCoordinates)
{
    JournalWnd parent(&m_journal, "p", nullptr, PackedRect(10, 10, 109, 109));
    JournalWnd child(&m_journal, "c", &parent, PackedRect(20, 20, 39, 39));
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    Tap(35, 35);
    Tap(15, 15);
    Tap(200, 200);  // nothing but the root there: no target
    EXPECT_EQ(m_journal,
              (std::vector<std::string>{"c down 5,5", "c up", "c click", "p down 5,5", "p up", "p click"}));
}

TEST_F(WindowMgrTest, UnderCaptureAPenOutsideStillGoesToTheCapturedWindow)
{
    JournalWnd a(&m_journal, "a", nullptr, PackedRect(0, 0, 49, 49));
    JournalWnd b(&m_journal, "b", nullptr, PackedRect(100, 100, 149, 149));
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    ASSERT_TRUE(CWindowMgr::PushCapture(&a));
    PenDownSignal.FirePoint(PackedPoint(120, 130));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"a down 120,130"}));
    CWindowMgr::RemoveCapture(&a);
}

TEST_F(WindowMgrTest, APenOnADisabledWindowGoesToItsParent)
{
    JournalWnd parent(&m_journal, "p", nullptr, PackedRect(0, 0, 99, 99));
    JournalWnd button(&m_journal, "b", &parent, PackedRect(10, 10, 29, 29));
    button.Enable(false, false);
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    PenDownSignal.FirePoint(PackedPoint(15, 15));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"p down 15,15"}));
}

TEST_F(WindowMgrTest, AModalChildShieldsItsSiblings)
{
    JournalWnd parent(&m_journal, "p", nullptr, PackedRect(0, 0, 199, 199));
    JournalWnd other(&m_journal, "o", &parent, PackedRect(0, 0, 49, 49));
    JournalWnd dialog(&m_journal, "d", &parent, PackedRect(100, 100, 149, 149));
    parent.GetNode()->modalChild = dialog.GetNode();
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    PenDownSignal.FirePoint(PackedPoint(10, 10));
    PenDownSignal.FirePoint(PackedPoint(110, 110));
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"d down 10,10"}));
    parent.GetNode()->modalChild = nullptr;
}

TEST_F(WindowMgrTest, CharactersGoToTheDeepestActiveWindowThatTakesThem)
{
    JournalWnd frame(&m_journal, "f", nullptr, PackedRect(0, 0, 99, 99));
    JournalWnd edit(&m_journal, "e", &frame, PackedRect(0, 0, 9, 9));
    frame.SetActive();
    CWindowMgr::ProcessEvents();
    m_journal.clear();

    CharSignal.FireChar('a');  // nobody takes characters: dropped
    frame.SetEventFlag(WndEventTakesChars, true);
    CharSignal.FireChar('b');  // edit is deepest; goes up to the frame
    edit.SetEventFlag(WndEventTakesChars, true);
    CharSignal.FireChar('c');
    edit.SetEventFlag(WndEventTakesChars, false);
    edit.SetFlag(WndModal, true);  // a modal window that takes no characters swallows them
    CharSignal.FireChar('d');
    edit.SetFlag(WndModal, false);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"f char 98", "e char 99"}));

    // With a key focus, the walk starts below the focused window.
    m_journal.clear();
    edit.SetEventFlag(WndEventTakesChars, true);
    JournalWnd side(&m_journal, "s", nullptr, PackedRect(0, 0, 9, 9));
    side.SetEventFlag(WndEventTakesChars, true);
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    ASSERT_TRUE(CWindowMgr::PushKeyFocus(&side));
    CharSignal.FireChar('x');
    CWindowMgr::PopKeyFocus(&side);
    CharSignal.FireChar('y');
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal, (std::vector<std::string>{"s char 120", "e char 121"}));
}

TEST_F(WindowMgrTest, CaptureEntriesAreRemovedWhereverTheyStand)
{
    CWindow a(nullptr, PackedRect(0, 0, 9, 9), CStr(), true);
    CWindow b(nullptr, PackedRect(0, 0, 9, 9), CStr(), true);
    CWindow c(nullptr, PackedRect(0, 0, 9, 9), CStr(), true);
    CWindow stranger(nullptr, PackedRect(0, 0, 9, 9), CStr(), true);
    CWindowMgr::PushCapture(&a);
    CWindowMgr::PushCapture(&b);
    CWindowMgr::PushCapture(&c);
    CWindowMgr::RemoveCapture(&b);
    CWindowMgr::RemoveCapture(&stranger);
    ASSERT_EQ(CWindowMgr::CaptureCount(), 2);
    EXPECT_EQ(CWindowMgr::CaptureAt(0), &a);
    EXPECT_EQ(CWindowMgr::CaptureAt(1), &c);
    // A window that goes away leaves the stack with it.
    {
        CWindow d(nullptr, PackedRect(0, 0, 9, 9), CStr(), true);
        CWindowMgr::PushCapture(&d);
        CWindowMgr::PushKeyFocus(&d);
    }
    EXPECT_EQ(CWindowMgr::CaptureCount(), 2);
    EXPECT_EQ(CWindowMgr::KeyFocusCount(), 0);
    CWindowMgr::RemoveCapture(&a);
    CWindowMgr::RemoveCapture(&c);
    for (int i = 0; i < CWindowMgr::StackSize; ++i)
        EXPECT_TRUE(CWindowMgr::PushCapture(&a));
    EXPECT_FALSE(CWindowMgr::PushCapture(&a)) << "the stack holds 15";
}

// A modal dialog with an OK button: the button's click writes the result and ends the run.
class OkDialog : public JournalWnd {
public:
    OkDialog(std::vector<std::string>* journal)
        : JournalWnd(journal, "dlg", nullptr, PackedRect(20, 20, 119, 119), false),
          ok(journal, "ok", this, PackedRect(10, 10, 39, 29))
    {
        ok.BindHandler(HandlerClick, this, &OkDialog::OnOk);
    }
    void OnOk(CWindow*, intptr_t)
    {
        SetModalResult(ResultOk);
        EndModal(this);
    }
    JournalWnd ok;
};

// A frame hook that plays a scripted tap at a given frame step.
class ScriptHook : public FrameHook {
public:
    void OnFrame() override
    {
        ++steps;
        if (steps == tapAt) {
            PenDownSignal.FirePoint(point);
            PenUpSignal.FirePoint(point);
        }
        if (steps == quitAt)
            QuitFlag = 1;
        if (steps == actionAt && action)
            action();
        CWindowMgr::ProcessEvents();
    }
    int steps = 0, tapAt = -1, quitAt = -1, actionAt = -1;
    PackedPoint point;
    std::function<void()> action;
};

TEST_F(WindowMgrTest, AModalRunEndsWhenItsButtonIsTapped)
{
    ScriptHook* hook = new ScriptHook;
    hook->tapAt = 3;
    hook->point = PackedPoint(35, 35);  // inside "ok": dialog (20,20) + (10,10)
    SetFrameHook(hook);
    OkDialog dialog(&m_journal);
    JournalWnd behind(&m_journal, "behind", nullptr, PackedRect(0, 0, 239, 319));
    EXPECT_EQ(RunModal(&dialog), ResultOk);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_FALSE(dialog.HasFlag(WndModal));
    EXPECT_EQ(Root()->GetNode()->modalChild, nullptr);
    EXPECT_EQ(CWindowMgr::CaptureCount(), 0);
    EXPECT_NE(std::find(m_journal.begin(), m_journal.end(), "ok down 5,5"), m_journal.end());
    for (const std::string& line : m_journal)
        EXPECT_EQ(line.find("behind down"), std::string::npos) << line;
}

TEST_F(WindowMgrTest, ModalRunsRefuseASecondModalSiblingAndAnswer255OnQuit)
{
    ScriptHook* hook = new ScriptHook;
    SetFrameHook(hook);
    OkDialog first(&m_journal);
    OkDialog second(&m_journal);
    hook->actionAt = 2;
    uint16_t nested = 99;
    hook->action = [&] { nested = RunModal(&second); };
    hook->quitAt = 4;
    EXPECT_EQ(RunModal(&first), ResultQuit);
    EXPECT_EQ(nested, 0) << "the root already has a modal child";
    EXPECT_EQ(Root()->GetNode()->modalChild, nullptr) << "a run left by quitting leaves no modal child";
}

// A window's help button is made before the window's own controls; a
// dialog run over the window is raised in front of both.
TEST_F(WindowMgrTest, AHelpButtonStaysBeforeLaterChildrenAndAModalRunGoesBeforeIt)
{
    JournalWnd frame(&m_journal, "frame", nullptr, PackedRect(0, 0, 199, 199));
    JournalWnd help(&m_journal, "help", &frame, PackedRect(180, 0, 199, 19));
    help.SetEventFlag(WndStaysInFront, true);
    JournalWnd table(&m_journal, "table", &frame, PackedRect(0, 0, 199, 99));
    EXPECT_EQ(frame.GetFirstChild(), &help);
    EXPECT_EQ(help.GetNextSibling(), &table);
    CWindowMgr::ProcessEvents();
    m_journal.clear();
    frame.Invalidate(PackedRect(180, 0, 199, 19), true);
    CWindowMgr::ProcessEvents();
    EXPECT_EQ(m_journal.back(), "help paint 0,0,19,19") << "drawn last, over the table";

    ScriptHook* hook = new ScriptHook;
    SetFrameHook(hook);
    JournalWnd dialog(&m_journal, "dialog", &frame, PackedRect(0, 0, 199, 199), false);
    EXPECT_EQ(dialog.GetPrevSibling(), &help);
    CWindow* front = nullptr;
    hook->actionAt = 2;
    hook->action = [&] {
        front = frame.GetFirstChild();
        EndModal(&dialog);
    };
    RunModal(&dialog);
    EXPECT_EQ(front, &dialog);
}

TEST_F(WindowMgrTest, AWindowDestroyedInsideItsOwnModalRunEndsTheRun)
{
    ScriptHook* hook = new ScriptHook;
    SetFrameHook(hook);
    OkDialog* dialog = new OkDialog(&m_journal);
    hook->actionAt = 2;
    hook->action = [&] { delete dialog; };
    EXPECT_EQ(RunModal(dialog), ResultNone);
    EXPECT_EQ(hook->steps, 2);
    EXPECT_EQ(Root()->GetNode()->modalChild, nullptr);
    EXPECT_EQ(CWindowMgr::CaptureCount(), 0);
}

}  // namespace
