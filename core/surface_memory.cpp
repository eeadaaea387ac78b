#include "core/surface_memory.h"

#include <cstdlib>
#include <cstring>

bool AllocateSurfacePixels(SurfaceDesc& surface)
{
    surface.pixels = nullptr;
    surface.pitch = 0;
    if (!surface.area.IsDefined()) {
        return false;
    }
    int32_t width = surface.area.Width();
    int32_t height = surface.area.Height();
    if (width <= 0 || height <= 0) {
        return false;
    }
    int32_t pitch = width * surface.format.bitsPerPixel / 8;
    if (pitch <= 0 || pitch > 0xFFFF) {
        return false;
    }
    // A new surface starts black (colour 0), not with what the memory held.
    void* memory = std::calloc(static_cast<size_t>(height), static_cast<size_t>(pitch));
    if (!memory) {
        return false;
    }
    surface.pixels = static_cast<uint8_t*>(memory);
    surface.pitch = static_cast<uint16_t>(pitch);
    return true;
}

void FreeSurfacePixels(SurfaceDesc& surface)
{
    std::free(surface.pixels);
    surface.pixels = nullptr;
}

void CopySurfaceRect(const SurfaceDesc& destination, const SurfaceDesc& source, const PackedRect& sourceRect,
                     PackedPoint destinationPoint)
{
    if (!sourceRect.IsDefined() || !destination.pixels || !source.pixels) {
        return;
    }
    int32_t rows = sourceRect.Height();
    int32_t rowBytes = sourceRect.Width() * source.format.bitsPerPixel / 8;
    if (rows <= 0 || rowBytes <= 0) {
        return;
    }
    bool backwards = destination.pixels == source.pixels && destinationPoint.Y() > sourceRect.Top();
    for (int32_t i = 0; i < rows; ++i) {
        int32_t r = backwards ? rows - 1 - i : i;
        std::memmove(destination.At(destinationPoint.X(), destinationPoint.Y() + r),
                     source.At(sourceRect.Left(), sourceRect.Top() + r), static_cast<size_t>(rowBytes));
    }
}
