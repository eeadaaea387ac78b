#pragma once
// CTimer: the one kind of task. At a fixed rate it calls its callback with
// the timer as the argument. The rate is in tenths of events per second
// (150 = 15 a second); rate 0 stops the timer. The next interval is measured
// from the moment the callback returned, so a late frame never causes a
// burst of catch-up events.
//
// A new timer's last tick is 0, so once it has a rate it fires at the first
// task tick. While its callback runs (which may run frame steps, and so tick
// the tasks again) the timer does not fire a second time, and the callback
// may destroy the timer.

#include <cstdint>

#include "core/callback.h"
#include "core/task_mgr.h"

class CTimer : public CTask {
public:
    CTimer() = default;
    explicit CTimer(uint16_t rate) { SetRate(rate); }
    ~CTimer() override;

    // interval := 10 * 1000 / rate (cut to 16 bits), 0 for rate 0. The last
    // tick is not changed.
    void SetRate(uint16_t rate);
    uint16_t Rate() const { return m_rate; }
    uint16_t Interval() const { return m_interval; }
    uint32_t LastTick() const { return m_lastTick; }

    // The callback slot; the timer owns what it holds.
    CCallback*& Callback() { return m_callback; }

    bool OnStart() override;
    void Run() override;
    virtual void OnTimer();

private:
    CCallback* m_callback = nullptr;
    uint32_t m_lastTick = 0;
    uint16_t m_rate = 0;
    uint16_t m_interval = 0;
    bool m_inCallback = false;
    bool* m_destroyed = nullptr;  // set by the destructor while Run is inside OnTimer
};
