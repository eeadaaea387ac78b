// The preferences file from arbitrary bytes: loading never fails, every
// value ends up in its range, and what is saved loads back the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "core/data_file.h"
#include "core/preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string folder = [] {
        char pattern[] = "/tmp/tharn-fuzz-prefs-XXXXXX";
        char* made = mkdtemp(pattern);
        if (made == nullptr)
            std::abort();
        return std::string(made) + "/";
    }();
    SetDataFolder(CStr(folder.c_str()));
    CStr path = DataFilePath(CPreferencesMgr::kFileName);
    FILE* file = std::fopen(path.Chars(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    CPreferencesMgr::SetDefaults();
    if (!CPreferencesMgr::Load())
        std::abort();
    bool inRange = PrefSoundOn <= 1 && PrefVolume >= 0 && PrefVolume <= 255 && PrefScreenMode <= 3 &&
                   PrefBrightness <= 10 && PrefContrast <= 10 && PrefNewGame[2] >= 0 && PrefNewGame[2] <= 3;
    for (int i = 0; i < 7; ++i)
        inRange = inRange && PrefBattleOptions[i] <= 1 && PrefMapOptions[i] <= 1;
    if (!inRange)
        std::abort();

    int32_t volume = PrefVolume;
    int16_t newGame = PrefNewGame[1];
    CPreferencesMgr::Save();
    CPreferencesMgr::SetDefaults();
    CPreferencesMgr::Load();
    if (PrefVolume != volume || PrefNewGame[1] != newGame)
        std::abort();
    return 0;
}
