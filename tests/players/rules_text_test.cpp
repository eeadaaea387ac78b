// Reading the rules text "map" and the event chances.
#include <string>

#include "core/text_section_reader.h"
#include "game/random_events.h"
#include "tests/game/model_fixture.h"

namespace {

// Texts are split at CRLF only, so the tests write them that way.
std::string Crlf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* l : lines) {
        text += l;
        text += "\r\n";
    }
    return text;
}

bool LoadRules(GameRules& rules, const std::string& text)
{
    TextSectionReader reader;
    reader.OpenText(text.data(), text.size(), 15);
    return rules.LoadFrom(reader);
}

// The rules' bundles take the resource kinds of the world in play.
class RulesTextTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        BuildWorld(1, {{0, {}}}, {0});
    }
};

TEST_F(RulesTextTest, APartialCastleSectionKeepsTheDefaults)
{
    GameRules rules;
    EXPECT_FALSE(LoadRules(rules, Crlf({"[castle]", "7", "3"})));
    EXPECT_EQ(rules.castleGold, 7);
    EXPECT_EQ(rules.bankGold, 3);
    EXPECT_EQ(rules.catapultLimit, 2);
    EXPECT_EQ(rules.castleExperience, 250);
    EXPECT_EQ(rules.worksExperience, 50);
    EXPECT_TRUE(rules.castleCost.IsZero());
}

TEST_F(RulesTextTest, CostListsEndAtAShortLineWhichIsConsumed)
{
    GameRules rules;
    LoadRules(rules, Crlf({"[castle]", "1", "2", "0", "0", "4", "0", "100", "20",
                           // castleCost: two entries announced, the second line ends it
                           "2", "gold100", "ab",
                           // moatCost follows directly
                           "1", "metl5", "1", "ston 12"}));
    EXPECT_EQ(rules.castleCost.Get(FourCC("gold")), 100);
    EXPECT_EQ(rules.castleCost.Get(FourCC("metl")), 0);
    // Five characters are enough for a one-digit amount.
    EXPECT_EQ(rules.moatCost.Get(FourCC("metl")), 5);
    EXPECT_EQ(rules.catapultCost.Get(FourCC("ston")), 12);
}

TEST_F(RulesTextTest, AWholeTextInOrder)
{
    GameRules rules;
    const std::string text = Crlf({"// balance of the map",
                                   "[castle]",
                                   "6",
                                   "4",
                                   "7",
                                   "5",
                                   "3",
                                   "4",
                                   "300",
                                   "40",
                                   "1",
                                   "gold200",  // castle
                                   "2",
                                   "gold50",
                                   "ston30",  // moat
                                   "1",
                                   "gold40",
                                   "1",
                                   "gold60",
                                   "1",
                                   "gold70",
                                   "1",
                                   "gold80",
                                   "1",
                                   "gold90",  // catapult..bank
                                   "1",
                                   "gold10",
                                   "1",
                                   "gold20",
                                   "1",
                                   "gold30",
                                   "1",
                                   "gold40",  // guild levels
                                   "1",
                                   "gold55",
                                   "1",
                                   "gold65",
                                   "1",
                                   "metl 3",
                                   "1",
                                   "ston 4",  // mines and their income
                                   "1.50",
                                   "[trading]",
                                   "300",
                                   "10",
                                   "10",
                                   "[operations]",
                                   "1",
                                   "gold25",
                                   "2",
                                   "40",
                                   "5",
                                   "30",  // scouting
                                   "1",
                                   "gold100",
                                   "1",
                                   "25",
                                   "10",
                                   "35",
                                   "5",
                                   "20",
                                   "4",
                                   "0.0",
                                   "10",
                                   "30",
                                   "5",  // decease
                                   "1",
                                   "gold50",
                                   "1",
                                   "10",
                                   "40",
                                   "5",
                                   "20",
                                   "2",
                                   "1.5",
                                   "3",
                                   "150",  // robbery
                                   "[battle]",
                                   "20",
                                   "2",
                                   "15",
                                   "10",
                                   "20",
                                   "1",
                                   "gold30",
                                   "40",
                                   "60",
                                   "[common]",
                                   "5.0",
                                   "0.5"});
    EXPECT_TRUE(LoadRules(rules, text));
    EXPECT_EQ(rules.castleGold, 6);
    EXPECT_EQ(rules.catapultLimit, 3);
    EXPECT_EQ(rules.castleExperience, 300);
    EXPECT_EQ(rules.moatCost.Get(FourCC("ston")), 30);
    EXPECT_EQ(rules.guildCost[3].Get(FourCC("gold")), 40);
    EXPECT_EQ(rules.stoneMineIncome.Get(FourCC("ston")), 4);
    EXPECT_EQ(rules.castleFraction.units, 1);
    EXPECT_EQ(rules.castleFraction.hundredths, 50);
    EXPECT_EQ(rules.scoutCastleFactor, 2);
    EXPECT_EQ(rules.scoutBonus, 30);
    EXPECT_EQ(rules.maxRaiders, 4);
    EXPECT_EQ(rules.killExpDrop, 5);
    EXPECT_EQ(rules.robberyGoldPercent, 10);
    EXPECT_EQ(rules.robberyFraction.hundredths, 5) << "1.5 means one and five hundredths";
    EXPECT_EQ(rules.robberyExpCap, 150);
    EXPECT_EQ(rules.siegeCost.Get(FourCC("gold")), 30);
    EXPECT_EQ(rules.emptyCaptureExperience, 60);
    EXPECT_EQ(rules.satisfactionStart.units, 5);
    EXPECT_EQ(rules.satisfactionStartKind2.units, 0);
    EXPECT_EQ(rules.satisfactionStartKind2.hundredths, 5);
}

TEST_F(RulesTextTest, AMissingTradingSectionEndsTheLoad)
{
    GameRules rules;
    EXPECT_FALSE(LoadRules(rules, Crlf({"[castle]", "9", "[operations]", "1", "gold25", "[battle]", "77"})));
    EXPECT_EQ(rules.castleGold, 9);
    EXPECT_TRUE(rules.scoutCost.IsZero());
    EXPECT_EQ(rules.battleBase, 0);
}

TEST_F(RulesTextTest, AFractionWithoutADotKeepsTheOldValue)
{
    GameRules rules;
    rules.satisfactionStart.units = 8;
    const std::string text =
        Crlf({"[castle]", "[trading]", "[operations]", "[battle]", "[common]", "12", "0.5"});
    EXPECT_TRUE(LoadRules(rules, text));
    EXPECT_EQ(rules.satisfactionStart.units, 8);
    EXPECT_EQ(rules.satisfactionStartKind2.hundredths, 5);
}

TEST(EventChances, SixNumbersFromTheFirstLineCutToBytes)
{
    const std::string text = Crlf({"30", "0", "300", "25"});
    TextSectionReader reader;
    reader.OpenText(text.data(), text.size(), 15);
    RandomEventChances table;
    RandomEvents::LoadChancesFrom(reader, table);
    EXPECT_EQ(table.eventChance, 30);
    EXPECT_EQ(table.volunteerFactor, 44);  // 300 cut to 8 bits
    EXPECT_EQ(table.volunteerChance, 25);
    EXPECT_EQ(table.unused6, 0);
}

}  // namespace
