// The castle panel's offer as the rules decide it: the state line chosen by
// what the castle is doing, the operations offered, and each work's state
// (built, within the treasury after the builder's discount, or not).
#include <gtest/gtest.h>

#include "game/game_rules.h"
#include "players/castle_works_offer.h"
#include "tests/support/world/small_world.h"

namespace {

class CastleWorksOfferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Player 0 holds a castle at 0 and the capital at 1.
        m_world.Chain({0, 1}).Capital(0, 1).Own(0, 0).Castle(0, 100).Finish();
        castle().work = kWorkNone;
        GameRules& rules = Rules();
        rules.catapultLimit = 2;
        for (CResourceBundle* cost :
             {&rules.moatCost, &rules.catapultCost, &rules.wallsCost, &rules.marketCost, &rules.bankCost,
              &rules.metalMineCost, &rules.stoneMineCost}) {
            cost->Zero();
            cost->SetByChars("gold", 100);
        }
    }
    CastleState& castle() { return m_world.Province(0).castle; }
    PlayerRecord& player() { return m_world.Player(0); }
    CastleWorksOffer Offer(uint8_t index = 0)
    {
        return OfferCastleWorks(&m_world.Province(0), index, &player());
    }

    SmallWorld m_world{1, 2};
};

TEST_F(CastleWorksOfferTest, TheStateLineFollowsTheConstruction)
{
    const struct {
        uint32_t work;
        uint8_t percent, turns, builder, walls;
        int line, number;
        bool complete, fastRepair, idle;
    } cases[] = {
        {kWorkBuildCastle, 40, 0, 2, 0, 0, 40, false, false, false},
        {kWorkRepair, 60, 0, 2, 0, 1, 60, false, false, false},
        {kWorkCompleteCastle, 70, 0, 2, 0, 2, 70, false, true, false},
        {kWorkCatapult, 100, 3, 2, 0, 5, 3, false, false, false},
        {kWorkStoneMine, 100, 1, 2, 0, 5, 1, false, false, false},
        // One turn's progress is 5 x builder + 15, two thirds of it behind
        // fortified walls; larger damage offers the completion.
        {kWorkNone, 75, 0, 3, 0, 4, 75, false, false, false},
        {kWorkNone, 65, 0, 3, 0, 3, 35, true, false, false},
        {kWorkNone, 75, 0, 3, 1, 3, 25, true, false, false},
        {kWorkNone, 80, 0, 3, 1, 4, 80, false, false, false},
        {kWorkNone, 100, 0, 0, 0, 4, 100, false, false, true},
        // Not a single work: no line at all.
        {3, 100, 0, 2, 0, -1, 0, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.work << " " << int(c.percent));
        castle().work = c.work;
        castle().percent = c.percent;
        castle().turnsLeft = c.turns;
        castle().fortWalls = c.walls;
        player().hero.builder = c.builder;
        const CastleWorksOffer offer = Offer();
        EXPECT_TRUE(offer.known);
        EXPECT_EQ(offer.stateLine, c.line);
        if (c.line >= 0) {
            EXPECT_EQ(offer.stateNumber, c.number);
        }
        EXPECT_EQ(offer.complete, c.complete);
        EXPECT_EQ(offer.fastRepair, c.fastRepair);
        EXPECT_EQ(offer.idle, c.idle);
    }
    EXPECT_FALSE(OfferCastleWorks(nullptr, 0, &player()).known);
}

TEST_F(CastleWorksOfferTest, DemolitionIsOfferedOnlyForAStandingCastleThatIsNotTheCapital)
{
    const struct {
        uint8_t index;
        uint8_t percent;
        bool owned;
        bool offered;
    } cases[] = {{0, 50, true, true}, {1, 50, true, false}, {0, 0, true, false}, {0, 100, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.index) << " " << int(c.percent) << " " << c.owned);
        castle().percent = c.percent;
        m_world.Province(0).owner = c.owned ? &player() : nullptr;
        EXPECT_EQ(Offer(c.index).demolish, c.offered);
    }
}

TEST_F(CastleWorksOfferTest, WorksAreBuiltAffordableOrNotAfterTheDiscount)
{
    // Builder skill 2: a cost of 100 gold is discounted to 96.
    player().hero.builder = 2;
    const struct {
        int32_t gold;
        uint8_t catapults;
        bool moat;
        CastleWorkState moatState, catapultState;
        int32_t catapultPicture;
    } cases[] = {
        {96, 0, false, WorkAffordable, WorkAffordable, 1},
        {95, 1, false, WorkUnaffordable, WorkUnaffordable, 2},
        // The limit of two catapults reached counts as built.
        {500, 2, true, WorkBuilt, WorkBuilt, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gold);
        player().treasury.SetByChars("gold", c.gold);
        castle().catapults = c.catapults;
        castle().moat = c.moat ? 1 : 0;
        const CastleWorksOffer offer = Offer();
        EXPECT_EQ(offer.works[WorkMoat], c.moatState);
        EXPECT_EQ(offer.works[WorkCatapult], c.catapultState);
        EXPECT_EQ(offer.catapultPicture, c.catapultPicture);
    }
    // Buildings: market built, bank affordable; the tavern is never priced
    // and the guild keeps its layout look.
    player().treasury.SetByChars("gold", 200);
    castle().buildings = kBuildingMarket;
    castle().moat = 0;
    CastleWorksOffer offer = Offer();
    EXPECT_EQ(offer.works[WorkMarket], WorkBuilt);
    EXPECT_EQ(offer.works[WorkBank], WorkAffordable);
    EXPECT_EQ(offer.works[WorkTavern], WorkUnaffordable);
    EXPECT_EQ(offer.works[WorkGuild], WorkAsLaidOut);
    // Busy, or damaged past one turn's repair: nothing is priced, only what
    // is built shows so.
    for (const auto& [work, percent] : {std::pair{kWorkBank, 100}, std::pair{kWorkNone, 50}}) {
        castle().work = work;
        castle().percent = uint8_t(percent);
        offer = Offer();
        EXPECT_EQ(offer.works[WorkMarket], WorkBuilt) << work;
        EXPECT_EQ(offer.works[WorkBank], WorkUnaffordable) << work;
        EXPECT_EQ(offer.works[WorkMoat], WorkUnaffordable) << work;
    }
}

TEST_F(CastleWorksOfferTest, TheGuildPictureIsTheNextLevelUpToTheFourth)
{
    const struct {
        uint8_t buildings, level;
        int32_t picture;
    } cases[] = {{0, 3, 1},
                 {kBuildingGuild, 0, 1},
                 {kBuildingGuild, 2, 3},
                 {kBuildingGuild, 3, 4},
                 {kBuildingGuild, 7, 4}};
    for (const auto& c : cases) {
        castle().buildings = c.buildings;
        castle().guildLevel = c.level;
        EXPECT_EQ(Offer().guildPicture, c.picture) << int(c.buildings) << "/" << int(c.level);
    }
}

}  // namespace
