#pragma once
// Waveform output: 8 logical devices, each playing one whole buffer of PCM
// samples. The sound manager opens one device per playing sound, writes its
// single buffer, polls the done flag once per frame step, and writes the same
// buffer again to loop it. Nothing calls back: every state change of a device
// is seen by polling.
//
// Contract of every backend:
// - Open gives a free device for the format, or kNoWaveOut when none is free
//   or the output cannot take the format; at most kWaveOutDevices are open.
// - Prepare names the buffer (borrowed: it must outlive the device's use of
//   it); Write plays the prepared buffer from its start, clears the done flag,
//   and may be called again after done to replay it.
// - IsDone is true once the whole buffer has played, or after Reset.
// - Pause holds playing; Reset stops it for good and marks it done.
// - Unprepare forgets the buffer; Close frees the device (after Unprepare).
// - SetVolume takes the left level in the low word and the right level in the
//   high word, 0..0xFFFF each.
// Calls with a handle that is not open return false and change nothing.

#include <cstdint>

struct WaveOutFormat {
    uint16_t channels = 1;
    uint32_t samplesPerSecond = 0;
    uint32_t avgBytesPerSecond = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

using WaveOutHandle = int;
constexpr WaveOutHandle kNoWaveOut = -1;
constexpr int kWaveOutDevices = 8;

class WaveOut {
public:
    virtual ~WaveOut() = default;
    virtual WaveOutHandle Open(const WaveOutFormat& format) = 0;
    virtual bool Prepare(WaveOutHandle device, const uint8_t* data, uint32_t length) = 0;
    virtual bool Write(WaveOutHandle device) = 0;
    virtual bool Pause(WaveOutHandle device) = 0;
    virtual bool Reset(WaveOutHandle device) = 0;
    virtual bool Unprepare(WaveOutHandle device) = 0;
    virtual bool Close(WaveOutHandle device) = 0;
    virtual bool SetVolume(WaveOutHandle device, uint32_t leftRight) = 0;
    virtual bool IsDone(WaveOutHandle device) = 0;
};

// The backend in use. Made on first use: the SDL mixer when the program is
// built with SDL2 and the platform runs its SDL backend, else the headless
// backend on the platform's clock (virtual when headless).
WaveOut& GetWaveOut();
// Puts another backend in place (tests); nullptr goes back to the default.
// The caller keeps ownership of `backend`.
void SetWaveOut(WaveOut* backend);
// Closes the default backend (its sound card); the next use opens a new one.
void CloseWaveOut();
