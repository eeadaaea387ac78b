#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_rules.h"
#include "core/random.h"
#include "tests/battle/battle_fixture.h"
#include "tests/support/fixture_packs.h"

namespace {

std::string CrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    return text;
}

class FormulaTest : public ::testing::Test {
protected:
    void SetUp() override { SetShippedBattleRules(); }
};

// Draws of the game's generator after the given states (worked out by hand
// from state = (state + 1) x 1103515245 + 12345, draw = state >> 16):
// state 0 draws 16838, 7 draws 3634, 1000 draws 12392, 9 draws 37311,
// 8 draws 20472.
TEST_F(FormulaTest, MeleeDamage)
{
    struct Case {
        uint32_t seed;
        uint8_t power;
        int32_t count;
        uint8_t a, d;
        int16_t bonus;
        int32_t damage;
    };
    const Case cases[] = {
        {0, 3, 10, 0, 0, 0, 18},     // spread 41: loss 16838 % 42 = 38, percent 62
        {7, 4, 25, 0, 0, 50, 117},   // loss 22, percent 78: 78, then +50 %
        {1000, 2, 7, 0, 3, -20, 8},  // spread 53: loss 26, percent 74: 10, then -20 %
        {0, 5, 10, 0, 3, 0, 28},     // loss 16838 % 54 = 44, percent 56
        {9, 2, 10, 0, 3, 0, 10},     // loss 51 would leave 49: raised to 50
        {0, 3, 10, 6, 0, 0, 30},     // spread -1: no draw, percent 100
    };
    for (const Case& c : cases) {
        SetRandomState(c.seed);
        EXPECT_EQ(MeleeDamage(c.power, c.count, c.a, c.d, c.bonus), c.damage) << "seed " << c.seed;
    }
    // An absurd squad (only a damaged saved game makes one) is held at the
    // largest damage instead of overflowing.
    EXPECT_EQ(MeleeDamage(15, 200000000, 6, 0, 0), INT32_MAX);
    EXPECT_EQ(RangedDamage(0, 15, 200000000, 9, 0, 50), INT32_MAX);
    SetRandomState(77);
    MeleeDamage(3, 10, 6, 0, 0);
    EXPECT_EQ(RandomState(), 77u);  // a negative spread takes no draw
}

TEST_F(FormulaTest, MeleePercentStaysBetweenFiftyAndHundred)
{
    SetRandomState(1);
    for (int i = 0; i < 500; ++i) {
        const int32_t d = MeleeDamage(1, 100, 0, 20, 0);  // spread 121: losses up to 121
        EXPECT_GE(d, 50);
        EXPECT_LE(d, 100);
    }
}

TEST_F(FormulaTest, RangedDamage)
{
    BattleSquadTypes types;
    BattleSides sides;
    AddSquad(sides.attacker, types.bow, 1);
    AddSquad(sides.defender, types.sword, 1);
    struct Case {
        uint32_t kind;
        uint8_t fortWalls;
        uint8_t shooterIsAttacker;
        int32_t damage;
    };
    // Seed 0: spread 52, loss 16838 % 53 = 37, percent 63: 2 x 10 x 63 / 100 = 12.
    const Case cases[] = {
        {kBattleOpenField, 0, 1, 12}, {kBattleOpenField, 0, 0, 12},
        {kBattleSiege, 0, 1, 8},   // two thirds behind plain walls
        {kBattleSiege, 1, 1, 6},   // half behind fortified walls
        {kBattleSiege, 1, 0, 12},  // the defenders' shots are not reduced
    };
    for (const Case& c : cases) {
        sides.params.kind = c.kind;
        sides.castle.fortWalls = c.fortWalls;
        sides.params.castle = c.kind == kBattleSiege ? &sides.castle : nullptr;
        BeginBattle(&sides.params);
        SetRandomState(0);
        EXPECT_EQ(RangedDamage(c.shooterIsAttacker, 2, 10, 0, 0, 0), c.damage)
            << "kind " << c.kind << " fort " << int(c.fortWalls) << " attacker " << int(c.shooterIsAttacker);
        EndBattle();
    }
    // Seed 8 with the target's hero at skill 13: spread 104, loss 102, percent -2.
    SetRandomState(8);
    EXPECT_EQ(RangedDamage(0, 5, 100, 0, 13, 0), -10);
    // Seed 7, spread 52: loss 3634 % 53 = 30, percent 70; the bonus applies last.
    SetRandomState(7);
    EXPECT_EQ(RangedDamage(0, 3, 10, 0, 0, 100), 42);
}

TEST_F(FormulaTest, SquadAttacksApplyBonusesDefenceAndStance)
{
    BattleSquadTypes types;
    CSquadType* sword = const_cast<CSquadType*>(types.sword);
    CSquadType* axe = const_cast<CSquadType*>(types.axe);
    sword->meleeBonuses.push_back(SquadBonus{axe, 50});
    axe->meleeDefence = 20;
    CSquad attacker, target;
    attacker.SetType(sword);
    attacker.count = 10;
    target.SetType(axe);
    target.count = 5;
    target.CreateBattleState();
    HeroRecord hero;
    hero.battle = 6;  // spread 41 - 42: no draw
    HeroRecord enemy;
    enemy.battle = 0;
    // 3 x 10 = 30, +50 % = 45, -20 % defence = 36.
    EXPECT_EQ(MeleeAttackDamage(&hero, &enemy, &attacker, &target), 36);
    target.battleState->byteC = 35;  // standing in defence
    EXPECT_EQ(MeleeAttackDamage(&hero, &enemy, &attacker, &target), 36 * 65 / 100);
}

TEST_F(FormulaTest, SiegeObjectDamage)
{
    struct Case {
        int32_t count, shot, damage;
    };
    const Case cases[] = {
        {10, 4, 15},   // counts as 50: 20, less 30 %: 14, raised to 15
        {0, 2, 15},    // an empty squad still takes the least damage
        {100, 5, 35},  // 50, less 30 %
        {500, 4, 64},  // counts as 230: 92, less 30 %
        {230, 3, 48},
    };
    for (const Case& c : cases) {
        CSquad squad;
        squad.count = c.count;
        EXPECT_EQ(SiegeObjectDamage(&squad, c.shot), c.damage) << c.count << " " << c.shot;
    }
}

TEST_F(FormulaTest, TrebuchetReloadFollowsTheBuilderSkill)
{
    BattleSquadTypes types;
    BattleSides sides;
    AddSquad(sides.attacker, types.sword, 1);
    AddSquad(sides.defender, types.sword, 1);
    const struct {
        uint8_t skill, turns;
    } cases[] = {{0, 3}, {1, 3}, {2, 2}, {5, 2}, {6, 1}, {12, 1}};
    for (const auto& c : cases) {
        sides.attacker.hero.builder = c.skill;
        BeginBattle(&sides.params);
        EXPECT_EQ(TrebuchetReloadTurnsRule(), c.turns) << int(c.skill);
        EndBattle();
    }
}

TEST_F(FormulaTest, MoatLine)
{
    BattleSquadTypes types;
    BattleSides sides;
    AddSquad(sides.attacker, types.sword, 1);
    AddSquad(sides.defender, types.sword, 1);
    BeginBattle(&sides.params);
    const struct {
        uint8_t cell;
        bool before;
    } cases[] = {
        {59, true}, {56, true},  {60, false}, {61, false},  // row 5: moat at 60
        {16, true}, {17, false}, {13, true},                // row 1: moat at 17
        {93, true}, {94, false},                            // row 8: moat at 94
        {0, false}, {5, false},                             // border: no centre
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBeforeMoatLine(c.cell), c.before) << int(c.cell);
    // A row without a moat cell is never before the line.
    g_siegeLayout.moatCells = {17, 28};
    EXPECT_FALSE(IsBeforeMoatLine(59));
    EndBattle();
}

class RulesTextTest : public ::testing::Test {
protected:
    std::vector<std::string> Lines(bool withCellCost)
    {
        std::vector<std::string> lines = {
            "// test rules",
            "[HeroSkills]",
            "40",
            "6",
            "3",
            "[RangedAttack]",
            "90",
            "50",
            "5",
            "2",
            "[Trebuchet]",
            "2",
            "80",
            "5",
            "4",
            "1",
            "42",
            "32",
            "[Catapult]",
            "6",
            "25",
            "47",
            "34",
            "200",
            "40",
            "[SiegeBattle]",
            "2",
            "29",
            "39  // two walls",
            "1",
            "50",
            "60",
            "3",
            "17",
            "28",
            "38",
        };
        if (withCellCost)
            lines.insert(lines.end(), {"[CellCost]", "3", "1", "2", "2"});
        return lines;
    }
    void Mount(const std::vector<std::string>& lines)
    {
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddText("Rules/Battle/battle", "zkqd", CrLf(lines)));
        data.AddPack("battle", pack);
        ASSERT_TRUE(data.Mount());
    }
    FixtureData data;
};

TEST_F(RulesTextTest, EverySectionIsRead)
{
    Mount(Lines(true));
    ASSERT_TRUE(LoadBattleRules("/rules/battle/battle"));
    const BattleRules& r = g_battleRules;
    EXPECT_EQ(r.meleeBase, 40);
    EXPECT_EQ(r.meleeDefenderSkill, 3);
    EXPECT_EQ(r.rangedPercent, 90);
    EXPECT_EQ(r.rangedDefenderSkill, 2);
    EXPECT_EQ(r.trebuchetDamage, 2u);
    EXPECT_EQ(r.trebuchetHitChance, 80);
    EXPECT_EQ(r.trebuchetReload, 4);
    EXPECT_EQ(r.trebuchetValue7, 32);
    EXPECT_EQ(r.catapultDamage, 6u);
    EXPECT_EQ(r.siegeDamageCut, 25u);
    EXPECT_EQ(r.siegeCountMax, 200);
    EXPECT_EQ(r.siegeCountMin, 40);
    EXPECT_EQ(g_siegeLayout.wallCells, (std::vector<uint8_t>{29, 39}));
    EXPECT_EQ(g_siegeLayout.towerCells, (std::vector<uint8_t>{50}));
    EXPECT_EQ(g_siegeLayout.gateCell, 60);
    EXPECT_EQ(g_siegeLayout.moatCells, (std::vector<uint8_t>{17, 28, 38}));
    EXPECT_EQ(r.cellCosts, (std::vector<uint8_t>{1, 2, 2}));
}

TEST_F(RulesTextTest, AMissingSectionFailsButKeepsWhatWasRead)
{
    Mount(Lines(false));
    EXPECT_FALSE(LoadBattleRules("/rules/battle/battle"));
    EXPECT_EQ(g_battleRules.siegeCountMin, 40);
    EXPECT_EQ(g_siegeLayout.moatCells.size(), 3u);
}

TEST_F(RulesTextTest, ACastleOffTheFieldIsRefusedAsTheTextLoads)
{
    // The castle section of the sample text, with one thing spoilt each time.
    struct Case {
        const char* what;
        std::vector<std::string> siege;  // walls, towers, gate, moat
    };
    const Case cases[] = {
        {"a wall past the last cell", {"2", "29", "121", "1", "50", "60", "1", "17"}},
        {"a wall on the border ring", {"2", "29", "11", "1", "50", "60", "1", "17"}},
        {"more walls than segments", {"5", "29", "39", "83", "95", "40", "1", "50", "60", "1", "17"}},
        {"more towers than the engines fire",
         {"1", "29", "5", "50", "72", "18", "106", "61", "60", "1", "17"}},
        {"a tower at cell 0", {"1", "29", "1", "0", "60", "1", "17"}},
        {"the gate on the border ring", {"1", "29", "1", "50", "65", "1", "17"}},
        {"a moat cell past the last cell", {"1", "29", "1", "50", "60", "2", "17", "200"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> lines = Lines(true);
        const auto siege = std::find(lines.begin(), lines.end(), "[SiegeBattle]") + 1;
        lines.erase(siege, lines.end());
        lines.insert(lines.end(), c.siege.begin(), c.siege.end());
        lines.insert(lines.end(), {"[CellCost]", "1", "1"});
        g_siegeLayout = SiegeLayout();
        g_siegeLayout.gateCell = 60;
        Mount(lines);
        EXPECT_FALSE(LoadBattleRules("/rules/battle/battle")) << c.what;
        EXPECT_TRUE(g_siegeLayout.wallCells.empty()) << c.what << ": the layout in force stays";
    }
}

TEST_F(RulesTextTest, ATextWithoutTheSectionsChangesNothing)
{
    Mount({"[Other]"});
    g_battleRules.meleeBase = 99;
    EXPECT_FALSE(LoadBattleRules("/rules/battle/battle"));
    EXPECT_EQ(g_battleRules.meleeBase, 99);
}

}  // namespace
