// Arbitrary bytes as a "wav": a view is made only for the canonical PCM
// layout, and its samples always lie inside the resource.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/sound_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    SoundData view;
    if (view.Assign(bytes.data(), static_cast<uint32_t>(bytes.size()))) {
        const uint8_t* end = bytes.data() + bytes.size();
        if (view.samples + view.length > end)
            std::abort();
        WaveOutFormat f = view.Format();
        if (f.blockAlign == 0 || view.length % f.blockAlign != 0)
            std::abort();
    }
    return 0;
}
