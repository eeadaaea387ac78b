#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_rules.h"
#include "battle/battle_scene.h"
#include "battle/quick_battle.h"
#include "battle/side_ai.h"
#include "core/pack_format.h"
#include "core/random.h"
#include "core/resource_mgr.h"
#include "core/text_section_reader.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/squad_type.h"
#include "tests/battle/battle_fixture.h"
#include "tests/support/build_folder.h"

namespace {

std::string DataFolderOfTheBuild()
{
    return TestDataFolder();
}

class ShippedBattleData : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(CResourceMgr::InitFromFolder(DataFolderOfTheBuild().c_str())); }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
        InstallBattleAi(BattleAiInstall{});
        CResourceMgr::Shutdown();
    }
};

TEST_F(ShippedBattleData, TheRulesTextHasEverySection)
{
    ASSERT_TRUE(LoadBattleRules("/rules/battle/battle"));
    const BattleRules read = g_battleRules;
    const SiegeLayout layout = g_siegeLayout;
    SetShippedBattleRules();
    const BattleRules& r = g_battleRules;
    EXPECT_EQ(read.meleeBase, r.meleeBase);
    EXPECT_EQ(read.meleeAttackerSkill, r.meleeAttackerSkill);
    EXPECT_EQ(read.meleeDefenderSkill, r.meleeDefenderSkill);
    EXPECT_EQ(read.rangedPercent, r.rangedPercent);
    EXPECT_EQ(read.rangedBase, r.rangedBase);
    EXPECT_EQ(read.trebuchetDamage, r.trebuchetDamage);
    EXPECT_EQ(read.trebuchetHitChance, r.trebuchetHitChance);
    EXPECT_EQ(read.trebuchetReload, r.trebuchetReload);
    EXPECT_EQ(read.catapultDamage, r.catapultDamage);
    EXPECT_EQ(read.siegeDamageCut, r.siegeDamageCut);
    EXPECT_EQ(read.siegeCountMax, r.siegeCountMax);
    EXPECT_EQ(read.siegeCountMin, r.siegeCountMin);
    EXPECT_EQ(read.cellCosts, r.cellCosts);
    EXPECT_EQ(layout.wallCells, g_siegeLayout.wallCells);
    EXPECT_EQ(layout.towerCells, g_siegeLayout.towerCells);
    EXPECT_EQ(layout.gateCell, g_siegeLayout.gateCell);
    EXPECT_EQ(layout.moatCells, g_siegeLayout.moatCells);
    // The moat line has one cell on every playable row.
    CBattleGrid grid;
    ASSERT_EQ(layout.moatCells.size(), 9u);
    for (size_t i = 0; i < layout.moatCells.size(); ++i)
        EXPECT_EQ(layout.moatCells[i] / grid.columns, int(i) + 1);
}

TEST_F(ShippedBattleData, ObstaclesKeepOffTheBorderAndTheStartingColumns)
{
    TextSectionReader reader;
    ASSERT_TRUE(
        reader.Open("/Rules/Battle/obstacles", pack_format::kTextTableType, TextSectionReader::kAllOptions));
    const int32_t layouts = reader.ReadInt(0);
    ASSERT_GE(layouts, 2);
    CBattleGrid grid;
    for (int32_t k = 0; k < layouts; ++k) {
        CStr section;
        section.Format("[%ld]", long(k));
        ASSERT_TRUE(reader.FindSection(section.Chars())) << k;
        const int32_t n = reader.ReadInt(-1);
        ASSERT_GE(n, 0) << k;
        for (int32_t i = 0; i < n; ++i) {
            CStr name;
            ASSERT_TRUE(reader.ReadLine(name)) << "layout " << k;
            const int32_t cell = reader.ReadInt(-1);
            ASSERT_GE(cell, 0);
            ASSERT_LT(cell, grid.cellCount);
            EXPECT_FALSE(grid.IsBorder(uint8_t(cell))) << "layout " << k << " cell " << cell;
            const int column = cell % grid.columns;
            EXPECT_TRUE(column >= 3 && column <= 8) << "layout " << k << " cell " << cell;
        }
    }
}

TEST_F(ShippedBattleData, TheDrawbridgeHasHitPoints)
{
    EXPECT_GT(ReadBattleObjectNumber(CStr("Bridge"), 0), 0);
}

TEST_F(ShippedBattleData, AShippedArmyFightsAQuickBattle)
{
    LoadSquadTypes();
    if (SquadTypeRegistry().size() < 2) {
        FreeSquadTypes();
        GTEST_SKIP() << "the squad types are not in this build's packs";
    }
    BattleSides sides;
    const auto& types = SquadTypeRegistry();
    AddSquad(sides.attacker, types[0], 25);
    AddSquad(sides.attacker, types[1], 20);
    AddSquad(sides.defender, types[1], 20);
    AddSquad(sides.defender, types[0], 15);
    sides.castle.catapults = 2;
    for (uint8_t& s : sides.castle.segments)
        s = 20;
    sides.castle.gates = 30;
    MapBattleRecord record;
    record.siege = 1;
    record.castle = &sides.castle;
    record.attacker = &sides.attacker;
    record.defender = &sides.defender;
    SetRandomState(42);
    ResolveMapBattle(&record, 1);
    EXPECT_TRUE(BattleResult == kBattleEnded || BattleResult == kBattleAttackerGaveUp);
    EXPECT_EQ(g_battle.grid, nullptr);
    FreeSquadTypes();
}

// The siege balance of the shipped data, fought by the battle AI on both
// sides as the map fights it: a province's starting garrison (strength 32)
// in a capital (moat, one catapult) against a lord's starting army scaled to
// a multiple of its strength. A trebuchet breaks a wall and takes the castle
// at four times the garrison's strength; an equal army does not, nor a
// fourfold one without a trebuchet.
TEST_F(ShippedBattleData, TheTrebuchetDecidesTheSiegeOfACapital)
{
    LoadSquadTypes();
    struct Squads {
        const char* type;
        int32_t count;
    };
    const Squads garrison[] = {{"Militia", 6}, {"Spearman", 2}, {"Archer", 3}};
    // The lord's army of strength 196, at the garrison's strength.
    const Squads lordsArmy[] = {
        {"Militia", 20}, {"Spearman", 10}, {"Swordsman", 8}, {"Archer", 10}, {"Horseman", 4}};
    for (const Squads& s : lordsArmy)
        if (!FindSquadType(CStr(s.type))) {
            FreeSquadTypes();
            GTEST_SKIP() << "the squad types are not in this build's packs";
        }
    struct Case {
        int ratio;
        bool trebuchet;
        int minWins, maxWins;  // of 20
        double minWallsDown;   // on average
    };
    const Case cases[] = {
        {1, true, 0, 5, 0},  {3, true, 0, 20, 1}, {4, true, 15, 20, 1},
        {5, true, 0, 20, 1}, {6, true, 0, 20, 1}, {4, false, 0, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ratio) + "x, " + (c.trebuchet ? "trebuchet" : "no trebuchet"));
        int wins = 0, wallsDown = 0;
        for (uint32_t seed = 1; seed <= 20; ++seed) {
            BattleSides sides;
            sides.attacker.hero.battle = sides.defender.hero.battle = 3;
            sides.attacker.hero.builder = sides.defender.hero.builder = 2;
            for (const Squads& s : garrison)
                AddSquad(sides.defender, FindSquadType(CStr(s.type)), s.count);
            for (const Squads& s : lordsArmy)
                AddSquad(sides.attacker, FindSquadType(CStr(s.type)),
                         int32_t(std::lround(s.count * c.ratio * 32 / 196.0)));
            sides.attacker.army.flagB = c.trebuchet ? 1 : 0;
            sides.castle.moat = 1;
            sides.castle.catapults = 1;
            sides.castle.percent = 100;
            sides.castle.DefencesFromPercent();
            MapBattleRecord record;
            record.siege = 1;
            record.castle = &sides.castle;
            record.attacker = &sides.attacker;
            record.defender = &sides.defender;
            SetRandomState(seed);
            ResolveMapBattle(&record, 1);
            wins += BattleResult == kBattleEnded && !sides.defender.army.HasUnits();
            for (uint8_t segment : sides.castle.segments)
                wallsDown += segment == 0;
        }
        EXPECT_GE(wins, c.minWins);
        EXPECT_LE(wins, c.maxWins);
        EXPECT_GE(wallsDown / 20.0, c.minWallsDown);
    }
    FreeSquadTypes();
}

}  // namespace
