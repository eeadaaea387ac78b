#pragma once
// CPathMgr: the fixed table of resource folder paths. Callers build a
// resource path as slot path + name ("/Locale/" + "locale").

#include "core/ref_string.h"

class CPathMgr {
public:
    static constexpr int kSlotCount = 32;

    // Slot numbers of the folders in use.
    enum Slot {
        kRoot = 0,
        kObjects = 1,
        kObjectsBattle = 2,
        kObjectsMap = 3,
        kObjectsUnits = 4,
        kRules = 5,
        kRulesBattle = 6,
        kRulesMap = 7,
        kSkin = 8,
        kImages = 9,
        kImagesIcons = 10,
        kImagesButtons = 11,
        kImagesBattle = 12,
        kImagesMap = 13,
        kPalettes = 14,
        kUi = 15,
        kLocale = 16,
        kLocaleFonts = 17,
        kLocaleKeyboards = 18,
        kAnimations = 19,
        kScenarios = 20,
        kSounds = 21,
    };

    // Fills slots 0-21; always true.
    static bool Init();
    static void Shutdown();
    // The path of a slot; "" for an unused or out-of-range slot.
    static const CStr& Path(int slot);
};
