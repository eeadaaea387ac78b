#include <gtest/gtest.h>

#include "battle/battle_flow.h"
#include "battle/quick_battle.h"
#include "battle/side_ai.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/battle/battle_fixture.h"

namespace {

class QuickBattleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        AddSquad(sides.attacker, types.sword, 40);
        AddSquad(sides.attacker, types.bow, 20);
        AddSquad(sides.defender, types.sword, 15);
        AddSquad(sides.defender, types.axe, 5);
        province.index = 4;
        record.attacker = &sides.attacker;
        record.defender = &sides.defender;
        record.attackerMode = kSideComputer;
        record.defenderMode = kSideAutomatic;
        record.openField = &province;
        BattleResult = kBattleNoResult;
    }
    // The resolution puts the battle AI in charge when it is there.
    void TearDown() override { InstallBattleAi(BattleAiInstall{}); }
    int32_t Total(const CArmy& army)
    {
        int32_t n = 0;
        for (int32_t c : Counts(army))
            n += c;
        return n;
    }

    BattleSquadTypes types;
    BattleSides sides;
    ProvinceRecord province;
    MapBattleRecord record;
};

TEST_F(QuickBattleTest, TheRecordBecomesAParameterBlock)
{
    record.difficulty = 2;
    record.attackerMode = kSideHuman;
    BattleParams params;
    MapBattleToParams(record, params);
    EXPECT_EQ(params.noScreen, 1);
    EXPECT_EQ(params.powerOption, 2u);
    EXPECT_EQ(params.kind, kBattleOpenField);
    EXPECT_EQ(params.attacker, &sides.attacker);
    EXPECT_EQ(params.attackerSideKind, 2u);  // nobody plays by hand without a screen
    EXPECT_EQ(params.defenderSideKind, 2u);
    EXPECT_EQ(params.obstacleLayout, 4);
    EXPECT_EQ(params.castle, nullptr);
    record.siege = 1;
    record.castle = &sides.castle;
    record.defenderMode = kSideComputer;
    MapBattleToParams(record, params);
    EXPECT_EQ(params.kind, kBattleSiege);
    EXPECT_EQ(params.castle, &sides.castle);
    EXPECT_EQ(params.defenderSideKind, 1u);
}

TEST_F(QuickBattleTest, AnOpenFieldBattleIsFoughtToItsEnd)
{
    SetRandomState(99);
    ResolveMapBattle(&record, 1);
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_EQ(Total(sides.defender.army), 0);  // the stronger attacker wins
    EXPECT_GT(Total(sides.attacker.army), 0);
    EXPECT_LE(Total(sides.attacker.army), 60);
    EXPECT_EQ(g_battle.grid, nullptr);
    EXPECT_EQ(sides.attacker.army.Item(0)->battleState, nullptr);
    EXPECT_EQ(g_battleTurnLimit, 0);
}

TEST_F(QuickBattleTest, ASiegeWritesTheCastleBack)
{
    sides.castle.catapults = 2;
    sides.castle.gates = 20;
    sides.castle.percent = 60;
    sides.castle.work = kWorkMoat;
    for (uint8_t& s : sides.castle.segments)
        s = 10;
    record.siege = 1;
    record.castle = &sides.castle;
    record.openField = nullptr;
    SetRandomState(5);
    ResolveMapBattle(&record, 1);
    EXPECT_EQ(BattleResult, kBattleEnded);
    EXPECT_TRUE((Total(sides.attacker.army) == 0) != (Total(sides.defender.army) == 0));
    EXPECT_EQ(sides.castle.work, kWorkNone);  // building stops for a siege
    EXPECT_LE(sides.castle.catapults, 2);
}

TEST_F(QuickBattleTest, TheSameSeedGivesTheSameBattle)
{
    BattleSides again;
    AddSquad(again.attacker, types.sword, 40);
    AddSquad(again.attacker, types.bow, 20);
    AddSquad(again.defender, types.sword, 15);
    AddSquad(again.defender, types.axe, 5);
    MapBattleRecord second = record;
    second.attacker = &again.attacker;
    second.defender = &again.defender;
    SetRandomState(1234);
    ResolveMapBattle(&record, 1);
    SetRandomState(1234);
    ResolveMapBattle(&second, 1);
    EXPECT_EQ(Counts(sides.attacker.army), Counts(again.attacker.army));
    EXPECT_EQ(Counts(sides.defender.army), Counts(again.defender.army));
}

TEST_F(QuickBattleTest, AnIncompleteRecordIsNotFought)
{
    record.siege = 1;
    record.castle = nullptr;
    ResolveMapBattle(&record, 1);
    EXPECT_EQ(BattleResult, kBattleStopped);
    EXPECT_EQ(Counts(sides.defender.army), (std::vector<int32_t>{15, 5}));
}

}  // namespace
