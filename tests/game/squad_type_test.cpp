#include <gtest/gtest.h>

#include "game/squad_type.h"
#include "tests/game/game_fixture.h"
#include "tests/support/fixture_packs.h"

namespace {
std::vector<std::string> g_messages;
void Collect(const CStr& message)
{
    g_messages.push_back(message.Chars());
}

std::string Descr(const std::string& mainValues, const std::vector<std::string>& cost)
{
    std::vector<std::string> lines = {"[main]"};
    std::string value;
    for (char c : mainValues + " ") {
        if (c == ' ') {
            if (!value.empty())
                lines.push_back(value);
            value.clear();
        } else {
            value += c;
        }
    }
    lines.push_back("[cost]");
    lines.push_back(std::to_string(cost.size()));
    lines.insert(lines.end(), cost.begin(), cost.end());
    return CrLf(lines);
}

class SquadTypeLoading : public ::testing::Test {
protected:
    void TearDown() override
    {
        FreeSquadTypes();
        SetSquadTypeMessageSink(nullptr);
    }
    void Load(const std::vector<std::tuple<std::string, std::string, std::string>>& units)
    {
        PackWriter pack(1);
        for (const auto& [id, descr, bonus] : units) {
            ASSERT_TRUE(pack.AddText("Objects/Units/" + id + "/descr", "zkqd", descr));
            ASSERT_TRUE(pack.AddText("Objects/Units/" + id + "/unit", "txt",
                                     CrLf({"first", "Name of " + id, "extras"})));
            if (!bonus.empty()) {
                ASSERT_TRUE(pack.AddText("Objects/Units/" + id + "/bonus", "zkqd", bonus));
            }
        }
        data.AddPack("units", pack);
        ASSERT_TRUE(data.Mount());
        g_messages.clear();
        SetSquadTypeMessageSink(Collect);
        LoadSquadTypes();
    }
    FixtureData data;
};

TEST_F(SquadTypeLoading, BrokenDescriptionsAreRejected)
{
    struct Case {
        std::string id, descr, message;
    };
    const std::vector<Case> cases = {
        {"NoHp", Descr("1 1 3 1 0 0 3 5 0", {"gold 5"}), "0 HP in description of unit NoHp"},
        {"NoMove", Descr("1 1 3 1 0 5 3 5 0", {"gold 5"}), "0 MoveSpeed in description of unit NoMove"},
        {"NoAttack", Descr("0 1 0 1 1 5 3 5 0", {"gold 5"}),
         "No attack points in description of unit NoAttack"},
        {"NoBuy", Descr("1 1 3 1 1 5 0 5 0", {"gold 5"}), "0 Buy Quantity in description of unit NoBuy"},
        {"NoForce", Descr("1 1 3 1 1 5 3 0 0", {"gold 5"}),
         "0 Force Coefficient in description of unit NoForce"},
        {"ShortCost", Descr("1 1 3 1 1 5 3 5 0", {"gold"}), ""},
        {"NoCost", CrLf({"[main]", "1", "1", "3", "1", "1", "5", "3", "5", "0"}), ""},
        {"NoMain", CrLf({"[cost]", "0"}), ""},
    };
    std::vector<std::tuple<std::string, std::string, std::string>> units;
    for (const Case& c : cases)
        units.emplace_back(c.id, c.descr, "");
    Load(units);
    EXPECT_TRUE(SquadTypeRegistry().empty());
    std::vector<std::string> expected;
    for (const Case& c : cases)
        if (!c.message.empty())
            expected.push_back(c.message);
    std::sort(expected.begin(), expected.end());
    std::sort(g_messages.begin(), g_messages.end());
    EXPECT_EQ(g_messages, expected);
}

TEST_F(SquadTypeLoading, ValuesAreCutAndCostLinesOfFiveCharactersAccepted)
{
    Load({{"Lancer", Descr("17 1 0 0 300 12 4 6 -2", {"gold5", "metl 12"}), ""}});
    const CSquadType* type = FindSquadType(CStr("lANCER"));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->meleeAttack, 1);
    EXPECT_EQ(type->moveSpeed, 300 & 0xFF);
    EXPECT_EQ(type->hp, 12);
    EXPECT_EQ(type->ninth, -2);
    EXPECT_EQ(type->cost.Get(FourCC("gold")), 5);
    EXPECT_EQ(type->cost.Get(FourCC("metl")), 12);
    EXPECT_EQ(CStr("Name of Lancer"), type->name);
    EXPECT_EQ(CStr("extras"), type->extras);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(SquadTypeLoading, BonusTablesNeedAllThreeSections)
{
    const std::string ok = Descr("2 1 0 0 1 5 3 5 0", {"gold 5"});
    Load({
        {"Pike", ok,
         CrLf({"[MeleeAttackBonuses]", "Rider", "35", "Ghost", "Rider", "10", "[RangedAttackBonuses]",
               "[DefenceBonuses]", "20", "5"})},
        {"Rider", ok, CrLf({"[MeleeAttackBonuses]", "Pike", "50", "[RangedAttackBonuses]", "Pike", "5"})},
    });
    const CSquadType* pike = FindSquadType(CStr("Pike"));
    const CSquadType* rider = FindSquadType(CStr("Rider"));
    ASSERT_TRUE(pike && rider);
    // An unknown id skips one line only, so "Rider" after "Ghost" is read as an id again.
    ASSERT_EQ(pike->meleeBonuses.size(), 2u);
    EXPECT_EQ(pike->MeleeBonusAgainst(rider), 35);
    EXPECT_EQ(pike->meleeDefence, 20);
    EXPECT_EQ(pike->rangedDefence, 5);
    EXPECT_TRUE(rider->meleeBonuses.empty());
    EXPECT_TRUE(rider->rangedBonuses.empty());
    EXPECT_EQ(rider->MeleeBonusAgainst(pike), 0);
}

TEST_F(SquadTypeLoading, MissingUnitTextsKeepTheDefaultName)
{
    PackWriter pack(1);
    ASSERT_TRUE(pack.AddText("Objects/Units/Mute/descr", "zkqd", Descr("1 1 0 0 1 5 3 5 0", {"gold 5"})));
    data.AddPack("units", pack);
    ASSERT_TRUE(data.Mount());
    g_messages.clear();
    SetSquadTypeMessageSink(Collect);
    LoadSquadTypes();
    const CSquadType* type = FindSquadType(CStr("mute"));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(CStr("Unknown squad"), type->name);
    EXPECT_EQ(g_messages, std::vector<std::string>{"Unable to load localized strings for unit Mute!"});
}
}  // namespace
