#pragma once
// The emulated physical screen: a block of 16-bit pixels reached through a
// raw frame-buffer record. Both backends draw into one; the SDL backend then
// shows it, the headless backend keeps it for inspection and screenshots.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/screen_records.h"

class FrameBuffer {
public:
    // A width x height screen in the given raw format. The strides are byte
    // distances as the record reports them; 0 picks the plain layout (rows of
    // pixels one after the other, left to right, top to bottom). Any pair of
    // strides that visits each pixel of the block once is accepted: a negative
    // stride puts pixel (0, 0) at the far end of that axis, as on a rotated or
    // mirrored panel. Invalid strides fall back to the plain layout.
    FrameBuffer(int width, int height, uint16_t format, int32_t xStride = 0, int32_t yStride = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    uint16_t Format() const { return m_format; }
    RawFrameBufferInfo Info();
    // The stored 16-bit value of screen pixel (x, y), x < width, y < height.
    uint16_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint16_t value);
    // The whole block in memory order (for presenting a plain layout).
    const uint16_t* Memory() const { return m_memory.data(); }
    bool IsPlainLayout() const { return m_xStride == 2 && m_yStride == 2 * m_width; }

private:
    size_t Offset(int x, int y) const;

    int m_width;
    int m_height;
    uint16_t m_format;
    int32_t m_xStride;
    int32_t m_yStride;
    size_t m_originBytes = 0;  // byte offset of pixel (0, 0) in the block
    std::vector<uint16_t> m_memory;
};

// One pixel of the raw formats as 8-bit channels.
void RawPixelToRgb(uint16_t format, uint16_t pixel, uint8_t& r, uint8_t& g, uint8_t& b);
