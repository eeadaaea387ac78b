#pragma once
// Where the hint balloon goes for a point on the screen: above the point in
// the lower half of the screen, below it in the upper half, with the arrow
// image on the side of the screen the point is on; horizontally centred on
// the arrow's tip and kept on the screen (never clamped vertically).
#include <cstdint>

#include "ui/scroll_geometry.h"  // FloorHalf

enum HintArrow : int8_t {
    HintArrowNone = -1,
    HintArrowUpLeft = 0,
    HintArrowUpRight = 1,
    HintArrowDownLeft = 2,
    HintArrowDownRight = 3,
};
constexpr int HintArrowCount = 4;

// Resource names of the arrows, by HintArrow.
const char* HintArrowName(HintArrow arrow);

// The width of an arrow image and the x of its tip inside it (the anchor x
// of the image header); both 0 for a missing image.
struct HintArrowMetrics {
    int32_t width = 0;
    int32_t tipX = 0;
};

struct HintPlacement {
    int32_t left;
    int32_t top;
    HintArrow arrow;
    // The point relative to the balloon's top-left, where the arrow is drawn.
    int32_t arrowX;
    int32_t arrowY;
};

HintPlacement PlaceHintBalloon(int32_t pointX, int32_t pointY, int32_t screenWidth, int32_t screenHeight,
                               int32_t balloonWidth, int32_t balloonHeight,
                               const HintArrowMetrics (&arrows)[HintArrowCount]);
