#pragma once
// CPreferencesMgr: the user's options. They live in plain globals that the
// screens and the battle code read directly, are loaded from the data file
// "zkvprefs" at start-up and written back at shutdown.
//
// File: the versioned-file word (9), then 28 bytes in this order: sound on,
// volume (I32), screen mode, brightness, contrast, battle options 4, 2, 3,
// 1, 0, 5, 6, map options 1, 0, 2, 3, 4, 5, 6, new-game values 1, 0, 2 (I16).

#include <cstdint>

#include "core/byte_stream.h"
#include "core/ref_string.h"

extern uint8_t PrefSoundOn;
extern int32_t PrefVolume;
extern uint8_t PrefScreenMode;
extern uint8_t PrefBrightness;
extern uint8_t PrefContrast;
// Battle options 0-6: 0 grid, 1 numbers hidden, 2 and 3 automatic
// trebuchets, 4 allow split, 5 keep orders, 6 expert mode.
extern uint8_t PrefBattleOptions[7];
// Map options 0-6: 0 quick battles, 1 automatic taxes, 2 (map screen),
// 3 moves not animated, 4 turn report, 5 (unused), 6 confirmations.
extern uint8_t PrefMapOptions[7];
// New-game values 0-2 (2: difficulty).
extern int16_t PrefNewGame[3];

class CPreferencesMgr {
public:
    static constexpr const char* kFileName = "zkvprefs";
    // The name a save writes before it replaces the file; a left-over one is
    // removed by the next load.
    static CStr TemporaryName();

    // Reads the file (defaults when it is missing, too old, empty or
    // unreadable; never more bytes than the fields it knows), keeps every value within its range, hands the volume to
    // the sound manager and brightness and contrast to the display. Always true.
    static bool Load();
    // Writes the file when anything was loaded (every load marks the values
    // for saving). The bytes go to a temporary file that then replaces the
    // old one, so a save cut short never loses the previous preferences. A
    // save that fails (a full disk) leaves the old file and a log line.
    static void Save();

    static void SetDefaults();
    static bool IsDirty();
    // The display levels of a brightness and a contrast option.
    static uint8_t BrightnessLevel(uint8_t option);
    static uint8_t ContrastLevel(uint8_t option);
};

// The field list, for counting, writing and reading.
void SerializePreferences(CByteStream& stream);
