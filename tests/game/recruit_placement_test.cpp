// Where recruits go and what they cost, on five provinces: player 0 owns 0,
// 1, 3 and 4, player 1 owns 2. Kind 0 is the Sword (10 gold), kind 1 the Bow
// (8 gold and 2 metal); province 3 keeps a standing garrison of both.
#include <utility>
#include <vector>

#include "game/recruit_placement.h"
#include "tests/game/model_fixture.h"

namespace {

constexpr int kProvinces = 5;
constexpr int32_t kKinds = 2;
constexpr int32_t kStanding = 5;

using Reports = std::vector<std::pair<int32_t, int32_t>>;

class RecruitPlacementTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        BuildWorld(2, {{0, {1}}, {0, {2}}, {1, {3}}, {0, {4}}, {0, {}}}, {0, 2});
        Reset();
    }

    // The state every case starts from: nothing placed, nothing spent.
    void Reset()
    {
        for (int i = 0; i < kProvinces; ++i)
            SetGarrison(i, 0, 0);
        SetGarrison(3, kStanding, kStanding);
        SetGold(0, 1000, 100);
        Player(0).stats.spent.Zero();
        m_placed.assign(size_t(kProvinces) * size_t(kKinds), 0);
        m_reports.clear();
    }

    void PreparePool(int32_t kind, int32_t count)
    {
        m_pool.SetType(kind == 0 ? SwordType() : BowType());
        m_pool.count = count;
    }
    int32_t Move(int32_t kind, int32_t delta, const std::vector<bool>& chosen)
    {
        return MoveRecruits(
            World(), Player(0), m_pool, kind, kKinds, delta, m_placed, chosen,
            [this](int32_t province, int32_t placed) { m_reports.emplace_back(province, placed); });
    }
    int32_t& Placed(int province, int32_t kind)
    {
        return m_placed[size_t(province) * size_t(kKinds) + size_t(kind)];
    }
    std::vector<int32_t> Garrisons(int32_t kind)
    {
        std::vector<int32_t> counts;
        for (int i = 0; i < kProvinces; ++i)
            counts.push_back(Province(i).garrison.Item(kind)->count);
        return counts;
    }
    std::vector<int32_t> PlacedOfKind(int32_t kind)
    {
        std::vector<int32_t> counts;
        for (int i = 0; i < kProvinces; ++i)
            counts.push_back(Placed(i, kind));
        return counts;
    }
    int32_t Treasury(const char* four) { return Player(0).treasury.GetByChars(four); }
    int32_t Spent(const char* four) { return Player(0).stats.spent.GetByChars(four); }

    CSquad m_pool;
    std::vector<int32_t> m_placed;
    Reports m_reports;
};

TEST_F(RecruitPlacementTest, SpreadsOnePerChosenProvinceAndPassFromTheHighestIndexDown)
{
    struct Case {
        const char* what;
        int32_t kind;
        std::vector<bool> chosen;
        int32_t pool, delta;
        int32_t moved;
        std::vector<int32_t> garrisons;  // of the kind, after
        Reports reports;
    };
    const Case cases[] = {
        {"round robin over 3, 1, 0 and once more from the top",
         0,
         {true, true, false, true, false},
         10,
         4,
         4,
         {1, 1, 0, kStanding + 2, 0},
         {{3, 1}, {1, 1}, {0, 1}, {3, 2}}},
        {"another lord's province is skipped though chosen",
         0,
         {true, true, true, true, true},
         10,
         3,
         3,
         {0, 1, 0, kStanding + 1, 1},
         {{4, 1}, {3, 1}, {1, 1}}},
        {"the pool runs out in the middle of the second pass",
         0,
         {true, true, false, true, true},
         5,
         9,
         5,
         {1, 1, 0, kStanding + 1, 2},
         {{4, 1}, {3, 1}, {1, 1}, {0, 1}, {4, 2}}},
        {"one chosen province takes a unit a pass; missing flags are not chosen",
         0,
         {true},
         10,
         3,
         3,
         {3, 0, 0, kStanding, 0},
         {{0, 1}, {0, 2}, {0, 3}}},
        {"only another lord's province chosen: nothing moves",
         0,
         {false, false, true},
         10,
         3,
         0,
         {0, 0, 0, kStanding, 0},
         {}},
        {"the second kind's counts are its own",
         1,
         {false, true, false, true, false},
         10,
         3,
         3,
         {0, 1, 0, kStanding + 2, 0},
         {{3, 1}, {1, 1}, {3, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        PreparePool(c.kind, c.pool);
        const CResourceBundle cost = (c.kind == 0 ? SwordType() : BowType())->cost;
        EXPECT_EQ(Move(c.kind, c.delta, c.chosen), c.moved);
        EXPECT_EQ(Garrisons(c.kind), c.garrisons);
        EXPECT_EQ(m_reports, c.reports);
        EXPECT_EQ(m_pool.count, c.pool - c.moved);
        // The other kind is untouched, both in the garrisons and in what was placed.
        const int32_t other = 1 - c.kind;
        EXPECT_EQ(Garrisons(other), (std::vector<int32_t>{0, 0, 0, kStanding, 0}));
        EXPECT_EQ(PlacedOfKind(other), std::vector<int32_t>(kProvinces, 0));
        std::vector<int32_t> placed = c.garrisons;
        placed[3] -= kStanding;
        EXPECT_EQ(PlacedOfKind(c.kind), placed);
        EXPECT_EQ(Treasury("gold"), 1000 - c.moved * cost.GetByChars("gold"));
        EXPECT_EQ(Treasury("metl"), 100 - c.moved * cost.GetByChars("metl"));
        EXPECT_EQ(Spent("gold"), c.moved * cost.GetByChars("gold"));
        EXPECT_EQ(Spent("metl"), c.moved * cost.GetByChars("metl"));
    }
}

TEST_F(RecruitPlacementTest, GivesBackOnlyWhatThisStayPlacedInChosenOwnedProvinces)
{
    struct Case {
        const char* what;
        std::vector<bool> chosen;
        int32_t delta;
        int32_t moved;
        std::vector<int32_t> garrisons, placed;  // of swords, after
    };
    // Before each case: garrisons 4, 1, 3, 6, 1 of which this stay placed
    // 1, 2, 3, 1, 1. Province 1 has lost a unit it was given; province 2 is
    // another lord's whatever the counts say.
    const Case cases[] = {
        {"everything: the standing garrisons stay, no garrison goes below 0",
         {true, true, true, true, true},
         -10,
         4,
         {3, 0, 3, 5, 0},
         {0, 1, 3, 0, 0}},
        {"from the highest index down, one a province and pass",
         {true, true, true, true, true},
         -2,
         2,
         {4, 1, 3, 5, 0},
         {1, 2, 3, 0, 0}},
        {"never from a province not chosen or not owned",
         {false, true, true, false, false},
         -3,
         1,
         {4, 0, 3, 6, 1},
         {1, 1, 3, 1, 1}},
        {"a province placed one gives back one, however many are asked",
         {true},
         -5,
         1,
         {3, 1, 3, 6, 1},
         {0, 2, 3, 1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        const int32_t garrisons[kProvinces] = {4, 1, 3, 6, 1};
        const int32_t placed[kProvinces] = {1, 2, 3, 1, 1};
        for (int i = 0; i < kProvinces; ++i) {
            Province(i).garrison.Item(0)->count = garrisons[i];
            Placed(i, 0) = placed[i];
        }
        Player(0).stats.spent = Bundle(100);
        PreparePool(0, 0);
        EXPECT_EQ(Move(0, c.delta, c.chosen), c.moved);
        EXPECT_EQ(Garrisons(0), c.garrisons);
        EXPECT_EQ(PlacedOfKind(0), c.placed);
        EXPECT_EQ(m_pool.count, c.moved);
        EXPECT_EQ(Treasury("gold"), 1000 + 10 * c.moved);
        EXPECT_EQ(Spent("gold"), 100 - 10 * c.moved);
    }
}

TEST_F(RecruitPlacementTest, AGiveBackRefundsThePurchaseAndIsNoIncome)
{
    const std::vector<bool> chosen = {true, true, false, true, true};
    PreparePool(1, 12);
    ASSERT_EQ(Move(1, 6, chosen), 6);
    EXPECT_EQ(Treasury("gold"), 1000 - 48);
    EXPECT_EQ(Treasury("metl"), 100 - 12);
    ASSERT_EQ(Move(1, -2, chosen), 2);
    EXPECT_EQ(Treasury("gold"), 1000 - 32);
    EXPECT_EQ(Spent("gold"), 32);
    EXPECT_EQ(Spent("metl"), 8);
    ASSERT_EQ(Move(1, -4, chosen), 4);
    EXPECT_EQ(Treasury("gold"), 1000);
    EXPECT_EQ(Treasury("metl"), 100);
    EXPECT_TRUE(Player(0).stats.spent.IsZero());
    EXPECT_TRUE(Player(0).stats.taxes.IsZero());
    EXPECT_EQ(m_pool.count, 12);
    EXPECT_EQ(Garrisons(1), (std::vector<int32_t>{0, 0, 0, kStanding, 0}));
    EXPECT_EQ(PlacedOfKind(1), std::vector<int32_t>(kProvinces, 0));
}

}  // namespace
