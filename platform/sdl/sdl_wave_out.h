#pragma once
// Waveform output through SDL2: one audio device (signed 16-bit stereo) that
// mixes up to 8 voices, one per logical device, each converted from its own
// PCM format by an SDL_AudioStream. The mixing callback runs on SDL's audio
// thread, the only second thread of the program: every voice field it reads
// or writes is touched elsewhere only under SDL_LockAudioDevice.
//
// Without a usable sound card the backend stays silent: Open refuses every
// device, so no sound plays and the game goes on.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/wave_out.h"

struct _SDL_AudioStream;

class SdlWaveOut : public WaveOut {
public:
    // `startDevice` false keeps the device paused so that a test can drive the
    // mixer by calling Mix itself, deterministically.
    explicit SdlWaveOut(bool startDevice = true);
    ~SdlWaveOut() override;
    SdlWaveOut(const SdlWaveOut&) = delete;
    SdlWaveOut& operator=(const SdlWaveOut&) = delete;

    // False when no audio device could be opened (the silent case).
    bool HasDevice() const { return m_device != 0; }

    WaveOutHandle Open(const WaveOutFormat& format) override;
    bool Prepare(WaveOutHandle device, const uint8_t* data, uint32_t length) override;
    bool Write(WaveOutHandle device) override;
    bool Pause(WaveOutHandle device) override;
    bool Reset(WaveOutHandle device) override;
    bool Unprepare(WaveOutHandle device) override;
    bool Close(WaveOutHandle device) override;
    bool SetVolume(WaveOutHandle device, uint32_t leftRight) override;
    bool IsDone(WaveOutHandle device) override;

    // Output format of the mix.
    static constexpr int kRate = 22050;
    static constexpr int kChannels = 2;
    // Fills `out` (interleaved stereo samples) with the mix of the playing
    // voices and marks voices whose buffer has run out as done. The audio
    // callback calls it with the device locked by SDL.
    void Mix(int16_t* out, int frames);

private:
    struct Voice {
        bool open = false;
        _SDL_AudioStream* stream = nullptr;
        const uint8_t* data = nullptr;
        uint32_t length = 0;
        bool prepared = false;
        bool playing = false;
        bool paused = false;
        bool done = false;
        uint16_t left = 0xFFFF, right = 0xFFFF;
    };
    static void Callback(void* self, uint8_t* stream, int length);
    Voice* Find(WaveOutHandle device);
    void Lock();
    void Unlock();

    uint32_t m_device = 0;
    bool m_audioInit = false;
    std::array<Voice, kWaveOutDevices> m_voices{};
    std::vector<int32_t> m_mixSum;
    std::vector<int16_t> m_mixVoice;
};
