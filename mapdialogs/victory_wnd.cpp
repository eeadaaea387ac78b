#include "mapdialogs/victory_wnd.h"

#include "core/core_main.h"
#include "core/resource_mgr.h"
#include "core/ui_mgr.h"
#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/player_colour.h"
#include "game/player_record.h"
#include "game/running_game.h"
#include "game/scenario_mgr.h"
#include "mapdialogs/hall_of_fame_wnd.h"
#include "mapdialogs/item_list_wnd.h"
#include "mapdialogs/player_name_wnd.h"
#include "ui/child_path.h"
#include "ui/label.h"
#include "ui/layout_box.h"
#include "ui/markup_wnd.h"
#include "ui/message_wnd.h"
#include "ui/ui_link.h"
#include "ui/value_scroller.h"
#include "ui/window_mgr.h"

namespace {

HallOfFameGame CurrentGame()
{
    HallOfFameGame game;
    game.world = Game().world;
    game.missionPath = Game().missionPath;
    game.turn = Game().turn;
    game.difficulty = Game().difficulty;
    return game;
}

// The map screen keeps the finished game's save while its result is not on disk.
void NoteFinishedResult(FinishedResult result)
{
    if (result != FinishedResult::kNotEntered)
        Game().resultUnwritten = result == FinishedResult::kUnwritten ? 1 : 0;
}

}  // namespace

CVictoryWnd::CVictoryWnd(CWindow* parent, const CStr& path) : CScreenWnd(parent, path, true)
{
    m_message = new CMarkupWnd(Window(), ChildPath(path, "RtMessage"), true);
    m_message->foreground = kStatisticsInk;
    m_scroller = new CValueScroller(Window(), ChildPath(path, "ScrStat"), true);
    m_scroller->ValueLabel()->Caption().foreground = kStatisticsInk;
    m_btnExit = new CPushButton(Window(), ChildPath(path, "BtnExit"));
    m_pages.Build(Window(), path);
    m_message->BindHandler(HandlerClick, this, &CVictoryWnd::OnTap);
    Window()->BindHandler(HandlerPenDown, this, &CVictoryWnd::OnTap);
    m_btnExit->BindHandler(HandlerClick, this, &CVictoryWnd::OnExit);
    m_scroller->valueChanged.Bind(this, &CVictoryWnd::OnPageChanged);
}

CVictoryWnd::~CVictoryWnd() = default;

namespace {

uint8_t EnemyColour(const PlayerRecord& player)
{
    const CGameWorld* world = GameWorld();
    const PlayerRecord* enemy = nullptr;
    for (int i = 0; world != nullptr && i < world->PlayerCount(); ++i) {
        const PlayerRecord& other = world->Player(i);
        if (&other == &player)
            continue;
        if (enemy != nullptr)
            return kNeutralColour;
        enemy = &other;
    }
    return PlayerColour(enemy);
}

}  // namespace

void CVictoryWnd::Fill(uint8_t victory, PlayerRecord* player)
{
    m_scroller->SetMin(1, false);
    m_scroller->SetMax(StatisticsPages::kPageCount, false);
    m_scroller->SetValue(1, true, true);
    if (player == nullptr)
        return;
    SetTitle(player->name, true);
    {
        ResourceFolderScope folder;
        CResourceMgr::SetCurrentFolder(Game().missionPath.Chars());
        m_sound.Load(victory ? "/Sounds/game_victory" : "/Sounds/game_lose");
        m_message->LoadText(victory ? "victory" : "defeat");
    }
    m_message->SetAlign(AlignCentre, AlignCentre, true);
    CHallOfFameEntry entry;
    entry.FillFromPlayer(*player, CurrentGame());
    m_pages.Fill(entry);
    // The game may end in another lord's turn, whose colour the map window
    // holds: the lord's own squads show in his colour, those he killed in
    // his enemy's (grey when he had more than one).
    Window()->SetSideColour(PlayerColour(player), false);
    if (m_pages.killed != nullptr)
        m_pages.killed->SetSideColour(EnemyColour(*player), false);
}

void CVictoryWnd::SetMode(uint8_t mode)
{
    m_mode = mode;
    const bool statistics = mode == ModeStatistics;
    m_message->Show(!statistics, false);
    m_btnExit->Show(statistics, false);
    m_scroller->Window()->Show(statistics, false);
    m_pages.ShowPage(statistics ? 1 : 0);
    if (statistics)
        m_scroller->SetValue(1, true, false);
    Window()->Invalidate(UndefinedRect, true);
}

void CVictoryWnd::OnShow()
{
    SetMode(ModeMessage);
    CScreenWnd::OnShow();
    m_sound.Play();
}

void CVictoryWnd::OnTap(CWindow*, intptr_t)
{
    if (m_mode == ModeMessage)
        SetMode(ModeStatistics);
}

void CVictoryWnd::OnExit(CWindow*, intptr_t)
{
    EndModal(Window());
}

void CVictoryWnd::OnPageChanged(CValueScroller* scroller)
{
    if (m_mode == ModeStatistics)
        m_pages.ShowPage(scroller->Value());
}

void RunEndOfGameWindows(CWindow* mapWindow, uint8_t victory, PlayerRecord* player)
{
    const HallOfFameGame game = CurrentGame();
    const bool entersHall = victory && player != nullptr && player->IsHuman() && CountHumanPlayers() < 2 &&
                            QualifiesForHallOfFame(*player, game);
    // The result goes on disk, under the name the player has, before anything
    // is shown: a close or a kill while the winner reads the statistics or
    // types a name must not cost it.
    if (entersHall)
        NoteFinishedResult(AddFinishedGameToHallOfFame(*player, game));
    {
        auto* screen =
            new CVictoryWnd(mapWindow, CStr(victory ? "/Map/MapWnd/VictoryWnd" : "/Map/MapWnd/DefeatWnd"));
        screen->Fill(victory, player);
        screen->Window()->BringToFront(true);
        RunModal(screen->Window());
        delete screen;
    }
    if (QuitFlag || !entersHall)
        return;
    {
        auto* names = new CPlayerNameWnd(mapWindow, CStr("/Main/PlayerNameWnd"));
        names->Setup(*player);
        if (RunModal(names) == ResultOk && names->GetName() != player->name) {
            NoteFinishedResult(RenameFinishedGameEntry(*player, game, names->GetName()));
            player->name = names->GetName();
        }
        delete names;
    }
    if (QuitFlag)
        return;
    // Told before the hall opens, so that the player can free space; the
    // finished game's save stays until the file takes the result.
    if (Game().resultUnwritten)
        ShowNotSavedMessage(mapWindow, LocaleText("NotSavedHallOfFameM"));
    int scenario = 0, mission = 0;
    const int16_t start = Map::CSrenarionMgr::FindMission(game.missionPath, &scenario, &mission)
                              ? static_cast<int16_t>(Map::CSrenarionMgr::IndexOfMission(scenario, mission))
                              : 0;
    auto* hall = new CHallOfFameWnd(mapWindow, CStr("/Main/HallOfFameWnd"));
    hall->SetStartMission(start);
    hall->Window()->BringToFront(true);
    RunModal(hall->Window());
    delete hall;
}
