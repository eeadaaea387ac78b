#include "platform/wave_out.h"

#include <memory>

#include "platform/headless/headless_wave_out.h"

namespace {
WaveOut* g_override = nullptr;
std::unique_ptr<WaveOut> g_default;
}  // namespace

WaveOut& GetWaveOut() {
    if (g_override != nullptr) return *g_override;
    if (!g_default) g_default = std::make_unique<HeadlessWaveOut>([] { return uint32_t{0}; });
    return *g_default;
}

void SetWaveOut(WaveOut* backend) { g_override = backend; }
