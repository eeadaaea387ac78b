#include <gtest/gtest.h>

#include "game/army.h"
#include "game/battle_seam.h"
#include "tests/game/game_fixture.h"

namespace {
void Add(CArmy& army, const CSquadType* type, int32_t count)
{
    CSquad squad;
    squad.SetType(type);
    squad.count = count;
    army.AddSquadCopy(squad);
}

std::vector<std::pair<std::string, int32_t>> Contents(const CArmy& army)
{
    std::vector<std::pair<std::string, int32_t>> out;
    for (int i = 0; i < army.Count(); ++i)
        out.emplace_back(army.Item(i)->type->typeId.Chars(), army.Item(i)->count);
    return out;
}

using Contents_t = std::vector<std::pair<std::string, int32_t>>;

TEST(Army, MergeAddsStocksOfOneTypeAndMakesTheFrontWhole)
{
    TestSquadTypes types;
    CArmy target;
    Add(target, types.sword, 5);
    Add(target, types.bow, 2);
    target.Item(0)->hitPoints = 3;  // a damaged front unit
    CArmy other;
    Add(other, types.sword, 3);
    target.Merge(other);
    EXPECT_EQ(Contents(target), (Contents_t{{"Sword", 8}, {"Bow", 2}}));
    EXPECT_EQ(target.Item(0)->hitPoints, 10);
}

TEST(Army, ConsolidateJoinsLaterSquadsOfTheSameType)
{
    TestSquadTypes types;
    CArmy army;
    Add(army, types.sword, 2);
    Add(army, types.bow, 1);
    Add(army, types.sword, 3);
    Add(army, types.sword, 1);
    army.Consolidate();
    EXPECT_EQ(Contents(army), (Contents_t{{"Sword", 6}, {"Bow", 1}}));
}

TEST(Army, SplitRefusesNothingAndEverything)
{
    TestSquadTypes types;
    CArmy army;
    Add(army, types.sword, 4);
    EXPECT_EQ(army.SplitItem(army.Item(0), 4), nullptr);
    EXPECT_EQ(army.SplitItem(army.Item(0), 0), nullptr);
    EXPECT_EQ(army.Count(), 1);
    CSquad* part = army.SplitItemAt(0, 1);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(Contents(army), (Contents_t{{"Sword", 3}, {"Sword", 1}}));
    EXPECT_TRUE(army.JoinItems(army.Item(0), part));
    EXPECT_EQ(Contents(army), (Contents_t{{"Sword", 4}}));
}

TEST(Army, SubtractCountsClampsAtZero)
{
    TestSquadTypes types;
    CArmy army;
    Add(army, types.sword, 4);
    Add(army, types.bow, 1);
    CArmy losses;
    Add(losses, types.sword, 2);
    Add(losses, types.bow, 5);
    army.SubtractCounts(losses);
    EXPECT_EQ(Contents(army), (Contents_t{{"Sword", 2}, {"Bow", 0}}));
    EXPECT_EQ(army.Strength(), 2 * 5);
}

TEST(Army, StreamDropsUnknownTypesAndKeepsReadingTheRest)
{
    TestSquadTypes types;
    CArmy army;
    Add(army, types.sword, 7);
    Add(army, types.bow, 4);
    std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { army.Stream(s); });
    // Rename the first entry's id "Sword" to "Swoxd", a type nobody registered.
    bytes[4 + 3] = 'x';
    CArmy back;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    back.Stream(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_EQ(Contents(back), (Contents_t{{"Bow", 4}}));
}

TEST(Army, StreamRefusesAHostileItemCount)
{
    TestSquadTypes types;
    // 200 million entries claimed, one present.
    std::vector<uint8_t> bytes = {0x00, 0xC2, 0xEB, 0x0B, 'B', 'o', 'w', 0, 1, 0, 0, 0, 6, 0, 0, 0};
    CArmy army;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    army.Stream(reader);
    EXPECT_TRUE(reader.HasError());
    EXPECT_EQ(army.Count(), 0);
}

TEST(Army, StrengthSaturatesForCountsFromDamagedFiles)
{
    TestSquadTypes types;
    CArmy army;
    Add(army, types.sword, 1560281107);  // force 5
    Add(army, types.bow, 7);
    EXPECT_EQ(army.Strength(), INT32_MAX);
}

struct DamageCase {
    int32_t count, front, damage;
    int32_t countAfter, frontAfter;
};

TEST(Squad, TakeDamageTable)
{
    TestSquadTypes types;  // Sword: HP 10
    const DamageCase cases[] = {
        {5, 10, 23, 3, 7},   // 27 left: two whole units and a front of 7
        {5, 10, 50, 0, 0},   // exactly everything
        {5, 10, 80, 0, 0},   // more than everything
        {5, 10, 10, 4, 10},  // one whole unit: the next front is whole
        {3, 4, 3, 3, 1},     // only the damaged front is hit
    };
    for (const DamageCase& c : cases) {
        CSquad squad;
        squad.SetType(types.sword);
        squad.count = c.count;
        squad.hitPoints = c.front;
        squad.TakeDamage(c.damage);
        EXPECT_EQ(squad.count, c.countAfter) << c.damage;
        EXPECT_EQ(squad.hitPoints, c.frontAfter) << c.damage;
    }
    CSquad typeless;
    typeless.count = 4;
    typeless.TakeDamage(5);
    EXPECT_EQ(typeless.count, 4);
}

std::vector<uint16_t> g_events;
void Record(const BattleEvent& event, uint8_t)
{
    g_events.push_back(event.code);
}

TEST(ArmyItems, DamagePastZeroReportsDestructionOnce)
{
    g_events.clear();
    SetBattleEventHook(Record);
    CArmyItem item;
    item.hitPoints = 5;
    item.Damage(3);
    item.Damage(9);
    item.Damage(1);
    SetBattleEventHook(nullptr);
    EXPECT_EQ(g_events, (std::vector<uint16_t>{kEventDamaged, kEventDestroyed}));
    EXPECT_EQ(item.hitPoints, 0);
}

TEST(ArmyItems, KindTable)
{
    CSquad squad;
    CMissile missile;
    CArmyItem item;
    CGameObject object;
    struct Row {
        const CGameObject* object;
        uint32_t kind;
        std::vector<uint32_t> answersTrue;
    };
    const std::vector<uint32_t> all = {kKindGameObject, kKindArmyItem, kKindSquad,   kKindGates,
                                       kKindMissile,    kKindWall,     kKindFortWall};
    const Row rows[] = {
        {&object, kKindGameObject, {}},
        {&item, kKindArmyItem, {kKindArmyItem}},
        {&squad, kKindSquad, {kKindSquad}},  // a squad is not taken for a plain army item
        {&missile, kKindMissile, {kKindMissile}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.object->Kind(), row.kind);
        for (uint32_t kind : all) {
            const bool expected =
                std::find(row.answersTrue.begin(), row.answersTrue.end(), kind) != row.answersTrue.end();
            EXPECT_EQ(row.object->IsKindOf(kind), expected) << std::hex << row.kind << " asked " << kind;
        }
    }
}
}  // namespace
