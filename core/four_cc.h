#pragma once
// The 32-bit letter codes used as resource and file types ("wav", "sav"):
// the first letter in the low byte.

#include <cstdint>

#include "core/ref_string.h"

// The code's bytes, low byte first, up to the first zero byte.
CStr FourCCToString(uint32_t code);
// The first up to four characters of the text, the first in the low byte.
uint32_t StringToFourCC(const CStr& text);
// Index of the only set bit, 0-31; 255 when no bit or several bits are set.
uint8_t SingleBitIndex(uint32_t value);
