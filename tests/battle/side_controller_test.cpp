#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "battle/battle_scene.h"
#include "battle/computer_side.h"
#include "battle/squad_battle_state.h"
#include "core/random.h"
#include "game/army.h"
#include "tests/battle/battle_fixture.h"

namespace {

// A side that shows nothing but remembers what it was asked to show.
class RecordingSide : public CMuteComputerSideController {
public:
    struct Shown {
        CSquad* actor;
        CSquad* target;
        bool hurt;
        bool killed;
    };
    void ShowMeleeAttack(CSquad* a, CSquad* t, bool killed) override
    {
        melee.push_back({a, t, true, killed});
    }
    void ShowRangedAttack(CSquad* s, CSquad* t, bool hurt, bool killed) override
    {
        ranged.push_back({s, t, hurt, killed});
    }
    void MoveSquad(CSquad*, uint8_t cell, uint16_t) override { steps.push_back(cell); }
    std::vector<Shown> melee, ranged;
    std::vector<uint8_t> steps;
};

class SideControllerTest : public ::testing::Test {
protected:
    void SetUp() override { SetShippedBattleRules(); }
    void TearDown() override
    {
        side.reset();
        if (g_battle.grid)
            EndBattle();
    }
    // Begins the battle and makes a recording controller for the attacker.
    void Begin()
    {
        BeginBattle(&sides.params);
        side = std::make_unique<RecordingSide>();
        side->Init(g_battle.attackerSide->SetupPtr());
    }
    CSquad* A(int i) { return sides.attacker.army.Item(i); }
    CSquad* D(int i) { return sides.defender.army.Item(i); }

    BattleSquadTypes types;
    BattleSides sides;
    std::unique_ptr<RecordingSide> side;
};

TEST_F(SideControllerTest, SquadsLineUpInTheirColumns)
{
    for (int i = 0; i < 7; ++i) {
        AddSquad(sides.attacker, types.sword, i == 2 ? 0 : 5);  // the third is dead
        AddSquad(sides.defender, types.bow, 5);
    }
    BeginBattle(&sides.params);
    const uint8_t attackerCells[] = {13, 35, 0, 57, 79, 101, 24};
    const uint8_t defenderCells[] = {20, 42, 64, 86, 108, 31, 53};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(A(i)->cell, attackerCells[i]) << i;
        EXPECT_EQ(D(i)->cell, defenderCells[i]) << i;
        EXPECT_EQ(g_battle.grid->Cell(defenderCells[i]).occupant, D(i));
        EXPECT_EQ(SideByte(D(i)), 0);
    }
    EXPECT_EQ(SideByte(A(0)), 1);
    EXPECT_EQ(g_battle.grid->Cell(0).occupant, nullptr);  // the dead squad stands nowhere
}

TEST_F(SideControllerTest, MoreThanNineSquadsStillGetFreeCells)
{
    for (int i = 0; i < 12; ++i) {
        AddSquad(sides.attacker, types.sword, 5);
        AddSquad(sides.defender, types.sword, 5);
    }
    BeginBattle(&sides.params);
    for (CArmy* army : {&sides.attacker.army, &sides.defender.army}) {
        std::vector<uint32_t> seen;
        for (int i = 0; i < army->Count(); ++i) {
            const CSquad* s = army->Item(i);
            EXPECT_FALSE(g_battle.grid->IsBorder(uint8_t(s->cell))) << i;
            EXPECT_EQ(g_battle.grid->Cell(uint8_t(s->cell)).occupant, s) << i;
            for (uint32_t c : seen)
                EXPECT_NE(c, s->cell);
            seen.push_back(s->cell);
        }
    }
}

TEST_F(SideControllerTest, MeleeStrikesAndCountersAlternate)
{
    AddSquad(sides.attacker, types.axe, 20);    // two strikes
    AddSquad(sides.defender, types.sword, 40);  // one strike
    Begin();
    side->PlaceSquadAt(A(0), 59);
    side->PlaceSquadAt(D(0), 60);
    SetRandomState(3);
    side->MeleeExchange(A(0), D(0));
    ASSERT_EQ(side->melee.size(), 3u);
    EXPECT_EQ(side->melee[0].actor, A(0));
    EXPECT_EQ(side->melee[1].actor, D(0));  // the counter
    EXPECT_EQ(side->melee[2].actor, A(0));  // no second counter
    EXPECT_LT(D(0)->count, 40);
    EXPECT_LT(A(0)->count, 20);
    EXPECT_EQ(MovePoints(A(0)), 0);
}

TEST_F(SideControllerTest, AKillingStrikeGetsNoCounter)
{
    AddSquad(sides.attacker, types.axe, 50);
    AddSquad(sides.defender, types.sword, 1);
    Begin();
    side->PlaceSquadAt(A(0), 59);
    side->PlaceSquadAt(D(0), 60);
    SetMovePoints(D(0), 2);
    side->MeleeExchange(A(0), D(0));
    ASSERT_EQ(side->melee.size(), 1u);
    EXPECT_TRUE(side->melee[0].killed);
    EXPECT_EQ(D(0)->count, 0);
    EXPECT_EQ(MovePoints(D(0)), 0);
    EXPECT_EQ(g_battle.grid->Cell(60).occupant, nullptr);
    EXPECT_EQ(A(0)->count, 50);
}

TEST_F(SideControllerTest, AVolleyStopsWhenTheTargetDies)
{
    const_cast<CSquadType*>(types.bow)->rangedSecond = 3;
    AddSquad(sides.attacker, types.bow, 10);   // 2 x 10 = 20 a shot at percent 100
    AddSquad(sides.defender, types.sword, 3);  // 30 hit points
    sides.attacker.hero.battle = 9;            // ranged spread 52 - 54: no draw
    Begin();
    side->RangedVolley(A(0), D(0));
    ASSERT_EQ(side->ranged.size(), 2u);
    EXPECT_TRUE(side->ranged[0].hurt);
    EXPECT_FALSE(side->ranged[0].killed);
    EXPECT_TRUE(side->ranged[1].killed);
    EXPECT_EQ(D(0)->count, 0);
    EXPECT_EQ(g_battle.grid->Cell(20).occupant, nullptr);
    EXPECT_EQ(MovePoints(A(0)), 0);
}

TEST_F(SideControllerTest, NegativeRangedDamageLeavesTheTargetAlone)
{
    AddSquad(sides.attacker, types.bow, 100);
    AddSquad(sides.defender, types.sword, 30);
    sides.defender.hero.battle = 40;  // spread 212: percents far below zero
    Begin();
    for (int i = 0; i < 20; ++i) {
        side->RangedVolley(A(0), D(0));
        EXPECT_LE(D(0)->count, 30);
        EXPECT_LE(D(0)->TotalHitPoints(), 300);
    }
}

TEST_F(SideControllerTest, SimulatedMeleeChangesNothing)
{
    AddSquad(sides.attacker, types.axe, 20);
    AddSquad(sides.defender, types.sword, 40);
    Begin();
    D(0)->hitPoints = 7;
    SetRandomState(11);
    int32_t a = -1, t = -1;
    side->SimulateMelee(A(0), D(0), a, t);
    EXPECT_EQ(A(0)->count, 20);
    EXPECT_EQ(A(0)->hitPoints, 12);
    EXPECT_EQ(D(0)->count, 40);
    EXPECT_EQ(D(0)->hitPoints, 7);
    // The same draws fought for real give the same outcome.
    side->PlaceSquadAt(A(0), 59);
    side->PlaceSquadAt(D(0), 60);
    SetRandomState(11);
    side->MeleeExchange(A(0), D(0));
    EXPECT_EQ(A(0)->count, a);
    EXPECT_EQ(D(0)->count, t);
}

TEST_F(SideControllerTest, WalkingSpendsAllMovePoints)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    side->PlaceSquadAt(A(0), 58);
    SetMovePoints(A(0), 5);
    const uint8_t path[] = {58, 59, 60};
    side->MoveAlongPath(A(0), path, 3);
    EXPECT_EQ(side->steps, (std::vector<uint8_t>{59, 60}));
    EXPECT_EQ(A(0)->cell, 60u);
    EXPECT_EQ(g_battle.grid->Cell(60).occupant, A(0));
    EXPECT_EQ(g_battle.grid->Cell(58).occupant, nullptr);
    EXPECT_EQ(MovePoints(A(0)), 0);
}

TEST_F(SideControllerTest, EndingATurnWithPointsLeftMeansDefending)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    SetMovePoints(A(0), 2);
    SetMovePoints(A(1), 0);
    SetDefencePercent(A(1), 35);
    side->EndAllSquadTurns();
    EXPECT_EQ(DefencePercent(A(0)), 35);
    EXPECT_EQ(MovePoints(A(0)), 0);
    EXPECT_EQ(DefencePercent(A(1)), 35);  // not touched: no points left
    side->EndSquadTurn(A(1));
    EXPECT_EQ(DefencePercent(A(1)), 0);
}

TEST_F(SideControllerTest, NeighboursShootingAndTargets)
{
    AddSquad(sides.attacker, types.bow, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    side->PlaceSquadAt(A(0), 59);
    EXPECT_TRUE(side->CanShoot(A(0)));
    side->PlaceSquadAt(D(0), 61);
    EXPECT_TRUE(side->CanShoot(A(0)));  // two cells away
    side->PlaceSquadAt(D(0), 60);
    EXPECT_TRUE(side->HasEnemyNeighbour(A(0)));
    EXPECT_FALSE(side->CanShoot(A(0)));
    EXPECT_FALSE(side->CanShoot(D(0)));  // no ranged attack

    CSquad squad;
    CWall wall;
    CFortWall fort;
    CObstacle rock;
    CGates gates;
    const struct {
        const CGameObject* actor;
        const CGameObject* target;
        bool ok;
    } cases[] = {
        {&squad, &squad, true}, {&squad, &wall, false},  {&squad, &rock, false},
        {&wall, &squad, false}, {&gates, &squad, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CSideController::CanTarget(c.actor, c.target), c.ok);
}

TEST_F(SideControllerTest, EventCodesFollowTheDirection)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    const struct {
        uint16_t base;
        uint8_t from, to;
        uint16_t code;
    } cases[] = {
        {773, 60, 61, 776},  // right, flat
        {773, 60, 59, 773},  // left, flat
        {773, 60, 72, 778},  // down-right: steep, slope 150
        {773, 60, 71, 775},  // down-left
        {773, 60, 49, 774},  // up-left
        {773, 60, 50, 777},  // up-right
        {257, 60, 59, 257}, {257, 60, 61, 258}, {257, 60, 71, 257},
        {257, 60, 50, 258}, {515, 60, 60, 516},  // no move at all counts as facing right
    };
    for (const auto& c : cases)
        EXPECT_EQ(DirectionalEventCode(c.base, c.from, c.to), c.code) << c.base << " " << int(c.to);
}

TEST_F(SideControllerTest, PositionsAndStatesStreamBack)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.attacker, types.bow, 0);
    AddSquad(sides.defender, types.sword, 5);
    AddSquad(sides.defender, types.axe, 7);
    Begin();
    CSideController* attackerSide = g_battle.attackerSide;
    attackerSide->PlaceSquadAt(A(0), 47);
    A(0)->hitPoints = 4;
    SetMovePoints(A(0), 2);
    SetDefencePercent(A(0), 35);
    SetPlanWord(A(0), kPlanAttack);
    SetOrderCell(A(0), 3);
    SetAiByte(A(0), 9);
    SetTargetSquad(A(0), D(1));
    const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { attackerSide->Serialize(&s); });
    ASSERT_EQ(bytes.size(), 2u * 23u);
    // Scramble, then read back.
    attackerSide->PlaceSquadAt(A(0), 90);
    A(0)->hitPoints = 10;
    SetMovePoints(A(0), 0);
    SetDefencePercent(A(0), 0);
    SetPlanWord(A(0), 0);
    SetTargetSquad(A(0), nullptr);
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    ASSERT_TRUE(attackerSide->Serialize(&reader));
    EXPECT_EQ(A(0)->cell, 47u);
    EXPECT_EQ(g_battle.grid->Cell(47).occupant, A(0));
    EXPECT_EQ(g_battle.grid->Cell(90).occupant, nullptr);
    EXPECT_EQ(A(0)->hitPoints, 4);
    EXPECT_EQ(MovePoints(A(0)), 2);
    EXPECT_EQ(DefencePercent(A(0)), 35);
    EXPECT_EQ(PlanWord(A(0)), kPlanAttack);
    EXPECT_EQ(OrderCell(A(0)), 3);
    EXPECT_EQ(AiByte(A(0)), 9);
    EXPECT_EQ(TargetSquad(A(0)), D(1));
    EXPECT_EQ(TargetSquad(A(1)), nullptr);
}

TEST_F(SideControllerTest, ADamagedPositionStreamIsRefused)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { g_battle.attackerSide->Serialize(&s); });
    bytes[0] = 200;  // a cell beyond the grid
    CStreamReader bad(bytes.data(), uint32_t(bytes.size()));
    EXPECT_FALSE(g_battle.attackerSide->Serialize(&bad));
    bytes[0] = 11;  // the border: a living squad never stands there
    CStreamReader border(bytes.data(), uint32_t(bytes.size()));
    EXPECT_FALSE(g_battle.attackerSide->Serialize(&border));
    bytes[0] = 47;
    bytes[1] = 11;  // front-unit hit points above a sword's 10
    CStreamReader tooStrong(bytes.data(), uint32_t(bytes.size()));
    EXPECT_FALSE(g_battle.attackerSide->Serialize(&tooStrong));
    bytes[1] = 10;
    CStreamReader shortStream(bytes.data(), 5);
    EXPECT_FALSE(g_battle.attackerSide->Serialize(&shortStream));
}

TEST_F(SideControllerTest, ADeadSquadWithAVisualIsMarked)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    Begin();
    A(0)->count = 0;
    A(0)->battleHandle = 42;
    const std::vector<uint8_t> bytes =
        StreamOut([&](CByteStream& s) { g_battle.attackerSide->Serialize(&s); });
    ASSERT_EQ(bytes.size(), 23u);
    const uint32_t marker = uint32_t(bytes[15]) | uint32_t(bytes[16]) << 8 | uint32_t(bytes[17]) << 16;
    EXPECT_EQ(marker, 0xF0F0u);
}

TEST_F(SideControllerTest, ComputerSidesHandButtonsToAPerson)
{
    AddSquad(sides.attacker, types.sword, 5);
    AddSquad(sides.defender, types.sword, 5);
    sides.params.attackerSideKind = 1;
    sides.params.defenderSideKind = 2;
    BeginBattle(&sides.params);
    EXPECT_EQ(g_battle.attackerSide->Kind(), 1u);
    EXPECT_EQ(g_battle.defenderSide->Kind(), 2u);
    // Against a computer the kind of the other side comes back.
    EXPECT_EQ(g_battle.attackerSide->OnCommand(256), 2u);
    EXPECT_EQ(g_battle.defenderSide->OnCommand(512), 1u);
    EXPECT_EQ(g_battle.attackerSide->OnCommand(16), 16u);
    EXPECT_FALSE(g_battle.attackerSide->MayGiveUp());
    g_battleStateWords = BattleStateWords{};
    static_cast<CComputerSideController*>(g_battle.attackerSide)->BeginComputerTurn();
    static_cast<CComputerSideController*>(g_battle.attackerSide)->EndComputerTurn();
    EXPECT_EQ(g_battleStateWords.a & kButtonAuto, 0u);
    EXPECT_EQ(g_battleStateWords.b & kButtonAuto, 0u);
}

}  // namespace
