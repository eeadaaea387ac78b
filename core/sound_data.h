#pragma once
// The view of a "wav" resource: its 44-byte RIFF/WAVE header and the PCM
// samples behind it. The samples belong to the pack image; nothing is copied.

#include <cstdint>

#include "platform/wave_out.h"

constexpr uint32_t kWavHeaderBytes = 44;

struct SoundData {
    const uint8_t* header = nullptr;  // null for an empty view
    const uint8_t* samples = nullptr;
    uint32_t length = 0;  // bytes of samples that really are in the resource

    // Makes the view. Only the canonical layout is taken: "RIFF", "WAVE", a
    // 16-byte "fmt " chunk of PCM (format tag 1, 1 or 2 channels, 8 or 16 bits,
    // consistent block alignment) and the "data" chunk right behind it. The
    // sample length is the data size of the header, but never more than the
    // resource holds. False (and an empty view) otherwise.
    bool Assign(const uint8_t* data, uint32_t size);
    void Clear() { *this = SoundData{}; }

    bool HasHeader() const { return header != nullptr; }
    bool HasSamples() const { return header != nullptr && length > 0; }
    WaveOutFormat Format() const;
};

// Loads the "wav" resource at `path`; false (empty view) when it is missing
// or not a sound the output can play.
bool LoadSound(const char* path, SoundData& sound);
