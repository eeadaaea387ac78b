#pragma once
// The description of a pixel surface that a drawing context draws into, and
// the 3-byte pixel format that travels with it.

#include <cstdint>

#include "core/packed_geometry.h"

struct PixelFormat {
    uint8_t bitsPerPixel = 8;
    uint8_t b1 = 1;  // the display device's own two bytes
    uint8_t b2 = 0;
    constexpr bool operator==(const PixelFormat&) const = default;
};

// 8 bits per pixel: every surface the game draws on.
inline constexpr PixelFormat DefaultPixelFormat{8, 1, 0};

struct SurfaceDesc {
    uint8_t* pixels = nullptr;  // byte of pixel (0, 0)
    uint16_t pitch = 0;         // bytes from one row to the next
    PixelFormat format{0, 0, 0};
    PackedRect area = UndefinedRect;  // the visible part, in the context's own coordinates
    uint32_t displayWord = 0;         // owned by the display device

    // Address of pixel (x, y).
    uint8_t* At(int32_t x, int32_t y) const
    {
        return pixels + ((x * static_cast<int32_t>(format.bitsPerPixel)) >> 3) +
               static_cast<intptr_t>(y) * pitch;
    }
};
