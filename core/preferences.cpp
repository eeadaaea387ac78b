#include "core/preferences.h"

#include <cstdio>
#include <memory>
#include <new>

#include "core/data_file.h"
#include "core/display_surface.h"
#include "core/log.h"
#include "core/sound_mgr.h"
#include "platform/platform.h"

uint8_t PrefSoundOn = 1;
int32_t PrefVolume = 127;
uint8_t PrefScreenMode = 0;
uint8_t PrefBrightness = 5;
uint8_t PrefContrast = 5;
uint8_t PrefBattleOptions[7] = {1, 1, 1, 1, 0, 0, 0};
uint8_t PrefMapOptions[7] = {0, 1, 1, 1, 1, 1, 1};
int16_t PrefNewGame[3] = {0, 0, 1};

namespace {

uint8_t g_dirty = 0;

// Ranges of the values the windows can set. A damaged file must not hand
// the display a level that wraps in 8 bits, or the sound manager a volume
// its channel formula cannot take.
constexpr uint8_t kMaxScreenMode = 3;
constexpr uint8_t kMaxLevelOption = 10;
constexpr int32_t kMaxVolume = 255;
constexpr int16_t kMaxDifficulty = 3;

uint8_t Flag(uint8_t value)
{
    return value != 0 ? 1 : 0;
}

void ClampValues()
{
    PrefSoundOn = Flag(PrefSoundOn);
    if (PrefVolume < 0)
        PrefVolume = 0;
    if (PrefVolume > kMaxVolume)
        PrefVolume = kMaxVolume;
    // The application falls back to mode 0 for a mode the device lacks.
    if (PrefScreenMode > kMaxScreenMode)
        PrefScreenMode = 0;
    if (PrefBrightness > kMaxLevelOption)
        PrefBrightness = kMaxLevelOption;
    if (PrefContrast > kMaxLevelOption)
        PrefContrast = kMaxLevelOption;
    for (uint8_t& option : PrefBattleOptions)
        option = Flag(option);
    for (uint8_t& option : PrefMapOptions)
        option = Flag(option);
    for (int i = 0; i < 2; ++i) {
        if (PrefNewGame[i] < 0)
            PrefNewGame[i] = 0;
    }
    if (PrefNewGame[2] < 0)
        PrefNewGame[2] = 0;
    if (PrefNewGame[2] > kMaxDifficulty)
        PrefNewGame[2] = kMaxDifficulty;
}

void ApplyVolume()
{
    CSoundMgr::SetMasterVolume(static_cast<uint16_t>(PrefVolume & 0xFFFF));
}

void ApplyDisplayLevels()
{
    CDisplaySurface* display = GetDisplaySurface();
    if (display == nullptr)
        return;
    display->brightness = CPreferencesMgr::BrightnessLevel(PrefBrightness);
    display->ApplyPalette(0, 256, display->RawPalette());
    display->contrast = CPreferencesMgr::ContrastLevel(PrefContrast);
    display->ApplyPalette(0, 256, display->RawPalette());
}

// A file that holds no preferences (missing, too old, empty, unreadable)
// gives the defaults, and they are saved at exit like loaded values.
bool UseDefaults()
{
    CPreferencesMgr::SetDefaults();
    g_dirty = 1;
    ApplyVolume();
    return true;
}

}  // namespace

void SerializePreferences(CByteStream& stream)
{
    stream.U8(PrefSoundOn);
    stream.I32(PrefVolume);
    stream.U8(PrefScreenMode);
    stream.U8(PrefBrightness);
    stream.U8(PrefContrast);
    for (int index : {4, 2, 3, 1, 0, 5, 6})
        stream.U8(PrefBattleOptions[index]);
    for (int index : {1, 0, 2, 3, 4, 5, 6})
        stream.U8(PrefMapOptions[index]);
    stream.I16(PrefNewGame[1]);
    stream.I16(PrefNewGame[0]);
    stream.I16(PrefNewGame[2]);
}

void CPreferencesMgr::SetDefaults()
{
    PrefSoundOn = 1;
    PrefVolume = 127;
    PrefScreenMode = 0;
    PrefBrightness = 5;
    PrefContrast = 5;
    const uint8_t battle[7] = {1, 1, 1, 1, 0, 0, 0};
    const uint8_t map[7] = {0, 1, 1, 1, 1, 1, 1};
    for (int i = 0; i < 7; ++i) {
        PrefBattleOptions[i] = battle[i];
        PrefMapOptions[i] = map[i];
    }
    PrefNewGame[0] = 0;
    PrefNewGame[1] = 0;
    PrefNewGame[2] = 1;
}

CStr CPreferencesMgr::TemporaryName()
{
    return CStr(kFileName) + "~";
}

bool CPreferencesMgr::IsDirty()
{
    return g_dirty != 0;
}

uint8_t CPreferencesMgr::BrightnessLevel(uint8_t option)
{
    return static_cast<uint8_t>((static_cast<int32_t>(option) - 5) * 255 / 18 + 128);
}

uint8_t CPreferencesMgr::ContrastLevel(uint8_t option)
{
    return static_cast<uint8_t>((static_cast<int32_t>(option) - 5) * 255 / 14 + 128);
}

bool CPreferencesMgr::Load()
{
    // A save killed before its rename leaves the temporary file behind.
    DeleteDataFile(TemporaryName().Chars());
    FILE* file = OpenVersionedFile(kFileName, DataFileRead);
    if (file == nullptr)
        return UseDefaults();
    int32_t position = FileTell(file);
    int32_t size = FileSize(file);
    int32_t n = (position < 0 || size < 0) ? -1 : size - position;
    // Nothing past the fields we know is read, however large the file.
    CSizeCounter known;
    SerializePreferences(known);
    if (n > int32_t(known.Capacity()))
        n = int32_t(known.Capacity());
    if (n <= 0) {
        FileClose(file);
        return UseDefaults();
    }
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[static_cast<size_t>(n)]);
    if (!buffer || FileRead(buffer.get(), static_cast<size_t>(n), 1, file) != 1) {
        FileClose(file);
        return UseDefaults();
    }
    FileClose(file);
    // Fields beyond the end of a short file keep their values.
    CStreamReader reader(buffer.get(), static_cast<uint32_t>(n));
    SerializePreferences(reader);
    ClampValues();
    g_dirty = 1;
    ApplyVolume();
    ApplyDisplayLevels();
    return true;
}

void CPreferencesMgr::Save()
{
    if (!g_dirty)
        return;
    g_dirty = 0;
    CSizeCounter counter;
    SerializePreferences(counter);
    if (counter.Capacity() == 0)
        return;
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[counter.Capacity()]);
    if (!buffer)
        return;
    CStreamWriter writer(buffer.get(), counter.Capacity());
    SerializePreferences(writer);
    // Written in full under a temporary name first; only a complete file
    // replaces the old one.
    const CStr temporaryName = TemporaryName();
    bool written = false;
    if (FILE* file = OpenVersionedFile(temporaryName.Chars(), DataFileCreate)) {
        written = FileWrite(buffer.get(), counter.Capacity(), 1, file) == 1;
        written = std::fflush(file) == 0 && written;
        written = FileClose(file) && written;
    }
    const CStr temporaryPath = DataFilePath(temporaryName.Chars());
    const CStr finalPath = DataFilePath(kFileName);
    if (!written || !ReplaceFileDurably(temporaryPath.Chars(), finalPath.Chars())) {
        DeleteDataFile(temporaryName.Chars());
        LogWrite(CStr("MAIN: the preferences could not be saved into ") + kFileName);
    }
}
