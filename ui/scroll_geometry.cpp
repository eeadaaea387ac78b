#include "ui/scroll_geometry.h"

#include <algorithm>

namespace {

int32_t Saturate(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

int32_t SaturatingAdd(int32_t a, int64_t b)
{
    return Saturate(static_cast<int64_t>(a) + b);
}

int32_t ClampScrollPosition(int32_t value, int32_t min, int32_t max)
{
    if (value < min)
        value = min;
    if (value > max)
        value = max;
    return value;
}

int32_t ScrollThumbLength(int32_t trackLength, int32_t page, int32_t min, int32_t max)
{
    if (trackLength <= 0)
        return 0;
    int64_t length;
    if (page == 0) {
        length = trackLength / 4;
    } else {
        int64_t divisor = static_cast<int64_t>(page) + max - min;
        if (divisor <= 0)
            return trackLength;
        length = static_cast<int64_t>(trackLength) * page / divisor;
    }
    return static_cast<int32_t>(std::clamp<int64_t>(length, 0, trackLength));
}

int32_t ScrollThumbOffset(int32_t position, int32_t min, int32_t max, int32_t trackLength,
                          int32_t thumbLength)
{
    int64_t range = static_cast<int64_t>(max) - min;
    int64_t travel = static_cast<int64_t>(trackLength) - thumbLength;
    if (range < 1 || travel <= 0)
        return 0;
    int64_t offset = (static_cast<int64_t>(position) - min) * travel / range;
    return static_cast<int32_t>(std::clamp<int64_t>(offset, 0, travel));
}

int32_t ScrollDragPosition(int32_t offset, int32_t min, int32_t max, int32_t trackLength, int32_t thumbLength)
{
    int64_t travel = static_cast<int64_t>(trackLength) - thumbLength;
    if (travel <= 0)
        return min;
    int64_t range = static_cast<int64_t>(max) - min;
    // offset ≤ travel < 2^13 and |range| < 2^33, so the product fits easily.
    int64_t steps = (static_cast<int64_t>(offset) * 10 * range / travel + 5) / 10;
    return Saturate(static_cast<int64_t>(min) + steps);
}

int32_t LimitScrollDrag(int32_t delta, int32_t thumbNear, int32_t thumbFar, int32_t trackNear,
                        int32_t trackFar)
{
    int64_t d = delta;
    if (thumbFar + d > trackFar)
        d = static_cast<int64_t>(trackFar) - thumbFar;
    if (thumbNear + d < trackNear)
        d = static_cast<int64_t>(trackNear) - thumbNear;
    return Saturate(d);
}

void ScrollTickPlaces(int32_t trackNear, int32_t trackLength, int32_t thumbLength, int32_t min, int32_t max,
                      int32_t tickSize, std::vector<int32_t>& places, int32_t maxTicks)
{
    places.clear();
    int64_t range = static_cast<int64_t>(max) - min;
    if (range == 0 || tickSize <= 0)
        return;
    int64_t travel = static_cast<int64_t>(trackLength) - thumbLength;
    int64_t count = (range < 0 ? -range : range) + 1;
    int64_t last = -2 * static_cast<int64_t>(tickSize);
    int64_t i = 0;
    // On a long range most positions share a place; with a forward range and
    // free travel the next index that clears the tick size is computed rather
    // than walked to, so a range of millions costs no more than its ticks.
    const bool forward = range > 0 && travel > 0;
    for (int64_t steps = 0; i < count && static_cast<int32_t>(places.size()) < maxTicks && steps < 65536;
         ++steps) {
        int64_t c = trackNear + i * travel / range;
        if (c - last >= tickSize) {
            places.push_back(Saturate(c));
            last = c;
        }
        if (forward) {
            int64_t need = last + tickSize - trackNear;  // i × travel / range ≥ need
            if (need > travel)
                break;  // no later place is far enough
            __int128 wide = need <= 0 ? 0 : (static_cast<__int128>(need) * range + travel - 1) / travel;
            int64_t next = static_cast<int64_t>(wide);
            i = std::max(i + 1, next);
        } else {
            ++i;
        }
    }
}

int32_t RepeatMultiplier(int32_t counter, bool accelerate)
{
    if (!accelerate || counter < 0)
        return 1;
    return counter / 6 + 1;
}

ValueStep LimitValueStep(int32_t value, int32_t amount, int32_t min, int32_t max)
{
    int64_t next = static_cast<int64_t>(value) + amount;
    if (next <= min)
        return ValueStep{Saturate(static_cast<int64_t>(min) - value), true};
    if (next >= max)
        return ValueStep{Saturate(static_cast<int64_t>(max) - value), true};
    return ValueStep{amount, false};
}
