#include "ui/scroll_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

TEST(ScrollGeometry, ClampLetsMaxWin)
{
    struct Case {
        int32_t value, min, max, expected;
    };
    const Case cases[] = {
        {5, 0, 10, 5},
        {-3, 0, 10, 0},
        {12, 0, 10, 10},
        {5, 8, 2, 2},
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampScrollPosition(c.value, c.min, c.max), c.expected) << c.value;
}

TEST(ScrollGeometry, ThumbLength)
{
    struct Case {
        int32_t track, page, min, max, expected;
    };
    const Case cases[] = {
        {200, 0, 0, 1000, 50},  // page 0: a quarter of the track
        {200, 0, 0, 0, 50},
        {200, 10, 5, 5, 200},                        // empty range: the whole track
        {200, 10, 0, 30, 50},                        // 200 × 10 / 40
        {200, 1, 0, 1999, 0},                        // rounds down
        {200, -10, 0, 10, 200},                      // divisor 0: whole track, no division
        {200, 5, 10, 0, 200},                        // min above max: negative divisor
        {200, 50, 10, 0, 200},                       // longer than the track is cut
        {200, INT32_MAX, INT32_MIN, INT32_MAX, 66},  // no overflow
        {0, 10, 0, 10, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollThumbLength(c.track, c.page, c.min, c.max), c.expected)
            << c.track << " " << c.page << " " << c.min << ".." << c.max;
    }
}

TEST(ScrollGeometry, ThumbOffsetAndDragPositionAgree)
{
    // Offsets of positions and the positions dragging to those offsets gives.
    struct Case {
        int32_t position, min, max, track, thumb, offset;
    };
    const Case cases[] = {
        {0, 0, 10, 150, 50, 0},
        {10, 0, 10, 150, 50, 100},
        {5, 0, 10, 150, 50, 50},
        {3, 0, 10, 150, 50, 30},
        {-5, -10, 10, 120, 20, 25},
        {7, 7, 7, 150, 50, 0},  // empty range
        {5, 0, 10, 50, 50, 0},  // no free travel
        {INT32_MAX, INT32_MIN, INT32_MAX, 4000, 0, 4000},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollThumbOffset(c.position, c.min, c.max, c.track, c.thumb), c.offset) << c.position;
        if (c.track > c.thumb && c.max > c.min) {
            EXPECT_EQ(ScrollDragPosition(c.offset, c.min, c.max, c.track, c.thumb), c.position) << c.position;
        }
    }
    // Dragging rounds to the nearest position: 100 pixels for 0..3.
    EXPECT_EQ(ScrollDragPosition(16, 0, 3, 120, 20), 0);
    EXPECT_EQ(ScrollDragPosition(17, 0, 3, 120, 20), 1);
    EXPECT_EQ(ScrollDragPosition(50, 0, 3, 120, 20), 2);
    // A thumb as long as the track cannot move: the position stays at min.
    EXPECT_EQ(ScrollDragPosition(0, 4, 9, 80, 80), 4);
    EXPECT_EQ(ScrollDragPosition(0, 4, 9, 80, 90), 4);
}

TEST(ScrollGeometry, DragStaysInTrack)
{
    EXPECT_EQ(LimitScrollDrag(30, 10, 29, 0, 99), 30);
    EXPECT_EQ(LimitScrollDrag(90, 10, 29, 0, 99), 70);
    EXPECT_EQ(LimitScrollDrag(-50, 10, 29, 0, 99), -10);
    EXPECT_EQ(LimitScrollDrag(INT32_MIN, 10, 29, 0, 99), -10);
}

TEST(ScrollGeometry, TickPlaces)
{
    std::vector<int32_t> places;
    // Range 0..4 on a long track: five ticks.
    ScrollTickPlaces(16, 200, 40, 0, 4, 6, places);
    EXPECT_EQ(places, (std::vector<int32_t>{16, 56, 96, 136, 176}));
    // A short track: ticks closer than their size are skipped.
    ScrollTickPlaces(0, 30, 10, 0, 4, 6, places);
    EXPECT_EQ(places, (std::vector<int32_t>{0, 10, 20}));
    // Empty range and empty tick image: nothing.
    ScrollTickPlaces(0, 200, 40, 3, 3, 6, places);
    EXPECT_TRUE(places.empty());
    ScrollTickPlaces(0, 200, 40, 0, 4, 0, places);
    EXPECT_TRUE(places.empty());
    // A huge range neither takes forever nor makes a huge list.
    ScrollTickPlaces(0, 300, 20, INT32_MIN, INT32_MAX, 7, places);
    ASSERT_FALSE(places.empty());
    EXPECT_EQ(places.front(), 0);
    EXPECT_LE(places.back(), 280);
    for (size_t i = 1; i < places.size(); ++i)
        EXPECT_GE(places[i] - places[i - 1], 7);
    EXPECT_EQ(places.size(), 41u);
}

TEST(ScrollGeometry, RepeatTiming)
{
    EXPECT_EQ(NextRepeatRate(0), RepeatPauseRate);
    EXPECT_EQ(NextRepeatRate(1), RepeatFastRate);
    // One step for six steps, two for the next six, and so on.
    const int32_t expected[] = {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 3};
    for (int32_t counter = 0; counter < 13; ++counter) {
        EXPECT_EQ(RepeatMultiplier(counter, true), expected[counter]) << counter;
        EXPECT_EQ(RepeatMultiplier(counter, false), 1);
    }
}

TEST(ScrollGeometry, ValueStepsStopAtTheEnds)
{
    struct Case {
        int32_t value, amount, min, max, expectedAmount;
        bool stop;
    };
    const Case cases[] = {
        {50, 2, 0, 100, 2, false},
        {99, 2, 0, 100, 1, true},
        {98, 2, 0, 100, 2, true},  // reaching the end exactly stops too
        {1, -3, 0, 100, -1, true},
        {150, 1, 0, 100, -50, true},  // a value above max is brought back
        {5, 1, 5, 5, 0, true},
        {INT32_MAX, 1, INT32_MIN, INT32_MAX, 0, true},
        {INT32_MAX, -1, INT32_MIN, -1, INT32_MIN, true},  // amount saturates
    };
    for (const Case& c : cases) {
        ValueStep step = LimitValueStep(c.value, c.amount, c.min, c.max);
        EXPECT_EQ(step.amount, c.expectedAmount) << c.value << " + " << c.amount;
        EXPECT_EQ(step.stop, c.stop) << c.value << " + " << c.amount;
    }
}

}  // namespace
