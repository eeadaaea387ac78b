// Distances over the province graph, reach and paths.
#include "game/province_distance_map.h"
#include "tests/players/model_fixture.h"

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

}  // namespace
