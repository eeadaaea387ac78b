#pragma once
// The arithmetic behind the scroll bar, the value scroller and their held
// step buttons, apart from any window so that it can be checked on its own.
//
// Positions, ranges and pages are signed 32-bit values that owners set
// freely (min above max, negative pages, the whole int32 range). Every
// product and sum here is formed in 64 bits and every quotient has a
// non-zero divisor, so no input overflows or divides by zero:
//  - a range or page that would give a divisor of 0 or less makes the thumb
//    as long as the track;
//  - a thumb never gets longer than its track or shorter than 0;
//  - a thumb with no free travel (as long as the track) sits at the near
//    edge, and dragging it leaves the position at min.
#include <cstdint>
#include <vector>

// Moves a value into [min, max]: first raised to min, then lowered to max,
// so max wins when min > max.
int32_t ClampScrollPosition(int32_t value, int32_t min, int32_t max);

// Thumb length on a track: track × page / (page + max - min), or a quarter
// of the track for page 0.
int32_t ScrollThumbLength(int32_t trackLength, int32_t page, int32_t min, int32_t max);

// Distance of the thumb's near edge from the track's near edge for a
// position: (position - min) × (track - thumb) / (max - min), 0 for an empty
// range; kept within the free travel.
int32_t ScrollThumbOffset(int32_t position, int32_t min, int32_t max, int32_t trackLength,
                          int32_t thumbLength);

// The position a dragged thumb stands for, rounded to the nearest step:
// min + (offset × 10 × (max - min) / (track - thumb) + 5) / 10.
int32_t ScrollDragPosition(int32_t offset, int32_t min, int32_t max, int32_t trackLength,
                           int32_t thumbLength);

// Limits a drag along the axis so that [near + d, far + d] stays inside
// [trackNear, trackFar].
int32_t LimitScrollDrag(int32_t delta, int32_t thumbNear, int32_t thumbFar, int32_t trackNear,
                        int32_t trackFar);

// Places of the tick marks (offsets along the axis) for the positions min to
// max of a track: trackNear + i × (track - thumb) / (max - min); a tick closer
// than tickSize to the last one drawn is skipped. Nothing for an empty range
// or a tick size of 0 or less. At most maxTicks places are produced, so a
// huge range cannot make a huge list.
void ScrollTickPlaces(int32_t trackNear, int32_t trackLength, int32_t thumbLength, int32_t min, int32_t max,
                      int32_t tickSize, std::vector<int32_t>& places, int32_t maxTicks = 4096);

// Held step buttons: the first step comes at rate 150 (tenths of events per
// second, 66 ms), the second after a pause at rate 12 (833 ms), every later
// one at rate 80 (125 ms).
constexpr uint16_t RepeatStartRate = 150;
constexpr uint16_t RepeatPauseRate = 12;
constexpr uint16_t RepeatFastRate = 80;
// The rate to set after the step with this counter has run.
inline uint16_t NextRepeatRate(int32_t counter)
{
    return counter != 0 ? RepeatFastRate : RepeatPauseRate;
}
// How many steps the repeat with this counter moves: one more every six
// steps with acceleration, always one without.
int32_t RepeatMultiplier(int32_t counter, bool accelerate);

// One repeat step of a value scroller from `value` by `amount` units: the
// amount is cut so that the value stops at min or max, and `stop` tells that
// the repeat ends there (reaching either end exactly also ends it).
struct ValueStep {
    int32_t amount;
    bool stop;
};
ValueStep LimitValueStep(int32_t value, int32_t amount, int32_t min, int32_t max);

// Integer halving rounded toward minus infinity.
inline int32_t FloorHalf(int32_t value)
{
    return value >= 0 ? value / 2 : -((-value + 1) / 2);
}

// a + b kept within the int32 range.
int32_t SaturatingAdd(int32_t a, int64_t b);
