#pragma once
// Writers of the run-length encoded pictures: "img" and "ani".
//
// A source picture is a plain grid of palette indices. In a transparent
// picture colour 0 means "nothing here": it is written only as fill runs of
// colour 0 (or left out at the end of a row), which is the one form of
// transparency the raster knows. An opaque picture writes colour 0 like any
// other colour.

#include <cstdint>
#include <vector>

#include "tools/encode/encode_result.h"

struct IndexedPicture {
    uint16_t width = 0;
    uint16_t height = 0;
    std::vector<uint8_t> pixels;  // width * height, row by row

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The palette id that means "draw with whatever palette is current".
constexpr uint8_t kCurrentPaletteId = 254;
// Coordinates the raster can hold are signed 12-bit values.
constexpr int kMaxPictureExtent = 2047;

struct ImageEncodeOptions {
    uint8_t paletteId = kCurrentPaletteId;
    uint16_t paletteCount = 0;  // entries of the palette list the id must index
    bool transparent = false;
    int16_t hotX = 0;
    int16_t hotY = 0;
};

// An "img": 22-byte header, row-length table, rows. The encoded block is the
// bounding box of the visible pixels (the whole picture when opaque).
EncodeResult EncodeImage(const IndexedPicture& picture, const ImageEncodeOptions& options);

enum class AnimTransparency : uint8_t {
    None,
    AllFrames,
    AllButFirst
};

struct AnimEncodeOptions {
    uint8_t paletteId = kCurrentPaletteId;
    uint16_t paletteCount = 0;
    AnimTransparency transparency = AnimTransparency::None;
    int16_t hotX = 0;
    int16_t hotY = 0;
    uint8_t rate = 100;      // tenths of frames per second, never 0
    uint8_t loopBack = 255;  // frame to go on with after the last; 255 plays once
};

// An "ani": every frame is a full picture of the animation's size; each is
// stored as its own encoded block.
EncodeResult EncodeAnimation(const std::vector<IndexedPicture>& frames, const AnimEncodeOptions& options);

// One encoded block: row-length table followed by the rows. Exposed for tests
// that want to hand-check the run layout.
struct EncodedBlock {
    uint16_t x = 0, y = 0, width = 0, height = 0;
    bool wideLengths = false;
    std::vector<uint8_t> data;
};
EncodedBlock EncodeBlock(const IndexedPicture& picture, bool transparent);
