#include <gtest/gtest.h>

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

}  // namespace
