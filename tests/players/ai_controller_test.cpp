// The computer controller's own slots: income by difficulty, level-ups and
// whether its attacks are shown.
#include <gtest/gtest.h>

#include "core/random.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/ui_request.h"
#include "players/ai_controller.h"
#include "players/request_records.h"
#include "tests/support/world/small_world.h"

namespace {

// Player 0 holds its capital (castle, so 5 gold of castle income) and one
// more province; together they earn 30 gold a turn.
void ThirtyGoldWorld(SmallWorld& w, int32_t difficulty)
{
    w.Chain({0, 1}).Capital(0, 0).Own(1, 0).Finish(difficulty);
    w.SetIncome(0, 15, 0, 0);
    w.SetIncome(1, 10, 0, 0);
}

TEST(ComputerIncome, IsScaledByDifficulty)
{
    struct Case {
        int32_t difficulty;
        int32_t gold;
    };
    for (const Case c : {Case{0, 22}, Case{1, 30}, Case{2, 40}, Case{3, 50}}) {
        SmallWorld w(1, 2);
        ThirtyGoldWorld(w, c.difficulty);
        w.Controller(0).CollectIncome();
        EXPECT_EQ(w.Player(0).treasury.Get(FourCC("gold")), c.gold) << "difficulty " << c.difficulty;
        EXPECT_EQ(w.Player(0).stats.taxes.Get(FourCC("gold")), c.gold);
    }
}

TEST(ComputerIncome, LowTaxesCollectLess)
{
    SmallWorld w(1, 2);
    ThirtyGoldWorld(w, 1);
    w.Player(0).taxPercent = 40;
    w.Controller(0).CollectIncome();
    EXPECT_EQ(w.Player(0).treasury.Get(FourCC("gold")), 12);
}

TEST(ComputerLevelUp, PutsEveryPointIntoOneSkill)
{
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SmallWorld w(1, 1);
        w.Capital(0, 0).Finish();
        HeroRecord& hero = w.Player(0).hero;
        hero.battle = hero.builder = hero.stealth = 2;
        hero.experience = 600;  // thresholds 250 and 500 reached: two level-ups
        SetRandomState(seed);
        w.Controller(0).LevelUp();
        const int grown = (hero.battle - 2) + (hero.builder - 2) + (hero.stealth - 2);
        const int changed = (hero.battle != 2) + (hero.builder != 2) + (hero.stealth != 2);
        EXPECT_EQ(grown, 2) << "seed " << seed;
        EXPECT_EQ(changed, 1) << "seed " << seed;
        EXPECT_EQ(hero.level, 3);
    }
}

TEST(ComputerAttack, IsShownOnlyAgainstAPerson)
{
    for (const bool humanDefender : {false, true}) {
        SmallWorld w(2, 3);
        w.Chain({0, 1, 2}).Capital(0, 0).Own(1, 1).Capital(1, 2).Finish();
        w.SetArmy(0, 10, 0);
        w.SetGarrison(1, 1, 0);
        if (humanDefender) {
            w.Player(1).SetHuman(1);
            // The person at the device stands and fights.
            SigUiRequest.Connect([](UiRequestKind kind, void* record) -> uint32_t {
                if (kind == UiRequestKind::BattleDefend)
                    static_cast<BattleQuestionArgs*>(record)->confirmed = 1;
                return 1;
            });
        }
        w.BeginTurnOf(0);
        w.Controller(0).AttackProvince(&w.Province(1), 1, 0);
        ASSERT_EQ(SmallWorld::Battles(), 1);
        EXPECT_EQ(SmallWorld::LastBattleAutomatic(), humanDefender ? 0u : 1u);
        EXPECT_EQ(w.Province(1).owner, &w.Player(0));
    }
}

TEST(ComputerAttack, WithAnEmptyArmyDoesNothing)
{
    SmallWorld w(2, 3);
    w.Chain({0, 1, 2}).Capital(0, 0).Own(1, 1).Capital(1, 2).Finish();
    w.Controller(0).AttackProvince(&w.Province(1), 1, 0);
    EXPECT_EQ(SmallWorld::Battles(), 0);
    EXPECT_EQ(w.Province(1).owner, &w.Player(1));
    EXPECT_EQ(w.Controller(0).flags & kAttackedThisTurn, 0);
}

TEST(ComputerDefence, AWonDefenceEarnsTheHeroItsExperience)
{
    SmallWorld w(2, 2);
    w.Chain({0, 1}).Capital(0, 0).Capital(1, 1).Finish();
    w.Controller(1).ReportBattleResult(1, &w.Player(0), &w.Province(1), nullptr, nullptr, 40);
    EXPECT_EQ(w.Player(1).hero.experience, 40);
    w.Controller(1).ReportBattleResult(0, &w.Player(0), &w.Province(1), nullptr, nullptr, 0);
    EXPECT_EQ(w.Player(1).hero.experience, 40);
}

}  // namespace
