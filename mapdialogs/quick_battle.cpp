#include "mapdialogs/quick_battle.h"

#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_rules.h"
#include "battle/quick_battle.h"
#include "core/device_mgr.h"
#include "game/battle_seam.h"

namespace {

// The path the trainer and the map battles pass too; the engine reads its one
// rules text whatever it is given.
constexpr const char* kBattleRulesPath = "/rules/battle/battle";

}  // namespace

CQuickBattle::CQuickBattle()
{
    LoadBattleRules(kBattleRulesPath);
}

CQuickBattle::~CQuickBattle()
{
    DetachHooks();
    UnloadBattleRules();
    if (m_closeGuard.IsConnected())
        m_closeGuard.Disconnect();
    CCallback::Clear(m_finished);
}

void CQuickBattle::RefuseClose(intptr_t vetoByte, SignalDelegate*)
{
    if (vetoByte != 0)
        *reinterpret_cast<uint8_t*>(vetoByte) = 0;
}

void CQuickBattle::DetachHooks()
{
    if (m_closeGuard.IsConnected())
        m_closeGuard.Disconnect();
    CloseSignal.Connect(&CQuickBattle::RefuseClose, m_closeGuard);
    // Every slot, the two the battle screen keeps across battles included:
    // nothing of a screen may be reached while no screen is shown.
    DeleteBattleHooks();
    g_battleHooks.penFilter.Delete();
    g_battleHooks.turnStart.Delete();
}

void CQuickBattle::Run(uint8_t resume)
{
    DetachHooks();
    m_resume = resume;
    if (m_battle == nullptr)
        return;
    // A record without both sides, or a siege without its castle, cannot be
    // set up: it ends as a stopped battle, as the engine's own quick
    // resolution ends it, instead of reaching into what is not there.
    if (m_battle->attacker == nullptr || m_battle->defender == nullptr ||
        (m_battle->kind == kBattleSiege && m_battle->castle == nullptr)) {
        BattleResult = kBattleStopped;
        return;
    }
    // Nobody watches: the engine must neither wait for animations nor hand
    // a side to a player who has no screen to play it on.
    m_battle->noScreen = 1;
    // Two sides that cannot reach each other would otherwise turn for ever
    // behind a notice nobody can close.
    const int32_t oldLimit = g_battleTurnLimit;
    g_battleTurnLimit = kQuickBattleRoundLimit;
    if (resume == 0) {
        BeginBattle(m_battle);
        RunPlacementPhase();
        RunBattleTurns();
    } else {
        g_battle.noScreen = 1;
        ResumeBattle();
    }
    g_battleTurnLimit = oldLimit;
    if (m_finished != nullptr)
        m_finished->Invoke(0);
    EndBattle();
}
