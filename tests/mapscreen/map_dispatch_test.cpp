// The dispatcher of the game's dialog requests and the quick battle: which
// window each request opens, the map hold while it is open, and the notice
// of a battle fought without the screen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "battle/battle_input.h"
#include "core/ui_mgr.h"
#include "core/ui_tree.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/report_list.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "game/ui_request.h"
#include "mapdialogs/battle_results_wnd.h"
#include "mapdialogs/castle_info_wnd.h"
#include "mapdialogs/cust_plr_wnd.h"
#include "mapdialogs/decease_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/map_battle_question_wnd.h"
#include "mapdialogs/mini_map.h"
#include "mapdialogs/random_event_wnd.h"
#include "mapdialogs/report_wnd.h"
#include "mapdialogs/scout_wnd.h"
#include "mapdialogs/trading_wnd.h"
#include "mapdialogs/victory_wnd.h"
#include "mapdialogs/volunteers_wnd.h"
#include "mapscreen/map_frame.h"
#include "players/request_records.h"
#include "tests/support/text_contrast.h"
#include "tests/support/windows/map_window_rig.h"
#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/frame_wnd.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/res_wnd.h"
#include "ui/side_colours.h"
#include "ui/window_mgr.h"

namespace mapwnd_test {
namespace {

class MapDispatch : public MapWindowRig {
protected:
    void SetUp() override
    {
        MapWindowRig::SetUp();
        if (HasFatalFailure())
            return;
        MakeMap();
        ShowMapWithoutGame();
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(0, 0)));
        NewGameSettings settings;
        settings.humans = 1;
        ApplyNewGameSettings(settings);
    }

    // What the script saw of the window above the map in one request.
    struct Seen {
        std::string kind;  // "report", "message", "" none
        bool held = false;
        uint32_t mode = 0;
    };

    // Closes the window holding the pen above the map, noting what it was.
    void WatchAndClose(Seen& seen)
    {
        m_hook->before = [this, &seen] {
            const int32_t n = CWindowMgr::CaptureCount();
            if (n == 0)
                return;
            CWindow* top = CWindowMgr::CaptureAt(n - 1);
            if (top == m_map->Window() || !top->IsVisible())
                return;
            seen.held = m_map->IsMapFrameHeld();
            if (auto* report = dynamic_cast<CReportWnd*>(top)) {
                seen.kind = "report";
                Tap(report->OkButton());
            } else if (auto* box = dynamic_cast<CMessageWnd*>(top)) {
                seen.kind = "message";
                seen.mode = box->Mode();
                if (box->OkButton() && box->OkButton()->IsVisible())
                    Tap(box->OkButton());
                else
                    Tap(box->TextWindow());
            }
        };
    }
};

TEST_F(MapDispatch, EachRequestOpensItsWindowWithTheMapHeld)
{
    PlayerRecord* person = &GameWorld()->Player(0);
    ASSERT_TRUE(person->IsHuman());
    CPlayerController* controller = person->controller;
    ReportRequestArgs emptyReport;
    emptyReport.controller = controller;
    PlayerTurnNotice notice;
    notice.player = person;
    PlayerTurnNotice hotSeat;
    hotSeat.hotSeat = 1;
    hotSeat.player = person;
    MessageRequest question;
    question.title = CStr("QuitGameT");
    question.text = CStr("Leave?");
    question.buttonMode = kMessageOkCancel;
    struct Case {
        const char* name;
        UiRequestKind kind;
        void* record;
        const char* window;
        uint32_t mode;
    };
    const Case cases[] = {
        {"empty report", UiRequestKind::Report, &emptyReport, "", 0},
        {"turn notice", UiRequestKind::PlayerTurnNotice, &notice, "message", MessageTapToClose},
        {"hot-seat notice", UiRequestKind::PlayerTurnNotice, &hotSeat, "message", MessageOk},
        {"message", UiRequestKind::Message, &question, "message", MessageQuestion},
    };
    m_hook->frameLimit = 3000;
    for (const Case& c : cases) {
        Seen seen;
        WatchAndClose(seen);
        m_map->UnlockMapFrame();
        SigUiRequest.Fire(c.kind, c.record);
        EXPECT_EQ(seen.kind, c.window) << c.name;
        if (!seen.kind.empty()) {
            EXPECT_TRUE(seen.held) << c.name;
            EXPECT_EQ(seen.mode, c.mode) << c.name;
        }
        EXPECT_FALSE(m_map->IsMapFrameHeld()) << c.name;
    }
    // The question's answer comes back in its record.
    EXPECT_EQ(question.result, uint32_t(kMessageAnswerOk));
}

TEST_F(MapDispatch, CastleInformationStaysOpenAndHoldsTheMapUntilItHides)
{
    CGameWorld* world = GameWorld();
    ProvinceRecord* castle = nullptr;
    for (int i = 0; i < world->ProvinceCount() && !castle; ++i)
        if (world->Province(i).owner == &world->Player(0) && world->Province(i).HasCastle())
            castle = &world->Province(i);
    ASSERT_NE(castle, nullptr);
    CastleInfoRequestArgs request;
    request.province = castle;
    request.index = castle->index;
    m_map->UnlockMapFrame();
    PostUiRequest(request);
    CCastleInfoWnd* info = m_map->Dialogs().CastleInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsVisible());
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    EXPECT_EQ(CWindowMgr::CaptureAt(CWindowMgr::CaptureCount() - 1), info);

    // The next request reuses the window and the map stays held until the
    // window hides.
    PostUiRequest(request);
    EXPECT_EQ(m_map->Dialogs().CastleInfo(), info);
    EXPECT_TRUE(m_map->IsMapFrameHeld());
    info->Show(false, false);
    EXPECT_FALSE(m_map->IsMapFrameHeld());
}

TEST_F(MapDispatch, AQuickBattleShowsItsNoticeOnlyWhenAPersonFights)
{
    // A mission of three players or more.
    CGameWorld* world = nullptr;
    for (int m = 0; m < Map::CSrenarionMgr::TotalMissions(); ++m) {
        int scenario = 0, mission = 0;
        ASSERT_TRUE(Map::CSrenarionMgr::MissionFromIndex(m, &scenario, &mission));
        SessionInit(0);
        ASSERT_TRUE(NewGameFromMission(Map::CSrenarionMgr::MissionPath(scenario, mission)));
        if (GameWorld()->PlayerCount() >= 3)
            break;
    }
    NewGameSettings settings;
    settings.humans = 1;
    ApplyNewGameSettings(settings);
    world = GameWorld();
    ASSERT_GE(world->PlayerCount(), 3);
    PlayerRecord* person = &world->Player(0);
    PlayerRecord* first = &world->Player(1);
    PlayerRecord* second = &world->Player(2);
    ASSERT_TRUE(person->IsHuman());
    ASSERT_FALSE(first->IsHuman());
    struct Case {
        PlayerRecord* attacker;
        PlayerRecord* defender;
        bool notice;
    };
    for (const Case& c : {Case{person, first, true}, Case{first, person, true}, Case{first, second, false}}) {
        bool seen = false;
        m_hook->before = [&] {
            for (CWindow* w = m_map->Window()->GetFirstChild(); w; w = w->GetNextSibling()) {
                auto* box = dynamic_cast<CMessageWnd*>(w);
                if (box && box->IsVisible() && box->Mode() == MessageNoButtons)
                    seen = true;
            }
        };
        MapBattleRecord record;
        record.automatic = 1;
        record.attacker = c.attacker;
        record.defender = c.defender;
        record.attackerMode = kSideAutomatic;
        record.defenderMode = kSideAutomatic;
        record.openField = &world->Province(c.defender->capital);
        BattleResult = kBattleNoResult;
        m_map->UnlockMapFrame();
        SigMapBattle.Fire(&record, 1);
        EXPECT_EQ(seen, c.notice) << c.attacker->name.Chars() << " against " << c.defender->name.Chars();
        EXPECT_NE(BattleResult, uint32_t(kBattleNoResult));
        EXPECT_FALSE(m_map->IsMapFrameHeld());
        // The notice is gone once the battle is over.
        for (CWindow* w = m_map->Window()->GetFirstChild(); w; w = w->GetNextSibling())
            EXPECT_EQ(dynamic_cast<CMessageWnd*>(w), nullptr);
    }
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapDispatch, AWatchedBattleTakesTheMapDownAndBuildsItAgainInComputerTurnMode)
{
    CGameWorld* world = GameWorld();
    PlayerRecord* attacker = &world->Player(0);
    PlayerRecord* defender = &world->Player(1);
    m_map->SetMode(CMapWnd::kModeMap, false);
    // The screen as the window's show handler puts it up.
    m_map->MapFrame()->SetMapPaletteActive(true);
    struct Case {
        const char* name;
        bool stop;
        uint32_t command;  // given at the 20th frame of the battle
    };
    // The battle fought to the end leaves a side without squads: it comes last.
    for (const Case& c : {Case{"stopped from the battle menu", true, kCommandStop},
                          Case{"the retreat sounded", false, kCommandGiveUp},
                          Case{"fought to the end", false, kCommandAutoPlay}}) {
        SetLeaveRequested(0);
        int battleFrames = 0;
        bool mapGone = false;
        bool shot = false;
        int32_t mostQueued = 0;
        m_hook->before = [&] {
            mostQueued = std::max(mostQueued, CWindowMgr::QueuedCount());
            if (!m_map->BattleWnd())
                return;
            ++battleFrames;
            mapGone = m_map->MapFrame() == nullptr && m_map->PanelControls().mapTop == nullptr;
            if (battleFrames == 30 && !shot)
                shot = Shot("battle_window");
            BattleCommand(battleFrames == 20 ? c.command : kCommandAutoPlay);
        };
        MapBattleRecord record;
        record.attacker = attacker;
        record.defender = defender;
        record.attackerMode = kSideComputer;
        record.defenderMode = kSideComputer;
        record.openField = &world->Province(defender->capital);
        BattleResult = kBattleNoResult;
        m_map->UnlockMapFrame();
        CWindowMgr::Root()->Show(true, false);
        SigMapBattle.Fire(&record, 0);
        m_hook->before = nullptr;
        EXPECT_GT(battleFrames, 0) << c.name;
        EXPECT_TRUE(mapGone) << c.name;
        EXPECT_EQ(m_map->BattleWnd(), nullptr);
        EXPECT_NE(m_map->MapFrame(), nullptr) << c.name;
        EXPECT_NE(m_map->PanelControls().aiInfo, nullptr) << c.name;
        EXPECT_EQ(m_map->Mode(), CMapWnd::kModeComputer) << c.name;
        ExpectScreenOfItsMode(c.name);
        // A full queue drops what comes next: the rebuilt map's repaints, a tap.
        EXPECT_LT(mostQueued, CWindowMgr::RingSize) << c.name;
        // A stopped battle ends the game without the next autosave.
        EXPECT_EQ(BattleResult == kBattleStopped, c.stop) << c.name;
        EXPECT_EQ(BattleResult == kBattleAttackerGaveUp || BattleResult == kBattleDefenderGaveUp,
                  c.command == kCommandGiveUp)
            << c.name;
        EXPECT_EQ(LeaveRequested(), c.stop) << c.name;
        if (c.stop) {
            EXPECT_EQ(m_map->AutosaveFlag(), 0);
        }
        // After a stop nothing is drawn until the turn loop unwinds: the root
        // window is hidden and the map stays held.
        EXPECT_EQ(CWindowMgr::Root()->IsVisible(), !c.stop) << c.name;
        EXPECT_EQ(m_map->IsMapFrameHeld(), c.stop) << c.name;
        m_map->SetMode(CMapWnd::kModeMap, false);
    }
    SetLeaveRequested(0);
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

// Pixels of a window's area on the screen that are plainly red or plainly
// blue (a player's shades; skin, steel and wood are neither).
struct RedAndBlue {
    int red = 0;
    int blue = 0;
};

RedAndBlue CountRedAndBlue(const CDisplaySurface& display, const CWindow* window)
{
    RedAndBlue n;
    const SurfaceDesc& surface = const_cast<CDisplaySurface&>(display).ScreenContext()->Surface();
    const PackedRect r = window->GetNode()->screenRect;
    const uint8_t* palette = display.RawPalette();
    for (int y = r.Top(); y <= r.Bottom(); ++y)
        for (int x = r.Left(); x <= r.Right(); ++x) {
            const uint8_t* rgb = palette + 3 * surface.pixels[y * surface.pitch + x];
            if (rgb[0] > rgb[1] + 50 && rgb[0] > rgb[2] + 50)
                ++n.red;
            if (rgb[2] > rgb[0] + 40 && rgb[2] > rgb[1] + 45)
                ++n.blue;
        }
    return n;
}

std::vector<uint8_t> ScreenArea(const CDisplaySurface& display, const CWindow* window)
{
    std::vector<uint8_t> pixels;
    const SurfaceDesc& surface = const_cast<CDisplaySurface&>(display).ScreenContext()->Surface();
    const PackedRect r = window->GetNode()->screenRect;
    for (int y = r.Top(); y <= r.Bottom(); ++y)
        for (int x = r.Left(); x <= r.Right(); ++x)
            pixels.push_back(surface.pixels[y * surface.pitch + x]);
    return pixels;
}

TEST_F(MapDispatch, EachPlayersSquadsShowInHisColourWhateverSideTheyFoughtOn)
{
    CGameWorld* world = GameWorld();
    PlayerRecord* red = &world->Player(0);
    PlayerRecord* blue = &world->Player(1);
    ASSERT_EQ(red->flagNumber, 0);
    ASSERT_EQ(blue->flagNumber, 1);
    // The map's palette is up, as in the game.
    m_map->MapFrame()->SetMapPaletteActive(true);
    auto lossOf = [](CArmy& army) {
        CSquad squad;
        squad.SetType(SquadTypeRegistry()[0]);
        squad.count = 5;
        army.AddSquadCopy(squad);
    };
    struct Case {
        const char* name;
        PlayerRecord* own;
        PlayerRecord* enemy;
    };
    for (const Case& c :
         {Case{"the red player's results", red, blue}, Case{"the blue player's results", blue, red}}) {
        BattleResultArgs results;
        results.won = 1;
        lossOf(results.ownLosses);
        lossOf(results.enemyLosses);
        results.own = c.own;
        results.enemy = c.enemy;
        RedAndBlue own, enemy;
        int frames = 0;
        m_hook->before = [&] {
            for (CWindow* w = m_map->Window()->GetFirstChild(); w != nullptr; w = w->GetNextSibling()) {
                auto* wnd = dynamic_cast<CBattleResultsWnd*>(w);
                if (wnd == nullptr || !wnd->IsVisible())
                    continue;
                // The second frame finds it drawn.
                if (++frames < 2)
                    return;
                own = CountRedAndBlue(m_display, wnd->OwnerLost());
                enemy = CountRedAndBlue(m_display, wnd->EnemyLost());
                EndModal(wnd);
            }
        };
        m_map->UnlockMapFrame();
        PostUiRequest(results);
        m_hook->before = nullptr;
        ASSERT_GE(frames, 2) << c.name;
        const bool ownRed = c.own == red;
        EXPECT_GT(ownRed ? own.red : own.blue, 0) << c.name << ": own losses";
        EXPECT_EQ(ownRed ? own.blue : own.red, 0) << c.name << ": own losses";
        EXPECT_GT(ownRed ? enemy.blue : enemy.red, 0) << c.name << ": enemy losses";
        EXPECT_EQ(ownRed ? enemy.red : enemy.blue, 0) << c.name << ": enemy losses";
    }

    // The army strip on the map: the red player's army in red.
    world->currentPlayer = 0;
    m_map->SetMode(CMapWnd::kModeMap, true);
    SigPlayerTitle.Fire(red);
    m_map->PanelControls().campArmy->Show(true, false);
    FrameStep();
    const RedAndBlue strip = CountRedAndBlue(m_display, m_map->PanelControls().campArmyList);
    EXPECT_GT(strip.red, 0);
    EXPECT_EQ(strip.blue, 0);

    // The player's set-up window shows his squads in his colour, but the
    // mission preview beside them keeps every owner's colour.
    std::vector<uint8_t> coloured, painted;
    RedAndBlue squads;
    int frames = 0;
    m_hook->before = [&] {
        const int32_t n = CWindowMgr::CaptureCount();
        auto* wnd = n > 0 ? dynamic_cast<CCustPlrWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
        if (wnd == nullptr || ++frames < 2)
            return;
        if (frames == 2) {
            coloured = ScreenArea(m_display, wnd->MiniMap());
            squads = CountRedAndBlue(m_display, wnd->Army());
            wnd->SetSideColour(kPaintedSideColour, true);
        } else {
            painted = ScreenArea(m_display, wnd->MiniMap());
            Tap(wnd->StartButton());
        }
    };
    m_map->OnCustomizePlayer(red);
    m_hook->before = nullptr;
    ASSERT_GE(frames, 3);
    EXPECT_GT(squads.red, 0);
    EXPECT_EQ(squads.blue, 0);
    EXPECT_FALSE(coloured.empty());
    EXPECT_TRUE(coloured == painted) << "the preview changed with the player's colour";
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

// Where a list's rows of icons stand inside its client area.
std::string RowsOutside(const CItemListWnd* list)
{
    std::string faults;
    if (list->ItemCount() == 0)
        return "no icons";
    const PackedRect client = list->ClientRect();
    const int32_t top = list->ContentBox().Position().Y();
    const int32_t pitch = list->Icon(0)->OuterHeight();
    for (int32_t r = 0; r < list->RowCount(); ++r) {
        const int32_t y = top + r * pitch;
        if (y < 0 || y + pitch > client.Height())
            faults += "row " + std::to_string(r) + " at " + std::to_string(y) + ".." +
                      std::to_string(y + pitch - 1) + " of " + std::to_string(client.Height()) + "; ";
    }
    return faults;
}

TEST_F(MapDispatch, ASquadListShowsEveryRowOfAFullArmyWhole)
{
    PlayerRecord* person = &GameWorld()->Player(0);
    ASSERT_GE(person->army.Count(), 5)
        << "an army of five squad kinds needs two rows at the lists' cell widths";
    std::vector<std::pair<std::string, CItemListWnd*>> lists;
    m_map->SetMode(CMapWnd::kModeMap, true);
    SigPlayerTitle.Fire(person);
    lists.push_back({"map army strip", m_map->PanelControls().campArmyList});
    CMapBattleQuestionWnd* question = nullptr;
    {
        TreeNodeScope scope;
        ASSERT_TRUE(scope.Saved());
        ASSERT_TRUE(CUIMgr::Tree().GoToPath("/Map/MapWnd"));
        question = new CMapBattleQuestionWnd(m_map->Window(), CStr(CMapBattleQuestionWnd::kAttackLayout));
    }
    question->Setup(CStr("Swanmere"), person->name, &person->army, &person->army, true, 0);
    lists.push_back({"attack question, invaders", question->InvadeList()});
    lists.push_back({"attack question, defenders", question->GuardList()});
    BattleResultArgs results;
    results.ownLosses.CopyFrom(person->army);
    results.enemyLosses.CopyFrom(person->army);
    CBattleResultsWnd* window = nullptr;
    {
        TreeNodeScope scope;
        ASSERT_TRUE(CUIMgr::Tree().GoToPath("/Map/MapWnd"));
        window = new CBattleResultsWnd(m_map->Window(), CStr("BattleResultsWnd"));
    }
    window->Setup(&results);
    lists.push_back({"results, own losses", window->OwnerLost()});
    lists.push_back({"results, enemy losses", window->EnemyLost()});
    for (const auto& [name, list] : lists) {
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(list->ItemCount(), person->army.Count()) << name;
        EXPECT_EQ(RowsOutside(list), "") << name;
    }
    delete question;
    delete window;
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

// The contrast ratio of two colours of the map's palette.
double Contrast(const CDisplaySurface& display, uint8_t ink, uint8_t ground)
{
    const uint8_t* palette = display.RawPalette();
    return ContrastRatio(palette + 3 * ink, palette + 3 * ground);
}

// The colour of a button's face inside its rims (the skins' frame parts are
// 4 pixels), in its top-left corner where no picture or caption stands.
uint8_t FaceColour(const CDisplaySurface& display, const CWindow* button)
{
    const SurfaceDesc& surface = const_cast<CDisplaySurface&>(display).ScreenContext()->Surface();
    const PackedRect r = button->GetNode()->screenRect;
    return surface.pixels[(r.Top() + 5) * surface.pitch + r.Left() + 5];
}

TEST_F(MapDispatch, NumbersAndCaptionsOnButtonsStandOutFromTheirFaces)
{
    m_map->MapFrame()->SetMapPaletteActive(true);
    auto contrast = [&](uint8_t ink, uint8_t face) { return Contrast(m_display, ink, face); };

    // The recruit panel's squad buttons: both numbers of each icon, on the
    // face of the button, inside it.
    GameWorld()->currentPlayer = 0;
    m_map->SetMode(CMapWnd::kModeRecruit, true);
    FrameStep();
    ASSERT_GT(m_map->Recruit().SquadButtonCount(), 0);
    for (int32_t i = 0; i < m_map->Recruit().SquadButtonCount(); ++i) {
        CSquadButton* button = m_map->Recruit().SquadButton(i);
        CSquadIcon& icon = button->Face();
        const uint8_t face = FaceColour(m_display, button);
        EXPECT_GE(contrast(icon.First().foreground, face), kLegibleContrast) << "button " << i << ", count";
        EXPECT_GE(contrast(icon.Second().foreground, face), kLegibleContrast)
            << "button " << i << ", recruited";
        EXPECT_LE(icon.OwnHeight(), button->ClientRect().Height()) << "button " << i;
        EXPECT_LE(icon.OwnWidth(), button->ClientRect().Width()) << "button " << i;
    }
    m_map->SetMode(CMapWnd::kModeMap, true);

    // The market's kinds: the captions of choices offered and not offered.
    TradingRequest trade;
    trade.player = &GameWorld()->Player(0);
    trade.treasury = trade.player->treasury;
    trade.rates = MarketRates(trade.player, trade.treasury.Count());
    int frames = 0, checked = 0;
    m_hook->before = [&] {
        const int32_t n = CWindowMgr::CaptureCount();
        auto* wnd = n > 0 ? dynamic_cast<CTradingWnd*>(CWindowMgr::CaptureAt(n - 1)) : nullptr;
        if (wnd == nullptr || ++frames < 2)
            return;
        for (int k = 0; k < wnd->KindCount(); ++k)
            for (CButtonEx* button : {wnd->LeftButton(k), wnd->RightButton(k)}) {
                const uint8_t face = FaceColour(m_display, button);
                EXPECT_GE(contrast(button->Caption2().foreground, face), kLegibleContrast)
                    << "kind " << k << (button->IsEnabled() ? ", offered" : ", not offered");
                ++checked;
            }
        Tap(wnd->CancelButton());
    };
    PostUiRequest(trade);
    m_hook->before = nullptr;
    EXPECT_EQ(checked, 6);
}

// The colour most of a control's pixels show: behind a see-through list,
// the face its parent draws.
uint8_t GroundColour(const CDisplaySurface& display, const CWindow* control)
{
    const SurfaceDesc& surface = const_cast<CDisplaySurface&>(display).ScreenContext()->Surface();
    const PackedRect r = control->GetNode()->screenRect;
    int32_t counts[256] = {};
    for (int32_t y = r.Top(); y < r.Bottom(); ++y)
        for (int32_t x = r.Left(); x < r.Right(); ++x)
            ++counts[surface.pixels[y * surface.pitch + x]];
    return static_cast<uint8_t>(std::max_element(std::begin(counts), std::end(counts)) - std::begin(counts));
}

TEST_F(MapDispatch, SquadNumbersStandOutFromTheGroundOfEverySquadList)
{
    m_map->MapFrame()->SetMapPaletteActive(true);
    auto contrast = [&](uint8_t ink, uint8_t ground) { return Contrast(m_display, ink, ground); };
    // Only the numbers a list shows, against what is drawn behind it.
    auto check = [&](const std::string& name, CItemListWnd* list) {
        ASSERT_TRUE(list->IsVisible()) << name;
        ASSERT_GT(list->ItemCount(), 0) << name;
        const uint8_t ground = GroundColour(m_display, list);
        for (int32_t i = 0; i < list->ItemCount(); ++i) {
            CSquadIcon* icon = list->Icon(i);
            if (list->options & ItemListShowCount) {
                EXPECT_GE(contrast(icon->First().foreground, ground), kLegibleContrast)
                    << name << " icon " << i << ", count";
            }
            if (list->options & ItemListShowHealth) {
                EXPECT_GE(contrast(icon->Second().foreground, ground), kLegibleContrast)
                    << name << " icon " << i << ", health";
            }
        }
    };
    PlayerRecord* person = &GameWorld()->Player(0);
    const CArmy& army = person->army;
    ASSERT_GT(army.Count(), 0);

    // The map's bottom panels: the army strip and the garrison.
    GameWorld()->currentPlayer = 0;
    m_map->SetMode(CMapWnd::kModeMap, true);
    const CMapWnd::Panels& panels = m_map->PanelControls();
    ASSERT_TRUE(panels.campArmyList != nullptr && panels.garrisonList != nullptr);
    panels.campArmyList->Fill(army, SquadFaceLeft, true, false, false);
    panels.garrisonList->Fill(army, SquadFaceLeft, true, false, false);
    FrameStep();
    check("map army strip", panels.campArmyList);
    check("map garrison", panels.garrisonList);

    // The dialogs showing squads, built over the map as its requests build
    // them and shown one at a time.
    BattleResultArgs results;
    results.ownLosses.CopyFrom(army);
    results.enemyLosses.CopyFrom(army);
    results.own = person;
    results.enemy = &GameWorld()->Player(1);
    VolunteersRequest volunteers;
    volunteers.provinceName = CStr("Swanmere");
    volunteers.squad.CopyFrom(army);
    RandomEventRequest event;
    event.kind = 1;
    event.units.CopyFrom(army);
    ScoutResultArgs scouted;
    scouted.provinceName = CStr("Swanmere");
    scouted.garrison.CopyFrom(army);
    DeceaseResultArgs deceased;
    deceased.provinceName = CStr("Swanmere");
    deceased.killed.CopyFrom(army);
    std::vector<std::pair<std::string, CWindow*>> dialogs;
    {
        TreeNodeScope scope;
        ASSERT_TRUE(scope.Saved());
        ASSERT_TRUE(CUIMgr::Tree().GoToPath("/Map/MapWnd"));
        for (const char* layout :
             {CMapBattleQuestionWnd::kAttackLayout, CMapBattleQuestionWnd::kDefendLayout}) {
            auto* question = new CMapBattleQuestionWnd(m_map->Window(), CStr(layout));
            question->Setup(CStr("Swanmere"), person->name, &army, &army, true, 0);
            dialogs.push_back({layout, question});
        }
        auto* window = new CBattleResultsWnd(m_map->Window(), CStr("BattleResultsWnd"));
        window->Setup(&results);
        dialogs.push_back({"battle results", window});
        auto* offer = new CVolunteersWnd(m_map->Window(), CStr("VolunteersWnd"), true);
        offer->Setup(&volunteers);
        dialogs.push_back({"volunteers", offer});
        auto* revolt = new CRandomEventWnd(m_map->Window(), CStr("RandomEventWnd"), true);
        revolt->Setup(&event);
        dialogs.push_back({"random event", revolt});
        auto* scout = new CScoutSuccessWnd(m_map->Window(), CStr("ScoutSuccessWnd"));
        scout->Setup(&scouted);
        dialogs.push_back({"scout success", scout});
        auto* assassin = new CDeceaseSuccessWnd(m_map->Window(), CStr("DeceaseSuccessWnd"));
        assassin->Setup(&deceased);
        dialogs.push_back({"assassination success", assassin});
    }
    for (const auto& [name, dialog] : dialogs)
        dialog->Show(false, false);
    for (const auto& [name, dialog] : dialogs) {
        dialog->Show(true, false);
        FrameStep();
        int32_t lists = 0;
        for (CWindow* child = dialog->GetFirstChild(); child != nullptr; child = child->GetNextSibling())
            if (auto* list = dynamic_cast<CItemListWnd*>(child)) {
                check(name + " list " + std::to_string(lists), list);
                ++lists;
            }
        EXPECT_GT(lists, 0) << name;
        dialog->Show(false, false);
    }
    for (const auto& [name, dialog] : dialogs)
        delete dialog;

    // The end-of-game statistics: the army the player ended with.
    CVictoryWnd victory(m_map->Window(), CStr("/Map/MapWnd/VictoryWnd"));
    victory.Fill(1, person);
    victory.Window()->Show(true, false);
    victory.SetMode(CVictoryWnd::ModeStatistics);
    victory.Pages().ShowPage(3);
    FrameStep();
    check("statistics, final army", victory.Pages().finalArmy);
}

}  // namespace
}  // namespace mapwnd_test

namespace mapwnd_test {
namespace {

TEST_F(MapDispatch, TheCastleWindowKeepsItsWorksLabelClearInEveryState)
{
    CGameWorld* world = GameWorld();
    ProvinceRecord* province = &world->Province(world->Player(0).capital);
    ASSERT_TRUE(province->HasCastle());
    CastleState& castle = province->castle;
    struct Case {
        const char* name;
        uint8_t percent;
        uint32_t work;  // the construction kind: 1 build, 2 repair, 4 completion
    };
    const Case cases[] = {{"standing", 100, kWorkNone}, {"damaged", 40, kWorkNone},
                          {"being built", 40, 1},       {"being repaired", 60, 2},
                          {"being completed", 60, 4},   {"a work under way", 100, CastleOpBank}};
    for (const Case& c : cases) {
        castle.percent = c.percent;
        castle.work = c.work;
        castle.turnsLeft = c.work == kWorkNone ? 0 : 2;
        CastleInfoRequestArgs request;
        request.province = province;
        request.index = province->index;
        m_map->UnlockMapFrame();
        PostUiRequest(request);
        CCastleInfoWnd* info = m_map->Dialogs().CastleInfo();
        ASSERT_NE(info, nullptr);
        const CWindow* label = info->Upgrades();
        ASSERT_TRUE(label != nullptr && label->IsVisible()) << c.name;
        const PackedRect l = label->GetNode()->screenRect;
        const PackedRect w = info->GetNode()->screenRect;
        EXPECT_TRUE(l.Left() >= w.Left() && l.Right() <= w.Right() && l.Top() >= w.Top() &&
                    l.Bottom() <= w.Bottom())
            << c.name;
        for (CWindow* child = info->GetFirstChild(); child != nullptr; child = child->GetNextSibling()) {
            if (child == label || !child->IsVisible())
                continue;
            PackedRect r = child->GetNode()->screenRect;
            r.Intersect(l);
            auto* link = static_cast<CUiTreeLink*>(child->QueryInterface(IidUiTreeLink));
            EXPECT_FALSE(r.IsDefined())
                << c.name << ": " << (link ? link->Path().Chars() : "a control") << " covers the works label";
        }
        info->Show(false, false);
    }
}

}  // namespace
}  // namespace mapwnd_test
