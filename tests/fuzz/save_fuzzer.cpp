// Saved games from arbitrary bytes. The input is read twice: as it is (the
// check byte refuses most of it) and sealed, so that the readers behind the
// check byte see the damaged data too.
#include <cstdint>
#include <vector>

#include "game/game_world.h"
#include "game/saved_game.h"
#include "tests/fuzz/game_fuzz_support.h"

namespace {
void Read(const uint8_t* body, size_t size)
{
    CGameWorld world;
    SetActiveWorld(&world);
    CStr path;
    SessionState session;
    if (ReadSavedGame(SavedGameParts{world, path, session}, body, uint32_t(size), kSavedGameVersion)) {
        // What was taken is sound enough to be saved again.
        std::vector<uint8_t> again;
        WriteSavedGame(SavedGameParts{world, path, session}, again);
    }
    SetActiveWorld(nullptr);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    Read(data, size);
    std::vector<uint8_t> sealed(data, data + size);
    sealed.push_back(0);
    SealSaveCheckByte(sealed.data(), uint32_t(sealed.size()));
    Read(sealed.data(), sealed.size());
    return 0;
}
