// Distances over the province graph, reach and paths.
#include "game/province_distance_map.h"

#include <random>

#include "game/game_world.h"
#include "game/province_record.h"
#include "tests/game/model_fixture.h"

namespace {

// 0 - 1 - 2 - 3 - 4, with 5 hanging off 1 and 6 unconnected.
class DistanceMapTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        BuildWorld(2, {{0, {1}}, {0, {2, 5}}, {1, {3}}, {0, {4}}, {0, {}}, {0, {}}, {-1, {}}}, {0, 2});
    }
    CProvinceDistanceMap& Map() { return *GameDistanceMap(); }
};

TEST_F(DistanceMapTest, PlainGraphDistances)
{
    EXPECT_EQ(Map().Distance(uint8_t(0)), 0) << "no computation yet reads 0";
    Map().Compute(0, 0, 0);
    const uint8_t expected[] = {0, 1, 2, 3, 4, 2, 127};
    for (uint8_t i = 0; i < 7; ++i)
        EXPECT_EQ(Map().Distance(i), expected[i]) << int(i);
    Map().ComputeAll(0, 3);
    const uint8_t limited[] = {0, 1, 2, 3, 127, 2, 127};
    for (uint8_t i = 0; i < 7; ++i)
        EXPECT_EQ(Map().Distance(i), limited[i]) << int(i);
}

TEST_F(DistanceMapTest, ALimitStopsAtForeignProvinces)
{
    // Province 2 is the enemy's, two steps from 0: it reads as the limit and
    // nothing behind it is reached.
    Map().Compute(0, 3, 0);
    EXPECT_EQ(Map().Distance(uint8_t(2)), 3);
    EXPECT_EQ(Map().Distance(uint8_t(3)), 127);
    EXPECT_EQ(Map().Distance(uint8_t(4)), 127);
    EXPECT_EQ(Map().Distance(uint8_t(5)), 2);
}

TEST_F(DistanceMapTest, PathsAndReach)
{
    Map().Compute(0, 0, 0);
    std::vector<uint8_t> path;
    Map().PathTo(0, path, nullptr);
    EXPECT_EQ(path, std::vector<uint8_t>({0}));
    Map().PathTo(2, path, nullptr);
    EXPECT_EQ(path, std::vector<uint8_t>({1, 2}));
    Map().PathTo(4, path, nullptr);
    EXPECT_EQ(path, std::vector<uint8_t>({1, 2, 3, 4}));
    EXPECT_FALSE(Map().ReachableWithin(0, 3, nullptr)) << "the start itself";
    EXPECT_TRUE(Map().ReachableWithin(1, 1, nullptr));
    EXPECT_TRUE(Map().ReachableWithin(3, 3, nullptr));
    EXPECT_FALSE(Map().ReachableWithin(3, 2, nullptr));
    // Only through the owner's provinces: 3 lies behind the enemy's 2.
    EXPECT_FALSE(Map().ReachableWithin(3, 3, &Player(0)));
    EXPECT_FALSE(Map().ReachableWithin(6, 10, nullptr));
}

TEST_F(DistanceMapTest, SnapshotAndIteration)
{
    Map().RestoreSnapshot();  // nothing saved: nothing happens
    EXPECT_FALSE(Map().IsValid());
    Map().Compute(0, 0, 0);
    Map().SaveSnapshot();
    Map().Compute(4, 0, 0);
    EXPECT_EQ(Map().Distance(uint8_t(0)), 4);
    Map().RestoreSnapshot();
    EXPECT_EQ(Map().Distance(uint8_t(0)), 0);
    std::vector<int> atTwo;
    for (ProvinceRecord* p = Map().FirstAtDistance(2); p; p = Map().NextAtDistance())
        atTwo.push_back(p->index);
    EXPECT_EQ(atTwo, std::vector<int>({2, 5}));
    int all = 0;
    for (ProvinceRecord* p = Map().FirstAtDistance(0); p; p = Map().NextAtDistance())
        ++all;
    EXPECT_EQ(all, 7);
}

TEST_F(DistanceMapTest, BadIndexesFromDataAreHarmless)
{
    // A neighbour index past the map and a start past the map, as a damaged
    // file could give them, are ignored instead of written through.
    Province(4).neighbours.push_back(200);
    Map().Compute(0, 0, 0);
    EXPECT_EQ(Map().Distance(uint8_t(4)), 4);
    Map().Compute(250, 0, 0);
    for (uint8_t i = 0; i < 7; ++i)
        EXPECT_EQ(Map().Distance(i), 127);
    std::vector<uint8_t> path;
    Map().PathTo(250, path, nullptr);
    EXPECT_TRUE(path.empty());
}

TEST_F(DistanceMapTest, NeutralProvincesAreFoundOnlyWithoutTheOwnerTest)
{
    // A search for neutral land near the capital: the owner test of Compute
    // would put every neutral province at the edge, ComputeAll finds it at its
    // real distance.
    Province(5).SetOwner(nullptr);
    Map().Compute(0, 4, 0);
    EXPECT_EQ(Map().Distance(uint8_t(5)), 4);
    Map().ComputeAll(0, 4);
    EXPECT_EQ(Map().Distance(uint8_t(5)), 2);
}

// The labelling as first written: every level looks at every province, up to
// the limit. The map's own wave must give the same distances, also on maps of
// more than 127 provinces, where the 7-bit labels alias the levels.
std::vector<uint8_t> ReferenceLabels(CGameWorld& w, uint8_t start, uint8_t limit, bool ownerTest)
{
    const uint8_t count = uint8_t(std::min(w.ProvinceCount(), 255));
    std::vector<uint8_t> d(count, CProvinceDistanceMap::kUnreached);
    const uint8_t L = limit ? limit : count;
    if (start >= count)
        return d;
    d[start] = 0;
    const PlayerRecord* startOwner = w.Province(start).owner;
    for (uint32_t level = 0; level < L; ++level) {
        for (uint8_t p = 0; p < count; ++p) {
            if ((d[p] & 0x7F) != level)
                continue;
            const std::vector<uint8_t>& nb = w.Province(p).neighbours;
            for (size_t j = nb.size(); j-- > 0;) {
                const uint8_t n = nb[j];
                if (n >= count)
                    continue;
                if (ownerTest && w.Province(n).owner != startOwner) {
                    d[n] = L;
                    continue;
                }
                if (level < uint32_t(d[n] & 0x7F))
                    d[n] = uint8_t(level + 1);
            }
        }
    }
    return d;
}

class RandomDistanceMapTest : public ModelFixture, public ::testing::WithParamInterface<int> {};

TEST_P(RandomDistanceMapTest, MatchesTheLevelByLevelScan)
{
    const int provinces = GetParam();
    std::mt19937 random{uint32_t(provinces)};
    std::vector<ProvinceSpec> specs{size_t(provinces)};
    for (int i = 0; i < provinces; ++i) {
        specs[size_t(i)].owner = int(random() % 3) - 1;
        // A chain keeps most of the map connected and long; a few random
        // borders make short cuts, and some provinces stay apart.
        if (i + 1 < provinces && random() % 8 != 0)
            specs[size_t(i)].neighbours.push_back(uint8_t(i + 1));
        if (random() % 3 == 0)
            specs[size_t(i)].neighbours.push_back(uint8_t(random() % provinces));
    }
    BuildWorld(2, specs, {0, 1});
    CProvinceDistanceMap& map = *GameDistanceMap();
    const uint8_t limits[] = {0, 1, 2, 3, 6, 126, 127, 128, 130};
    for (int ask = 0; ask < 200; ++ask) {
        const uint8_t start = uint8_t(random() % provinces);
        const uint8_t limit = limits[random() % 9];
        const int how = int(random() % 3);
        bool ownerTest;
        if (how == 0) {
            map.ComputeAll(start, limit);
            ownerTest = false;
        } else {
            const uint8_t filter = uint8_t(how - 1);
            map.Compute(start, limit, filter);
            ownerTest = filter != 0 || limit != 0;
        }
        const std::vector<uint8_t> want = ReferenceLabels(World(), start, limit, ownerTest);
        for (int p = 0; p < provinces; ++p)
            ASSERT_EQ(map.Distance(uint8_t(p)), want[size_t(p)] & 0x7F)
                << "start " << int(start) << " limit " << int(limit) << " how " << how << " province " << p;
    }
}

// 45 provinces is the size of our largest mission; 160 passes the 7-bit labels.
INSTANTIATE_TEST_SUITE_P(Sizes, RandomDistanceMapTest, ::testing::Values(12, 45, 160),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::to_string(info.param) + "Provinces";
                         });

}  // namespace
