#include "core/four_cc.h"

CStr FourCCToString(uint32_t code)
{
    char text[5] = {};
    for (int i = 0; i < 4; ++i) {
        text[i] = static_cast<char>((code >> (8 * i)) & 0xFF);
    }
    return CStr(text);
}

uint32_t StringToFourCC(const CStr& text)
{
    uint32_t code = 0;
    const char* chars = text.Chars();
    for (int i = 0; i < 4 && chars[i]; ++i) {
        code |= static_cast<uint32_t>(static_cast<uint8_t>(chars[i])) << (8 * i);
    }
    return code;
}

uint8_t SingleBitIndex(uint32_t value)
{
    if (value == 0 || (value & (value - 1)) != 0) {
        return 255;
    }
    uint8_t index = 0;
    while (!(value & 1u)) {
        value >>= 1;
        ++index;
    }
    return index;
}
