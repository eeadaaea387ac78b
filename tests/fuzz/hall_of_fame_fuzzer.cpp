// Hall-of-fame files from arbitrary bytes: whatever entries read are kept,
// damaged or not, and every score is recomputed without dividing by zero.
#include <cstdint>

#include "game/hall_of_fame.h"
#include "tests/fuzz/game_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    for (ScoreWeights& block : HallOfFameConfig().blocks) {
        block.base = 25000;
        for (int16_t& w : block.w)
            w = 100;
    }
    ReadHallOfFame(data, uint32_t(size));
    CHallOfFameEntry entry;
    for (int i = 0; i < HallOfFameTotal() && i < 8; ++i)
        HallOfFameGetEntry(CStr("/Scenarios/seed/Mission001"), i, entry);
    WriteHallOfFame();
    FreeHallOfFame();
    return 0;
}
