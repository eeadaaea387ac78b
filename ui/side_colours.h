#pragma once
// Squad pictures are painted in side shades: 18 from index 220 (the "Icon_r"
// pictures and the battle's first side) and 18 from 238 ("Icon_l" and the
// second side). The battle screen fills those palette entries with its two
// players' shades. Every other screen shows a squad in its player's colour
// the same way: a window given a side colour (or inside one) paints with the
// side shades mapped onto the nearest colours of the palette on the screen,
// the colour's shades being those the battle screen uses
// ("Palettes/BattleUnits", 18 per colour number).

#include <cstdint>

#include "core/image_rows.h"

constexpr uint8_t kFirstSideShade = 220;
constexpr uint8_t kSecondSideShade = 238;
constexpr int32_t kSideShadeCount = 18;
constexpr uint8_t kNoSideColour = 255;
// A window of this colour (and those inside it) draws the side shades as
// the palette holds them, whatever the windows around it are given.
constexpr uint8_t kPaintedSideColour = 254;

// While it lives, pictures are drawn in the colour's shades; kNoSideColour,
// kPaintedSideColour, a colour the units palette does not hold or no screen
// leave them as painted. Scopes nest.
class SideColourScope {
public:
    explicit SideColourScope(uint8_t colour);
    ~SideColourScope();
    SideColourScope(const SideColourScope&) = delete;
    SideColourScope& operator=(const SideColourScope&) = delete;

    bool Active() const { return m_active; }
    // The palette entry a picture's index is drawn with now.
    static uint8_t DrawnIndex(uint8_t index);

private:
    bool m_active = false;
    ImageFillOpFn m_savedFill = nullptr;
    ImageCopyOpFn m_savedCopy = nullptr;
    uint8_t m_savedMap[256] = {};
};
