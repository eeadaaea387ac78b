#pragma once
// Pixel memory of surfaces and the block copy between them: the work behind
// the display device's surface operations, also usable before a display
// exists (off-screen surfaces made by tools and tests).

#include "core/surface_desc.h"

// pitch := width x bits per pixel / 8, pixels := pitch x height bytes of 0 (the
// size comes from the surface's area). False, with no pixels, when the
// memory is not available or the area is empty.
bool AllocateSurfacePixels(SurfaceDesc& surface);
void FreeSurfacePixels(SurfaceDesc& surface);
// Copies a rectangle of 8-bit pixels; rows are moved overlap-safely and, on
// one surface with the destination below the source, last row first.
void CopySurfaceRect(const SurfaceDesc& destination, const SurfaceDesc& source, const PackedRect& sourceRect,
                     PackedPoint destinationPoint);
