// The hero skills window: points move between the three skills, never below
// a skill's value on entry and never past their total.
#include "mapdialogs/skills_wnd.h"

#include <gtest/gtest.h>

#include <memory>

#include "game/player_record.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/markup_wnd.h"

namespace {

using operation_windows_test::OperationWindowsRig;

class SkillsWndTest : public OperationWindowsRig {
protected:
    std::unique_ptr<CSkillsWnd> Make(uint8_t battle, uint8_t builder, uint8_t stealth, int32_t points)
    {
        m_record.name = CStr("Alda");
        m_record.skills[0] = battle;
        m_record.skills[1] = builder;
        m_record.skills[2] = stealth;
        m_record.level = 3;
        m_record.experience = 600;
        m_record.nextLevelAt = 2000;
        m_record.pendingLevelUps = points;
        auto wnd = std::make_unique<CSkillsWnd>(Root(), CStr("SkillsWnd"), true);
        wnd->Setup(&m_record);
        Open(wnd.get());
        return wnd;
    }
    struct Range {
        int32_t min, value, max;
        bool operator==(const Range&) const = default;
    };
    static Range RangeOf(const CSkillsWnd& wnd, int skill)
    {
        const CValueScroller* s = wnd.SkillScroller(skill);
        return Range{s->Min(), s->Value(), s->Max()};
    }
    SkillsRequest m_record;
};

TEST_F(SkillsWndTest, SetupFormatsTheHeroAndOpensTheRanges)
{
    auto wnd = Make(2, 3, 4, 2);
    EXPECT_STREQ(wnd->HeroText()->Text().Chars(), "Hero Alda");
    EXPECT_STREQ(wnd->LevelText()->Text().Chars(), "Level 3");
    EXPECT_STREQ(wnd->ExperienceText()->Text().Chars(), "Exp 600 of 2000");
    EXPECT_STREQ(wnd->PointsText()->Text().Chars(), "Points 2");
    EXPECT_EQ(RangeOf(*wnd, 0), (Range{2, 2, 4}));
    EXPECT_EQ(RangeOf(*wnd, 1), (Range{3, 3, 5}));
    EXPECT_EQ(RangeOf(*wnd, 2), (Range{4, 4, 6}));
    EXPECT_TRUE(wnd->OkButton()->IsEnabled());
}

TEST_F(SkillsWndTest, RaisingOneSkillNarrowsTheOthers)
{
    auto wnd = Make(2, 3, 4, 2);
    StepScroller(wnd->SkillScroller(0), true);
    StepScroller(wnd->SkillScroller(0), true);
    EXPECT_EQ(wnd->PointsLeft(), 0);
    EXPECT_STREQ(wnd->PointsText()->Text().Chars(), "Points 0");
    EXPECT_EQ(RangeOf(*wnd, 0), (Range{2, 4, 4}));
    EXPECT_EQ(RangeOf(*wnd, 1), (Range{3, 3, 3}));
    EXPECT_EQ(RangeOf(*wnd, 2), (Range{4, 4, 4}));
    EXPECT_FALSE(wnd->SkillScroller(1)->ForwardButton()->IsEnabled());
    // One point back from battle can go to stealth.
    StepScroller(wnd->SkillScroller(0), false);
    StepScroller(wnd->SkillScroller(2), true);
    EXPECT_EQ(RangeOf(*wnd, 0), (Range{2, 3, 3}));
    EXPECT_EQ(RangeOf(*wnd, 2), (Range{4, 5, 5}));
    // The first button never goes below the value on entry.
    TapWindow(wnd->SkillScroller(2)->FirstButton());
    EXPECT_EQ(RangeOf(*wnd, 2), (Range{4, 4, 5}));
    EXPECT_EQ(wnd->PointsLeft(), 1);
}

TEST_F(SkillsWndTest, NoPointsLeavesEverythingFixed)
{
    auto wnd = Make(5, 1, 7, 0);
    EXPECT_FALSE(wnd->OkButton()->IsEnabled());
    for (int skill = 0; skill < 3; ++skill) {
        const Range r = RangeOf(*wnd, skill);
        EXPECT_EQ(r.min, r.max);
        EXPECT_FALSE(wnd->SkillScroller(skill)->ForwardButton()->IsEnabled());
    }
}

TEST_F(SkillsWndTest, SkillsNeverWrapPastAByte)
{
    auto wnd = Make(250, 2, 2, 10);
    EXPECT_EQ(RangeOf(*wnd, 0).max, 255);
    TapWindow(wnd->SkillScroller(0)->LastButton());
    EXPECT_EQ(wnd->SkillScroller(0)->Value(), 255);
    EXPECT_EQ(wnd->PointsLeft(), 5);
}

TEST_F(SkillsWndTest, OkWritesTheSkillsAndCancelKeepsThem)
{
    struct Case {
        bool ok;
        uint16_t result;
        uint8_t confirmed;
        uint8_t battle;
    };
    for (const Case c : {Case{true, ResultOk, 1, 4}, Case{false, ResultCancel, 0, 2}}) {
        m_record = SkillsRequest{};
        auto wnd = Make(2, 3, 4, 2);
        controls_test::StepScript* script = Script();
        script->At(2, [&] { TapWindow(wnd->SkillScroller(0)->LastButton()); });
        script->At(3, [&] { TapWindow(c.ok ? wnd->OkButton() : wnd->CancelButton()); });
        EXPECT_EQ(RunModal(wnd.get()), c.result);
        EXPECT_EQ(m_record.confirmed, c.confirmed);
        EXPECT_EQ(m_record.skills[0], c.battle);
        EXPECT_EQ(m_record.skills[1], 3);
        EXPECT_EQ(m_record.skills[2], 4);
    }
}

}  // namespace
