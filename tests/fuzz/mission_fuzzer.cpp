// Mission data from arbitrary bytes: the world stream, the soundness checks
// and the after-load pass must refuse or accept without reading out of bounds.
#include <cstdint>

#include "core/byte_stream.h"
#include "game/game_world.h"
#include "game/saved_game.h"
#include "tests/fuzz/game_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 65535)
        return 0;  // a data resource is never larger
    CGameWorld world;
    SetActiveWorld(&world);
    CStreamReader reader(data, uint32_t(size));
    if (LoadWorldFromStream(reader, world)) {
        // A world that was taken must write again and read back to the same bytes.
        world.BeforeSave();
        CSizeCounter counter;
        world.Stream(counter);
        std::vector<uint8_t> bytes(counter.Capacity());
        CStreamWriter writer(bytes.data(), uint32_t(bytes.size()));
        world.Stream(writer);
        CGameWorld again;
        SetActiveWorld(&again);
        CStreamReader back(bytes.data(), uint32_t(bytes.size()));
        if (!LoadWorldFromStream(back, again))
            __builtin_trap();
    }
    SetActiveWorld(nullptr);
    return 0;
}
