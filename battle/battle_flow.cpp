#include "battle/battle_flow.h"

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/battle_scene.h"
#include "battle/computer_side.h"
#include "battle/human_side.h"
#include "battle/missile_flight.h"
#include "battle/path_map.h"
#include "battle/side_ai.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/byte_stream.h"
#include "core/core_main.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"

BattleGlobals g_battle;
int32_t g_battleTurnLimit = 0;

namespace {

// The field view stores the cell size before a battle; a battle without a
// screen never gets one, but the moat-line test still measures in pixels,
// so it uses the shipped size.
constexpr int16_t kDefaultCellSize = 32;

void ApplyCellSize()
{
    PackedPoint size = g_battle.cellSize;
    if (size.X() <= 0 || size.Y() <= 0)
        size = PackedPoint(kDefaultCellSize, kDefaultCellSize);
    g_battle.grid->SetCellSize(size);
}

void ForEachSquad(CArmy* army, void (*fn)(CSquad*))
{
    if (!army)
        return;
    for (int i = 0; i < army->Count(); ++i)
        fn(army->Item(i));
}

void ResetSquadMovePoints(CArmy* army)
{
    for (int i = 0; army && i < army->Count(); ++i) {
        CSquad* s = army->Item(i);
        if (s->count > 0 && s->battleState)
            SetMovePoints(s, s->type ? s->type->moveSpeed : 0);
    }
}

void AnnounceSideTurn(CSideController* side, uint8_t placement)
{
    if (g_battle.attackerSideKind != kSideKindHuman || g_battle.defenderSideKind != kSideKindHuman)
        return;
    if (g_battle.autoPlay)
        return;
    g_battleHooks.sideTurn.Fire(side, placement);
}

bool DefenderFirst()
{
    return g_battle.kind == kBattleSiege;
}

CSideController* SideOf(bool attacker)
{
    return attacker ? g_battle.attackerSide : g_battle.defenderSide;
}

void PlaySideTurn(bool attacker)
{
    CSideController* side = SideOf(attacker);
    CArmy* army = attacker ? g_battle.attackerArmy : g_battle.defenderArmy;
    g_battle.activeSide = attacker ? 1 : 0;
    NotifyArmyTurnState(army, 1);
    AnnounceSideTurn(side, 0);
    ResetSquadMovePoints(army);
    g_battle.phase = attacker ? kPhaseAttacker : kPhaseDefender;
    // A side whose hero has no player has no controller and cannot act.
    if (side) {
        side->BeginTurn();
        side->PlayTurn();
    }
    NotifyArmyTurnState(army, 2);
    if (!IsBattleStopped())
        g_battle.phase = kPhaseNone;
}

void FinishBattle()
{
    if (IsBattleStopped()) {
        if (BattleResult == kBattleNoResult)
            BattleResult = kBattleStopped;
        return;
    }
    g_battle.scene->Finish();
    BattleResult = kBattleEnded;
}

// A person who plays a side by hand decides for himself when he has had
// enough; the round guard is for the computer playing on its own.
bool PersonPlaysBySelf()
{
    if (g_battle.noScreen || g_battle.autoPlay)
        return false;
    for (const CSideController* side : {g_battle.attackerSide, g_battle.defenderSide})
        if (side && side->PlayedByHand())
            return true;
    return false;
}

void RunBattleTurnLoop()
{
    g_battle.running = 1;
    // Rounds are counted from here: a resumed battle brings its own count.
    int32_t rounds = 0;
    while (IsBattleGoingOn()) {
        g_battle.turnCounter += 1;
        if (g_battleTurnLimit > 0 && !PersonPlaysBySelf() && ++rounds > g_battleTurnLimit) {
            // Two sides that cannot get at each other: the attacker leaves
            // the field to the defender, as if it had given up, and what the
            // siege did to the castle stands.
            g_battle.scene->Finish();
            BattleResult = kBattleAttackerGaveUp;
            return;
        }
        g_battle.scene->TurnStep();
        if (!IsBattleGoingOn())
            break;
        PlaySideTurn(!DefenderFirst());
        if (!IsBattleGoingOn())
            break;
        PlaySideTurn(DefenderFirst());
    }
    FinishBattle();
}

uint8_t EngineTrebuchetReload()
{
    return TrebuchetReloadTurnsRule();
}

void EngineEventHook(const BattleEvent& event, uint8_t wait)
{
    DispatchEngineBattleEvent(event, wait);
}

// Objects signal their own battle hook (a missile that has landed, a gate
// that swung open); the screen hears it through the object-finished hook.
void EngineObjectHook(uint32_t battleId, uint32_t flag)
{
    g_battleHooks.objectFinished.Fire(battleId, flag);
}

void SetUpBattle(BattleParams* params)
{
    g_battle.stopFlag = 0;
    g_battle.autoPlay = 0;
    CreateBattleAiStrategies();
    g_battle.grid = new CBattleGrid();
    ApplyCellSize();
    g_battle.highlight.assign(g_battle.grid->cellCount, 1);
    g_battle.pathMap = new CPathMap(g_battle.grid);
    g_battle.powerOption = params->powerOption;
    g_battlePowerOption = params->powerOption;
    if (params->kind == kBattleSiege) {
        g_battle.castle = params->castle;
        if (g_battle.castle)
            g_battle.castle->StartBuild(kWorkNone, 0, 0);
    } else {
        g_battle.obstacleLayout = params->obstacleLayout;
    }
    g_battle.kind = params->kind;
    g_battle.attackerPlayer = params->attacker;
    g_battle.defenderPlayer = params->defender;
    g_battle.attackerArmy = &params->attacker->army;
    g_battle.attackerArmy->flagA = 1;
    g_battle.defenderArmy = &params->defender->army;
    g_battle.defenderArmy->flagA = 0;
    ForEachSquad(g_battle.attackerArmy, [](CSquad* s) { s->CreateBattleState(); });
    ForEachSquad(g_battle.defenderArmy, [](CSquad* s) { s->CreateBattleState(); });
    g_battle.attackerHero = &params->attacker->hero;
    g_battle.defenderHero = &params->defender->hero;
    // The game's seam reaches the engine through these two hooks.
    SetBattleEventHook(&EngineEventHook);
    SetBattleHook(&EngineObjectHook);
    SetTrebuchetReloadHook(&EngineTrebuchetReload);
    g_battle.noScreen = params->noScreen;
    if (g_battle.kind == kBattleSiege)
        g_battle.scene = new CSiegeScene(g_battle.castle, g_battle.attackerArmy->flagB != 0);
    else
        g_battle.scene = new COpenFieldScene(g_battle.obstacleLayout);
    g_battle.defenderSide = g_battle.attackerSide = nullptr;
    g_battle.attackerSideKind = params->attackerSideKind;
    g_battle.defenderSideKind = params->defenderSideKind;
    // Nobody can play a side by hand without a screen.
    if (g_battle.noScreen) {
        if (g_battle.attackerSideKind == kSideKindHuman)
            g_battle.attackerSideKind = kSideKindMute;
        if (g_battle.defenderSideKind == kSideKindHuman)
            g_battle.defenderSideKind = kSideKindMute;
    }
    CreateSideController(1, g_battle.attackerSideKind);
    CreateSideController(0, g_battle.defenderSideKind);
    g_battle.phase = kPhaseNone;
    BattleResult = kBattleNoResult;
    if (g_battle.noScreen)
        DeleteBattleHooks();
    g_battleEventQueue.clear();
}

}  // namespace

BattleParams::~BattleParams()
{
    FreeParticipants();
}

bool CreateSideController(uint8_t attacker, uint32_t kind)
{
    HeroRecord* hero = attacker ? g_battle.attackerHero : g_battle.defenderHero;
    if (!hero || !hero->owner)
        return false;
    CSideController* side;
    switch (kind) {
    case kSideKindHuman:
        side = new CHumanSideController();
        break;
    case kSideKindMute:
        side = new CMuteComputerSideController();
        break;
    default:
        side = new CComputerSideController();
        break;
    }
    CSideController*& slot = attacker ? g_battle.attackerSide : g_battle.defenderSide;
    delete slot;
    slot = side;
    SideSetup setup;
    setup.ownHero = hero;
    setup.ownArmy = attacker ? g_battle.attackerArmy : g_battle.defenderArmy;
    setup.enemyHero = attacker ? g_battle.defenderHero : g_battle.attackerHero;
    setup.enemyArmy = attacker ? g_battle.defenderArmy : g_battle.attackerArmy;
    setup.scene = g_battle.scene;
    side->Init(&setup);
    return true;
}

namespace {

// The battle window starts with every command shown; an open field has no
// bridge, and nothing later in its battle would say so.
void HideBridgeOutsideASiege()
{
    if (!IsSiege())
        ClearBattleStateBits(kButtonBridge);
}

}  // namespace

void BeginBattle(BattleParams* params)
{
    SetUpBattle(params);
    SetBattleStateBits(kButtonMenu);
    SetBattleStateBitsB(kButtonMenu);
    HideBridgeOutsideASiege();
    if (!g_battle.noScreen) {
        g_battleHooks.redraw.Fire();
        CreateBattleVisuals();
    }
}

void RunPlacementPhase()
{
    if (!IsBattleGoingOn())
        return;
    g_battle.phase = kPhasePlacement;
    g_battle.scene->Prepare();
    ClearBattleStateBits(kButtonSplit);
    for (int k = 0; k < 2; ++k) {
        const bool attacker = (k == 0) != DefenderFirst();
        CSideController* side = SideOf(attacker);
        g_battle.activeSide = attacker ? 1 : 0;
        AnnounceSideTurn(side, 1);
        ResetSquadMovePoints(attacker ? g_battle.attackerArmy : g_battle.defenderArmy);
        if (side)
            side->PlaceSquads();
        if (IsBattleStopped())
            return;
    }
    ClearBattleStateBits(kButtonJoin);
    ClearBattleStateBits(kButtonSplit);
    ClearBattleStateBits(kButtonStart);
    g_battle.phase = kPhaseNone;
}

void RunBattleTurns()
{
    ClearBattleStateBits(kButtonJoin);
    ClearBattleStateBits(kButtonSplit);
    ClearBattleStateBits(kButtonStart);
    g_battle.turnCounter = 0;
    RunBattleTurnLoop();
}

bool ResumeBattle()
{
    if (!g_battle.grid || !g_battle.scene || !g_battle.attackerArmy || !g_battle.defenderArmy) {
        BattleResult = kBattleStopped;
        return false;
    }
    SetBattleStateBits(kButtonMenu);
    SetBattleStateBitsB(kButtonMenu);
    ClearBattleStateBits(kButtonJoin);
    ClearBattleStateBits(kButtonSplit);
    ClearBattleStateBits(kButtonStart);
    HideBridgeOutsideASiege();
    ApplyCellSize();
    if (!g_battle.noScreen) {
        g_battleHooks.redraw.Fire();
        CreateBattleVisuals();
    }
    g_battle.running = 1;
    if (g_battle.phase == kPhasePlacement) {
        g_battleHooks.textEvent.Fire(CStr("Prepare"));
        g_battle.scene->Prepare();
        const bool attacker = g_battle.activeSide != 0;
        CSideController* side = SideOf(attacker);
        AnnounceSideTurn(side, 0);
        if (side)
            side->ContinueTurn();
        if (IsBattleStopped())
            return true;
        if (attacker != DefenderFirst() && SideOf(!attacker)) {
            g_battle.activeSide = attacker ? 0 : 1;
            SideOf(!attacker)->PlaceSquads();
        }
    }
    g_battleHooks.textEvent.Fire(CStr());
    g_battle.scene->AfterLoad();
    if (g_battle.phase == kPhaseAttacker || g_battle.phase == kPhaseDefender) {
        const bool attacker = g_battle.phase == kPhaseAttacker;
        g_battle.activeSide = attacker ? 1 : 0;
        CSideController* side = SideOf(attacker);
        AnnounceSideTurn(side, 0);
        if (side)
            side->ContinueTurn();
        NotifyArmyTurnState(attacker ? g_battle.attackerArmy : g_battle.defenderArmy, 2);
        if (!IsBattleGoingOn()) {
            FinishBattle();
            return true;
        }
        // The side that moves second in this kind of battle still has its turn.
        if (attacker != DefenderFirst())
            PlaySideTurn(!attacker);
    }
    RunBattleTurnLoop();
    return true;
}

void EndBattle()
{
    g_battle.running = 0;
    DeleteBattleHooks();
    delete g_battle.scene;
    g_battle.scene = nullptr;
    delete g_battle.attackerSide;
    g_battle.attackerSide = nullptr;
    delete g_battle.defenderSide;
    g_battle.defenderSide = nullptr;
    auto release = [](CSquad* s) {
        s->FreeBattleState();
        s->battleHandle = 0;
        SetLastEventCode(s, 0);
    };
    ForEachSquad(g_battle.attackerArmy, release);
    ForEachSquad(g_battle.defenderArmy, release);
    g_battle.attackerHero = g_battle.defenderHero = nullptr;
    g_battle.attackerArmy = g_battle.defenderArmy = nullptr;
    g_battle.highlight.clear();
    delete g_battle.grid;
    delete g_battle.pathMap;
    g_battle.grid = nullptr;
    g_battle.pathMap = nullptr;
    g_battle.castle = nullptr;
    SetBattleEventHook(nullptr);
    SetBattleHook(nullptr);
    SetTrebuchetReloadHook(nullptr);
    DeleteBattleAiStrategies();
}

bool IsBattleStopped()
{
    return g_battle.stopFlag != 0 || QuitFlag != 0;
}

bool IsBattleGoingOn()
{
    if (IsBattleStopped())
        return false;
    return g_battle.attackerArmy && g_battle.defenderArmy && g_battle.attackerArmy->HasUnits() &&
           g_battle.defenderArmy->HasUnits();
}

bool SerializeBattle(CByteStream* stream)
{
    stream->I32(g_battle.turnCounter);
    // A battle cannot have played fewer than no rounds.
    if (stream->HasError() || g_battle.turnCounter < 0)
        return false;
    if (!g_battle.attackerSide || !g_battle.attackerSide->Serialize(stream))
        return false;
    if (!g_battle.defenderSide || !g_battle.defenderSide->Serialize(stream))
        return false;
    if (!g_battle.scene->Serialize(stream))
        return false;
    stream->U32(g_battle.phase);
    return !stream->HasError();
}

CSideController* ActiveSide()
{
    return g_battle.activeSide ? g_battle.attackerSide : g_battle.defenderSide;
}

bool IsSiege()
{
    return g_battle.scene && g_battle.scene->Kind() == kSceneSiege;
}
