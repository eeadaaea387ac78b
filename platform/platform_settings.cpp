#include "platform/platform_settings.h"

#include <cstdlib>
#include <cstring>

namespace {

bool ParseInt(const char* text, int& out)
{
    if (!text || !*text) {
        return false;
    }
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < -100000 || value > 100000) {
        return false;
    }
    out = static_cast<int>(value);
    return true;
}

bool ParseSize(const char* text, int& width, int& height)
{
    if (!text) {
        return false;
    }
    const char* x = std::strpbrk(text, "xX");
    if (!x) {
        return false;
    }
    std::string w(text, x);
    int pw = 0;
    int ph = 0;
    if (!ParseInt(w.c_str(), pw) || !ParseInt(x + 1, ph)) {
        return false;
    }
    // The packed 12-bit coordinates of the engine stop at 2047.
    if (pw < 16 || ph < 16 || pw > 2047 || ph > 2047) {
        return false;
    }
    width = pw;
    height = ph;
    return true;
}

}  // namespace

PlatformSettings ReadPlatformSettings(SettingLookup lookup)
{
    PlatformSettings s;
    auto get = [&](const char* name) -> const char* {
        const char* v = lookup(name);
        return (v && *v) ? v : nullptr;
    };
    if (const char* v = get("THARNMOOR_VIDEO")) {
        s.video = v;
    }
    if (const char* v = get("THARNMOOR_DATA")) {
        s.dataFolder = v;
        if (s.dataFolder.back() != '/') {
            s.dataFolder += '/';
        }
    }
    if (const char* v = get("THARNMOOR_SCRIPT")) {
        s.script = v;
    }
    if (const char* v = get("THARNMOOR_SHOTS")) {
        s.shots = v;
    }
    ParseSize(get("THARNMOOR_SCREEN"), s.screenWidth, s.screenHeight);
    int orientation = 0;
    if (ParseInt(get("THARNMOOR_ORIENTATION"), orientation) &&
        (orientation == 0 || orientation == 1 || orientation == 2 || orientation == 4)) {
        s.orientation = orientation;
    }
    int scale = 0;
    if (ParseInt(get("THARNMOOR_SCALE"), scale) && scale >= 1 && scale <= 8) {
        s.scale = scale;
    }
    return s;
}

PlatformSettings ReadPlatformSettingsFromEnvironment()
{
    return ReadPlatformSettings([](const char* name) -> const char* { return std::getenv(name); });
}
