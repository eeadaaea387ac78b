#pragma once
// Integer arithmetic the rules and the screens share.

#include <cstdint>

// n / d rounded up, for n >= 0 and d > 0: the whole units that hold n when
// each holds d.
constexpr int32_t DivideRoundingUp(int64_t n, int64_t d)
{
    return static_cast<int32_t>(n / d + (n % d != 0 ? 1 : 0));
}
