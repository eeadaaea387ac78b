#include "tests/battle/ai_battle_fixture.h"

#include "battle/battle_ai_player.h"
#include "battle/battle_scene.h"
#include "battle/side_controller.h"
#include "battle/squad_battle_state.h"
#include "core/random.h"
#include "game/army.h"

void AiBattleTest::SetUp()
{
    m_saved = InstalledBattleAi();
    InstallBattleAiPlayer();
    SetShippedBattleRules();
    SetRandomState(20261210);
}

void AiBattleTest::TearDown()
{
    if (m_begun)
        EndBattle();
    InstallBattleAi(m_saved);
}

void AiBattleTest::Begin(uint32_t kind)
{
    sides.params.kind = kind;
    if (kind == kBattleSiege)
        sides.params.castle = &sides.castle;
    BeginBattle(&sides.params);
    m_begun = true;
    if (kind == kBattleSiege)
        g_battle.scene->Prepare();
}

void AiBattleTest::End()
{
    EndBattle();
    m_begun = false;
}

CSquad* AiBattleTest::Attacker(int i) const
{
    return sides.attacker.army.Item(i);
}
CSquad* AiBattleTest::Defender(int i) const
{
    return sides.defender.army.Item(i);
}
CSideController* AiBattleTest::AttackerSide() const
{
    return g_battle.attackerSide;
}
CSideController* AiBattleTest::DefenderSide() const
{
    return g_battle.defenderSide;
}

CSideController* AiBattleTest::SideOf(const CSquad* squad) const
{
    return sides.attacker.army.Contains(squad) ? AttackerSide() : DefenderSide();
}

void AiBattleTest::Put(CSquad* squad, uint8_t cell)
{
    SideOf(squad)->PlaceSquadAt(squad, cell);
}

void AiBattleTest::Ready()
{
    for (CArmy* army : {&sides.attacker.army, &sides.defender.army})
        for (int i = 0; i < army->Count(); ++i) {
            CSquad* squad = army->Item(i);
            if (squad->count > 0)
                SetMovePoints(squad, squad->type->moveSpeed);
        }
}
