#include "tests/support/text_contrast.h"

#include <array>
#include <cmath>

namespace {

double Linear(uint8_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(const uint8_t* rgb)
{
    return 0.2126 * Linear(rgb[0]) + 0.7152 * Linear(rgb[1]) + 0.0722 * Linear(rgb[2]);
}

double ContrastRatio(const uint8_t* rgb, const uint8_t* otherRgb)
{
    const double a = RelativeLuminance(rgb) + 0.05, b = RelativeLuminance(otherRgb) + 0.05;
    return a > b ? a / b : b / a;
}

std::optional<DrawnContrast> DrawnTextContrast(const DrawnTextLine& drawn, const uint8_t* palette)
{
    PackedRect shown = drawn.line;
    shown.Intersect(drawn.clip);
    shown.Intersect(drawn.window);
    shown.Intersect(drawn.screen);
    if (drawn.pixels == nullptr || !shown.IsDefined())
        return std::nullopt;
    auto at = [&drawn](int32_t x, int32_t y) {
        return drawn.pixels[static_cast<intptr_t>(y) * drawn.pitch + x];
    };
    std::array<int32_t, 256> touching{};
    for (int32_t y = shown.Top(); y <= shown.Bottom(); ++y)
        for (int32_t x = shown.Left(); x <= shown.Right(); ++x) {
            const uint8_t colour = at(x, y);
            if (colour == drawn.foreground)
                continue;
            const bool touches = (x > shown.Left() && at(x - 1, y) == drawn.foreground) ||
                                 (x < shown.Right() && at(x + 1, y) == drawn.foreground) ||
                                 (y > shown.Top() && at(x, y - 1) == drawn.foreground) ||
                                 (y < shown.Bottom() && at(x, y + 1) == drawn.foreground);
            if (touches)
                ++touching[colour];
        }
    int32_t behind = -1;
    for (int32_t colour = 0; colour < 256; ++colour)
        if (touching[colour] > 0 && (behind < 0 || touching[colour] > touching[behind]))
            behind = colour;
    if (behind < 0)
        return std::nullopt;
    return DrawnContrast{ContrastRatio(palette + 3 * drawn.foreground, palette + 3 * behind),
                         drawn.foreground, static_cast<uint8_t>(behind)};
}
