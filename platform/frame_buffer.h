#pragma once
// The emulated physical screen: a block of 16-bit pixels reached through a
// raw frame-buffer record. Both backends draw into one; the SDL backend then
// shows it, the headless backend keeps it for inspection and screenshots.

#include <cstdint>
#include <vector>

#include "platform/platform.h"

class FrameBuffer {
public:
    // A width x height screen in the given raw format. The strides are byte
    // distances as the record reports them; 0 picks the plain layout (rows of
    // pixels one after the other, left to right, top to bottom). Any pair of
    // strides that visits each pixel of the block once is accepted: a negative
    // stride puts pixel (0, 0) at the far end of that axis, as on a rotated or
    // mirrored panel. Invalid strides fall back to the plain layout.
    FrameBuffer(int width, int height, uint16_t format, int32_t xStride = 0, int32_t yStride = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    uint16_t Format() const { return format_; }
    RawFrameBufferInfo Info();
    // The stored 16-bit value of screen pixel (x, y), x < width, y < height.
    uint16_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, uint16_t value);
    // The pixels as 8-bit RGB rows, top to bottom (for screenshots).
    std::vector<uint8_t> ToRgb() const;
    // The whole block in memory order (for presenting a plain layout).
    const uint16_t* Memory() const { return memory_.data(); }
    bool IsPlainLayout() const { return xStride_ == 2 && yStride_ == 2 * width_; }

private:
    size_t Offset(int x, int y) const;

    int width_;
    int height_;
    uint16_t format_;
    int32_t xStride_;
    int32_t yStride_;
    size_t originBytes_ = 0;  // byte offset of pixel (0, 0) in the block
    std::vector<uint16_t> memory_;
};

// One pixel of the raw formats as 8-bit channels.
void RawPixelToRgb(uint16_t format, uint16_t pixel, uint8_t& r, uint8_t& g, uint8_t& b);
