// The player name window and the map preferences window, driven as a player
// would: keys of the on-screen keyboard, taps on the boxes and buttons, in
// their modal runs.

#include <gtest/gtest.h>

#include <string>

#include "core/preference_names.h"
#include "game/player_record.h"
#include "mapdialogs/map_prefs_wnd.h"
#include "mapdialogs/player_name_wnd.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/check_box.h"
#include "ui/keyboard_wnd.h"
#include "ui/label.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

class PlayerNameTest : public GameWindowsRig {
protected:
    void Type(CPlayerNameWnd& wnd, const std::string& keys)
    {
        for (char c : keys)
            wnd.Keyboard()->OnKey(static_cast<int8_t>(c));
    }
};

TEST_F(PlayerNameTest, KeysEditTheNameWithinItsLimit)
{
    const struct {
        const char* start;
        std::string keys;
        const char* name;
        bool okEnabled;
    } cases[] = {
        {"Aldra", "n", "Aldran", true},
        {"Aldra", "\b\b", "Ald", true},
        {"Al", "\b\b\b\b", "", false},  // backspace on an empty name does nothing
        {"", "Bo", "Bo", true},
        {"", " ", " ", true},
        {"abcdefghijklmnopqrst", "uvw", "abcdefghijklmnopqrstu", true},   // 21 is the longest
        {"abcdefghijklmnopqrstu", "\bz", "abcdefghijklmnopqrstz", true},  // backspace still works
        {"a name much longer than the window takes", "", "a name much longer th", true},
    };
    for (const auto& c : cases) {
        CPlayerNameWnd wnd(nullptr, CStr("/Main/PlayerNameWnd"));
        PlayerRecord player;
        player.name = CStr(c.start);
        wnd.Setup(player);
        Type(wnd, c.keys);
        EXPECT_STREQ(wnd.GetName().Chars(), c.name) << c.start << " + " << c.keys;
        EXPECT_STREQ(wnd.NameLabel()->Text().Chars(), c.name);
        EXPECT_EQ(wnd.OkButton()->IsEnabled(), c.okEnabled) << c.start;
        EXPECT_STREQ(player.name.Chars(), c.start) << "the window never writes the player";
    }
}

TEST_F(PlayerNameTest, EnterClosesOnlyWithAName)
{
    CPlayerNameWnd wnd(nullptr, CStr("/Main/PlayerNameWnd"));
    PlayerRecord player;
    player.name = CStr("Aldra");
    wnd.Setup(player);
    Script({[&] { Type(wnd, "\b\b\b\b\b\n"); },  // empty: enter does nothing
            [&] { EXPECT_TRUE(wnd.IsVisible()); }, [&] { Type(wnd, "Mo\n"); }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_STREQ(wnd.GetName().Chars(), "Mo");
    EXPECT_EQ(m_frames, 3);
}

TEST_F(PlayerNameTest, ClearingThenCancellingAnswersTwo)
{
    CPlayerNameWnd wnd(nullptr, CStr("/Main/PlayerNameWnd"));
    PlayerRecord player;
    player.name = CStr("Aldra");
    wnd.Setup(player);
    Script({[&] { TapWindow(wnd.ClearButton()); },
            [&] {
                EXPECT_TRUE(wnd.GetName().IsEmpty());
                EXPECT_FALSE(wnd.OkButton()->IsEnabled());
                TapWindow(wnd.OkButton());  // a disabled Ok does not close
            },
            [&] { TapWindow(wnd.CancelButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_STREQ(player.name.Chars(), "Aldra");
}

TEST_F(PlayerNameTest, OkAcceptsTheTypedName)
{
    CPlayerNameWnd wnd(nullptr, CStr("/Main/PlayerNameWnd"));
    PlayerRecord player;
    player.name = CStr("Aldra");
    wnd.Setup(player);
    Script({[&] { Type(wnd, "!"); }, [&] { TapWindow(wnd.OkButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_STREQ(wnd.GetName().Chars(), "Aldra!");
}

class MapPrefsTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        CPreferencesMgr::SetDefaults();
    }
    void TearDown() override
    {
        CPreferencesMgr::SetDefaults();
        GameWindowsRig::TearDown();
    }
    static bool Checked(CCheckBox* box) { return box->IsDrawnDown(); }
};

TEST_F(MapPrefsTest, DefaultsShowTaxesConfirmationsAndReportChecked)
{
    CMapPrefsWnd wnd(nullptr, CStr("/Map/MapWnd/MapPrefsWnd"));
    Script({[&] {
        EXPECT_FALSE(Checked(wnd.QuickBattlesBox()));
        EXPECT_TRUE(Checked(wnd.AutoTaxesBox()));
        EXPECT_TRUE(Checked(wnd.ConfirmsBox()));
        EXPECT_FALSE(Checked(wnd.MovingFlagBox())) << "moves are animated by default";
        EXPECT_TRUE(Checked(wnd.ReportBox()));
        TapWindow(wnd.CancelButton());
    }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
}

TEST_F(MapPrefsTest, OkStoresEveryBoxAndCancelStoresNothing)
{
    struct Case {
        bool ok;
        uint8_t quick, taxes, animate, report, confirms;
    } cases[] = {
        {false, 0, 1, 1, 1, 1},  // every box toggled, then Cancel
        {true, 1, 0, 0, 0, 0},   // every box toggled, then Ok
    };
    for (const Case& c : cases) {
        CPreferencesMgr::SetDefaults();
        CMapPrefsWnd wnd(nullptr, CStr("/Map/MapWnd/MapPrefsWnd"));
        Script({[&] {
                    for (CCheckBox* box : {wnd.QuickBattlesBox(), wnd.AutoTaxesBox(), wnd.ConfirmsBox(),
                                           wnd.MovingFlagBox(), wnd.ReportBox()})
                        TapWindow(box);
                },
                [&] { TapWindow(c.ok ? static_cast<CWindow*>(wnd.OkButton()) : wnd.CancelButton()); }});
        EXPECT_EQ(RunModal(&wnd), c.ok ? ResultOk : ResultCancel);
        EXPECT_EQ(PrefQuickBattles, c.quick) << c.ok;
        EXPECT_EQ(PrefAutoTaxes, c.taxes) << c.ok;
        EXPECT_EQ(PrefAnimateMoves, c.animate) << "checking the moving flag turns animation off";
        EXPECT_EQ(PrefTurnReport, c.report) << c.ok;
        EXPECT_EQ(PrefConfirms, c.confirms) << c.ok;
        EXPECT_EQ(PrefMapOptions[2], 1) << "bytes of no box stay";
    }
}

TEST_F(MapPrefsTest, OpeningAgainShowsTheStoredValues)
{
    PrefQuickBattles = 1;
    PrefAnimateMoves = 0;
    PrefTurnReport = 0;
    CMapPrefsWnd wnd(nullptr, CStr("/Map/MapWnd/MapPrefsWnd"));
    Script({[&] {
        EXPECT_TRUE(Checked(wnd.QuickBattlesBox()));
        EXPECT_TRUE(Checked(wnd.MovingFlagBox()));
        EXPECT_FALSE(Checked(wnd.ReportBox()));
        TapWindow(wnd.OkButton());
    }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(PrefQuickBattles, 1);
    EXPECT_EQ(PrefAnimateMoves, 0);
    EXPECT_EQ(PrefTurnReport, 0);
}

}  // namespace
}  // namespace game_windows_test
