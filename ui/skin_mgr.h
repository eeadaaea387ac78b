#pragma once
// CSkinMgr: owns the skin cache for the whole run. Skins enter the cache on
// their first use and stay until the shutdown frees them all. The start also
// gives the UI tree links the toolkit's label factory.
#include <cstdint>

class CSkinMgr {
public:
    // Nothing to prepare; always 1.
    static uint32_t Init();
    // Frees every cached skin and empties the cache.
    static void Shutdown();
};
