#pragma once
// The records through which the handheld hands out its screen: the raw
// frame-buffer record and the game library's display properties. The
// emulated screen and the backends fill them; the game reaches them through
// platform/platform.h.

#include <cstdint>

// Pixel formats of the raw frame-buffer record.
constexpr uint16_t RAW_FORMAT_565 = 1;
constexpr uint16_t RAW_FORMAT_555 = 2;

// The raw frame-buffer record, in the order the handheld fills it (24 bytes
// there; the frame pointer makes it wider on a 64-bit machine). The strides are
// byte distances and may be negative, as on a rotated panel.
struct RawFrameBufferInfo {
    uint16_t format = 0;  // RAW_FORMAT_565, RAW_FORMAT_555; anything else is unusable
    uint16_t bitsPerPixel = 0;
    uint8_t* frame = nullptr;  // byte of pixel (0, 0)
    int32_t xStride = 0;       // bytes from pixel (x, y) to (x + 1, y)
    int32_t yStride = 0;       // bytes from pixel (x, y) to (x, y + 1)
    int32_t width = 0;
    int32_t height = 0;
};

// Format flags of the game library's display properties.
constexpr uint32_t kfDirect555 = 0x40;
constexpr uint32_t kfDirect565 = 0x80;
struct GXDisplayProperties {
    uint32_t cxWidth = 0;
    uint32_t cyHeight = 0;
    int32_t cbxPitch = 0;  // bytes from pixel (x, y) to (x + 1, y); may be negative
    int32_t cbyPitch = 0;  // bytes from pixel (x, y) to (x, y + 1); may be negative
    int32_t cBPP = 0;
    uint32_t ffFormat = 0;
};
