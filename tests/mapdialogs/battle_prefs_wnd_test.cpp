// The battle preferences window: the boxes follow the battle options when
// it opens, OK writes them back (numbers inverted, both trebuchet flags from
// one box), Cancel changes nothing.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "core/preferences.h"
#include "mapdialogs/prefs_wnds.h"
#include "tests/mapdialogs/operation_windows_rig.h"
#include "ui/button.h"
#include "ui/check_box.h"

namespace {

using operation_windows_test::OperationWindowsRig;
using Options = std::array<uint8_t, 7>;

class BattlePrefsTest : public OperationWindowsRig {
protected:
    void TearDown() override
    {
        CPreferencesMgr::SetDefaults();
        OperationWindowsRig::TearDown();
    }
    static void SetOptions(const Options& o)
    {
        for (int i = 0; i < 7; ++i)
            PrefBattleOptions[i] = o[static_cast<size_t>(i)];
    }
    static Options Current()
    {
        Options o{};
        for (int i = 0; i < 7; ++i)
            o[static_cast<size_t>(i)] = PrefBattleOptions[i];
        return o;
    }
};

TEST_F(BattlePrefsTest, TheBoxesFollowTheOptions)
{
    struct Case {
        Options options;  // grid, numbers, trebs 1, trebs 2, split, keep orders, expert
        bool grid, hideNumbers, trebs, split, expert;
    };
    const Case cases[] = {
        {{1, 1, 1, 1, 0, 0, 0}, true, false, true, false, false},  // the defaults: numbers drawn
        {{0, 0, 0, 0, 1, 1, 1}, false, true, false, true, true},
        {{1, 1, 1, 0, 0, 0, 0}, true, false, true, false, false},  // one trebuchet flag is enough
        {{1, 1, 0, 1, 0, 0, 0}, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        SetOptions(c.options);
        CBattlePrefsWnd wnd(Root(), CStr(kBattlePrefsLayout));
        Open(&wnd);
        EXPECT_EQ(wnd.GridBox()->IsDrawnDown(), c.grid);
        EXPECT_EQ(wnd.NumbersBox()->IsDrawnDown(), c.hideNumbers);
        EXPECT_EQ(wnd.AutoTrebsBox()->IsDrawnDown(), c.trebs);
        EXPECT_EQ(wnd.AllowSplitBox()->IsDrawnDown(), c.split);
        EXPECT_EQ(wnd.ExpertModeBox()->IsDrawnDown(), c.expert);
    }
}

TEST_F(BattlePrefsTest, OkWritesTheBoxesAndCancelLeavesTheOptions)
{
    struct Case {
        Options before;
        bool ok;
        uint16_t result;
        Options after;
    };
    // Every run taps "CbNumbers", "CbAutoTrebs" and "CbExpertMode".
    const Case cases[] = {
        {{1, 1, 1, 1, 0, 0, 0}, true, ResultOk, {1, 0, 0, 0, 0, 0, 1}},
        {{1, 1, 1, 0, 0, 1, 0}, true, ResultOk, {1, 0, 0, 0, 0, 1, 1}},
        {{1, 1, 0, 0, 0, 0, 1}, true, ResultOk, {1, 0, 1, 1, 0, 0, 0}},
        {{1, 1, 1, 0, 0, 0, 0}, false, ResultCancel, {1, 1, 1, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SetOptions(c.before);
        auto wnd = std::make_unique<CBattlePrefsWnd>(Root(), CStr(kBattlePrefsLayout));
        controls_test::StepScript* script = Script();
        script->At(2, [&] { TapWindow(wnd->NumbersBox()); });
        script->At(3, [&] { TapWindow(wnd->AutoTrebsBox()); });
        script->At(4, [&] { TapWindow(wnd->ExpertModeBox()); });
        script->At(5, [&] { TapWindow(c.ok ? wnd->OkButton() : wnd->CancelButton()); });
        EXPECT_EQ(RunModal(wnd.get()), c.result);
        EXPECT_EQ(Current(), c.after);
    }
}

}  // namespace
