#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_scene.h"
#include "battle/path_map.h"
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

class OpenFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShippedBattleRules();
        AddSquad(sides.attacker, types.sword, 5);
        AddSquad(sides.defender, types.sword, 5);
    }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
    }
    void Mount(const std::vector<std::string>& lines)
    {
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddText("Rules/Battle/obstacles", "zkqd", CrLf(lines)));
        data.AddPack("obstacles", pack);
        ASSERT_TRUE(data.Mount());
    }
    std::vector<std::string> Layouts()
    {
        return {"// three layouts", "3",  "[0]",   "0",  "[1]", "3", "Stone1",      "48",
                "Stone2",           "59", "Tree1", "48", "[2]", "1", "BlockedCell", "70"};
    }
    COpenFieldScene* Begin(uint8_t layout)
    {
        sides.params.obstacleLayout = layout;
        BeginBattle(&sides.params);
        return static_cast<COpenFieldScene*>(g_battle.scene);
    }

    FixtureData data;
    BattleSquadTypes types;
    BattleSides sides;
};

TEST_F(OpenFieldTest, TheLayoutNumberWrapsAroundTheLayouts)
{
    Mount(Layouts());
    COpenFieldScene* scene = Begin(7);  // 7 mod 3: layout 1
    ASSERT_EQ(scene->ObjectCount(), 3);
    EXPECT_EQ(scene->ObjectAt(0)->name, CStr("Stone1"));
    EXPECT_EQ(scene->ObjectAt(1)->cell, 59u);
    // Two obstacles on one cell: both kept, the later one stands there.
    EXPECT_EQ(g_battle.grid->Cell(48).occupant, scene->ObjectAt(2));
    EXPECT_EQ(g_battle.grid->Cell(48).state, kCellGround);
    for (int16_t i = 0; i < scene->ObjectCount(); ++i) {
        EXPECT_EQ(scene->ObjectAt(i)->Kind(), kKindObstacle);
        EXPECT_EQ(scene->ObjectAt(i)->hitPoints, 0);
    }
    // An obstacle is never destroyed: a blow does nothing to it.
    scene->ObjectAt(1)->Damage(10);
    EXPECT_EQ(scene->ObjectAt(1)->flags, 0u);
    EXPECT_FALSE(IsCellPassable(g_battle.grid, 59));
}

TEST_F(OpenFieldTest, EmptyAndMissingLayoutsGiveAnEmptyField)
{
    Mount(Layouts());
    EXPECT_EQ(Begin(3)->ObjectCount(), 0);  // layout 0 has no obstacles
    EndBattle();
    EXPECT_EQ(Begin(2)->ObjectCount(), 1);
    EndBattle();
    FixtureData other;
    PackWriter pack(1);
    ASSERT_TRUE(pack.AddText("Rules/Battle/obstacles", "zkqd", CrLf({"4", "[0]", "1", "Stone1", "40"})));
    other.AddPack("obstacles", pack);
    ASSERT_TRUE(other.Mount());
    EXPECT_EQ(Begin(1)->ObjectCount(), 0);  // section [1] is missing
}

TEST_F(OpenFieldTest, ObstaclesOffTheGridAreLeftOut)
{
    Mount({"1", "[0]", "3", "Stone1", "300", "Stone2", "-4", "Stone1", "40"});
    COpenFieldScene* scene = Begin(0);
    ASSERT_EQ(scene->ObjectCount(), 1);
    EXPECT_EQ(scene->ObjectAt(0)->cell, 40u);
}

TEST_F(OpenFieldTest, NoTextNoObstacles)
{
    EXPECT_EQ(Begin(5)->ObjectCount(), 0);
}

}  // namespace
