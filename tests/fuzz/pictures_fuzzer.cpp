// Arbitrary bytes as an "img" and as an "ani": whatever the headers, row
// tables and runs say, decoding, drawing (clipped, cut out, tiled) and hit
// testing stay inside the resource and inside the surface.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/draw_context.h"
#include "core/image_rows.h"
#include "core/raster.h"

namespace {
CDrawContext& Surface()
{
    static CDrawContext* dc = [] {
        auto* c = new CDrawContext;
        c->CreateSurface(64, 48);
        InitRasterOps();
        return c;
    }();
    return *dc;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so any read past the resource is caught.
    std::vector<uint8_t> bytes(data, data + size);
    CDrawContext& dc = Surface();
    const uint32_t n = static_cast<uint32_t>(bytes.size());

    ImageData image;
    if (image.Assign(bytes.data(), n)) {
        DrawImage(dc, 0, 0, image, UndefinedRect);
        DrawImage(dc, 30, 20, image, PackedRect(2, 1, 40, 30));
        DrawImage(dc, -5, -7, image, PackedRect(-3, -3, 5, 5));
        IsImageVisible(dc, 10, 10, image, UndefinedRect);
        TileImage(dc, PackedRect(3, 3, 40, 30), image);
        for (int y = -1; y < 6; ++y)
            for (int x = -1; x < 6; ++x)
                ImageHitTest(image.BlockX() + x * 3, image.BlockY() + y * 3, image);
    }
    AnimData anim;
    if (anim.Assign(bytes.data(), n)) {
        for (unsigned f = 0; f <= anim.FrameCount(); ++f) {
            DrawAnimationFrame(dc, 20, 20, anim, static_cast<uint8_t>(f), UndefinedRect);
            for (int k = 0; k < 8; ++k)
                ImageHitTestFrame(k * 2, k * 3, anim, static_cast<uint8_t>(f));
        }
    }
    return 0;
}
