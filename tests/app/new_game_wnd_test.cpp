// The new game window and its scenario selection, driven by taps: the
// mission the preferences name, the preview world each selection loads, the
// human-player and play-mode controls a mission allows, scrolling the list,
// cancelling back to the confirmed mission, and the choices read at the end.

#include "app/new_game_wnd.h"

#include <gtest/gtest.h>

#include <string>

#include "app/sel_scenario_wnd.h"
#include "core/preference_names.h"
#include "game/game_world.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/mini_map.h"
#include "tests/support/windows/game_windows_rig.h"
#include "ui/label.h"
#include "ui/markup_wnd.h"
#include "ui/paged_text_wnd.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

class NewGameTest : public GameWindowsRig {
protected:
    void SetUp() override
    {
        GameWindowsRig::SetUp();
        CPreferencesMgr::SetDefaults();
    }
    void TearDown() override
    {
        CPreferencesMgr::SetDefaults();
        MiniMapColourHook.Clear();
        GameWindowsRig::TearDown();
    }
    static std::string Text(CWindow* w) { return w->Text().Chars(); }
    static std::string Label(CValueScroller* s) { return s->ValueLabel()->Text().Chars(); }
    static bool Shown(CValueScroller* s) { return s->Window()->IsVisible(); }
};

TEST_F(NewGameTest, ThePreferencesMissionIsShownWithItsHumanRange)
{
    struct Case {
        int16_t scenario, mission;
        const char* title;
        int32_t minHumans, maxHumans;
        bool difficultyShown, modeShown;
    } cases[] = {
        // Reedwater: one player must be human, one may be, one never is.
        {0, 0, "Reedwater", 1, 2, true, false},
        // Twin Fords: both players count towards the minimum: no computer is left.
        {0, 1, "Twin Fords", 2, 2, false, true},
        {1, 0, "Far Shore", 1, 1, false, false},
        // Missing scenario or mission: the first mission.
        {7, 0, "Reedwater", 1, 2, true, false},
        {0, 9, "Reedwater", 1, 2, true, false},
    };
    for (const Case& c : cases) {
        PrefLastScenario = c.scenario;
        PrefLastMission = c.mission;
        CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
        wnd.Show(true, true);
        ASSERT_NE(wnd.PreviewWorld(), nullptr);
        EXPECT_EQ(Text(wnd.MissionName()), c.title) << c.scenario << "/" << c.mission;
        EXPECT_EQ(wnd.HumansScroller()->Min(), c.minHumans) << c.title;
        EXPECT_EQ(wnd.HumansScroller()->Max(), c.maxHumans) << c.title;
        EXPECT_EQ(wnd.HumansScroller()->Value(), c.minHumans);
        EXPECT_EQ(wnd.DifficultyLabel()->IsVisible(), c.difficultyShown) << c.title;
        EXPECT_EQ(Shown(wnd.DifficultyScroller()), c.difficultyShown) << c.title;
        EXPECT_EQ(Shown(wnd.PlayModeScroller()), c.modeShown) << c.title;
        EXPECT_EQ(wnd.PlayModeLabel()->IsVisible(), c.modeShown) << c.title;
        EXPECT_TRUE(wnd.MiniMap()->HasPicture());
        EXPECT_TRUE(wnd.StartButton()->IsEnabled());
        wnd.Show(false, false);
        EXPECT_EQ(wnd.PreviewWorld(), nullptr) << "the preview world lives while the window is shown";
    }
}

TEST_F(NewGameTest, TwoHumansShowHotseatAndTheChoicesAreRead)
{
    PrefLastDifficulty = 2;
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    Script({[&] {
                EXPECT_EQ(Label(wnd.DifficultyScroller()), "Hard");
                wnd.HumansScroller()->SetValue(2, true, true);
                EXPECT_TRUE(Shown(wnd.PlayModeScroller()));
                EXPECT_EQ(Label(wnd.PlayModeScroller()), "Hotseat");
                EXPECT_TRUE(Shown(wnd.DifficultyScroller())) << "the third player stays a computer";
                wnd.DifficultyScroller()->SetValue(3, true, true);
            },
            [&] {
                EXPECT_EQ(Label(wnd.DifficultyScroller()), "Expert");
                TapWindow(wnd.StartButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(wnd.GetDifficulty(), 3u);
    EXPECT_EQ(wnd.GetHumanCount(), 2);
    EXPECT_EQ(wnd.GetPlayMode(), 0u);
    EXPECT_EQ(wnd.ScenarioIndex(), 0);
    EXPECT_EQ(wnd.MissionIndex(), 0);
    EXPECT_EQ(PrefLastDifficulty, 3) << "Start keeps the difficulty for next time";
}

TEST_F(NewGameTest, MenuLeavesTheDifficultyPreferenceAlone)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    Script(
        {[&] { wnd.DifficultyScroller()->SetValue(0, true, true); }, [&] { TapWindow(wnd.MenuButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_EQ(PrefLastDifficulty, 1);
}

TEST_F(NewGameTest, DifficultyValuesOutsideTheRangeCountAsNormal)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    const struct {
        int32_t value;
        uint32_t difficulty;
        const char* text;
    } cases[] = {{0, 0, "Easy"},   {1, 1, "Normal"}, {2, 2, "Hard"},
                 {3, 3, "Expert"}, {7, 1, "Normal"}, {-1, 1, "Normal"}};
    for (const auto& c : cases) {
        wnd.DifficultyScroller()->SetValue(c.value, true, true);
        EXPECT_EQ(wnd.GetDifficulty(), c.difficulty) << c.value;
        EXPECT_EQ(Label(wnd.DifficultyScroller()), c.text) << c.value;
    }
}

TEST_F(NewGameTest, TheMiniMapShowsOwnersInTheirColours)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    // Reedwater: provinces 0-5 owned by 0, 0, 1, nobody, 2, 1.
    const uint8_t expected[] = {0, 0, 1, 6, 2, 1};
    for (uint8_t p = 0; p < 6; ++p) {
        uint8_t pixel = p;
        MiniMapColourHook(&pixel);
        EXPECT_EQ(pixel, expected[p]) << int(p);
    }
    uint8_t beyond = 40;
    MiniMapColourHook(&beyond);
    EXPECT_EQ(beyond, 40) << "no such province: left as it is";
    Shot("new_game_rig");
}

TEST_F(NewGameTest, ChoosingAnotherMissionLoadsItsWorld)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    CSelScenarioWnd* sel = wnd.Selection();
    Script({[&] { TapWindow(wnd.SelectButton()); },
            [&] {
                ASSERT_TRUE(sel->IsVisible());
                EXPECT_EQ(sel->ButtonCount(), 3);
                EXPECT_TRUE(sel->MissionButton(0)->IsDrawnDown());
                TapWindow(sel->MissionButton(1));
            },
            [&] {
                EXPECT_EQ(sel->Current(), 1);
                EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 2) << "the selection loads the world at once";
                EXPECT_EQ(std::string(sel->ProvincesText()->Text().Chars()), "Provinces: 3");
                EXPECT_EQ(std::string(sel->PlayersText()->Text().Chars()), "Players: 2");
                EXPECT_EQ(std::string(sel->DifficultyText()->Text().Chars()), "Difficulty: Average");
                EXPECT_FALSE(sel->AuthorButton()->IsVisible()) << "Twin Fords has no author texts";
                EXPECT_TRUE(sel->MissionButton(1)->IsDrawnDown());
                EXPECT_FALSE(sel->MissionButton(0)->IsDrawnDown());
                TapWindow(sel->OkButton());
            },
            [&] {
                EXPECT_FALSE(sel->IsVisible());
                EXPECT_EQ(Text(wnd.MissionName()), "Twin Fords");
                EXPECT_EQ(wnd.HumansScroller()->Min(), 2);
                TapWindow(wnd.StartButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultOk);
    EXPECT_EQ(wnd.ScenarioIndex(), 0);
    EXPECT_EQ(wnd.MissionIndex(), 1);
}

TEST_F(NewGameTest, CancelRestoresTheConfirmedMission)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    CSelScenarioWnd* sel = wnd.Selection();
    Script({[&] { TapWindow(wnd.SelectButton()); }, [&] { TapWindow(sel->MissionButton(1)); },
            [&] {
                EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 2);
                TapWindow(sel->CancelButton());
            },
            [&] {
                EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 3) << "the world of the mission the window had";
                EXPECT_EQ(Text(wnd.MissionName()), "Reedwater");
                TapWindow(wnd.MenuButton());
            }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_EQ(wnd.MissionIndex(), 0);
}

TEST_F(NewGameTest, AMissionThatDoesNotLoadCannotBecomeCurrent)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    CSelScenarioWnd* sel = wnd.Selection();
    sel->Select(1);
    sel->Select(2);  // "Broken"
    EXPECT_EQ(sel->Current(), 0) << "back to the confirmed mission";
    EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 3);
    EXPECT_EQ(std::string(sel->MissionText()->Text().Chars()), "Reedwater");
}

TEST_F(NewGameTest, PreferencesNamingABrokenMissionStartOnOneThatLoads)
{
    PrefLastScenario = 0;
    PrefLastMission = 2;
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    EXPECT_EQ(wnd.Selection()->Confirmed(), 0);
    EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 3);
}

TEST_F(NewGameTest, TheListScrollsOverMoreMissionsThanButtons)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    CSelScenarioWnd* sel = wnd.Selection();
    sel->Show(true, true);
    ASSERT_EQ(sel->TotalMissions(), 4);
    EXPECT_TRUE(sel->UpButton()->IsVisible());
    EXPECT_FALSE(sel->UpButton()->IsEnabled());
    EXPECT_TRUE(sel->DownButton()->IsEnabled());
    TapWindow(sel->DownButton());
    EXPECT_EQ(sel->FirstVisible(), 1);
    EXPECT_FALSE(sel->DownButton()->IsEnabled()) << "the last mission is in view";
    EXPECT_TRUE(sel->UpButton()->IsEnabled());
    EXPECT_EQ(std::string(sel->MissionButton(2)->GetMarkupText().Chars()), "Far Shore");
    EXPECT_FALSE(sel->MissionButton(0)->IsDrawnDown()) << "the current mission scrolled out of view";
    TapWindow(sel->MissionButton(2));
    EXPECT_EQ(sel->Current(), 3);
    EXPECT_EQ(sel->ScenarioIndex(), 1);
    EXPECT_EQ(sel->MissionIndex(), 0);
    TapWindow(sel->UpButton());
    EXPECT_EQ(sel->FirstVisible(), 0);
    EXPECT_FALSE(sel->UpButton()->IsEnabled());
    EXPECT_EQ(std::string(sel->MissionButton(0)->GetMarkupText().Chars()), "Reedwater");
}

TEST_F(NewGameTest, FewerMissionsThanButtonsHideTheScrollingAndTheSpareButtons)
{
    Map::CSrenarionMgr::InitFromNames({CStr("scenario02")});
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    CSelScenarioWnd* sel = wnd.Selection();
    EXPECT_FALSE(sel->UpButton()->IsVisible());
    EXPECT_FALSE(sel->DownButton()->IsVisible());
    EXPECT_TRUE(sel->MissionButton(0)->IsVisible());
    EXPECT_FALSE(sel->MissionButton(1)->IsVisible());
    EXPECT_FALSE(sel->MissionButton(2)->IsVisible());
    EXPECT_TRUE(wnd.SelectButton()->IsEnabled());
}

TEST_F(NewGameTest, WithoutMissionsTheSelectionStaysClosed)
{
    Map::CSrenarionMgr::Clear();
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    EXPECT_FALSE(wnd.SelectButton()->IsEnabled());
    wnd.Show(true, true);  // an empty world: nothing to show, nothing to break
    EXPECT_EQ(wnd.PreviewWorld()->PlayerCount(), 0);
    EXPECT_EQ(wnd.HumansScroller()->Min(), 1);
    EXPECT_FALSE(wnd.MiniMap()->HasPicture());
    EXPECT_FALSE(wnd.StartButton()->IsEnabled()) << "no mission, no game";
}

TEST_F(NewGameTest, TheAuthorTextJoinsAuthorAndNotes)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    CSelScenarioWnd* sel = wnd.Selection();
    EXPECT_TRUE(sel->AuthorButton()->IsVisible());
    EXPECT_STREQ(sel->AuthorText().Chars(), "Author: Mira{br}{br}Notes: Play fair");
    sel->Select(3);
    EXPECT_STREQ(sel->AuthorText().Chars(), "Author: Mira");
}

TEST_F(NewGameTest, TheAuthorButtonShowsTheComposedTextInAPagedWindow)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    CSelScenarioWnd* sel = wnd.Selection();
    std::string shown;
    Script({[&] { TapWindow(wnd.SelectButton()); },
            [&] {
                EXPECT_FALSE(sel->DescriptionButton()->IsVisible())
                    << "a one-page description needs no button";
                TapWindow(sel->AuthorButton());
            },
            [&] {
                CPagedTextWnd* text = nullptr;
                for (CWindow* child = sel->GetFirstChild(); child; child = child->GetNextSibling())
                    if (auto* found = dynamic_cast<CPagedTextWnd*>(child))
                        text = found;
                ASSERT_NE(text, nullptr);
                shown = text->TextWindow()->Text().Chars();
                TapWindow(text->CloseButton());
            },
            [&] { TapWindow(sel->CancelButton()); }, [&] { TapWindow(wnd.MenuButton()); }});
    EXPECT_EQ(RunModal(&wnd), ResultCancel);
    EXPECT_EQ(shown, "Author: Mira{br}{br}Notes: Play fair");
}

}  // namespace
}  // namespace game_windows_test
