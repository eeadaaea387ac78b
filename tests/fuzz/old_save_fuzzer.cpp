// The old single save from arbitrary bytes, migrated at start-up: a file
// that is not a valid game must stay where it is, and nothing may read past
// it. The input is the body behind the version word, as the save seeds are.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/data_file.h"
#include "game/saved_game.h"
#include "tests/fuzz/game_fuzz_support.h"

namespace {
const std::string& Folder()
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/tharn-fuzz-old-save-XXXXXX";
        char* made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made) + "/";
    }();
    return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 20))
        return 0;
    SetDataFolder(CStr(Folder().c_str()));
    FILE* file = OpenDataFile("zkvsave", DataFileCreate);
    if (file == nullptr)
        return 0;
    const uint8_t version[2] = {uint8_t(kSavedGameVersion & 0xFF), uint8_t(kSavedGameVersion >> 8)};
    const bool written =
        FileWrite(version, 1, 2, file) == 2 && (size == 0 || FileWrite(data, 1, size, file) == size);
    FileClose(file);
    if (written) {
        MigrateOldSaveFile();
        // No pack holds the mission the file may name, so nothing is valid.
        if (SaveSlots::ValidCount() != 0 || !DeleteDataFile("zkvsave"))
            __builtin_trap();
    }
    DeleteDataFile("zkvsave");
    DeleteDataFile("zkvsave00");
    return 0;
}
