#include "battle/human_side.h"

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/order_modes.h"
#include "battle/placement_mode.h"
#include "battle/siege_modes.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/byte_stream.h"
#include "game/army.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_record.h"

void NotifySideTurnStart()
{
    g_battleHooks.turnStart.Fire();
}

CHumanSideController::CHumanSideController()
{
    ordersMode = new COrdersMode(this);
    autoMode = new CAutoPlayMode(this);
}

CHumanSideController::~CHumanSideController()
{
    delete ordersMode;
    delete autoMode;
    delete catapultMode;
    delete trebuchetMode;
    delete placementMode;
}

void CHumanSideController::CreateSiegeModes()
{
    if (!IsSiege() || trebuchetMode)
        return;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    trebuchetMode = new CTrebuchetMode(this, scene);
    catapultMode = new CCatapultMode(this, scene);
}

void CHumanSideController::Init(const SideSetup* source)
{
    CopySetup(source);
    LineUpSquads();
    currentMode = nullptr;
    CreateSiegeModes();
}

void CHumanSideController::OnCellTap(uint8_t cell)
{
    if (!g_battle.grid || cell >= g_battle.grid->cellCount || !currentMode)
        return;
    if (currentMode->armed)
        currentMode->OnCellTapArmed(cell);
    else
        currentMode->OnCellTap(cell);
}

void CHumanSideController::OnCellAltTap(uint8_t cell)
{
    if (!g_battle.grid || cell >= g_battle.grid->cellCount || !currentMode)
        return;
    if (currentMode->armed)
        currentMode->OnCellAltTapArmed(cell);
    else
        currentMode->OnCellAltTap(cell);
}

void CHumanSideController::PlaceSquads()
{
    delete placementMode;
    placementMode = new CPlacementMode(this);
    currentMode = placementMode;
    modeIndex = kModePlacement;
    g_battleHooks.textEvent.Fire(CStr("PrepareBtl"));
    placementMode->Run();
    g_battleHooks.textEvent.Fire(CStr());
    delete placementMode;
    placementMode = nullptr;
    modeIndex = kModeOrders;
    currentMode = ordersMode;
}

void CHumanSideController::PlayTurn()
{
    if (!OwnArmy()->HasUnits() || !EnemyArmy()->HasUnits())
        return;
    NotifySideTurnStart();
    if (IsSiege()) {
        CTurnMode* siegeMode = nullptr;
        if (IsAttackerSide()) {
            siegeMode = trebuchetMode;
            modeIndex = kModeTrebuchet;
        } else {
            CArmy* enemy = EnemyArmy();
            for (int i = enemy->Count() - 1; i >= 0 && !siegeMode; --i) {
                const CSquad* s = enemy->Item(i);
                if (s->count > 0 && IsBeforeMoatLine(uint8_t(s->cell))) {
                    siegeMode = catapultMode;
                    modeIndex = kModeCatapult;
                }
            }
        }
        // Without an engine to work the turn goes straight to the orders.
        if (siegeMode) {
            currentMode = siegeMode;
            currentMode->Run();
        }
    }
    RunTurnModes();
}

void CHumanSideController::RunTurnModes()
{
    requestedMode = autoByte ? kModeAuto : kModeOrders;
    while (requestedMode != 0 && !IsBattleStopped()) {
        if (requestedMode == kModeOrders) {
            currentMode = ordersMode;
            modeIndex = kModeOrders;
        } else {
            currentMode = autoMode;
            modeIndex = kModeAuto;
        }
        requestedMode = 0;
        currentMode->Run();
        if (!OwnArmy()->HasUnits() || !EnemyArmy()->HasUnits())
            break;
    }
    SetBattleStateBitsC(kButtonAuto, autoByte != 0);
}

void CHumanSideController::PlaySquadAutomatically(CSquad* squad)
{
    currentMode = autoMode;
    modeIndex = kModeAuto;
    autoMode->PlaySquad(squad);
    currentMode = ordersMode;
    modeIndex = kModeOrders;
    autoByte = 0;
    SetBattleStateBitsC(kButtonAuto, false);
}

void CHumanSideController::ContinueTurn()
{
    switch (modeIndex) {
    case kModePlacement:
        PlaceSquads();
        break;
    case kModeOrders:
    case kModeAuto:
        if (currentMode)
            currentMode->Continue();
        break;
    case kModeTrebuchet:
    case kModeCatapult:
        if (currentMode)
            currentMode->Continue();
        RunTurnModes();
        break;
    default:
        break;
    }
    ClearBattleStateBits(kButtonBridge);
}

uint32_t CHumanSideController::OnCommand(uint32_t code)
{
    if (code == kButtonAuto) {
        autoByte = (g_battleStateWords.c & kButtonAuto) != 0 ? 1 : 0;
        if (!currentMode)
            return code;
        return currentMode->armed ? currentMode->OnCodeArmed(code) : currentMode->OnCode(code);
    }
    if (g_waitingForEvents)
        return code;
    if (code == kButtonBridge) {
        OnBridgeCommand();
        return 1;
    }
    if (!currentMode)
        return code;
    return currentMode->armed ? currentMode->OnCodeArmed(code) : currentMode->OnCode(code);
}

void CHumanSideController::OnBridgeCommand()
{
    if (!IsSiege())
        return;
    auto* scene = static_cast<CSiegeScene*>(g_battle.scene);
    if (!scene->BridgeIntact())
        return;
    for (uint32_t bit : {kButtonGuard, kButtonTurn, kButtonAuto, kButtonBridge})
        ClearBattleStateBitsB(bit);
    scene->ToggleBridge();
    for (uint32_t bit : {kButtonGuard, kButtonTurn, kButtonAuto, kButtonBridge})
        SetBattleStateBitsB(bit);
}

void CHumanSideController::OnInputCode(uint32_t code)
{
    if (g_waitingForEvents || !currentMode)
        return;
    if (currentMode->armed)
        currentMode->OnInputCodeArmed(code);
    else
        currentMode->OnInputCode(code);
}

void CHumanSideController::Refresh()
{
    if (currentMode)
        currentMode->Refresh();
}

bool CHumanSideController::MayGiveUp()
{
    // The defenders of a capital fight to the last.
    if (g_battle.castle && g_battle.castle->capital != 0 && !IsAttackerSide())
        return false;
    CGameWorld* world = ActiveWorld();
    if (!world)
        return true;
    // Giving up means going somewhere: a neighbouring province of the side's own.
    const PlayerRecord* attacker = g_battle.attackerPlayer;
    const PlayerRecord* own = IsAttackerSide() ? g_battle.attackerPlayer : g_battle.defenderPlayer;
    if (!attacker || !own)
        return false;
    const int index = attacker->armyLocation;
    if (index < 0 || index >= world->ProvinceCount())
        return false;
    for (uint8_t n : world->Province(index).neighbours)
        if (n < world->ProvinceCount() && world->Province(n).owner == own)
            return true;
    return false;
}

bool CHumanSideController::Serialize(CByteStream* stream)
{
    if (!CSideController::Serialize(stream))
        return false;
    uint16_t index = uint16_t(modeIndex);
    stream->U16(index);
    if (stream->HasError())
        return false;
    modeIndex = index;
    CTurnMode* mode = nullptr;
    switch (modeIndex) {
    case kModeOrders:
        mode = ordersMode;
        break;
    case kModeAuto:
        mode = autoMode;
        break;
    case kModeTrebuchet:
        mode = trebuchetMode;
        break;
    case kModeCatapult:
        mode = catapultMode;
        break;
    case 0:
    case kModePlacement:
        currentMode = nullptr;
        return true;
    default:
        return true;
    }
    // A siege mode named by a record of an open-field battle: damaged.
    if (!mode)
        return false;
    currentMode = mode;
    return mode->Serialize(stream);
}

void CHumanSideController::EndTurn()
{
    if (currentMode)
        currentMode->OnEndTurn();
}

bool CHumanSideController::PlayedByAi() const
{
    // The automatic mode plays either the whole side or the one squad whose
    // order the person asked to carry out now.
    return modeIndex == kModeAuto && currentMode == autoMode && autoMode && autoMode->loneSquad == 255;
}
