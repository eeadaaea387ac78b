#pragma once
// The clipped row decoder of run-length encoded pictures, its two replaceable
// row operations, the screens' row hook, and the pixel probes built on it.
//
// Run format of a row: a signed byte c <= 0 is a fill run of -c pixels of the
// colour in the next byte; c >= 1 is a literal run of the next c bytes. A row
// may end before the block's right edge (the rest stays untouched). In a
// transparent picture fill runs of colour 0 draw nothing; literal zeros do.

#include <cstdint>

#include "core/image_data.h"
#include "core/packed_geometry.h"

// Draw `count` pixels of one colour / of the run's bytes at `dest`. The
// column and row are the block coordinates of the first pixel drawn.
using ImageFillOpFn = void (*)(uint8_t* dest, uint8_t colour, int count, int column, int row);
using ImageCopyOpFn = void (*)(uint8_t* dest, const uint8_t* source, int count, int column, int row);

// A screen's own decoder, called instead of the built-in one with the same
// arguments plus the row operations in force.
using ImageRowHook = void (*)(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                              bool wideLengths, bool transparent, ImageFillOpFn fill, ImageCopyOpFn copy,
                              uint16_t pitch, uint8_t* dest);

// The row operations in force; swapped only for the length of a probe.
extern ImageFillOpFn ImageFillOp;
extern ImageCopyOpFn ImageCopyOp;
// Null, or the hook a screen installs just before it draws pictures in a
// style of its own (side colours, the minimap) and clears right after.
extern ImageRowHook g_imageRowHook;

void DefaultImageFill(uint8_t* dest, uint8_t colour, int count, int column, int row);
void DefaultImageCopy(uint8_t* dest, const uint8_t* source, int count, int column, int row);

// Decodes the part `clip` (block coordinates, inclusive) of a block into a
// surface: (x, y) is where the clip's top-left block pixel lands, `dest` the
// surface's pixel (0, 0). Rows or runs that the table claims but the block
// does not hold are cut at the block's end.
void DrawImageRows(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                   bool wideLengths, bool transparent, uint16_t pitch, uint8_t* dest);

// The built-in decoder itself, for hooks that decode "exactly like it" with
// operations of their own.
void DecodeImageRows(int x, int y, const PackedRect& clip, PixelBlock block, uint32_t tableSize,
                     bool wideLengths, bool transparent, ImageFillOpFn fill, ImageCopyOpFn copy,
                     uint16_t pitch, uint8_t* dest);

// Colour index of the pixel at picture coordinates (x, y): 0 outside the
// encoded block, past the end of its row, or on colour 0.
uint8_t ImageHitTest(int x, int y, const ImageData& image);
uint8_t ImageHitTestFrame(int x, int y, const AnimData& anim, uint8_t frame);

// Back to the default row operations, no hook, probe byte cleared.
void ResetImageRowOps();
