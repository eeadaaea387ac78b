#include <gtest/gtest.h>

#include "game/game_world.h"
#include "game/resource_bundle.h"
#include "tests/game/game_fixture.h"

namespace {
CResourceBundle Bundle(int32_t g, int32_t m, int32_t s)
{
    CResourceBundle b;
    b[0] = g;
    b[1] = m;
    b[2] = s;
    return b;
}

struct AffordCase {
    int32_t have[3];
    int32_t cost[3];
    int32_t times;
};

TEST(ResourceBundle, TimesAffordableTable)
{
    const AffordCase cases[] = {
        {{250, 10, 0}, {100, 0, 0}, 2},  {{250, 10, 0}, {100, 20, 0}, 0}, {{250, 10, 0}, {0, 0, 0}, 0},
        {{300, 90, 5}, {100, 30, 1}, 3}, {{99, 0, 0}, {100, 0, 0}, 0},
    };
    for (const AffordCase& c : cases) {
        const CResourceBundle have = Bundle(c.have[0], c.have[1], c.have[2]);
        EXPECT_EQ(have.TimesAffordable(Bundle(c.cost[0], c.cost[1], c.cost[2])), c.times)
            << c.have[0] << "/" << c.have[1] << " against " << c.cost[0] << "/" << c.cost[1];
    }
}

TEST(ResourceBundle, SubtractionNeverGoesNegative)
{
    CResourceBundle b = Bundle(5, 0, 7);
    b.Subtract(Bundle(10, 3, 2));
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 5);
    b.SubtractFromAll(6);
    EXPECT_TRUE(b.IsZero());
}

TEST(ResourceBundle, KindLookupWithoutWorld)
{
    SetActiveWorld(nullptr);
    CResourceBundle b = Bundle(1, 2, 3);
    const uint32_t unknown = FourCC("wood");
    EXPECT_EQ(b.IndexOf(unknown), 0);
    EXPECT_EQ(b.Get(unknown), 1);  // an unknown code reads the first kind without a world
    b.Set(unknown, 99);
    EXPECT_EQ(b[0], 1);
    EXPECT_EQ(b.IndexOf(FourCC("ston")), 2);
    EXPECT_EQ(CStr("metl"), ResourceKindName(1));
    EXPECT_EQ(CStr("ston"), ResourceKindName(2));
}

TEST(ResourceBundle, KindLookupWithWorld)
{
    CGameWorld world;
    world.kinds = {FourCC("gold"), FourCC("ston")};
    SetActiveWorld(&world);
    CResourceBundle b;
    ASSERT_EQ(b.Count(), 2);
    b.Set(FourCC("ston"), 4);
    b.Set(FourCC("metl"), 9);  // not a kind of this world: ignored
    EXPECT_EQ(b[1], 4);
    EXPECT_EQ(b.Get(FourCC("metl")), 0);
    EXPECT_EQ(b.IndexOf(FourCC("metl")), 0);
    EXPECT_EQ(CStr("ston"), ResourceKindName(1));
    SetActiveWorld(nullptr);
}

TEST(ResourceBundle, MultiplyUsesTheMagnitude)
{
    CResourceBundle b = Bundle(2, -1, 5);
    b.Multiply(-3);
    EXPECT_EQ(b[0], 6);
    EXPECT_EQ(b[1], -3);
    EXPECT_EQ(b[2], 15);
    b.Divide(-2);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[1], -1);  // truncates toward zero
}

TEST(ResourceBundle, TotalSaturatesForAmountsFromDamagedFiles)
{
    EXPECT_EQ(Bundle(INT32_MAX, 5, 0).Total(), INT32_MAX);
    EXPECT_EQ(Bundle(INT32_MIN, -5, 0).Total(), INT32_MIN);
    EXPECT_EQ(Bundle(7, -2, 1).Total(), 6);
}

TEST(ResourceBundle, ComparisonTable)
{
    const CResourceBundle a = Bundle(5, 5, 5);
    EXPECT_TRUE(a.AllAtLeast(Bundle(5, 0, 0)));
    EXPECT_FALSE(a.AllGreater(Bundle(5, 0, 0)));
    EXPECT_TRUE(a.AnyAtMost(Bundle(5, 0, 0)));
    EXPECT_FALSE(a.AnyLess(Bundle(5, 0, 0)));
    EXPECT_TRUE(a.AnyLess(Bundle(0, 6, 0)));
    EXPECT_TRUE(a.Equals(Bundle(5, 5, 5)));
    EXPECT_TRUE(a.Differs(Bundle(5, 5, 4)));
}

TEST(ResourceBundle, StreamRoundTripKeepsAmountsAbove16Bits)
{
    CResourceBundle b = Bundle(70000, -5, 123456789);
    const std::vector<uint8_t> bytes = StreamOut([&](CByteStream& s) { b.Stream(s); });
    ASSERT_EQ(bytes.size(), 4u + 3 * 4);
    CResourceBundle back;
    back.Zero();
    CStreamReader reader(bytes.data(), uint32_t(bytes.size()));
    back.Stream(reader);
    EXPECT_FALSE(reader.HasError());
    EXPECT_TRUE(back.Equals(b));
}

TEST(ResourceBundle, StreamRefusesCountsTheDataCannotHold)
{
    // A count of four billion amounts in a 12-byte buffer must not be believed.
    const uint8_t hostile[] = {0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 2, 0, 0, 0};
    CResourceBundle b;
    CStreamReader reader(hostile, sizeof hostile);
    b.Stream(reader);
    EXPECT_TRUE(reader.HasError());
    EXPECT_LE(b.Count(), 3);
}
}  // namespace
