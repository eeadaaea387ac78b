#include "tools/artgen/battle_art.h"

#include <algorithm>
#include <cmath>

namespace battleart {

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c)
{
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA6Bu ^ (c + 0x165667B1u) * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

WavSource Synth(const std::vector<Tone>& tones)
{
    WavSource s;
    s.channels = 1;
    s.samplesPerSecond = 11025;
    s.bitsPerSample = 8;
    uint32_t noise = 0x12345u;
    for (const Tone& t : tones) {
        const int n = t.ms * 11025 / 1000;
        double phase = 0;
        for (int i = 0; i < n; ++i) {
            const double f = t.startHz + double(t.endHz - t.startHz) * i / std::max(1, n);
            phase += f / 11025.0;
            double v;
            if (t.noise) {
                noise = noise * 1103515245u + 12345u;
                v = double((noise >> 16) & 0xFF) / 127.5 - 1.0;
            } else if (t.square) {
                v = std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0;
            } else {
                v = std::sin(phase * 2 * 3.14159265358979);
            }
            // Short attack, long release: plucked and struck sounds.
            const int attack = std::min(n / 10 + 1, 40);
            double env = i < attack ? double(i) / attack : double(n - i) / std::max(1, n - attack);
            v *= env * t.volume / 100.0;
            s.samples.push_back(uint8_t(std::clamp(128 + int(std::lround(v * 120)), 0, 255)));
        }
    }
    return s;
}

}  // namespace battleart
