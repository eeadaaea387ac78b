#pragma once
// Squad strength plates of the battle field: a left border, one picture per
// decimal digit and a right border, in two sets ("L" for the side whose
// plates stand left of its squads, "R" for the other). The pictures live in
// "/Images/Battle/": "LNumBorderL", "LNumBorderR", "LNum0".."LNum9" and the
// same with "R".

#include <cstdint>

#include "core/dyn_array.h"
#include "core/image_data.h"

class CDrawContext;

// Decimal digits, least significant first; empty means no plate.
using SquadDigits = CDynArray<uint8_t>;

class CSquadNumberDisplay {
public:
    static constexpr int kSetSize = 12;  // left border, right border, ten digits

    // Loads the 24 pictures, the "L" set first. Missing ones draw nothing
    // and measure 0.
    CSquadNumberDisplay();
    ~CSquadNumberDisplay();
    CSquadNumberDisplay(const CSquadNumberDisplay&) = delete;
    CSquadNumberDisplay& operator=(const CSquadNumberDisplay&) = delete;

    // Rebuilds the digit list for a value; 0 gives an empty list.
    static void SetDigits(uint32_t value, SquadDigits& digits);
    // Draws one plate with its top-left corner at (x, y).
    void Draw(const SquadDigits& digits, CDrawContext& dc, int32_t x, int32_t y, bool leftSet) const;
    // Width of the plate: both borders and every digit.
    int16_t MeasureWidth(const SquadDigits& digits, bool leftSet) const;

    // Picture of a set: 0 left border, 1 right border, 2 + d digit d.
    const ImageData& Picture(bool leftSet, int index) const
    {
        return m_images[(leftSet ? 0 : kSetSize) + index];
    }

private:
    ImageData m_images[2 * kSetSize];
};
