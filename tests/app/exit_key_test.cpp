// The exit key: the action key's repeats arm a one-second deadline and
// quit once it has passed; a frame without the key held disarms it. The
// tick count may wrap between the first press and the deadline.

#include <gtest/gtest.h>

#include "app/game_application.h"
#include "core/core_main.h"
#include "core/device_mgr.h"
#include "platform/headless/headless_backend.h"

namespace {

class ExitKeyTest : public testing::Test {
protected:
    void SetUp() override
    {
        HeadlessOptions options;
        options.closeAfterSteps = 0;
        m_headless = &UseHeadlessPlatform(options);
        QuitFlag = 0;
    }
    void TearDown() override { QuitFlag = 0; }
    HeadlessBackend* m_headless = nullptr;
};

TEST_F(ExitKeyTest, HoldingTheActionKeyForASecondQuitsEvenAcrossTheTickWrap)
{
    struct Case {
        const char* what;
        uint32_t start;
        uint32_t step;  // between repeats
        int repeats;    // after the first press
        bool quits;
    } cases[] = {
        {"a second of repeats", 0x10000000u, 50, 20, true},
        {"just short of a second", 0x10000000u, 50, 19, false},
        {"across the wrap", 0xFFFFFF00u, 50, 20, true},
        {"across the wrap, too short", 0xFFFFFF00u, 50, 5, false},
        {"other keys do not count", 0x10000000u, 50, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QuitFlag = 0;
        CGameApplication app;
        m_headless->SetClock(c.start);
        const uint32_t key = c.repeats == 0 ? static_cast<uint32_t>(KeyUp) : static_cast<uint32_t>(KeyAction);
        app.OnKey(key);
        EXPECT_EQ(app.ExitArmed(), key == KeyAction);
        for (int i = 0; i < c.repeats; ++i) {
            m_headless->AdvanceClock(c.step);
            app.OnKey(key);
        }
        EXPECT_EQ(QuitFlag != 0, c.quits);
    }
}

TEST_F(ExitKeyTest, AFrameWithoutTheKeyHeldDisarms)
{
    CGameApplication app;
    app.OnKey(KeyAction);
    ASSERT_TRUE(app.ExitArmed());
    app.OnFrame();  // the key is not held now
    EXPECT_FALSE(app.ExitArmed());
    m_headless->AdvanceClock(1500);
    app.OnKey(KeyAction);  // a new press arms again instead of quitting
    EXPECT_TRUE(app.ExitArmed());
    EXPECT_EQ(QuitFlag, 0);
}

}  // namespace
