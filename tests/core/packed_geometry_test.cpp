#include "core/packed_geometry.h"

#include <gtest/gtest.h>

namespace {

::testing::AssertionResult RectIs(const PackedRect& r, int l, int t, int rt, int b)
{
    if (r.Left() == l && r.Top() == t && r.Right() == rt && r.Bottom() == b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << r.Left() << ", " << r.Top() << ", " << r.Right() << ", " << r.Bottom() << ")";
}

}  // namespace

TEST(PackedGeometryTest, CoordinatesAreSignedTwelveBitsAndWrap)
{
    PackedPoint p(2047, -2047);
    EXPECT_EQ(p.X(), 2047);
    EXPECT_EQ(p.Y(), -2047);
    EXPECT_TRUE(p.IsDefined());
    p.Offset(1, -1);  // 2047 + 1 wraps to the undefined value
    EXPECT_EQ(p.X(), -2048);
    EXPECT_EQ(p.Y(), -2048);
    EXPECT_FALSE(p.IsDefined());

    PackedRect r(0, 0, 2047, 10);
    r.Offset(1, 0);
    EXPECT_EQ(r.Right(), -2048);
    EXPECT_FALSE(r.IsDefined());
    EXPECT_EQ(PackedRect(0, 0, 4095, 0).Right(), -1);  // only the low 12 bits are stored
}

TEST(PackedGeometryTest, UndefinedConstantsAreReadyAtCompileTime)
{
    static_assert(!UndefinedRect.IsDefined());
    static_assert(!UndefinedPoint.IsDefined());
    static_assert(UndefinedRect.Left() == -2048 && UndefinedRect.Bottom() == -2048);
    PackedRect r(1, 2, 3, 4);
    r.SetUndefined();
    EXPECT_EQ(r, UndefinedRect);
}

TEST(PackedGeometryTest, FlagBitsSurviveEveryOperation)
{
    struct Case {
        const char* name;
        void (*apply)(PackedRect&);
    };
    const Case rectCases[] = {
        {"Set", [](PackedRect& r) { r.Set(1, 2, 3, 4); }},
        {"Assign",
         [](PackedRect& r) {
             PackedRect other(5, 5, 9, 9);
             other.leftWord |= 0x7000;
             r.Assign(other);
         }},
        {"Union", [](PackedRect& r) { r.Union(PackedRect(-5, -5, 50, 50)); }},
        {"Intersect", [](PackedRect& r) { r.Intersect(PackedRect(2, 2, 5, 5)); }},
        {"Intersect to empty", [](PackedRect& r) { r.Intersect(PackedRect(100, 100, 200, 200)); }},
        {"Offset", [](PackedRect& r) { r.Offset(-3, 7); }},
        {"MoveToOrigin", [](PackedRect& r) { r.MoveToOrigin(); }},
        {"Inflate", [](PackedRect& r) { r.Inflate(PackedRect(1, 1, 1, 1)); }},
        {"Deflate", [](PackedRect& r) { r.Deflate(PackedRect(1, 1, 1, 1)); }},
        {"SetUndefined", [](PackedRect& r) { r.SetUndefined(); }},
    };
    for (const Case& c : rectCases) {
        PackedRect r(1, 1, 10, 10);
        r.leftWord |= 0xA000;
        r.topWord |= 0x5000;
        r.rightWord |= 0xF000;
        r.bottomWord |= 0x1000;
        c.apply(r);
        EXPECT_EQ(r.leftWord & 0xF000, 0xA000) << c.name;
        EXPECT_EQ(r.topWord & 0xF000, 0x5000) << c.name;
        EXPECT_EQ(r.rightWord & 0xF000, 0xF000) << c.name;
        EXPECT_EQ(r.bottomWord & 0xF000, 0x1000) << c.name;
    }

    const PackedPoint other(-3, 4);
    void (*pointCases[])(PackedPoint&, const PackedPoint&) = {
        [](PackedPoint& p, const PackedPoint& o) { p.Assign(o); },
        [](PackedPoint& p, const PackedPoint& o) { p.Add(o); },
        [](PackedPoint& p, const PackedPoint& o) { p.Subtract(o); },
        [](PackedPoint& p, const PackedPoint&) { p.Offset(-100, 100); },
        [](PackedPoint& p, const PackedPoint&) { p.ShiftRight(2); },
        [](PackedPoint& p, const PackedPoint&) { p.Divide(-3); },
    };
    for (auto apply : pointCases) {
        PackedPoint p(-20, 30);
        p.SetXFlags(0x9);
        p.SetYFlags(0x6);
        PackedPoint flagged = other;
        flagged.SetXFlags(0x3);
        apply(p, flagged);
        EXPECT_EQ(p.XFlags(), 0x9);
        EXPECT_EQ(p.YFlags(), 0x6);
    }
    PackedPoint a(1, 2), b(1, 2);
    a.SetXFlags(0xF);
    EXPECT_TRUE(a.Equals(b));  // flags are ignored when comparing
}

TEST(PackedGeometryTest, PointArithmetic)
{
    PackedPoint p(-5, 7);
    p.ShiftRight(40);  // 32 or more leaves the sign
    EXPECT_EQ(p, PackedPoint(-1, 0));
    p.Set(-5, 7);
    p.ShiftRight(0x101);  // only the low 8 bits of the count are used
    EXPECT_EQ(p, PackedPoint(-3, 3));
    p.Set(-5, 7);
    p.Divide(2);  // truncates toward zero
    EXPECT_EQ(p, PackedPoint(-2, 3));
    p.Divide(0);  // no crash, unchanged
    EXPECT_EQ(p, PackedPoint(-2, 3));
    EXPECT_EQ(PackedPoint(3, -4).Negated(), PackedPoint(-3, 4));
    EXPECT_TRUE(PackedPoint(0, 0).IsZero());
    EXPECT_FALSE(PackedPoint(0, 1).IsZero());
    PackedPoint q(10, 10);
    q.Add(PackedPoint(5, -20));
    EXPECT_EQ(q, PackedPoint(15, -10));
    q.Subtract(PackedPoint(15, -10));
    EXPECT_TRUE(q.IsZero());
}

TEST(PackedGeometryTest, MeasuresAndMoves)
{
    PackedRect r(10, 20, 19, 24);
    EXPECT_EQ(r.Width(), 10);  // inclusive edges
    EXPECT_EQ(r.Height(), 5);
    EXPECT_EQ(r.TopLeft(), PackedPoint(10, 20));
    EXPECT_TRUE(RectIs(r.RelativeTo(PackedPoint(10, 10)), 0, 10, 9, 14));
    r.OffsetBy(PackedPoint(-10, 5));
    EXPECT_TRUE(RectIs(r, 0, 25, 9, 29));
    r.MoveToOrigin();
    EXPECT_TRUE(RectIs(r, 0, 0, 9, 4));
    PackedRect undefined = UndefinedRect;
    undefined.Offset(5, 5);
    undefined.MoveToOrigin();
    EXPECT_EQ(undefined, UndefinedRect);
    r.Inflate(PackedRect(1, 2, 3, 4));
    EXPECT_TRUE(RectIs(r, -1, -2, 12, 8));
    r.Deflate(PackedRect(1, 2, 3, 4));
    EXPECT_TRUE(RectIs(r, 0, 0, 9, 4));
}

TEST(PackedGeometryTest, ContainsAndTouches)
{
    const PackedRect r(0, 0, 9, 9);
    EXPECT_TRUE(r.Contains(PackedPoint(0, 0)));
    EXPECT_TRUE(r.Contains(PackedPoint(9, 9)));
    EXPECT_FALSE(r.Contains(PackedPoint(10, 5)));
    EXPECT_FALSE(r.Contains(PackedPoint(5, -1)));
    EXPECT_FALSE(UndefinedRect.Contains(UndefinedPoint));

    EXPECT_TRUE(r.Touches(PackedRect(10, 0, 20, 9)));  // adjacent columns
    EXPECT_FALSE(r.Touches(PackedRect(11, 0, 20, 9)));
    EXPECT_TRUE(r.Touches(PackedRect(10, 10, 20, 20)));  // corner to corner
    EXPECT_TRUE(r.Touches(PackedRect(3, 3, 4, 4)));
    EXPECT_FALSE(r.Touches(UndefinedRect));
    EXPECT_FALSE(UndefinedRect.Touches(UndefinedRect));
}

TEST(PackedGeometryTest, UnionAndIntersect)
{
    PackedRect r = UndefinedRect;
    r.Union(PackedRect(5, 5, 10, 10));
    EXPECT_TRUE(RectIs(r, 5, 5, 10, 10));
    r.Union(UndefinedRect);
    EXPECT_TRUE(RectIs(r, 5, 5, 10, 10));
    r.Union(PackedRect(-3, 7, 8, 20));
    EXPECT_TRUE(RectIs(r, -3, 5, 10, 20));

    struct Case {
        PackedRect a, b;
        PackedRect expected;
    };
    const Case cases[] = {
        {{0, 0, 9, 9}, {10, 0, 20, 9}, UndefinedRect},  // touching at no pixel
        {{0, 0, 9, 9}, {9, 9, 20, 20}, {9, 9, 9, 9}},  {{0, 0, 9, 9}, {-5, 2, 4, 30}, {0, 2, 4, 9}},
        {{0, 0, 9, 9}, UndefinedRect, UndefinedRect},  {UndefinedRect, {0, 0, 9, 9}, UndefinedRect},
    };
    for (const Case& c : cases) {
        PackedRect a = c.a;
        a.Intersect(c.b);
        EXPECT_EQ(a, c.expected);
    }
}

TEST(PackedGeometryTest, SubtractGivesNonOverlappingPieces)
{
    const PackedRect r(0, 0, 9, 9);
    PackedRect left, right, top, bottom;
    r.Subtract(PackedRect(3, 3, 5, 5), left, right, top, bottom);
    EXPECT_TRUE(RectIs(left, 0, 3, 2, 5));
    EXPECT_TRUE(RectIs(right, 6, 3, 9, 5));
    EXPECT_TRUE(RectIs(top, 0, 0, 9, 2));
    EXPECT_TRUE(RectIs(bottom, 0, 6, 9, 9));

    for (const PackedRect& other :
         {PackedRect(0, 0, 9, 9), PackedRect(20, 20, 30, 30), PackedRect(-5, -5, 40, 40), UndefinedRect}) {
        r.Subtract(other, left, right, top, bottom);
        EXPECT_FALSE(left.IsDefined());
        EXPECT_FALSE(right.IsDefined());
        EXPECT_FALSE(top.IsDefined());
        EXPECT_FALSE(bottom.IsDefined());
    }

    // Every pixel of the rectangle is in exactly one piece or in the cut-out.
    const PackedRect cut(-2, 4, 6, 12);
    r.Subtract(cut, left, right, top, bottom);
    for (int y = 0; y <= 9; ++y) {
        for (int x = 0; x <= 9; ++x) {
            const PackedPoint p(x, y);
            const int hits =
                left.Contains(p) + right.Contains(p) + top.Contains(p) + bottom.Contains(p) + cut.Contains(p);
            EXPECT_EQ(hits, 1) << x << "," << y;
        }
    }
}
