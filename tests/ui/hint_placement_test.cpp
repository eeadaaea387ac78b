#include "ui/hint_placement.h"

#include <gtest/gtest.h>

namespace {

TEST(HintPlacement, BalloonGoesAboveOrBelowThePointAndStaysOnScreen)
{
    HintArrowMetrics arrows[HintArrowCount];
    for (HintArrowMetrics& arrow : arrows)
        arrow = HintArrowMetrics{12, 3};
    struct Case {
        int32_t x, y, width, height;
        int32_t left, top;
        HintArrow arrow;
    };
    const Case cases[] = {
        // Lower half: above the point, bottom row on the point.
        {10, 200, 100, 40, 0, 161, HintArrowDownLeft},     // left edge clamped to 0
        {120, 200, 100, 40, 73, 161, HintArrowDownRight},  // 120 - 50 + 6 - 3
        // Upper half: below the point, top row on the point.
        {230, 20, 100, 40, 140, 20, HintArrowUpRight},  // right edge clamped to the screen
        {60, 20, 100, 40, 13, 20, HintArrowUpLeft},
        // Not clamped vertically.
        {60, 319, 100, 400, 13, -80, HintArrowDownLeft},
    };
    for (const Case& c : cases) {
        HintPlacement place = PlaceHintBalloon(c.x, c.y, 240, 320, c.width, c.height, arrows);
        EXPECT_EQ(place.left, c.left) << c.x << "," << c.y;
        EXPECT_EQ(place.top, c.top) << c.x << "," << c.y;
        EXPECT_EQ(place.arrow, c.arrow) << c.x << "," << c.y;
        EXPECT_EQ(place.arrowX, c.x - c.left);
        EXPECT_EQ(place.arrowY, c.y - c.top);
    }
    EXPECT_STREQ(HintArrowName(HintArrowDownLeft), "arrow_dl");
    EXPECT_STREQ(HintArrowName(HintArrowUpRight), "arrow_ur");
}

TEST(HintPlacement, HalvesRoundDown)
{
    EXPECT_EQ(FloorHalf(5), 2);
    EXPECT_EQ(FloorHalf(-5), -3);
    EXPECT_EQ(FloorHalf(-4), -2);
    // A balloon wider than the screen starts at the screen's left edge less
    // the overflow, as the right edge wins.
    HintArrowMetrics none[HintArrowCount];
    HintPlacement place = PlaceHintBalloon(100, 10, 240, 320, 300, 20, none);
    EXPECT_EQ(place.left, -60);
}

}  // namespace
