#include "game/running_game.h"

#include <cinttypes>
#include <cstdio>

#include "core/byte_stream.h"
#include "game/battle_seam.h"
#include "game/engine_glue.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_ratings.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/saved_game.h"
#include "game/squad_type.h"
#include "game/ui_request.h"

RunningGameState& Game()
{
    static RunningGameState state;
    return state;
}

bool GameStopRequested()
{
    return LeaveRequested() || EngineQuitRequested();
}

CGameWorld* GameWorld()
{
    return Game().world;
}
CProvinceDistanceMap* GameDistanceMap()
{
    return Game().distanceMap;
}

namespace {

// Rebuilds what hangs on a freshly read world: the distance map and the
// rules, before the world's after-load pass needs them.
void OnWorldLoaded(CGameWorld& world)
{
    RunningGameState& g = Game();
    delete g.distanceMap;
    g.distanceMap = new CProvinceDistanceMap(&world);
    GameRules::Load();
}

const char* const kSelectionSounds[4] = {"ProvOur", "ProvNeutral", "ProvEnemy", "CampArmyMove"};

}  // namespace

void ReseedRandomFromTicks()
{
    const int16_t low = int16_t(EngineTicks() & 0xFFFF);
    EngineSeedRandom(uint32_t(int32_t(low)));
}

void SessionInit(int32_t sessionMode)
{
    RunningGameState& g = Game();
    delete g.distanceMap;
    g.distanceMap = nullptr;
    delete g.holder;
    delete g.world;
    g.world = new CGameWorld();
    g.holder = new WorldHolder{g.world};
    SetActiveWorld(g.world);
    SetWorldLoadedHook(&OnWorldLoaded);
    g.sessionMode = sessionMode;
    g.selectedProvince = 0;
    SetLeaveRequested(0);
    g.battleInProgress = 0;
    g.turn = 0;
    g.resultUnwritten = 0;
    EngineLoadSounds("/Sounds/", kSelectionSounds, 4);
}

void EndSession()
{
    OnWorldAiHook();
    ClearSessionSignals();
    RunningGameState& g = Game();
    delete g.holder;
    g.holder = nullptr;
    delete g.distanceMap;
    g.distanceMap = nullptr;
    if (ActiveWorld() == g.world)
        SetActiveWorld(nullptr);
    delete g.world;
    g.world = nullptr;
}

bool NewGameFromMission(const CStr& missionPath)
{
    RunningGameState& g = Game();
    if (!g.world)
        return false;
    g.missionPath = missionPath;
    std::vector<uint8_t> bytes;
    if (!EngineLoadData(CStr::ConcatChars(missionPath, "/mission"), bytes))
        return false;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    if (!LoadWorldFromStream(reader, *g.world))
        return false;
    if (!LoadMissionTexts(*g.world, missionPath))
        return false;
    SigMapMode.Fire(2);
    g.world->currentPlayer = 0;
    if (g.world->PlayerCount() == 0)
        return false;
    SigPlayerResources.Fire(&g.world->Player(0).treasury);
    SelectProvince(g.world->Player(0).capital, 1);
    return true;
}

void ApplyNewGameSettings(const NewGameSettings& settings)
{
    RunningGameState& g = Game();
    g.difficulty = settings.difficulty;
    int32_t humans = settings.humans;
    for (int i = 0; g.world && i < g.world->PlayerCount(); ++i) {
        PlayerRecord& p = g.world->Player(i);
        if (humans > 0) {
            if (p.assignment >= 1 && p.assignment <= 127)
                continue;
            p.SetHuman(1);
            --humans;
        } else {
            p.SetHuman(0);
        }
    }
}

int32_t CountAssignablePlayers(const CGameWorld* world)
{
    int32_t n = 0;
    for (int i = 0; world && i < world->PlayerCount(); ++i)
        if (world->Player(i).assignment == 0)
            ++n;
    return n < 1 ? 1 : n;
}

int32_t CountFixedComputerPlayers(const CGameWorld* world)
{
    int32_t n = 0;
    for (int i = 0; world && i < world->PlayerCount(); ++i) {
        const uint8_t a = world->Player(i).assignment;
        if (a == 0 || a >= 128)
            ++n;
    }
    return n;
}

void StartGame()
{
    RunningGameState& g = Game();
    for (int i = 0; g.world && i < g.world->PlayerCount(); ++i) {
        if (GameStopRequested())
            return;
        PlayerRecord& p = g.world->Player(i);
        if (p.IsHuman())
            SigCustomizePlayer.Fire(&p);
        if (p.controller)
            p.controller->OnNewGame();
    }
    ComputePlayerRatings(g.holder);
    OnNewGameAiHook();
    g.firstNoticePending = 1;
    RunUiPumpHook();
    g.battleInProgress = 0;
    g.turn = 0;
}

uint8_t CountActivePlayers()
{
    const CGameWorld* w = GameWorld();
    uint8_t n = 0;
    for (int i = 0; w && i < w->PlayerCount(); ++i)
        if (w->Player(i).controller)
            ++n;
    return n;
}

uint8_t CountHumanPlayers()
{
    const CGameWorld* w = GameWorld();
    uint8_t n = 0;
    for (int i = 0; w && i < w->PlayerCount(); ++i)
        if (w->Player(i).IsHuman())
            ++n;
    return n;
}

uint8_t HumanPlayersRemain()
{
    const CGameWorld* w = GameWorld();
    uint8_t n = 0;
    for (int i = 0; w && i < w->PlayerCount(); ++i)
        if (w->Player(i).IsHuman() && w->Player(i).controller)
            ++n;
    return n;
}

bool OnlyOnePlayerLeft()
{
    return CountActivePlayers() == 1;
}

uint8_t ActiveHumanOrdinal(const PlayerRecord* player)
{
    const CGameWorld* w = GameWorld();
    uint8_t n = 0;
    for (int i = 0; w && i < w->PlayerCount(); ++i) {
        const PlayerRecord& p = w->Player(i);
        if (!p.IsHuman() || !p.controller)
            continue;
        ++n;
        if (&p == player)
            return n;
    }
    return n;
}

PlayerRecord* CurrentPlayer()
{
    CGameWorld* w = GameWorld();
    if (!w || w->currentPlayer >= w->PlayerCount())
        return nullptr;
    return &w->Player(w->currentPlayer);
}

CPlayerController* CurrentController()
{
    PlayerRecord* p = CurrentPlayer();
    return p ? p->controller : nullptr;
}

ProvinceRecord* CurrentProvince()
{
    CGameWorld* w = GameWorld();
    if (!w || Game().selectedProvince >= w->ProvinceCount())
        return nullptr;
    return &w->Province(Game().selectedProvince);
}

void CurrentControllerSelectProvince(uint8_t index)
{
    if (CPlayerController* c = CurrentController())
        c->OnProvinceSelected(index);
}

void CurrentControllerProvinceAction(uint8_t index)
{
    if (CPlayerController* c = CurrentController())
        c->OnProvinceDefaultAction(index);
}

void MapMenuCommand(uint32_t command)
{
    if (command == 1) {
        SetLeaveRequested(1);
    } else if (command == 2) {
        Game().paused = Game().paused ? 0 : 1;
        if (Game().paused)
            PauseGame();
    } else if (CPlayerController* c = CurrentController()) {
        c->OnMenuCommand(command);
    }
}

void MapGameCommand(uint32_t command)
{
    if (command == 8 || command == 9) {
        SetLeaveRequested(1);
    } else if (CPlayerController* c = CurrentController()) {
        c->OnCommand(command);
    }
}

void RunCastleOperation(uint32_t bits)
{
    CPlayerController* c = CurrentController();
    if (c && c->IsHuman())
        c->RunProvinceCommand(bits);
}

void PauseGame()
{
    ClearMapUiFlags(2);
    while (Game().paused && !GameStopRequested())
        RunUiPumpHook();
    SetMapUiFlags(2);
}

void PlaySelectionSound(int32_t n)
{
    if (n >= 0 && n < 4)
        EnginePlaySound(n);
}

void UpdateProvinceActions(uint8_t index)
{
    CGameWorld* w = GameWorld();
    if (!w || index >= w->ProvinceCount())
        return;
    ProvinceRecord* p = &w->Province(index);
    SigProvinceInfo.Fire(p);
    if (CPlayerController* c = CurrentController()) {
        SigOperationActions.Fire(c->AgentActionsAt(p));
        SigCastleActions.Fire(c->RobberyActionsAt(p));
    }
}

void SelectProvince(uint8_t index, uint8_t scroll)
{
    CGameWorld* w = GameWorld();
    if (!w || index >= w->ProvinceCount())
        return;
    RunningGameState& g = Game();
    if (index != g.selectedProvince) {
        const PlayerRecord* owner = w->Province(index).owner;
        PlaySelectionSound(owner == CurrentPlayer() ? 0 : owner ? 2 : 1);
        SigProvinceSelected.Fire(index, scroll, 1);
    }
    g.selectedProvince = index;
    UpdateProvinceActions(index);
    if (CPlayerController* c = CurrentController())
        SigArmyActions.Fire(c->ArmyActionsAt(&w->Province(index)));
}

void FirePlayerStatusSignals()
{
    SigPlayerTitle.Fire(CurrentPlayer());
    if (CPlayerController* c = CurrentController()) {
        ProvinceRecord* p = CurrentProvince();
        SigArmyActions.Fire(c->ArmyActionsAt(p));
        SigOperationActions.Fire(c->AgentActionsAt(p));
        SigCastleActions.Fire(c->RobberyActionsAt(p));
    }
    SigMapViewRefresh.Fire();
}

void NotifyCurrentPlayerChanged()
{
    if (PlayerRecord* p = CurrentPlayer())
        SigPlayerResources.Fire(&p->treasury);
    UpdateProvinceActions(Game().selectedProvince);
    FirePlayerStatusSignals();
    SigMovePointsChanged.Fire();
}

void BeginPlayerTurn(uint8_t index)
{
    RunningGameState& g = Game();
    ReseedRandomFromTicks();
    g.world->currentPlayer = index;
    PlayerRecord& player = g.world->Player(index);
    SelectProvince(player.capital, 1);
    if (player.IsHuman()) {
        if (g.firstNoticePending) {
            g.humanTurnActive = 0;
            SigMapMode.Fire(2);
            PlayerTurnNotice notice;
            notice.hotSeat = CountHumanPlayers() >= 2 ? 1 : 0;
            notice.player = &player;
            PostUiRequest(notice);
            g.firstNoticePending = CountHumanPlayers() >= 2 ? 1 : 0;
        }
        SigMapMode.Fire(0);
        g.humanTurnActive = 1;
    } else {
        g.humanTurnActive = 0;
        SigMapMode.Fire(2);
    }
    SigPlayerResources.Fire(&player.treasury);
    FirePlayerStatusSignals();
    RunUiPumpHook();
}

CStr FormatTurnLogLine(int32_t turn, uint64_t freeMemory, uint64_t largestBlock)
{
    char text[96];
    std::snprintf(text, sizeof text, "Turn #%ld; Free: %" PRIu64 "; Max chunk: %" PRIu64 " ", long(turn),
                  freeMemory, largestBlock);
    return CStr(text);
}

namespace {

// Step 6 of a player's turn in both loops: advance on a stop request,
// otherwise end the turn, log it and test whether a person is left.
// Returns false when the round must be left.
bool FinishPlayerTurn(PlayerRecord& player, bool& go)
{
    if (!player.controller)
        return true;
    if (GameStopRequested()) {
        AdvanceToNextPlayer();
        return false;
    }
    player.controller->EndTurn();
    EngineLog("MAIN", FormatTurnLogLine(Game().turn, 0, 0));
    if (HumanPlayersRemain() == 0) {
        go = false;
        return false;
    }
    return true;
}

void SetGameFinished()
{
    Game().gameFinished = (!OnlyOnePlayerLeft() && HumanPlayersRemain() != 0) ? 0 : 1;
}

}  // namespace

void RunTurnLoop()
{
    RunningGameState& g = Game();
    SetLeaveRequested(0);
    g.gameFinished = 0;
    bool go = true;
    while (!GameStopRequested() && go && g.world) {
        ++g.turn;
        OnRoundStart();
        for (int i = 0; i < g.world->PlayerCount(); ++i) {
            PlayerRecord& player = g.world->Player(i);
            if (!player.controller)
                continue;
            if (OnlyOnePlayerLeft()) {
                SigGameOver.Fire(1, &player);
                go = false;
                break;
            }
            RunUiPumpHook();
            if (GameStopRequested())
                break;
            player.controller->BeginTurn();
            BeginPlayerTurn(uint8_t(i));
            if (player.controller)
                player.controller->ProvinceTurnStep();
            SigAutosave.Fire();
            if (GameStopRequested())
                break;
            if (player.controller)
                player.controller->PlayTurn();
            if (!FinishPlayerTurn(player, go))
                break;
        }
        // The game is saved as the user leaves, but never with a battle half
        // fought: its armies are not where a loaded game expects them.
        if (!g.battleInProgress && GameStopRequested())
            SigAutosave.Fire();
    }
    SetGameFinished();
}

void ResumeTurnLoop()
{
    RunningGameState& g = Game();
    SetLeaveRequested(0);
    // A saved battle cannot be resumed; the game goes on as if it had been
    // abandoned before it began.
    g.battleInProgress = 0;
    g.firstNoticePending = 1;
    ComputePlayerRatings(g.holder);
    OnNewGameAiHook();
    g.gameFinished = 0;
    bool go = true;
    if (!g.world)
        return;
    const int first = g.world->currentPlayer;
    for (int i = first; i < g.world->PlayerCount(); ++i) {
        PlayerRecord& player = g.world->Player(i);
        if (!player.controller)
            continue;
        if (OnlyOnePlayerLeft()) {
            SigGameOver.Fire(1, &player);
            go = false;
            break;
        }
        if (GameStopRequested())
            break;
        RunUiPumpHook();
        if (i == first) {
            BeginPlayerTurn(uint8_t(i));
            if (GameStopRequested())
                break;
            if (player.controller)
                player.controller->ContinueTurn();
        } else {
            BeginPlayerTurn(uint8_t(i));
            if (GameStopRequested())
                break;
            player.controller->BeginTurn();
            if (player.controller)
                player.controller->ProvinceTurnStep();
            SigAutosave.Fire();
            if (player.controller)
                player.controller->PlayTurn();
        }
        if (!FinishPlayerTurn(player, go))
            break;
    }
    if (GameStopRequested()) {
        if (!g.battleInProgress)
            SigAutosave.Fire();
        return;
    }
    SetGameFinished();
    if (go)
        RunTurnLoop();
}

void AdvanceToNextPlayer()
{
    CPlayerController* c = CurrentController();
    CGameWorld* w = GameWorld();
    if (!w || !c || c->IsTurnDone())
        return;
    c->EndTurn();
    w->currentPlayer = uint8_t(w->currentPlayer + 1);
    if (w->currentPlayer >= w->PlayerCount()) {
        ++Game().turn;
        w->currentPlayer = 0;
    }
    if (CPlayerController* next = CurrentController())
        next->BeginTurn();
}

void PlayerEliminated(PlayerRecord* player)
{
    if (!player)
        return;
    if (player == CurrentPlayer() && player->controller)
        player->controller->MarkTurnDone();
    if (player->IsHuman())
        SigGameOver.Fire(0, player);
    player->DeleteController();
}

void StartMapBattle(PlayerRecord* attacker, PlayerRecord* defender, ProvinceRecord* province,
                    uint8_t automatic)
{
    RunningGameState& g = Game();
    g.battle.automatic = (automatic || OptionQuickBattles()) ? 1 : 0;
    g.battle.attackerId = attacker->playerId;
    g.battle.defenderId = defender->playerId;
    g.battle.provinceIndex = province->index;
    MapBattleRecord record;
    record.automatic = automatic;
    record.difficulty = g.difficulty;
    record.siege = (province->HasCastle() && province->castle.percent != 0) ? 1 : 0;
    record.attacker = attacker;
    record.attackerMode = automatic ? kSideAutomatic : attacker->IsHuman() ? kSideHuman : kSideComputer;
    record.defender = defender;
    record.defenderMode = automatic ? kSideAutomatic : defender->IsHuman() ? kSideHuman : kSideComputer;
    if (record.siege)
        record.castle = &province->castle;
    else
        record.openField = province;
    g.battleInProgress = 1;
    SigMapBattle.Fire(&record, automatic);
    PrepareBattleArmy(attacker, &attacker->army);
    PrepareBattleArmy(defender, &defender->army);
    if (BattleResult == kBattleStopped)
        SetLeaveRequested(1);
    else
        g.battleInProgress = 0;
}

void PrepareBattleArmy(PlayerRecord* player, CArmy* army)
{
    CArmy rebuilt;
    for (const CStr& id : player->slotTypes) {
        const CSquadType* type = FindSquadType(id);
        if (!type)
            continue;
        int32_t sum = 0;
        for (int i = 0; i < army->Count(); ++i) {
            const CSquad* s = army->Item(i);
            if (s->type == type)
                sum += s->count;
        }
        CSquad squad;
        squad.SetType(type);
        squad.count = sum < 0 ? 0 : sum;
        rebuilt.AddSquadCopy(squad);
    }
    // Pending recruits belong to the slots, not to the battle: keep them.
    for (int i = 0; i < rebuilt.Count() && i < army->Count(); ++i)
        rebuilt.Item(i)->pending = army->Item(i)->pending;
    army->CopyFrom(rebuilt);
}

namespace {

SessionState SessionFromGlobals()
{
    const RunningGameState& g = Game();
    SessionState s;
    s.turn = g.turn;
    s.currentPlayer = g.world ? g.world->currentPlayer : 0;
    s.selectedProvince = g.selectedProvince;
    s.sessionMode = g.sessionMode;
    s.difficulty = g.difficulty;
    s.battleInProgress = g.battleInProgress;
    s.battleAutomatic = g.battle.automatic;
    s.battleAttacker = g.battle.attackerId;
    s.battleDefender = g.battle.defenderId;
    s.battleProvince = g.battle.provinceIndex;
    return s;
}

void GlobalsFromSession(const SessionState& s)
{
    RunningGameState& g = Game();
    g.turn = s.turn;
    if (g.world)
        g.world->currentPlayer = s.currentPlayer;
    g.selectedProvince = s.selectedProvince;
    g.sessionMode = s.sessionMode;
    g.difficulty = s.difficulty;
    g.battleInProgress = s.battleInProgress;
    g.battle =
        BattleInProgressRecord{s.battleAutomatic, s.battleAttacker, s.battleDefender, s.battleProvince};
}

}  // namespace

bool SaveGame(const CStr& fileName)
{
    RunningGameState& g = Game();
    if (!g.world)
        return false;
    SessionState session = SessionFromGlobals();
    return SaveGame(fileName, SavedGameParts{*g.world, g.missionPath, session});
}

bool LoadSavedGame(const CStr& fileName)
{
    RunningGameState& g = Game();
    if (!g.world)
        return false;
    SessionState session;
    if (!LoadSavedGame(fileName, SavedGameParts{*g.world, g.missionPath, session}))
        return false;
    GlobalsFromSession(session);
    return true;
}
