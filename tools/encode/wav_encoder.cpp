#include "tools/encode/wav_encoder.h"

#include <string>

EncodeResult EncodeWav(const WavSource& s)
{
    if (s.channels != 1 && s.channels != 2)
        return EncodeResult::Fail("a sound has 1 or 2 channels");
    if (s.bitsPerSample != 8 && s.bitsPerSample != 16)
        return EncodeResult::Fail("a sound has 8 or 16 bits per sample");
    if (s.samplesPerSecond < 1000 || s.samplesPerSecond > 96000)
        return EncodeResult::Fail("sample rate " + std::to_string(s.samplesPerSecond) + " is out of range");
    uint16_t blockAlign = static_cast<uint16_t>(s.channels * s.bitsPerSample / 8);
    if (s.samples.size() % blockAlign != 0)
        return EncodeResult::Fail("the samples end inside a frame");
    if (s.samples.size() > 0xFFFFFFFFu - kWavHeaderSize)
        return EncodeResult::Fail("too many samples");

    uint32_t dataSize = static_cast<uint32_t>(s.samples.size());
    EncodeResult r;
    auto& out = r.bytes;
    out.reserve(kWavHeaderSize + dataSize);
    auto tag = [&](const char* t) {
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(t[i]));
    };
    tag("RIFF");
    PutU32(out, 36 + dataSize);
    tag("WAVE");
    tag("fmt ");
    PutU32(out, 16);
    PutU16(out, 1);  // PCM
    PutU16(out, s.channels);
    PutU32(out, s.samplesPerSecond);
    PutU32(out, s.samplesPerSecond * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, s.bitsPerSample);
    tag("data");
    PutU32(out, dataSize);
    out.insert(out.end(), s.samples.begin(), s.samples.end());
    return r;
}
