#pragma once
// Views over the run-length encoded pictures: "img" images and the frames of
// "ani" animations. A view borrows the resource's bytes (they belong to the
// pack image) and is copied freely; a view without header draws nothing.
//
// Every offset a view hands out has been checked against the resource size
// when the view was made, so the decoder never reads outside the resource,
// whatever the file says.

#include <cstdint>

// The bytes of one encoded block: the row-length table, then the rows.
// Resources of a pack are one piece, so a block is a pointer and a size.
struct PixelBlock {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
};

constexpr uint32_t kImageHeaderSize = 22;
constexpr uint32_t kAnimHeaderSize = 13;
constexpr uint32_t kFrameHeaderSize = 8;

// Header flag bits.
constexpr uint8_t kImageTransparent = 0x01;  // colour-0 fill runs draw nothing
constexpr uint8_t kImageWideLengths = 0x02;  // 16-bit row lengths
constexpr uint8_t kAnimTransparentAfterFirst = 0x04;

constexpr uint8_t kPlayOnce = 255;  // loop-back byte of an animation that stops at its end

struct ImageData {
    // Points at the 22-byte "img" header, or at the 8-byte frame header for a
    // frame of an animation; null for an empty view.
    const uint8_t* header = nullptr;
    PixelBlock pixels;
    bool isFrame = false;
    // For a frame: the flags of its animation (palette id and transparency
    // are the animation's).
    uint8_t frameFlags = 0;
    uint8_t framePaletteId = 0;

    // Makes the view over an "img" resource. False (and an empty view) when the
    // header or the row-length table does not fit in the resource.
    bool Assign(const uint8_t* data, uint32_t size);
    void Clear() { *this = ImageData{}; }

    bool HasHeader() const { return header != nullptr; }
    uint8_t PaletteId() const;
    uint8_t Flags() const;
    bool WideLengths() const { return (Flags() & kImageWideLengths) != 0; }
    uint16_t Width() const;  // "img" only: the whole picture
    uint16_t Height() const;
    int16_t HotX() const;
    int16_t HotY() const;
    uint16_t BlockX() const;
    uint16_t BlockY() const;
    uint16_t BlockWidth() const;
    uint16_t BlockHeight() const;
    // Bytes of the row-length table.
    uint32_t TableSize() const { return uint32_t{BlockHeight()} * (WideLengths() ? 2u : 1u); }
};

struct AnimData {
    const uint8_t* header = nullptr;  // null for an empty view
    const uint8_t* frameTable = nullptr;
    uint32_t frameDataOffset = 0;   // 13 + 4 x frame count
    const uint8_t* data = nullptr;  // the whole resource
    uint32_t size = 0;

    // Makes the view over an "ani" resource. Refuses (false, empty view) an
    // animation without frames, a loop-back frame that is neither 255 nor a
    // frame of it, and a frame table or frame header outside the resource.
    bool Assign(const uint8_t* data, uint32_t size);
    void Clear() { *this = AnimData{}; }

    bool HasHeader() const { return header != nullptr; }
    uint8_t PaletteId() const { return header[0]; }
    uint8_t Flags() const { return header[1]; }
    uint16_t Width() const;
    uint16_t Height() const;
    int16_t HotX() const;
    int16_t HotY() const;
    uint8_t FrameCount() const { return header[10]; }
    uint8_t Rate() const { return header[11]; }
    uint8_t LoopBack() const { return header[12]; }
    // Colour-0 fill runs of this frame draw nothing.
    bool FrameTransparent(uint8_t frame) const;
};

// The view of frame `index`; an empty view (false) for an index past the
// frame count or an empty animation.
bool GetFrame(const AnimData& anim, uint8_t index, ImageData& frame);
