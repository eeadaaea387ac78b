#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle_trainer.h"
#include "core/data_file.h"
#include "game/army.h"
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

std::vector<std::string> TypeIds(const CArmy& army)
{
    std::vector<std::string> ids;
    for (int i = 0; i < army.Count(); ++i)
        ids.push_back(army.Item(i)->type->typeId.Chars());
    return ids;
}

class TrainerTest : public ::testing::Test {
protected:
    void SetUp() override { SetShippedBattleRules(); }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
        g_trainerSetupWindow.Delete();
    }
    // A record as the set-up window leaves it.
    void Fill(BattleParams& p)
    {
        p.attackerSideKind = 0;
        p.defenderSideKind = 1;
        MakeTrainerPlayers(&p);
        p.kind = kBattleSiege;
        p.powerOption = 2;
        p.obstacleLayout = 9;
        AddSquad(*p.attacker, types.sword, 12);
        AddSquad(*p.attacker, types.bow, 7);
        AddSquad(*p.defender, types.axe, 3);
        p.castle = new CastleState();
        p.castle->Reset();
        p.castle->moat = 1;
        p.castle->catapults = 2;
        p.castle->percent = 80;
    }
    std::vector<uint8_t> Bytes(BattleParams& p)
    {
        return StreamOut([&p](CByteStream& s) { p.Stream(s); });
    }

    BattleSquadTypes types;
};

TEST_F(TrainerTest, TheRecordStreamsBack)
{
    BattleParams written;
    Fill(written);
    const std::vector<uint8_t> bytes = Bytes(written);
    BattleParams read;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    ASSERT_TRUE(read.Stream(reader));
    EXPECT_EQ(read.attackerSideKind, 0u);
    EXPECT_EQ(read.defenderSideKind, 1u);
    ASSERT_NE(read.attacker, nullptr);
    EXPECT_EQ(read.attacker->playerId, 2);
    EXPECT_EQ(read.defender->playerId, 5);
    EXPECT_TRUE(read.attacker->IsHuman());
    EXPECT_FALSE(read.defender->IsHuman());
    EXPECT_EQ(read.kind, kBattleSiege);
    EXPECT_EQ(read.powerOption, 2u);
    EXPECT_EQ(read.obstacleLayout, 9);
    EXPECT_EQ(TypeIds(read.attacker->army), (std::vector<std::string>{"Sword", "Bow"}));
    EXPECT_EQ(Counts(read.attacker->army), (std::vector<int32_t>{12, 7}));
    EXPECT_EQ(Counts(read.defender->army), (std::vector<int32_t>{3}));
    ASSERT_NE(read.castle, nullptr);
    EXPECT_EQ(read.castle->moat, 1);
    EXPECT_EQ(read.castle->catapults, 2);
    EXPECT_EQ(read.castle->percent, 80);
    EXPECT_EQ(Bytes(read), bytes);  // and out again, byte for byte
}

TEST_F(TrainerTest, EveryCutShortRecordIsRefused)
{
    BattleParams written;
    Fill(written);
    const std::vector<uint8_t> bytes = Bytes(written);
    for (size_t n = 0; n < bytes.size(); ++n) {
        BattleParams read;
        CStreamReader reader(bytes.data(), uint32_t(n));
        EXPECT_FALSE(read.Stream(reader)) << "cut at " << n;
    }
}

TEST_F(TrainerTest, DamagedRecordsAreRefused)
{
    BattleParams written;
    Fill(written);
    const std::vector<uint8_t> good = Bytes(written);
    struct Damage {
        size_t offset;
        uint8_t value;
        const char* what;
    };
    // Offsets: side kinds 0 and 4, numbers 8 and 9, kind 10, option 14,
    // layout 18, attacker item count 19.
    const Damage cases[] = {
        {0, 7, "side kind"},
        {4, 3, "side kind"},
        {10, 5, "battle kind"},
        {22, 0x7F, "item count"},
    };
    for (const Damage& d : cases) {
        std::vector<uint8_t> bytes = good;
        bytes[d.offset] = d.value;
        BattleParams read;
        CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
        EXPECT_FALSE(read.Stream(reader)) << d.what;
    }
    // The castle flag is the last word before the castle's own record.
    written.castle->Reset();
    std::vector<uint8_t> bytes = Bytes(written);
    const std::vector<uint8_t> castleOnly = StreamOut([&](CByteStream& s) { written.castle->Stream(s); });
    bytes[bytes.size() - castleOnly.size() - 4] = 2;
    BattleParams read;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    EXPECT_FALSE(read.Stream(reader));
}

TEST_F(TrainerTest, UnknownSquadTypesAreSkippedOnReading)
{
    BattleParams written;
    Fill(written);
    CSquadType ghost;
    ghost.typeId = CStr("Ghost");
    ghost.hp = 1;
    CSquad squad;
    squad.SetType(&ghost);
    squad.count = 4;
    written.attacker->army.AddSquadCopy(squad);
    const std::vector<uint8_t> bytes = Bytes(written);
    BattleParams read;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    ASSERT_TRUE(read.Stream(reader));
    EXPECT_EQ(TypeIds(read.attacker->army), (std::vector<std::string>{"Sword", "Bow"}));
}

TEST_F(TrainerTest, TheSetUpStartsWithFourSquadsAside)
{
    FixtureData data;  // no locale: the names are the keys
    BattleParams params;
    g_trainerSetupWindow.Bind([](BattleParams* p, uint32_t) -> uint16_t {
        p->kind = kBattleSiege;
        return 1;
    });
    ASSERT_TRUE(RunBattleTrainerSetup(&params, 0));
    EXPECT_EQ(params.noScreen, 0);
    EXPECT_EQ(params.attacker->playerId, 2);
    EXPECT_EQ(params.attacker->flagNumber, 2);
    EXPECT_EQ(params.defender->playerId, 5);
    EXPECT_EQ(params.attacker->name, CStr("Player1"));
    // Only three types are registered: three squads of 10 each.
    EXPECT_EQ(TypeIds(params.attacker->army), (std::vector<std::string>{"Sword", "Bow", "Axe"}));
    EXPECT_EQ(TypeIds(params.defender->army), (std::vector<std::string>{"Sword", "Bow", "Axe"}));
    EXPECT_EQ(Counts(params.defender->army), (std::vector<int32_t>{10, 10, 10}));
    EXPECT_EQ(params.attacker->slotTypes.size(), 3u);
    ASSERT_NE(params.castle, nullptr);
    EXPECT_EQ(params.castle->percent, 100);  // a trainer castle starts whole
}

TEST_F(TrainerTest, WithFiveTypesTheDefendersFourthIsTheFifth)
{
    CSquadType* four = new CSquadType;
    four->typeId = CStr("Pike");
    four->hp = 8;
    CSquadType* five = new CSquadType;
    five->typeId = CStr("Horse");
    five->hp = 15;
    RegisterSquadType(four);
    RegisterSquadType(five);
    BattleParams params;
    g_trainerSetupWindow.Bind([](BattleParams*, uint32_t) -> uint16_t { return 1; });
    ASSERT_TRUE(RunBattleTrainerSetup(&params, 0));
    EXPECT_EQ(TypeIds(params.attacker->army), (std::vector<std::string>{"Sword", "Bow", "Axe", "Pike"}));
    EXPECT_EQ(TypeIds(params.defender->army), (std::vector<std::string>{"Sword", "Bow", "Axe", "Horse"}));
    EXPECT_EQ(params.defender->slotTypes[3], CStr("Horse"));
}

TEST_F(TrainerTest, ACancelledSetUpFreesEverything)
{
    BattleParams params;
    g_trainerSetupWindow.Bind([](BattleParams*, uint32_t) -> uint16_t { return 2; });
    EXPECT_FALSE(RunBattleTrainerSetup(&params, 0));
    EXPECT_EQ(params.attacker, nullptr);
    EXPECT_EQ(params.defender, nullptr);
    EXPECT_EQ(params.castle, nullptr);
    g_trainerSetupWindow.Delete();  // no window at all cancels as well
    EXPECT_FALSE(RunBattleTrainerSetup(&params, 0));
    EXPECT_EQ(params.attacker, nullptr);
}

TEST_F(TrainerTest, ALeftoverTrainerFileIsDeletedUnread)
{
    FixtureData data;
    ASSERT_TRUE(data.folder().Write("zkvtrainer.sav", "leftover"));
    EXPECT_FALSE(LoadTrainerBattle("zkvtrainer"));
    EXPECT_FALSE(SaveTrainerBattle("zkvtrainer"));
    DeleteTrainerBattle("zkvtrainer");
    EXPECT_FALSE(data.folder().Exists("zkvtrainer.sav"));
}

class TrainerTextTest : public TrainerTest {
protected:
    void Mount(const std::vector<std::string>& lines)
    {
        PackWriter pack(1);
        ASSERT_TRUE(pack.AddText("Battle/setup", "zkqd", CrLf(lines)));
        data.AddPack("trainer", pack);
        ASSERT_TRUE(data.Mount());
    }
    FixtureData data;
};

TEST_F(TrainerTextTest, ASiegeSetUpFromText)
{
    Mount({"[common]", "Hard", "castle", "[attacker]", "computer", "Sword", "30",
           "Ghost",    "5",    "Bow",    "0",          "axe",      "6",     "[defender]",
           "Human",    "Bow",  "12",     "[siege]",    "true",     "false", "3"});
    BattleParams params;
    ASSERT_TRUE(CBattleTrainer(&params, "/Battle/setup"));
    EXPECT_EQ(params.powerOption, 2u);
    EXPECT_EQ(params.kind, kBattleSiege);
    EXPECT_EQ(params.attackerSideKind, 1u);
    EXPECT_EQ(params.defenderSideKind, 0u);
    // Unknown types and counts of 0 are left out; ids match in any case.
    EXPECT_EQ(TypeIds(params.attacker->army), (std::vector<std::string>{"Sword", "Axe"}));
    EXPECT_EQ(Counts(params.attacker->army), (std::vector<int32_t>{30, 6}));
    EXPECT_EQ(Counts(params.defender->army), (std::vector<int32_t>{12}));
    ASSERT_NE(params.castle, nullptr);
    EXPECT_EQ(params.castle->moat, 1);
    EXPECT_EQ(params.castle->fortWalls, 0);
    EXPECT_EQ(params.castle->catapults, 3);
    EXPECT_NE(g_battle.grid, nullptr);  // the battle has begun
    EXPECT_EQ(g_battle.kind, kBattleSiege);
    // Freeing the players of a battle still set up ends that battle first.
    params.FreeParticipants();
    EXPECT_EQ(g_battle.grid, nullptr);
    EXPECT_EQ(params.attacker, nullptr);
}

TEST_F(TrainerTextTest, AnOpenFieldSetUpHasNoCastle)
{
    Mount({"[common]", "easy", "OpenField", "4", "[attacker]", "computer", "Sword", "3", "[defender]",
           "computer", "Sword", "3"});
    BattleParams params;
    ASSERT_TRUE(CBattleTrainer(&params, "/Battle/setup"));
    EXPECT_EQ(params.powerOption, 0u);
    EXPECT_EQ(params.kind, kBattleOpenField);
    EXPECT_EQ(params.obstacleLayout, 4);
    EXPECT_EQ(params.castle, nullptr);
    EndBattle();
}

TEST_F(TrainerTextTest, AMissingSectionEndsTheSetUp)
{
    Mount({"[common]", "normal", "openfield", "0", "[attacker]", "computer", "Sword", "3"});
    BattleParams params;
    EXPECT_FALSE(CBattleTrainer(&params, "/Battle/setup"));
    EXPECT_EQ(g_battle.grid, nullptr);
    EXPECT_NE(params.attacker, nullptr);  // kept in the record, freed with it
    EXPECT_FALSE(CBattleTrainer(&params, "/Battle/none"));
}

}  // namespace
