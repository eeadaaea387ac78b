#pragma once
// Settings of the platform layer, read from the environment. The game itself
// reads no command line and no environment; only this layer does.

#include <cstdint>
#include <map>
#include <string>

struct PlatformSettings {
    std::string video;       // THARNMOOR_VIDEO: "sdl", "headless" or empty (choose)
    std::string dataFolder;  // THARNMOOR_DATA: data folder, empty = "Data/" beside the program
    std::string script;      // THARNMOOR_SCRIPT: input script file, empty = none
    std::string shots;       // THARNMOOR_SHOTS: folder for screenshots, empty = current folder
    int screenWidth = 240;   // THARNMOOR_SCREEN "WxH"
    int screenHeight = 320;
    int orientation = 0;  // THARNMOOR_ORIENTATION: 0, 1, 2 or 4
    int scale = 2;        // THARNMOOR_SCALE: window scale of the SDL backend, 1..8
};

// Reads the settings through the lookup (name -> value, null when unset).
// Values that cannot be parsed keep their defaults.
using SettingLookup = const char* (*)(const char* name);
PlatformSettings ReadPlatformSettings(SettingLookup lookup);
// The same, from the process environment.
PlatformSettings ReadPlatformSettingsFromEnvironment();
