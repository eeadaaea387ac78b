// Surface memory: a new surface starts black whatever the memory held
// before, and areas that cannot hold pixels get none.

#include "core/surface_memory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(SurfaceMemory, NewSurfacesStartBlackEvenInReusedMemory)
{
    for (int round = 0; round < 4; ++round) {
        SurfaceDesc surface;
        surface.format = PixelFormat{8, 1, 0};
        surface.area = PackedRect(0, 0, 239, 319);
        ASSERT_TRUE(AllocateSurfacePixels(surface));
        ASSERT_EQ(surface.pitch, 240);
        size_t lit = 0;
        for (size_t i = 0; i < 240u * 320u; ++i)
            lit += surface.pixels[i] != 0;
        EXPECT_EQ(lit, 0u) << "round " << round;
        // Leave the memory dirty for the next round's allocation.
        std::memset(surface.pixels, 0xA5, 240u * 320u);
        FreeSurfacePixels(surface);
        EXPECT_EQ(surface.pixels, nullptr);
    }
}

TEST(SurfaceMemory, AreasWithoutPixelsAreRefused)
{
    const PackedRect areas[] = {UndefinedRect, PackedRect(0, 0, -1, 10), PackedRect(5, 5, 4, 4)};
    for (const PackedRect& area : areas) {
        SurfaceDesc surface;
        surface.format = PixelFormat{8, 1, 0};
        surface.area = area;
        EXPECT_FALSE(AllocateSurfacePixels(surface));
        EXPECT_EQ(surface.pixels, nullptr);
    }
}

}  // namespace
