#pragma once
// Palette indices by colour: the base palette's ramps, which all art drawn
// straight in indices uses.

#include <cstdint>

// The ramps of the base palette (data/palettes/base.txt): 16 shades each,
// dark to light, but for the gold and the sides.
enum Ramp : uint8_t {
    kGrey = 0,  // 1-15 (index 0 is black / transparent)
    kRed = 16,
    kGreen = 32,
    kBlue = 48,
    kYellow = 64,
    kBrown = 80,
    kSkin = 96,
    kWater = 112,
    kPurple = 128,
    kOrange = 144,
    kGrass = 160,
    kSand = 176,
    kSteel = 192,
    kGold = 208,  // 12 shades
    kSide = 220,  // 18 shades of the first side; the second side's are 18 above
};

// The entries the map's palette gives the owners' colours (7 ramps of 8):
// the map shows them instead of the base palette's, so art drawn over the
// map must not take them.
constexpr uint8_t kMapOwnersFirst = 128;
constexpr uint8_t kMapOwnersLast = 183;

// Shade k of a ramp, held within the ramp; the greys start at 1, as 0 is
// the clear colour of transparent pictures.
inline uint8_t Shade(uint8_t ramp, int k)
{
    const int count = ramp == kGold ? 12 : ramp == kSide ? 18 : 16;
    if (k < 0)
        k = 0;
    if (k >= count)
        k = count - 1;
    if (ramp == kGrey && k == 0)
        k = 1;
    return uint8_t(ramp + k);
}

// The greys counted from near black: 0 is index 1, 14 white.
inline uint8_t GreyShade(int step)
{
    return Shade(kGrey, (step < 0 ? 0 : step > 14 ? 14 : step) + 1);
}
