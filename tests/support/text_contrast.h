#pragma once
// How well a drawn text stands out from what it is drawn on, measured as
// people measure it: the ratio of the lighter colour's relative luminance
// to the darker's, each plus 0.05 (1 for equal colours, 21 for black on
// white). Text reads at 4.5 and more.

#include <cstdint>
#include <optional>

#include "core/font.h"

inline constexpr double kLegibleContrast = 4.5;

// The relative luminance (0 black .. 1 white) of an sRGB colour.
double RelativeLuminance(const uint8_t* rgb);
// The contrast ratio of two sRGB colours (1 .. 21).
double ContrastRatio(const uint8_t* rgb, const uint8_t* otherRgb);

struct DrawnContrast {
    double ratio = 1;
    uint8_t ink = 0, behind = 0;  // palette indices
};

// The ratio of a drawn line's ink to the colour behind it, read from the
// pixels the line was drawn on with their palette (768 bytes, RGB), right
// after it was drawn. The colour behind is the one that most often touches
// the ink in the visible part of the line. None when no ink shows or
// nothing touches it.
std::optional<DrawnContrast> DrawnTextContrast(const DrawnTextLine& drawn, const uint8_t* palette);
