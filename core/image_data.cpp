#include "core/image_data.h"

namespace {

uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p)
{
    return U16(p) | (uint32_t{U16(p + 2)} << 16);
}

// The row-length table of a block of `height` rows starts at `offset`; true
// when it lies inside the resource.
bool TableFits(uint32_t offset, uint32_t size, uint16_t height, bool wide)
{
    uint64_t end = uint64_t{offset} + uint64_t{height} * (wide ? 2u : 1u);
    return end <= size;
}

}  // namespace

bool ImageData::Assign(const uint8_t* data, uint32_t size)
{
    Clear();
    if (data == nullptr || size < kImageHeaderSize)
        return false;
    bool wide = (data[1] & kImageWideLengths) != 0;
    if (!TableFits(kImageHeaderSize, size, U16(data + 16), wide))
        return false;
    header = data;
    pixels = {data + kImageHeaderSize, size - kImageHeaderSize};
    return true;
}

uint8_t ImageData::PaletteId() const
{
    return isFrame ? framePaletteId : header[0];
}
uint8_t ImageData::Flags() const
{
    return isFrame ? frameFlags : header[1];
}
uint16_t ImageData::Width() const
{
    return isFrame ? BlockWidth() : U16(header + 2);
}
uint16_t ImageData::Height() const
{
    return isFrame ? BlockHeight() : U16(header + 4);
}
int16_t ImageData::HotX() const
{
    return isFrame ? 0 : static_cast<int16_t>(U16(header + 6));
}
int16_t ImageData::HotY() const
{
    return isFrame ? 0 : static_cast<int16_t>(U16(header + 8));
}
uint16_t ImageData::BlockX() const
{
    return U16(header + (isFrame ? 0 : 10));
}
uint16_t ImageData::BlockY() const
{
    return U16(header + (isFrame ? 2 : 12));
}
uint16_t ImageData::BlockWidth() const
{
    return U16(header + (isFrame ? 4 : 14));
}
uint16_t ImageData::BlockHeight() const
{
    return U16(header + (isFrame ? 6 : 16));
}

uint16_t AnimData::Width() const
{
    return U16(header + 2);
}
uint16_t AnimData::Height() const
{
    return U16(header + 4);
}
int16_t AnimData::HotX() const
{
    return static_cast<int16_t>(U16(header + 6));
}
int16_t AnimData::HotY() const
{
    return static_cast<int16_t>(U16(header + 8));
}

bool AnimData::FrameTransparent(uint8_t frame) const
{
    return (Flags() & kImageTransparent) != 0 || ((Flags() & kAnimTransparentAfterFirst) != 0 && frame != 0);
}

namespace {

// Offset of frame i from the start of the resource, or 0 when it does not
// leave room for the frame header and its row table.
uint32_t FrameOffset(const AnimData& a, uint8_t index)
{
    uint64_t offset = a.frameDataOffset;
    if (index > 0)
        offset += U32(a.frameTable + 4u * (index - 1u));
    if (offset + kFrameHeaderSize > a.size)
        return 0;
    bool wide = (a.Flags() & kImageWideLengths) != 0;
    if (!TableFits(static_cast<uint32_t>(offset + kFrameHeaderSize), a.size, U16(a.data + offset + 6), wide))
        return 0;
    return static_cast<uint32_t>(offset);
}

}  // namespace

bool AnimData::Assign(const uint8_t* bytes, uint32_t byteCount)
{
    Clear();
    if (bytes == nullptr || byteCount < kAnimHeaderSize)
        return false;
    uint8_t count = bytes[10];
    uint8_t loopBack = bytes[12];
    // Without frames there is nothing to show and the player's step would
    // divide by zero; a loop-back past the last frame would index outside the
    // frame table.
    if (count == 0 || (loopBack != kPlayOnce && loopBack >= count))
        return false;
    AnimData view;
    view.header = bytes;
    view.frameTable = bytes + kAnimHeaderSize;
    view.frameDataOffset = kAnimHeaderSize + 4u * count;
    view.data = bytes;
    view.size = byteCount;
    if (view.frameDataOffset > byteCount)
        return false;
    for (unsigned i = 0; i < count; ++i)
        if (FrameOffset(view, static_cast<uint8_t>(i)) == 0)
            return false;
    *this = view;
    return true;
}

bool GetFrame(const AnimData& anim, uint8_t index, ImageData& frame)
{
    frame.Clear();
    if (!anim.HasHeader() || index >= anim.FrameCount())
        return false;
    uint32_t offset = FrameOffset(anim, index);
    if (offset == 0)
        return false;
    frame.header = anim.data + offset;
    frame.pixels = {anim.data + offset + kFrameHeaderSize, anim.size - offset - kFrameHeaderSize};
    frame.isFrame = true;
    frame.frameFlags = anim.Flags();
    frame.framePaletteId = anim.PaletteId();
    return true;
}
