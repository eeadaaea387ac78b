#include "core/sound_data.h"

#include <cstring>

#include "core/pack_format.h"
#include "core/resource_mgr.h"

namespace {
uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p)
{
    return U16(p) | (uint32_t{U16(p + 2)} << 16);
}
bool Tag(const uint8_t* p, const char* tag)
{
    return std::memcmp(p, tag, 4) == 0;
}
}  // namespace

bool SoundData::Assign(const uint8_t* data, uint32_t size)
{
    Clear();
    if (data == nullptr || size < kWavHeaderBytes)
        return false;
    // Every field is read at a fixed offset, so anything but the plain layout
    // (extra chunks, a compressed format) would be misread: refuse it.
    if (!Tag(data, "RIFF") || !Tag(data + 8, "WAVE") || !Tag(data + 12, "fmt ") || U32(data + 16) != 16 ||
        !Tag(data + 36, "data"))
        return false;
    uint16_t formatTag = U16(data + 20), channels = U16(data + 22), blockAlign = U16(data + 32),
             bits = U16(data + 34);
    uint32_t rate = U32(data + 24), avgBytes = U32(data + 28);
    if (formatTag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0 ||
        blockAlign != channels * bits / 8 || avgBytes != rate * blockAlign)
        return false;
    uint32_t declared = U32(data + 40);
    uint32_t present = size - kWavHeaderBytes;
    header = data;
    samples = data + kWavHeaderBytes;
    length = declared < present ? declared : present;
    length -= length % blockAlign;  // whole frames only
    return true;
}

WaveOutFormat SoundData::Format() const
{
    WaveOutFormat f;
    if (header == nullptr)
        return f;
    f.channels = U16(header + 22);
    f.samplesPerSecond = U32(header + 24);
    f.avgBytesPerSecond = U32(header + 28);
    f.blockAlign = U16(header + 32);
    f.bitsPerSample = U16(header + 34);
    return f;
}

bool LoadSound(const char* path, SoundData& sound)
{
    sound.Clear();
    ChunkedBlock block;
    if (!CResourceMgr::GetResourceBlock(path, pack_format::kSoundType, block))
        return false;
    return sound.Assign(block.Current(), block.TotalSize());
}
