#include "battle/battle_hooks.h"

#include <algorithm>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_scene.h"
#include "battle/side_controller.h"
#include "battle/siege_scene.h"
#include "battle/squad_battle_state.h"
#include "core/core_main.h"
#include "game/army.h"
#include "game/engine_glue.h"
#include "game/squad_type.h"

BattleScreenHooks g_battleHooks;
BattleStateWords g_battleStateWords;
std::vector<uint32_t> g_battleEventQueue;
uint8_t g_waitingForEvents = 0;

void DeleteBattleHooks()
{
    BattleScreenHooks& h = g_battleHooks;
    h.sideTurn.Delete();
    h.redraw.Delete();
    h.waitStep.Delete();
    h.selection.Delete();
    h.textEvent.Delete();
    h.battleEvent.Delete();
    h.stateWords.Delete();
    h.squadTurn.Delete();
    h.highlight.Delete();
    h.strength.Delete();
    h.visualCreation.Delete();
    h.visualRemoval.Delete();
    h.defenceMarker.Delete();
    h.position.Delete();
    h.markList.Delete();
    h.orderInfo.Delete();
    h.info.Delete();
    h.hideMarks.Delete();
    h.splitAmount.Delete();
    h.objectFinished.Delete();
}

namespace {
void TellStateListener(uint32_t changed)
{
    g_battleHooks.stateWords.Fire(&g_battleStateWords, changed);
}
}  // namespace

void SetBattleStateBits(uint32_t bits)
{
    g_battleStateWords.a |= bits;
    TellStateListener(bits);
}

void ClearBattleStateBits(uint32_t bits)
{
    g_battleStateWords.a &= ~bits;
    TellStateListener(bits);
}

void SetBattleStateBitsB(uint32_t bits)
{
    g_battleStateWords.b |= bits;
    TellStateListener(bits);
}

void ClearBattleStateBitsB(uint32_t bits)
{
    g_battleStateWords.b &= ~bits;
    TellStateListener(bits);
}

void SetBattleStateBitsC(uint32_t bits, bool on)
{
    if (on)
        g_battleStateWords.c |= bits;
    else
        g_battleStateWords.c &= ~bits;
    TellStateListener(bits);
}

uint16_t LastEventCode(const CGameObject* object)
{
    return uint16_t(object->further & 0xFFFF);
}

void SetLastEventCode(CGameObject* object, uint16_t code)
{
    object->further = (object->further & 0xFFFF0000u) | code;
}

int16_t SecondVisualWord(const CGameObject* object)
{
    return int16_t(object->further >> 16);
}

void SetSecondVisualWord(CGameObject* object, int16_t value)
{
    object->further = (object->further & 0xFFFFu) | (uint32_t(uint16_t(value)) << 16);
}

void DispatchEngineBattleEvent(const BattleEvent& event, uint8_t play)
{
    if (g_battle.noScreen)
        return;
    if (event.source)
        SetLastEventCode(event.source, event.code);
    if (event.battleHandle == 0)
        return;
    g_battleHooks.battleEvent.Fire(&event);
    if (play) {
        g_battleEventQueue.clear();
        g_battleEventQueue.push_back(event.battleHandle);
        WaitForBattleEvents();
    }
}

void RemoveQueuedBattleEvent(uint32_t battleId)
{
    for (size_t i = g_battleEventQueue.size(); i > 0; --i) {
        if (g_battleEventQueue[i - 1] == battleId) {
            g_battleEventQueue.erase(g_battleEventQueue.begin() + ptrdiff_t(i - 1));
            return;
        }
    }
}

void QueueBattleEvent(uint32_t battleId)
{
    // An object without a visual has no animation that could ever finish:
    // waiting for it would hold the battle for good.
    if (!g_battle.noScreen && battleId != 0)
        g_battleEventQueue.push_back(battleId);
}

void WaitForBattleEvents()
{
    if (g_battle.noScreen)
        return;
    g_waitingForEvents = 1;
    while (!IsBattleStopped() && !g_battleEventQueue.empty()) {
        // A screen that plays animations binds the wait step; without one
        // nobody would ever empty the queue, so nothing is left to wait for.
        if (!g_battleHooks.waitStep.IsBound()) {
            g_battleEventQueue.clear();
            break;
        }
        g_battleHooks.waitStep.Fire();
    }
    g_waitingForEvents = 0;
}

void BattleWaitStep()
{
    g_battleHooks.waitStep.Fire();
}

namespace {

// A screen that cannot make a visual answers 0; the object then simply
// plays no animations, which is worth a line in the log.
void RequestVisual(VisualRequest& request)
{
    g_battleHooks.visualCreation.Fire(&request);
    if (request.battleId == 0 && g_battleHooks.visualCreation.IsBound())
        EngineLog("BATTLE", CStr("No visual for ") + request.path);
}

}  // namespace

void NotifyVisualRemoved(uint32_t battleId)
{
    if (!g_battle.noScreen)
        g_battleHooks.visualRemoval.Fire(battleId);
}

void NotifyArmyTurnState(CArmy* army, uint16_t value)
{
    if (g_battle.noScreen || !army)
        return;
    for (int i = army->Count() - 1; i >= 0; --i) {
        const CSquad* s = army->Item(i);
        if (s->battleHandle != 0)
            g_battleHooks.squadTurn.Fire(s->battleHandle, value);
    }
}

void CreateSquadVisual(CSquad* squad, uint8_t side)
{
    VisualRequest request;
    request.object = squad;
    request.kind = squad->Kind();
    request.path = CStr("/Objects/Units/") + (squad->type ? squad->type->typeId : CStr());
    if (g_battle.grid)
        g_battle.grid->CellToPoint(uint8_t(squad->cell), request.point);
    request.side = side;
    request.own = 1;
    RequestVisual(request);
    squad->battleHandle = request.battleId;
    SetSecondVisualWord(squad, int16_t(request.second));
    NotifySquadStrength(squad);
    const uint16_t pose = squad->count > 0 ? uint16_t(kCodeRest + side) : uint16_t(kCodeDeath + side);
    PostSquadPose(squad, squad->battleHandle, squad->Kind(), pose, squad->count == 0);
    if (squad->type && (squad->type->rangedAttack & 0x0F) != 0 && squad->battleState) {
        squad->battleState->missile = std::make_unique<CMissile>(request.path);
        CMissile* missile = squad->battleState->missile.get();
        VisualRequest m;
        m.object = missile;
        m.kind = kKindMissile;
        m.path = request.path;
        m.side = side;
        m.own = 0;
        RequestVisual(m);
        missile->battleHandle = m.battleId;
        SetSecondVisualWord(missile, int16_t(m.second));
    }
    NotifySquadStrength(squad);
}

void CreateArmyVisuals(CArmy* army, uint8_t side)
{
    if (!army)
        return;
    for (int i = 0; i < army->Count(); ++i) {
        CSquad* s = army->Item(i);
        if (s->count > 0 || LastEventCode(s) == kCodeDeath + side)
            CreateSquadVisual(s, side);
    }
}

void CreateSceneObjectVisual(CGameObject* object, uint8_t side)
{
    auto* item = static_cast<CArmyItem*>(object);
    VisualRequest request;
    request.object = object;
    request.kind = object->Kind();
    request.path = CStr("/Objects/Battle/") + object->name;
    if (g_battle.grid)
        g_battle.grid->CellToPoint(uint8_t(item->cell), request.point);
    request.side = side;
    request.own = 1;
    RequestVisual(request);
    object->battleHandle = request.battleId;
    SetSecondVisualWord(object, int16_t(request.second));
    const uint16_t code = LastEventCode(object);
    PostSquadPose(object, object->battleHandle, object->Kind(), code ? code : uint16_t(kCodeRest), false);
    CMissile* missile = nullptr;
    if (object->Kind() == kKindCatapult)
        missile = static_cast<CSiegeCatapult*>(object)->missile.get();
    else if (object->Kind() == kKindTrebuchet)
        missile = static_cast<CSiegeTrebuchet*>(object)->missile.get();
    if (missile) {
        VisualRequest m;
        m.object = missile;
        m.kind = kKindMissile;
        m.path = request.path;
        m.side = 0;
        m.own = 0;
        RequestVisual(m);
        missile->battleHandle = m.battleId;
        SetSecondVisualWord(missile, int16_t(m.second));
    }
}

void CreateBattleVisuals()
{
    CreateArmyVisuals(g_battle.attackerArmy, 1);
    CreateArmyVisuals(g_battle.defenderArmy, 0);
    if (!g_battle.scene)
        return;
    for (int16_t i = 0; i < g_battle.scene->ObjectCount(); ++i)
        if (CArmyItem* object = g_battle.scene->ObjectAt(i))
            CreateSceneObjectVisual(object, 0);
}
