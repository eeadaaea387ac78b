#pragma once
// Waveform output without a sound card: a device "plays" its buffer for
// length / average bytes per second of virtual time, so done, loop and stop
// are deterministic. Tests can also end a sound at once and make opening or
// writing fail.

#include <array>
#include <cstdint>
#include <functional>

#include "platform/wave_out.h"

class HeadlessWaveOut : public WaveOut {
public:
    // `now` gives milliseconds of virtual time.
    explicit HeadlessWaveOut(std::function<uint32_t()> now);

    WaveOutHandle Open(const WaveOutFormat& format) override;
    bool Prepare(WaveOutHandle device, const uint8_t* data, uint32_t length) override;
    bool Write(WaveOutHandle device) override;
    bool Pause(WaveOutHandle device) override;
    bool Reset(WaveOutHandle device) override;
    bool Unprepare(WaveOutHandle device) override;
    bool Close(WaveOutHandle device) override;
    bool SetVolume(WaveOutHandle device, uint32_t leftRight) override;
    bool IsDone(WaveOutHandle device) override;

    // Fault injection: the next `count` opens fail; every write fails while set.
    void FailOpens(int count) { m_failOpens = count; }
    void FailWrites(bool fail) { m_failWrites = fail; }
    // Test command: the device's buffer has played to its end.
    void Finish(WaveOutHandle device);

    // What a test may look at.
    int OpenCount() const;
    bool IsOpen(WaveOutHandle device) const;
    bool IsPlaying(WaveOutHandle device);  // written, not paused, not done
    uint32_t Volume(WaveOutHandle device) const;
    int WriteCount(WaveOutHandle device) const;
    // Milliseconds a buffer of `length` bytes plays in `format`.
    static uint32_t PlayTime(const WaveOutFormat& format, uint32_t length);

private:
    struct Device {
        bool open = false;
        WaveOutFormat format;
        const uint8_t* data = nullptr;
        uint32_t length = 0;
        bool prepared = false;
        bool playing = false;  // written and not paused
        bool done = false;
        uint32_t started = 0;  // virtual time of the write, moved on by pauses
        bool paused = false;
        uint32_t volume = 0xFFFFFFFFu;
        int writes = 0;
    };
    Device* Find(WaveOutHandle device);
    const Device* Find(WaveOutHandle device) const;
    void Advance(Device& d);

    std::function<uint32_t()> m_now;
    std::array<Device, kWaveOutDevices> m_devices{};
    int m_failOpens = 0;
    bool m_failWrites = false;
};
