// Tasks and timers, including the re-entry the frame step allows: callbacks
// that delete timers (their own or others) and callbacks that run frame
// steps, which tick the tasks again.

#include "core/timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/task_mgr.h"
#include "core/time_mgr.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace {

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions o;
        o.closeAfterSteps = 0;
        clock = &UseHeadlessPlatform(o);
        CTaskMgr::Init();
    }
    void TearDown() override
    {
        CTaskMgr::Shutdown();
        PlatformClose();
    }
    HeadlessBackend* clock = nullptr;
};

// A timer whose callback is any function of the test.
class ScriptedTimer : public CTimer {
public:
    ScriptedTimer(uint16_t rate, std::function<void()> action) : CTimer(rate), m_action(std::move(action)) {}
    void OnTimer() override { m_action(); }

private:
    std::function<void()> m_action;
};

class CountingTask : public CTask {
public:
    explicit CountingTask(std::vector<std::string>* log, std::string name)
        : m_log(log), m_name(std::move(name))
    {}
    void Run() override { m_log->push_back(m_name); }
    void OnStop() override { m_log->push_back(m_name + " stopped"); }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

TEST_F(TimerTest, RateGivesTheIntervalInMilliseconds)
{
    struct Case {
        uint16_t rate, interval;
    } cases[] = {{150, 66}, {200, 50}, {100, 100}, {80, 125}, {30, 333},
                 {20, 500}, {12, 833}, {0, 0},     {1, 10000}};
    for (const auto& c : cases) {
        CTimer t;
        t.SetRate(c.rate);
        EXPECT_EQ(t.Interval(), c.interval) << "rate " << c.rate;
    }
}

TEST_F(TimerTest, NewTimerFiresAtTheFirstTickThenKeepsItsIntervalFromTheCallbackEnd)
{
    std::vector<uint32_t> fired;
    ScriptedTimer t(100, [&] { fired.push_back(CTimeMgr::GetTicks()); });
    const uint32_t start = CTimeMgr::GetTicks();
    for (int step = 0; step < 7; ++step) {  // frame steps 50 ms apart
        CTaskMgr::Tick();
        clock->AdvanceClock(50);
    }
    EXPECT_EQ(fired, (std::vector<uint32_t>{start, start + 100, start + 200, start + 300}));

    fired.clear();
    t.SetRate(0);
    for (int step = 0; step < 4; ++step) {
        CTaskMgr::Tick();
        clock->AdvanceClock(50);
    }
    EXPECT_TRUE(fired.empty()) << "rate 0 stops the timer";
    t.SetRate(100);
    CTaskMgr::Tick();
    EXPECT_EQ(fired.size(), 1u) << "restarted after more than the interval: fires at the next tick";
}

TEST_F(TimerTest, TasksRunInRegistrationOrderAndSuspendedOnesAreSkipped)
{
    std::vector<std::string> log;
    CountingTask a(&log, "a");
    CountingTask b(&log, "b");
    CountingTask c(&log, "c");
    b.suspended = 1;
    CTaskMgr::Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(b.IsRegistered());
    EXPECT_EQ(CTaskMgr::Count(), 3);
}

TEST_F(TimerTest, CallbackMayDeleteItsOwnTimerOrTheNextTask)
{
    std::vector<std::string> log;
    auto* next = new CountingTask(&log, "next");
    ScriptedTimer* self = nullptr;
    self = new ScriptedTimer(200, [&] {
        log.push_back("self");
        // An animation whose end callback deletes its owner. The callback
        // lives in the timer, so nothing of it may be touched after the delete.
        ScriptedTimer* me = self;
        self = nullptr;
        delete me;
    });
    // Registered after `self`, so the walk reaches it only through the entry
    // that the callback freed from under it.
    auto* after = new CountingTask(&log, "after");
    auto* killer = new ScriptedTimer(200, [&] {
        log.push_back("killer");
        delete after;
        after = nullptr;
    });
    // Order: next, self, after, killer; killer deletes `after` too late for
    // this tick, and `self` deleted itself. (A task's own OnStop is not
    // reached from its destructor: by then it is only a CTask.)
    CTaskMgr::Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"next", "self", "after", "killer"}));
    EXPECT_EQ(self, nullptr);
    EXPECT_EQ(CTaskMgr::Count(), 2);  // next and killer

    log.clear();
    clock->AdvanceClock(100);
    CTaskMgr::Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"next", "killer"}));
    delete killer;
    delete next;
    EXPECT_EQ(CTaskMgr::Count(), 0);
}

TEST_F(TimerTest, CallbackThatRunsFrameStepsIsNotFiredAgainFromInside)
{
    int outerCalls = 0;
    int otherCalls = 0;
    // A modal wait inside the callback: it ticks the tasks while time passes.
    ScriptedTimer waiting(200, [&] {
        ++outerCalls;
        for (int i = 0; i < 5; ++i) {
            clock->AdvanceClock(50);
            CTaskMgr::Tick();
        }
    });
    ScriptedTimer other(200, [&] { ++otherCalls; });
    CTaskMgr::Tick();
    EXPECT_EQ(outerCalls, 1) << "the nested ticks must not re-enter the running callback";
    EXPECT_EQ(otherCalls, 5) << "other timers keep running inside the wait (and not again right after it)";
    EXPECT_EQ(waiting.LastTick(), CTimeMgr::GetTicks()) << "measured from the callback's return";
}

TEST_F(TimerTest, TaskRemovedDuringANestedTickIsSkippedByTheOuterWalk)
{
    std::vector<std::string> log;
    CountingTask* victim = nullptr;
    ScriptedTimer first(200, [&] {
        CTaskMgr::Tick();  // nested: runs victim once
        delete victim;     // then gone before the outer walk reaches it
        victim = nullptr;
    });
    victim = new CountingTask(&log, "victim");
    CountingTask last(&log, "last");
    CTaskMgr::Tick();
    EXPECT_EQ(log, (std::vector<std::string>{"victim", "last", "last"}));
    EXPECT_EQ(CTaskMgr::Count(), 2);
}

TEST_F(TimerTest, ShutdownStopsEveryTaskEvenWhenOnStopDeletesAnother)
{
    std::vector<std::string> log;
    struct Chain : CTask {
        CTask** other = nullptr;
        void OnStop() override
        {
            delete *other;
            *other = nullptr;
        }
    };
    CTask* second = nullptr;
    auto* first = new Chain;
    first->other = &second;
    second = new CountingTask(&log, "second");
    CountingTask third(&log, "third");
    CTaskMgr::Shutdown();
    EXPECT_EQ(CTaskMgr::Count(), 0);
    EXPECT_EQ(second, nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"third stopped"}));
    EXPECT_FALSE(third.IsRegistered());
    delete first;  // unregistered already: its destructor changes nothing
}

}  // namespace
