#pragma once
// Writer of "wav" sounds: exactly the canonical 44-byte RIFF/WAVE PCM header
// (no other chunks), then the samples.

#include <cstdint>
#include <vector>

#include "tools/encode/encode_result.h"

constexpr uint32_t kWavHeaderSize = 44;

struct WavSource {
    uint16_t channels = 1;  // 1 or 2
    uint32_t samplesPerSecond = 22050;
    uint16_t bitsPerSample = 16;   // 8 (unsigned) or 16 (signed little-endian)
    std::vector<uint8_t> samples;  // whole frames
};

EncodeResult EncodeWav(const WavSource& sound);
