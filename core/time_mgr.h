#pragma once
// CTimeMgr: the millisecond tick counter of the platform (1000 ticks a
// second, wrapping modulo 2^32). It has no start-up or shutdown work.

#include <cstdint>

class CTimeMgr {
public:
    static uint32_t GetTicks();
    // now - tick, modulo 2^32.
    static uint32_t TicksSince(uint32_t tick) { return GetTicks() - tick; }
    static constexpr uint32_t TicksPerSecond() { return 1000; }
    // Waits on the platform's clock (virtual on the headless backend, so a
    // scripted run does not really wait).
    static void Sleep(uint32_t milliseconds);
};
