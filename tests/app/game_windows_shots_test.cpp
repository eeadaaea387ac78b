// The set-up and end-of-game windows built from the shipped layouts and
// data: each opens inside the screen with its texts filled; the shots are
// kept for looking at.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/new_game_wnd.h"
#include "app/pick_slot_wnd.h"
#include "app/sel_scenario_wnd.h"
#include "core/core_main.h"
#include "core/preferences.h"
#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "mapdialogs/cust_plr_wnd.h"
#include "mapdialogs/game_info_wnd.h"
#include "mapdialogs/game_statistics_wnd.h"
#include "mapdialogs/hall_of_fame_wnd.h"
#include "mapdialogs/mini_map.h"
#include "mapdialogs/player_name_wnd.h"
#include "mapdialogs/victory_wnd.h"
#include "players/human_controller.h"
#include "tests/support/windows/shipped_data.h"
#include "ui/composite_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace game_windows_test {
namespace {

bool Inside(const CWindow* w)
{
    const PackedRect r = w->GetNode()->screenRect;
    return r.IsDefined() && r.Left() >= 0 && r.Top() >= 0 && r.Right() < 240 && r.Bottom() < 320;
}

// Every shown window inside its parent's client area; the faults name the
// windows' layout paths.
void CollectOutside(CWindow* parent, std::vector<std::string>& faults)
{
    const PackedRect ps = parent->GetNode()->screenRect;
    const PackedRect c = parent->ClientRect();
    for (CWindow* child = parent->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
        if (!child->IsVisible())
            continue;
        const PackedRect r = child->GetNode()->screenRect;
        if (r.IsDefined() && ps.IsDefined() && c.IsDefined() && r.Width() > 0 && r.Height() > 0 &&
            (r.Left() < ps.Left() + c.Left() || r.Top() < ps.Top() + c.Top() ||
             r.Right() > ps.Left() + c.Right() || r.Bottom() > ps.Top() + c.Bottom())) {
            auto* link = static_cast<CUiTreeLink*>(child->QueryInterface(IidUiTreeLink));
            faults.push_back(link ? link->Path().Chars() : "(a window without layout)");
        }
        CollectOutside(child, faults);
    }
}

std::string Outside(CWindow* window)
{
    std::vector<std::string> faults;
    CollectOutside(window, faults);
    std::string text;
    for (const std::string& f : faults)
        text += f + " ";
    return text;
}

class GameWindowsShotsTest : public ShippedDataRig {
protected:
    void SetUp() override
    {
        ShippedDataRig::SetUp();
        CPreferencesMgr::SetDefaults();
        LoadSquadTypes();
    }
    void TearDown() override
    {
        Game().world = nullptr;
        SetActiveWorld(nullptr);
        MiniMapColourHook.Clear();
        FreeSquadTypes();
        FreeHallOfFame();
        ShippedDataRig::TearDown();
    }
    bool LoadGameWorld(CGameWorld& world)
    {
        const CStr path = Map::CSrenarionMgr::MissionPath(0, 0);
        if (!world.LoadPreview(CStr::ConcatChars(path, "/mission")))
            return false;
        SetActiveWorld(&world);
        if (!world.AfterLoad() || !LoadMissionTexts(world, path))
            return false;
        Game().world = &world;
        Game().missionPath = path;
        Game().turn = 9;
        Game().difficulty = 1;
        world.Player(0).human = 1;
        world.Player(0).controller = new CHumanController(&world.Player(0));
        return true;
    }
};

TEST_F(GameWindowsShotsTest, NewGameAndScenarioSelection)
{
    CNewGameWnd wnd(nullptr, CStr("/Map/NewGameWnd"));
    wnd.Show(true, true);
    EXPECT_TRUE(Inside(&wnd));
    EXPECT_EQ(Outside(&wnd), "");
    EXPECT_FALSE(wnd.MissionName()->Text().IsEmpty());
    EXPECT_TRUE(wnd.MiniMap()->HasPicture());
    Shot("game_windows_new_game");
    CSelScenarioWnd* sel = wnd.Selection();
    sel->Show(true, true);
    EXPECT_GT(sel->ButtonCount(), 0);
    EXPECT_EQ(sel->TotalMissions(), Map::CSrenarionMgr::TotalMissions());
    EXPECT_EQ(Outside(sel), "");
    Shot("game_windows_scenario_selection");
}

TEST_F(GameWindowsShotsTest, PickSlotAndHallOfFame)
{
    CPickSlotWnd picker(PickSlotSave, nullptr, CStr("/Main/PickSlotWnd"));
    picker.Show(true, true);
    EXPECT_TRUE(Inside(&picker));
    EXPECT_EQ(Outside(&picker), "");
    Shot("game_windows_pick_slot");
    picker.Show(false, false);
    CHallOfFameWnd hall(nullptr, CStr("/Main/HallOfFameWnd"));
    hall.Window()->Show(true, true);
    EXPECT_GT(hall.RowCount(), 0);
    for (int32_t r = 0; r < hall.RowCount(); ++r)
        EXPECT_TRUE(Inside(hall.RowAt(r).details)) << r;
    EXPECT_EQ(Outside(hall.Window()), "");
    Shot("game_windows_hall_of_fame");
}

// Runs a check on the first frame of a modal run, then ends that run.
class CheckOnFrame : public FrameHook {
public:
    explicit CheckOnFrame(std::function<void()> check) : m_check(std::move(check)) {}
    void OnFrame() override
    {
        CWindowMgr::ProcessEvents();
        if (m_check) {
            auto check = std::move(m_check);
            m_check = nullptr;
            check();
        }
    }

private:
    std::function<void()> m_check;
};

// With a stored result a row shows its second line; no row may run into the
// next, and the result's statistics open over the hall's whole screen.
TEST_F(GameWindowsShotsTest, HallOfFameWithAResult)
{
    CGameWorld world;
    ASSERT_TRUE(LoadGameWorld(world));
    HallOfFameGame game;
    game.world = &world;
    game.missionPath = Game().missionPath;
    game.turn = 1;
    game.difficulty = 1;
    ASSERT_TRUE(LoadGameConfig());
    ASSERT_TRUE(AddToHallOfFame(world.Player(0), game));
    ASSERT_TRUE(SaveHallOfFameFile());

    CHallOfFameWnd hall(nullptr, CStr("/Main/HallOfFameWnd"));
    hall.Window()->Show(true, true);
    ASSERT_GT(hall.RowCount(), 1);
    ASSERT_TRUE(hall.RowAt(0).turns->IsVisible());
    EXPECT_EQ(Outside(hall.Window()), "");
    // The span of a row's shown controls, top to bottom.
    auto rowSpan = [&](int32_t r) {
        const CHallOfFameWnd::Row& row = hall.RowAt(r);
        int32_t top = 320, bottom = -1;
        for (CWindow* w : {static_cast<CWindow*>(row.line), static_cast<CWindow*>(row.playerName),
                           static_cast<CWindow*>(row.mapName), static_cast<CWindow*>(row.score),
                           static_cast<CWindow*>(row.turns), static_cast<CWindow*>(row.details)}) {
            if (!w->IsVisible())
                continue;
            top = std::min<int32_t>(top, w->GetNode()->screenRect.Top());
            bottom = std::max<int32_t>(bottom, w->GetNode()->screenRect.Bottom());
        }
        return std::make_pair(top, bottom);
    };
    for (int32_t r = 0; r + 1 < hall.RowCount(); ++r)
        EXPECT_LT(rowSpan(r).second, rowSpan(r + 1).first) << "row " << r << " runs into the next";
    EXPECT_LT(hall.RowAt(hall.RowCount() - 1).details->GetNode()->screenRect.Bottom(),
              hall.PageScroller()->Window()->GetNode()->screenRect.Top());
    Shot("game_windows_hall_of_fame_result");

    bool checked = false;
    SetFrameHook(new CheckOnFrame([&] {
        CGameStatisticsWnd* statistics = nullptr;
        for (CWindow* child = hall.Window()->GetFirstChild(); child; child = child->GetNextSibling())
            if (auto* found = dynamic_cast<CGameStatisticsWnd*>(
                    static_cast<CCompositeWnd*>(child->QueryInterface(IidCompositeWnd))))
                statistics = found;
        ASSERT_NE(statistics, nullptr);
        checked = true;
        // The statistics cover the hall whole, its title bar and help button
        // included; what they hold keeps inside them.
        EXPECT_TRUE(statistics->Window()->GetNode()->screenRect == hall.Window()->GetNode()->screenRect);
        EXPECT_EQ(Outside(statistics->Window()), "");
        for (CWindow* control :
             {statistics->PageScroller()->Window(), static_cast<CWindow*>(statistics->ExitButton())}) {
            EXPECT_TRUE(control->IsVisible());
            EXPECT_TRUE(Inside(control));
        }
        Shot("game_windows_hall_of_fame_details");
        EndModal(statistics->Window());
    }));
    hall.ShowDetails(0);
    SetFrameHook(new ui_test::ProcessEventsHook);
    EXPECT_TRUE(checked);
}

TEST_F(GameWindowsShotsTest, TheNameKeyboardStaysWithinItsDialog)
{
    // The widest rows of keys (Backspace's, Caps') take the keyboard's whole
    // width: the dialog's client area must hold it, or Caps covers the frame.
    CPlayerNameWnd wnd(nullptr, CStr("/Main/PlayerNameWnd"));
    PlayerRecord player;
    wnd.Setup(player);
    wnd.Show(true, true);
    EXPECT_TRUE(Inside(&wnd));
    EXPECT_EQ(Outside(&wnd), "");
    Shot("game_windows_player_name");
}

TEST_F(GameWindowsShotsTest, CustomPlayerGameInfoAndVictory)
{
    CGameWorld world;
    ASSERT_TRUE(LoadGameWorld(world));
    {
        CCustPlrWnd wnd(nullptr, CStr("/Map/MapWnd/CustPlrWnd"));
        wnd.Setup(&world.Player(0));
        wnd.Show(true, true);
        EXPECT_TRUE(Inside(&wnd));
        EXPECT_EQ(Outside(&wnd), "");
        Shot("game_windows_cust_plr");
        wnd.SkillsWnd()->Setup(&world.Player(0).hero);
        wnd.SkillsWnd()->Show(true, true);
        EXPECT_EQ(Outside(wnd.SkillsWnd()), "");
        // The mission's hero arrives with every point given out, so the
        // person can confirm it as it stands.
        EXPECT_EQ(wnd.SkillsWnd()->PointsLeft(), 0);
        EXPECT_TRUE(wnd.SkillsWnd()->OkButton()->IsEnabled());
        Shot("game_windows_cust_skills");
    }
    {
        CGameInfoWnd wnd(nullptr, CStr("/Map/MapWnd/GameInfoWnd"));
        wnd.Show(true, true);
        EXPECT_TRUE(Inside(&wnd));
        EXPECT_EQ(Outside(&wnd), "");
        Shot("game_windows_game_info");
    }
    CVictoryWnd victory(nullptr, CStr("/Map/MapWnd/VictoryWnd"));
    victory.Fill(1, &world.Player(0));
    victory.Window()->Show(true, true);
    Shot("game_windows_victory_message");
    victory.SetMode(CVictoryWnd::ModeStatistics);
    for (int page = 1; page <= 4; ++page) {
        victory.PageScroller()->SetValue(page, true, true);
        EXPECT_EQ(Outside(victory.Window()), "") << page;
        Shot("game_windows_victory_page" + std::to_string(page));
    }
}

}  // namespace
}  // namespace game_windows_test
