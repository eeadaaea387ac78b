// Pictures and text: a full-screen 240x320 picture decoded and drawn, beside
// a plain memcpy of its 76800 bytes, and one line of text.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/draw_context.h"
#include "core/font.h"
#include "core/image_rows.h"
#include "core/raster.h"
#include "tools/encode/font_encoder.h"
#include "tools/encode/image_encoder.h"

namespace {

constexpr int kWidth = 240, kHeight = 320;

// Pictures with the mixes of the game's art: 0 flat bands with patches of
// noise, 1 noise everywhere (short literal runs), 2 wide flat bands (long
// fill runs, as in backgrounds and panels).
IndexedPicture ScreenPicture(int kind)
{
    IndexedPicture p;
    p.width = kWidth;
    p.height = kHeight;
    uint32_t s = 12345;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            s = s * 1103515245u + 12345u;
            uint8_t v = static_cast<uint8_t>(16 + (x / (kind == 2 ? 48 : 12) + y / 20) % 64);
            if (kind == 1 || (kind == 0 && (x / 30 + y / 40) % 3 == 0))
                v = static_cast<uint8_t>(v + ((s >> 16) % 5));
            p.pixels.push_back(v);
        }
    return p;
}

void BM_MemcpyFullScreen(benchmark::State& state)
{
    std::vector<uint8_t> from(kWidth * kHeight, 7), to(kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(from.size()));
}
BENCHMARK(BM_MemcpyFullScreen);

void BM_DrawFullScreenImage(benchmark::State& state)
{
    InitRasterOps();
    std::vector<uint8_t> bytes = EncodeImage(ScreenPicture(static_cast<int>(state.range(0))), {}).bytes;
    ImageData image;
    image.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CDrawContext dc;
    dc.CreateSurface(kWidth, kHeight);
    for (auto _ : state) {
        DrawImage(dc, 0, 0, image, UndefinedRect);
        benchmark::DoNotOptimize(dc.Surface().pixels);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kWidth * kHeight);
    state.counters["encoded_bytes"] = static_cast<double>(bytes.size());
    int64_t runs = 0;  // run headers, to read the time per run
    const uint8_t* p = image.pixels.data + image.TableSize();
    const uint8_t* end = image.pixels.data + image.pixels.size;
    while (p < end) {
        ++runs;
        p += (*p == 0 || *p >= 0x80) ? 2 : 1 + *p;
    }
    state.counters["runs"] = static_cast<double>(runs);
}
BENCHMARK(BM_DrawFullScreenImage)->Arg(0)->Arg(1)->Arg(2);

void BM_DrawTextLine(benchmark::State& state)
{
    FontSource source;
    source.height = 10;
    source.firstCode = 32;
    source.bytesPerRow = 1;
    for (int c = 32; c < 127; ++c) {
        FontGlyph g;
        g.width = 6;
        for (int y = 0; y < 10; ++y)
            g.rows.push_back(static_cast<uint32_t>((c * 7 + y * 3) & 0x1F));
        source.glyphs.push_back(g);
    }
    std::vector<uint8_t> bytes = EncodeFont(source).bytes;
    FontData font;
    font.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()));
    CDrawContext dc;
    dc.CreateSurface(kWidth, kHeight);
    const char text[] = "The army of Tharnmoor marches at dawn!";  // 38 characters, 228 pixels
    for (auto _ : state) {
        benchmark::DoNotOptimize(DrawText(dc, 4, 100, text, sizeof text - 1, 15, 0, true, font));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawTextLine);

}  // namespace
