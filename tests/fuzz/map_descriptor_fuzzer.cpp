// A mission's map descriptor from arbitrary bytes: the reader must refuse or
// accept without reading out of bounds, and an accepted descriptor's band
// tables answer every local id.
#include <cstdint>

#include "mapscreen/map_view.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65535)
        return 0;  // a data resource is never larger
    MapDescriptor descriptor;
    if (descriptor.Read(data, uint32_t(size))) {
        for (const auto& strip : descriptor.strips)
            for (const auto& band : strip) {
                if (band.regions.size() != band.provinces.size())
                    __builtin_trap();
                for (int id = 0; id < 32; ++id) {
                    const int32_t province = band.ProvinceOf(uint8_t(id));
                    if (province < -1 || province > 255)
                        __builtin_trap();
                }
            }
    }
    return 0;
}
