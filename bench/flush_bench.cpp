// The full-screen flush (8-bit back buffer through the colour table into the
// 16-bit screen) beside a memcpy of the same number of output bytes.

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "core/display_surface.h"
#include "core/draw_context.h"
#include "platform/headless/headless_backend.h"
#include "platform/platform.h"

namespace {

CDrawContext* MakeContext()
{
    return new CDrawContext;
}

struct FlushScreen {
    explicit FlushScreen(int w, int h)
    {
        HeadlessOptions o;
        o.settings.screenWidth = w;
        o.settings.screenHeight = h;
        o.closeAfterSteps = 0;
        UseHeadlessPlatform(o);
        SetDrawContextFactory(MakeContext);
        display = new CDisplaySurface;
        SetDisplaySurface(display);
        display->Open();
        std::vector<uint8_t> rgb(768);
        for (int i = 0; i < 768; ++i)
            rgb[i] = static_cast<uint8_t>(i * 7);
        display->SetPalette(0, 256, rgb.data());
        const SurfaceDesc& s = display->ScreenContext()->Surface();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                *s.At(x, y) = static_cast<uint8_t>(x * 31 + y * 17);
        display->Flush();
    }
    ~FlushScreen()
    {
        SetDisplaySurface(nullptr);
        delete display;
        PlatformClose();
    }
    CDisplaySurface* display;
};

void BM_FullScreenFlush(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    FlushScreen screen(w, h);
    for (auto _ : state) {
        screen.display->AddDirtyRect(screen.display->FullScreenRect());
        screen.display->Flush();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{w} * h * 2);
}

// The same in the turned mode (height x width): every back-buffer row runs
// down a column of the screen.
void BM_FullScreenFlushTurned(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0));
    const int h = static_cast<int>(state.range(1));
    FlushScreen screen(w, h);
    screen.display->SetMode(DisplayMode(h, w));
    for (auto _ : state) {
        screen.display->AddDirtyRect(screen.display->FullScreenRect());
        screen.display->Flush();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * int64_t{w} * h * 2);
}

void BM_MemcpySameOutputBytes(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(state.range(0)) * static_cast<size_t>(state.range(1)) * 2;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

BENCHMARK(BM_FullScreenFlush)->Args({240, 320})->Args({480, 640});
BENCHMARK(BM_FullScreenFlushTurned)->Args({240, 320})->Args({480, 640});
BENCHMARK(BM_MemcpySameOutputBytes)->Args({240, 320})->Args({480, 640});

}  // namespace
