#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/report_list.h"
#include "tests/game/game_fixture.h"

namespace {
std::vector<std::string> Titles(const CReportList& list)
{
    std::vector<std::string> titles;
    for (int i = 0; i < list.Count(); ++i)
        titles.emplace_back(list.Entry(i).title.Chars());
    return titles;
}

TEST(ReportList, StartOfTurnTellsTheTurnInTheOrderItHappenedBetweenTaxesAndTreasury)
{
    CReportList list;
    list.AddPlain(kReportTaxes, CStr("first taxes"));
    list.AddPlain(kReportBattle, CStr("first battle"));
    list.AddPlain(kReportTreasury, CStr("treasury"));
    list.AddPlain(kReportDeceased, CStr("assassins"));
    list.AddPlain(kReportTaxes, CStr("second taxes"));
    list.AddPlain(40, CStr("odd one"));
    list.AddPlain(kReportBattle, CStr("second battle"));
    list.AddPlain(kReportCovert, CStr("scout"));
    list.StartTurn();
    EXPECT_EQ(Titles(list),
              (std::vector<std::string>{"first taxes", "second taxes", "first battle", "assassins", "odd one",
                                        "second battle", "scout", "treasury"}));
    EXPECT_EQ(list.ShownCount(), 8);
}

TEST(ReportList, ShownEntriesGoAtTheNextTurnAndTheCountSurvivesASave)
{
    CReportList list;
    list.AddPlain(kReportTaxes, CStr("old"));
    list.StartTurn();
    list.AddPlain(kReportBattle, CStr("new"));
    const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { list.Stream(s); });
    CReportList back;
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    back.Stream(reader);
    ASSERT_FALSE(reader.HasError());
    EXPECT_EQ(back.ShownCount(), 1);
    EXPECT_EQ(StreamOut([&](CByteStream& s) { back.Stream(s); }), bytes);
    back.StartTurn();
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(CStr("new"), back.Entry(0).title);
}

TEST(ReportList, HostileStreamsAreRefused)
{
    CReportList list;
    list.AddPlain(kReportTaxes, CStr("a"));
    std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { list.Stream(s); });
    struct Case {
        size_t at;
        uint8_t value;
    };
    const Case cases[] = {
        {2, 0xFF},  // an entry count far beyond the data
        {0, 5},     // more entries shown than there are
        {0, 0xFF},  // a negative shown count (low byte)
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = bytes;
        bad[c.at] = c.value;
        if (c.value == 0xFF && c.at == 0)
            bad[1] = 0xFF;
        CReportList back;
        CStreamReader reader(bad.data(), uint32_t(bad.size()));
        back.Stream(reader);
        EXPECT_TRUE(reader.HasError()) << c.at;
        EXPECT_EQ(back.Count(), 0) << c.at;
        EXPECT_EQ(back.ShownCount(), 0) << c.at;
    }
}

TEST(ReportBodies, ArmyAndResourceLines)
{
    TestSquadTypes types;
    CArmy army;
    CSquad squad;
    squad.SetType(types.sword);
    squad.count = 0;
    army.AddSquadCopy(squad);
    EXPECT_TRUE(ArmyLine(army, '-').IsEmpty());
    squad.SetType(types.bow);
    squad.count = 12;
    army.AddSquadCopy(squad);
    EXPECT_EQ(CStr("{p align=center valign=bottom}{img src=/Objects/Units/Bow/icon_l} -12 "),
              ArmyLine(army, '-'));
    EXPECT_EQ(CStr("{p align=center valign=bottom}{img src=/Objects/Units/Bow/icon_l} +12 "),
              ArmyLine(army, '+'));
    SetActiveWorld(nullptr);
    CResourceBundle b;
    b[0] = 5;
    b[1] = -2;
    b[2] = 0;
    EXPECT_EQ(CStr("{p align=center}{ico src=golds} +5  {ico src=metls} -2  {ico src=stons} +0  "),
              ResourceLine(b, true));
    EXPECT_EQ(CStr("{p align=center}{ico src=golds} 5  {ico src=metls} -2  {ico src=stons} 0  "),
              ResourceLine(b, false));
}
}  // namespace

namespace {
TEST(ReportList, CovertAndDiplomacyTitles)
{
    // Without a locale table every key reads as itself.
    TestSquadTypes types;
    CGameWorld world;
    BuildFixtureWorld(world);
    CReportList list;
    list.AddScoutReport(world.Province(2));  // neutral: no garrison
    list.AddScoutReport(world.Province(4));
    list.AddDiplomacyInfo(3, 0, CStr("Borun"));
    list.AddDiplomacyInfo(0, 1, CStr("Borun"));
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(CStr("NoArmy"), list.Entry(0).body);
    EXPECT_EQ(CStr("{p align=center valign=bottom}{img src=/Objects/Units/Sword/icon_l} 8 "
                   "{img src=/Objects/Units/Bow/icon_l} 2 "),
              list.Entry(1).body);
    EXPECT_TRUE(list.Entry(2).title.IsEmpty());
    EXPECT_EQ(CStr("DiplRepAN"), list.Entry(3).title);
    EXPECT_EQ(list.Entry(3).kind, uint32_t(kReportDiplomacy));
    SetActiveWorld(nullptr);
}
}  // namespace
