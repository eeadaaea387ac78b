// Arbitrary bytes as a font resource, drawn with two texts: every character
// code once, and the input's own first bytes. Measuring and drawing never
// read outside the font or write outside the surface, whatever the glyph
// widths, heights and codes.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/draw_context.h"
#include "core/font.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CDrawContext* dc = [] {
        auto* c = new CDrawContext;
        c->CreateSurface(80, 40);
        return c;
    }();
    static const std::vector<char> everyCode = [] {
        std::vector<char> t;
        for (int c = 0; c < 256; ++c)
            t.push_back(static_cast<char>(c));
        return t;
    }();
    std::vector<uint8_t> font(data, data + size);  // exact size: over-reads are caught
    FontData view;
    if (!view.Assign(font.data(), static_cast<uint32_t>(font.size())))
        return 0;
    const std::vector<char> own(data, data + (size < 32 ? size : 32));
    for (const std::vector<char>* text : {&everyCode, &own}) {
        const int32_t length = static_cast<int32_t>(text->size());
        MeasureTextWidth(text->data(), length, view);
        MeasureTextHeight(text->data(), length, view);
        DrawText(*dc, 0, 0, text->data(), length, 1, 2, true, view);
        DrawText(*dc, -13, 30, text->data(), length, 3, 4, false, view);
        dc->PushClip(PackedRect(7, 5, 50, 20));
        DrawText(*dc, 5, 3, text->data(), length, 5, 6, false, view);
        dc->PopClip();
    }
    return 0;
}
