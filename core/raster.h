#pragma once
// Putting pictures and filled areas onto a drawing context, and the palette
// switch every picture triggers.
//
// Positions are logical coordinates of the context (its current origin is
// added); everything is clipped to the context's effective clip. Each
// picture names the palette it was painted for: its palette id indexes the
// palette list "pallist", and 254 means "whatever palette is current".

#include <cstdint>

#include "core/image_data.h"
#include "core/packed_geometry.h"

class CDrawContext;

constexpr uint8_t kCurrentPalette = 254;
constexpr uint8_t kNoPalette = 255;
constexpr uint32_t kPaletteSize = 768;

// Draws an "img". `cutOut` (image coordinates) selects a part of it; its
// top-left pixel lands at the drawing position minus the hot spot.
// UndefinedRect draws the whole image.
void DrawImage(CDrawContext& dc, int32_t x, int32_t y, const ImageData& image, const PackedRect& cutOut);
// The same for one frame of an animation (the animation's hot spot, palette
// and transparency). A frame index past the frame count draws nothing.
void DrawAnimationFrame(CDrawContext& dc, int32_t x, int32_t y, const AnimData& anim, uint8_t frame,
                        const PackedRect& cutOut);
// True when DrawImage with the same arguments would draw at least one pixel.
bool IsImageVisible(CDrawContext& dc, int32_t x, int32_t y, const ImageData& image, const PackedRect& cutOut);
// Covers a rectangle with copies of an image on a grid anchored at its top-left.
void TileImage(CDrawContext& dc, const PackedRect& rect, const ImageData& image);
// Fills a rectangle with one colour through the fill row operation. Reports
// no dirty rectangle: the caller does.
void FillRect(CDrawContext& dc, const PackedRect& rect, uint8_t colour);

// The palette list (16-byte zero-padded names; entry count).
struct PaletteList {
    const uint8_t* data = nullptr;
    uint16_t count = 0;
};
void SetPaletteList(const PaletteList& list);
const PaletteList& GetPaletteList();

// Makes a palette current and uploads it to the display. Nothing happens
// while the lock is set, for id 254, or for the current id. An id outside the
// palette list, or a palette that cannot be loaded as 768 bytes, changes
// nothing either (so a later picture with that id tries again).
void SelectPalette(uint8_t id);
uint8_t CurrentPaletteId();
void SetPaletteLock(bool locked);
bool IsPaletteLocked();
// The last palette loaded (768 RGB bytes), null before the first.
const uint8_t* CurrentPaletteData();

// Start-up of the raster: default row operations, no row hook, no current
// palette, no lock; installs the palette switch the display's palette stack
// uses.
void InitRasterOps();

// Loaders of the picture resources; false (empty view) when missing or
// malformed.
bool LoadImage(const char* path, ImageData& image);
bool LoadAnimation(const char* path, AnimData& anim);
