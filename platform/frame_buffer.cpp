#include "platform/frame_buffer.h"

#include <cstdlib>

namespace {

// True when the strides map every pixel of width x height onto a distinct
// 16-bit slot of a block of width x height slots.
bool StridesCoverBlock(int width, int height, int32_t xs, int32_t ys)
{
    int32_t ax = std::abs(xs);
    int32_t ay = std::abs(ys);
    bool rows = ax == 2 && ay == 2 * width;      // memory rows along x
    bool columns = ay == 2 && ax == 2 * height;  // memory rows along y (turned panel)
    return rows || columns;
}

}  // namespace

FrameBuffer::FrameBuffer(int width, int height, uint16_t format, int32_t xStride, int32_t yStride)
    : m_width(width), m_height(height), m_format(format), m_xStride(xStride), m_yStride(yStride)
{
    if (!StridesCoverBlock(width, height, xStride, yStride)) {
        m_xStride = 2;
        m_yStride = 2 * width;
    }
    m_memory.assign(static_cast<size_t>(width) * height, 0);
    if (m_xStride < 0) {
        m_originBytes += static_cast<size_t>(width - 1) * static_cast<size_t>(-m_xStride);
    }
    if (m_yStride < 0) {
        m_originBytes += static_cast<size_t>(height - 1) * static_cast<size_t>(-m_yStride);
    }
}

RawFrameBufferInfo FrameBuffer::Info()
{
    RawFrameBufferInfo info;
    info.format = m_format;
    info.bitsPerPixel = 16;
    info.frame = reinterpret_cast<uint8_t*>(m_memory.data()) + m_originBytes;
    info.xStride = m_xStride;
    info.yStride = m_yStride;
    info.width = m_width;
    info.height = m_height;
    return info;
}

size_t FrameBuffer::Offset(int x, int y) const
{
    return static_cast<size_t>(static_cast<int64_t>(m_originBytes) + static_cast<int64_t>(x) * m_xStride +
                               static_cast<int64_t>(y) * m_yStride) /
           2;
}

uint16_t FrameBuffer::Pixel(int x, int y) const
{
    return m_memory[Offset(x, y)];
}

void FrameBuffer::SetPixel(int x, int y, uint16_t value)
{
    m_memory[Offset(x, y)] = value;
}

void RawPixelToRgb(uint16_t format, uint16_t p, uint8_t& r, uint8_t& g, uint8_t& b)
{
    // Replicate the top bits into the low ones so that white stays 255.
    if (format == RAW_FORMAT_555) {
        uint8_t r5 = (p >> 10) & 0x1F, g5 = (p >> 5) & 0x1F, b5 = p & 0x1F;
        r = static_cast<uint8_t>((r5 << 3) | (r5 >> 2));
        g = static_cast<uint8_t>((g5 << 3) | (g5 >> 2));
        b = static_cast<uint8_t>((b5 << 3) | (b5 >> 2));
    } else {
        uint8_t r5 = (p >> 11) & 0x1F, g6 = (p >> 5) & 0x3F, b5 = p & 0x1F;
        r = static_cast<uint8_t>((r5 << 3) | (r5 >> 2));
        g = static_cast<uint8_t>((g6 << 2) | (g6 >> 4));
        b = static_cast<uint8_t>((b5 << 3) | (b5 >> 2));
    }
}
