// The rule formulas against tables worked out by hand.
#include <iterator>
#include <utility>
#include <vector>

#include "game/province_distance_map.h"
#include "tests/game/model_fixture.h"

namespace {

TEST(RuleFormulas, LevelFromValue)
{
    const struct {
        int32_t experience;
        int32_t level;
    } cases[] = {{0, 1}, {249, 1}, {250, 2}, {499, 2}, {500, 3}, {1000, 4}, {2147483647, 25}};
    for (const auto& c : cases)
        EXPECT_EQ(LevelFromValue(c.experience), c.level) << c.experience;
}

TEST(RuleFormulas, LevelThresholdsAndPendingLevelUps)
{
    const struct {
        uint32_t skillSum;
        int32_t experience;
        uint32_t next;
        int32_t pending;
    } cases[] = {
        {6, 0, 250, 0},     // three skills of 2: the first threshold is 250
        {6, 600, 1000, 2},  // 250 and 500 reached, 1000 next
        {7, 600, 1000, 1},  // one skill point doubles every threshold
        {6, 249, 250, 0},
        // Skills far beyond anything reachable: the thresholds saturate and
        // nothing is pending, instead of wrapping to 0 and counting hundreds.
        {40, 2000000000, 0xFFFFFFFFu, 0},
        {250, 5, 0xFFFFFFFFu, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NextLevelThresholdFor(c.skillSum, c.experience), c.next)
            << c.skillSum << "/" << c.experience;
        EXPECT_EQ(PendingLevelUpsFor(c.skillSum, c.experience), c.pending)
            << c.skillSum << "/" << c.experience;
    }
}

TEST(RuleFormulas, TaxTables)
{
    const struct {
        int32_t percent, level, taxPercent, growth, morale;
    } cases[] = {
        {40, 0, 40, 9, 0},    {41, 1, 70, 3, 0},    {70, 1, 70, 3, 0},
        {100, 2, 100, 0, 0},  {101, 3, 130, 0, -1}, {0, 0, 40, 9, 0},
        {255, 3, 130, 0, -1}, {296, 0, 40, 9, 0},  // taken as a byte: 296 is 40
    };
    for (const auto& c : cases) {
        const int32_t level = TaxLevelFromPercent(c.percent);
        EXPECT_EQ(level, c.level) << c.percent;
        EXPECT_EQ(TaxPercent(level), c.taxPercent) << c.percent;
        EXPECT_EQ(TaxGrowth(level), c.growth) << c.percent;
        EXPECT_EQ(TaxMoraleDelta(level), c.morale) << c.percent;
    }
}

TEST(RuleFormulas, TaxOutlookOfEachLevel)
{
    const struct {
        int32_t level, base;
        uint8_t percent;
        int32_t income, satisfaction;
    } cases[] = {
        {0, 250, 40, 100, 9},
        {1, 250, 70, 175, 3},
        {2, 250, 100, 250, 0},
        {3, 250, 130, 325, -10},
        {7, 250, 100, 250, 0},                                            // an unknown level taxes as level 2
        {1, -250, 70, -175, 3},                                           // a debt is taxed towards 0
        {3, 2000000000, 130, int32_t(2600000000LL - 4294967296LL), -10},  // counted in 64 bits, then stored
    };
    for (const auto& c : cases) {
        const TaxOutlook outlook = TaxOutlookOf(c.level, c.base);
        EXPECT_EQ(outlook.percent, c.percent) << c.level << " " << c.base;
        EXPECT_EQ(outlook.income, c.income) << c.level << " " << c.base;
        EXPECT_EQ(outlook.satisfactionRate, c.satisfaction) << c.level << " " << c.base;
    }
}

TEST(RuleFormulas, MarketSliderRangeAndExchangeByPosition)
{
    struct Case {
        int32_t have, a, b, position;
        int32_t max, give, get;
    };
    const Case cases[] = {
        {95, 10, 30, 7, 95, 7, 21},  // a dear kind: the slider counts what is given
        {95, 10, 30, 1, 95, 1, 3},   {95, 10, 20, 3, 95, 3, 6},  // b = a + 10 still counts the units given
        {95, 10, 6, 57, 57, 95, 57},                            // a cheap kind: the slider counts what is got
        {95, 10, 6, 1, 57, 2, 1},                               // 10 / 6 rounds up
        {95, 10, 3, 28, 28, 94, 28}, {95, 10, 0, 0, 0, 0, 0},   // no rate: nothing to trade, no division
        {0, 10, 6, 0, 0, 0, 0},      {-5, 10, 30, 0, 0, 0, 0},  // a debt gives nothing to trade with
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.have << " " << c.a << "/" << c.b << " at " << c.position);
        EXPECT_EQ(TradingSliderMax(c.have, c.a, c.b), c.max);
        const TradingExchange e = TradingAtPosition(c.position, c.a, c.b);
        EXPECT_EQ(e.give, c.give);
        EXPECT_EQ(e.get, c.get);
        EXPECT_LE(e.give, c.have < 0 ? 0 : c.have);
    }
}

TEST(RuleFormulas, SatisfactionCarriesAndNeverGoesNegative)
{
    HeroRecord hero;
    hero.satisfaction.units = 1;
    hero.satisfaction.hundredths = 95;
    ApplyTaxLevel(0, &hero);  // + 0.09
    EXPECT_EQ(hero.satisfaction.units, 2);
    EXPECT_EQ(hero.satisfaction.hundredths, 4);
    ApplyTaxLevel(3, &hero);
    ApplyTaxLevel(3, &hero);
    ApplyTaxLevel(3, &hero);
    EXPECT_EQ(hero.satisfaction.units, 0);
    EXPECT_EQ(hero.satisfaction.hundredths, 4);
    ApplyTaxLevel(2, &hero);
    EXPECT_EQ(hero.satisfaction.hundredths, 4);
}

TEST(RuleFormulas, DeceaseExperienceInChunks)
{
    GameRules rules;
    rules.killExpChunk = 10;
    rules.killExpValue = 30;
    rules.killExpDrop = 10;
    // 25 killed: 10 at 30, 10 at 20, 5 at 10 -> 30 + 20 + 5.
    EXPECT_EQ(rules.DeceaseExperience(25), 55);
    EXPECT_EQ(rules.DeceaseExperience(0), 0);
    rules.killExpChunk = 0;  // a damaged rules text must not hang the game
    EXPECT_EQ(rules.DeceaseExperience(7), 21);
}

TEST(RuleFormulas, RobberyLootIsCapped)
{
    GameRules rules;
    rules.robberyExpFactor = 3;
    rules.robberyExpCap = 100;
    EXPECT_EQ(rules.RobberyLoot(200), 60);
    EXPECT_EQ(rules.RobberyLoot(1000), 100);
}

TEST(RuleFormulas, AssassinationOffersWhatTheTreasuryAndTheLimitAllow)
{
    GameRules rules;
    rules.maxRaiders = 5;
    const struct {
        int32_t gold, metal, costGold, costMetal, limit, offered;
    } cases[] = {
        {300, 100, 100, 5, 5, 3},                       // the treasury buys three
        {1000, 100, 100, 5, 5, 5},                      // the rules allow five
        {1000, 10, 100, 5, 5, 2},                       // metal runs out first
        {100, 5, 100, 5, 5, 1},    {0, 0, 0, 0, 7, 7},  // a free operation: only the limit counts
        {0, 0, 0, 0, 300, 255},                         // the cost is counted for at most 255
    };
    for (const auto& c : cases) {
        rules.deceaseCost = Bundle(c.costGold, c.costMetal, 0);
        rules.maxRaiders = c.limit;
        EXPECT_EQ(rules.DeceaseRaidersOffered(Bundle(c.gold, c.metal, 0)), c.offered)
            << c.gold << " " << c.metal;
    }
}

TEST(RuleFormulas, RobberyOffersTheHerosTriesAsFarAsTheGoldPays)
{
    GameRules rules;
    rules.robberyTriesBase = 4;
    HeroRecord hero;
    hero.stealth = 2;
    const struct {
        int32_t gold, price, offered;
    } cases[] = {
        {350, 100, 3},   // gold for three
        {5000, 100, 6},  // tries 4 + stealth 2
        {350, 0, 6},     // no price: the gold sets no limit
    };
    for (const auto& c : cases) {
        rules.robberyCost = Bundle(c.price, 0, 0);
        EXPECT_EQ(rules.RobberyRaidersOffered(&hero, Bundle(c.gold, 0, 0)), c.offered)
            << c.gold << " " << c.price;
    }
}

class RuleFormulasInWorld : public ModelFixture {
protected:
    // A line 0-1-...-(n-1) owned by player 0 with capital and castle at 0, on
    // the easiest level, the session's distances measured from the army.
    void BuildLine(int n, int army)
    {
        std::vector<ProvinceSpec> line;
        for (int i = 0; i < n; ++i)
            line.push_back({0, i + 1 < n ? std::vector<uint8_t>{uint8_t(i + 1)} : std::vector<uint8_t>{}});
        line[0].castle = true;
        BuildWorld(1, line, {0});
        Game().difficulty = 0;
        Player(0).armyLocation = int16_t(army);
        GameDistanceMap()->Compute(uint8_t(army), 0, 0);
    }
};

TEST_F(RuleFormulasInWorld, ChancesStayInsideTheirClamps)
{
    BuildWorld(2, {{0, {1}}, {1, {2}, true}, {1, {}}}, {0, 1});
    GameRules& rules = Rules();
    HeroRecord& own = Player(0).hero;
    HeroRecord& target = Player(1).hero;
    const struct {
        int32_t base, step, bonus;
        uint8_t ownStealth, targetStealth;
        int16_t scout, robbery, deceaseOpen, deceaseCastle;
    } cases[] = {
        // base 50, step 5, bonus 20 over 2 provinces: 50 + 5 x diff + 10
        {50, 5, 20, 4, 2, 70, 70, 70, 52},
        {50, 5, 20, 2, 2, 60, 60, 60, 45},
        {500, 0, 0, 2, 2, 95, 90, 90, 67},
        {-500, 0, 0, 2, 2, 15, 15, 15, 11},
    };
    for (const auto& c : cases) {
        rules.scoutBase = rules.robberyBase = rules.deceaseBase = c.base;
        rules.scoutStep = rules.robberyStep = rules.deceaseStep = c.step;
        rules.scoutBonus = rules.robberyBonus = rules.deceaseBonus = c.bonus;
        own.stealth = c.ownStealth;
        target.stealth = c.targetStealth;
        EXPECT_EQ(rules.ScoutChance(&own, &target), c.scout) << c.base;
        EXPECT_EQ(rules.RobberyChance(&own, &target), c.robbery) << c.base;
        EXPECT_EQ(rules.DeceaseChance(&own, &target, &Province(2)), c.deceaseOpen) << c.base;
        EXPECT_EQ(rules.DeceaseChance(&own, &target, &Province(1)), c.deceaseCastle) << c.base;
    }
}

TEST_F(RuleFormulasInWorld, RobberyChanceWeighsTheGuilds)
{
    BuildWorld(2, {{0, {1}, true}, {1, {}, true}}, {0, 1});
    GameRules& rules = Rules();
    rules.robberyBase = 60;
    Province(0).castle.buildings = kBuildingGuild;
    Province(0).castle.guildLevel = 2;  // own 120
    EXPECT_EQ(rules.RobberyChance(&Player(0).hero, &Player(1).hero), 72);
    Province(1).castle.buildings = kBuildingGuild;
    Province(1).castle.guildLevel = 4;  // victim 140: 60 x 120 / 140
    EXPECT_EQ(rules.RobberyChance(&Player(0).hero, &Player(1).hero), 51);
}

TEST_F(RuleFormulasInWorld, BattleValueByCastleAndOutcome)
{
    BuildWorld(2, {{0, {1}}, {1, {2}, true}, {1, {}, true}}, {0, 1});
    GameRules& rules = Rules();
    rules.battleBase = 10;
    rules.battleFactor = 2;
    rules.moatBonus = 7;
    rules.wallsBonus = 11;
    Province(2).castle.moat = 1;
    Province(2).castle.fortWalls = 1;
    // v = (100 - 40) + (80 - 30) x 20 / 100 = 70; e = 10 + 2 x 70 = 150.
    EXPECT_EQ(rules.BattleValue(80, 100, 30, 40, 1, &Province(0)), 150);
    EXPECT_EQ(rules.BattleValue(80, 100, 30, 40, 0, &Province(1)), 105);       // defender won a siege
    EXPECT_EQ(rules.BattleValue(80, 100, 30, 40, 1, &Province(1)), 300);       // the owner's capital
    EXPECT_EQ(rules.BattleValue(80, 100, 30, 40, 1, &Province(2)), 225 + 18);  // moat and walls
    Province(2).castle.percent = 0;                                            // a ruin is an open field
    EXPECT_EQ(rules.BattleValue(80, 100, 30, 40, 1, &Province(2)), 150);
}

TEST_F(RuleFormulasInWorld, TradingRates)
{
    BuildWorld(1, {{0, {1}}, {0, {}}}, {0});
    int32_t a = 0, b = 0;
    // Equal incomes in all three kinds: rate 10 each before the market step;
    // without a market f = 64, a = 65 x 10 / 32 = 20, reduced 2 : 1, then
    // b = 1 x 10 / 2 = 5, x 60 / 100 = 3.
    Province(0).income = Bundle(5, 5, 5);
    TradingRates(&Player(0), 0, 1, &a, &b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 3);
    // No income at all reads as the neutral rate, not a division by zero.
    Province(0).income = Bundle(0);
    TradingRates(&Player(0), 0, 1, &a, &b);
    EXPECT_EQ(a, 10);
    EXPECT_EQ(b, 3);
    // All gold: shares 100/0/0, rates 110/10/10. a = 65 x 110 / 32 = 223;
    // 223 and 10 share no divisor; b = 10 x 10 / 223 = 0 and stays 0.
    Province(0).income = Bundle(9, 0, 0);
    TradingRates(&Player(0), 0, 1, &a, &b);
    EXPECT_EQ(b, 0);
    TradingRates(&Player(0), 1, 0, &a, &b);
    // a = 65 x 10 / 32 = 20, b = 110: reduced by 10 to 2 : 11, b = 55 x 60 / 100 = 33.
    EXPECT_EQ(b, 33);
}

TEST_F(RuleFormulasInWorld, RevoltChance)
{
    BuildLine(10, 0);
    // div = max(5, 10 / 8) = 5; distance 3 -> base 48; empty garrison, r = 0.
    EXPECT_EQ(RevoltChance(&Player(0), &Province(3)), 48);
    EXPECT_EQ(RevoltChance(&Player(0), &Province(9)), 80);  // capped at 80
    EXPECT_EQ(RevoltChance(&Player(0), &Province(0)), 0);   // a castle never rises
    // w = 2 x 5 + 3 x 3 = 19; 3 swords = 6 -> 6 x 100 / 19 - 3 = 28 -> r = 7.
    SetGarrison(3, 3, 0);
    EXPECT_EQ(RevoltChance(&Player(0), &Province(3)), 0);
    // 1 sword = 2 -> 10 - 3 = 7 as well; no units at all gives r = 0.
    SetGarrison(3, 0, 0);
    Player(0).hero.satisfaction.units = 30;  // content: x 70 / 100
    EXPECT_EQ(RevoltChance(&Player(0), &Province(3)), 33);
    Player(0).hero.satisfaction.units = 1;  // restless: x 120 / 100
    EXPECT_EQ(RevoltChance(&Player(0), &Province(3)), 57);
}

TEST_F(RuleFormulasInWorld, RevoltChanceAfterTransferMeasuresFromTheCapital)
{
    BuildLine(6, 4);  // the session map measures from the army at 4, the capital is at 0
    // Province 2: d1 = 2 (capital) -> base1 32; d2 = 2 (army) -> base2 32.
    EXPECT_EQ(RevoltChanceAfterTransfer(&Player(0), &Province(2), nullptr, 0, 0), 32);
    EXPECT_EQ(RevoltChanceAfterTransfer(&Player(0), &Province(2), nullptr, 0, 1), 32 * 32 / 100);
    // The session map is left as it was.
    EXPECT_EQ(GameDistanceMap()->Distance(uint8_t(0)), 4);
    // Where the army stands nothing rises after a move.
    EXPECT_EQ(RevoltChanceAfterTransfer(&Player(0), &Province(4), nullptr, 0, 1), 0);
    // Moving 3 swords in protects the province (w = 19, 6 x 100 / 19 - 3 >= 7).
    const int32_t into[2] = {-3, 0};
    EXPECT_EQ(RevoltChanceAfterTransfer(&Player(0), &Province(2), into, 0, 0), 0);
}

// Almost only gold: ten gold buy less than one metal by the rules' rate,
// so the market sells metal by the unit; a rate that buys something stays.
TEST_F(RuleFormulasInWorld, TheMarketOffersRareKindsByTheUnit)
{
    BuildWorld(1, {{0, {}}}, {0});
    Province(0).income = Bundle(90, 1, 9);
    // Rates 99, 10 and 18; gold's 99 is 201 after the market step. One metal
    // is worth 201 / 10 gold, of which 60 per cent is paid: 2010 / 60 = 34
    // rounded up.
    EXPECT_EQ(OfferedTradingRate(&Player(0), 0, 1), (MarketRate{0, 1, 34, 1}));
    int32_t a = 0, b = 0;
    TradingRates(&Player(0), 1, 0, &a, &b);
    ASSERT_GT(b, 0);
    EXPECT_EQ(OfferedTradingRate(&Player(0), 1, 0), (MarketRate{1, 0, a, b}));
    const std::vector<MarketRate> rates = MarketRates(&Player(0), 3);
    const std::pair<uint16_t, uint16_t> order[] = {{0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}};
    ASSERT_EQ(rates.size(), std::size(order));
    for (size_t i = 0; i < rates.size(); ++i) {
        EXPECT_EQ(rates[i], OfferedTradingRate(&Player(0), order[i].first, order[i].second)) << i;
        EXPECT_GT(rates[i].b, 0) << i;
    }
}

TEST_F(RuleFormulasInWorld, APlannedTransferCountsRecruitsAndReadsOneDeltaPerSquad)
{
    BuildLine(6, 4);
    const struct {
        std::vector<int32_t> deltas;
        int32_t pending;  // swords being recruited into the garrison
        int16_t chance;
    } cases[] = {
        {{}, 0, 32},           // nothing planned: measured from the capital, 2 away
        {{-3}, 0, 0},          // a short plan: 3 swords in protect the province
        {{0, 0, -99}, 0, 32},  // a delta beyond the army's squads is not read
        {{}, 3, 0},            // swords on their way count as if there
        {{3}, 3, 32},          // ... and taking as many out leaves it bare again
    };
    SetGarrison(2, 0, 0);
    for (const auto& c : cases) {
        Province(2).garrison.Item(0)->pending = c.pending;
        EXPECT_EQ(RevoltChanceOfPlannedTransfer(&Player(0), &Province(2), c.deltas), c.chance)
            << c.deltas.size() << " deltas, " << c.pending << " pending";
    }
    // The army standing there does not protect what it leaves behind.
    Province(2).garrison.Item(0)->pending = 0;
    SetGarrison(4, 0, 0);
    EXPECT_GT(RevoltChanceOfPlannedTransfer(&Player(0), &Province(4), {}), 0);
}

TEST_F(RuleFormulasInWorld, TheMapsRevoltChancesAreMeasuredFromTheCapital)
{
    BuildLine(10, 5);  // the session measures from the army at 5
    Province(8).SetOwner(nullptr);
    const std::vector<int16_t> chances = RevoltChancesFromCapital(&Player(0));
    ASSERT_EQ(chances.size(), 10u);
    EXPECT_EQ(chances[0], 0);   // a castle never rises
    EXPECT_EQ(chances[3], 48);  // 3 from the capital, not 2 from the army
    EXPECT_EQ(chances[8], 0);   // not the player's
    EXPECT_EQ(chances[9], 80);
    EXPECT_EQ(GameDistanceMap()->Distance(uint8_t(0)), 5);
    EXPECT_TRUE(RevoltChancesFromCapital(nullptr) == std::vector<int16_t>(10, 0));
}

TEST_F(RuleFormulasInWorld, GarrisonRecruitsFillEachProvincesShareAsFarAsTheTreasuryPays)
{
    BuildWorld(2, {{0, {1}, true}, {0, {2}}, {1, {}, true}}, {0, 2});
    // Two provinces: room for 2 x 5 swords or 2 x 3 bows in all garrisons.
    const struct {
        int slot;
        int32_t held, gold, metal, limit;
    } cases[] = {
        {0, 0, 1000, 0, 10},  {0, 3, 1000, 0, 7}, {0, 3, 40, 0, 4},  // 10 gold a sword
        {0, 12, 1000, 0, 0},                                         // more than the room: nothing, not less
        {1, 0, 1000, 4, 2},                                          // 2 metal a bow
        {1, 1, 1000, 100, 5},
    };
    for (const auto& c : cases) {
        SetGarrison(0, c.slot == 0 ? c.held : 0, c.slot == 1 ? c.held : 0);
        SetGarrison(2, 50, 50);  // another lord's garrison takes no room
        SetGold(0, c.gold, c.metal);
        EXPECT_EQ(GarrisonRecruitLimit(&Player(0), Player(0).army.Item(c.slot), c.slot), c.limit)
            << c.slot << " " << c.held << " " << c.gold;
    }
}

}  // namespace
