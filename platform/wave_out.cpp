#include "platform/wave_out.h"

#include <cstring>
#include <memory>

#include "platform/headless/headless_wave_out.h"
#include "platform/platform.h"
#ifdef THARN_HAVE_SDL
#include "platform/sdl/sdl_wave_out.h"
#endif

namespace {
WaveOut* g_override = nullptr;
std::unique_ptr<WaveOut> g_default;
}  // namespace

WaveOut& GetWaveOut()
{
    if (g_override != nullptr)
        return *g_override;
    if (!g_default) {
#ifdef THARN_HAVE_SDL
        // Sound follows the screen: a real window gets a real sound card.
        if (std::strcmp(PlatformBackendName(), "sdl") == 0)
            g_default = std::make_unique<SdlWaveOut>();
#endif
        if (!g_default)
            g_default = std::make_unique<HeadlessWaveOut>([] { return GetTickCount(); });
    }
    return *g_default;
}

void SetWaveOut(WaveOut* backend)
{
    g_override = backend;
}

void CloseWaveOut()
{
    g_default.reset();
}
