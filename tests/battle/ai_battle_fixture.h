#pragma once
// A battle without screen in which the battle AI plays both computer sides:
// the shipped rules, the three test squad types, a fixed random seed, and
// helpers to put squads where a test wants them.

#include <gtest/gtest.h>

#include <cstdint>

#include "battle/side_ai.h"
#include "tests/battle/battle_fixture.h"

class CSideController;
class CSquad;

class AiBattleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the battle (squads lined up, sides created); a siege takes the
    // fixture's castle and gets its walls and gates from it.
    void Begin(uint32_t kind = kBattleOpenField);
    void End();
    CSquad* Attacker(int i) const;
    CSquad* Defender(int i) const;
    CSideController* AttackerSide() const;
    CSideController* DefenderSide() const;
    CSideController* SideOf(const CSquad* squad) const;
    void Put(CSquad* squad, uint8_t cell);
    // Every living squad of both armies gets its full move points.
    void Ready();

    BattleSquadTypes types;
    BattleSides sides;

private:
    BattleAiInstall m_saved;
    bool m_begun = false;
};
