#pragma once
// Sounds on up to 8 channels. There is no mixing of our own: each playing
// sound gets a waveform-output device (a channel) that plays its whole sample
// from one buffer. The manager is ticked once per frame step to restart
// looping sounds and to finish sounds that have ended, by polling each
// channel's done flag.

#include <cstdint>
#include <functional>

#include "core/sound_data.h"
#include "platform/wave_out.h"

class CSound;
class CSoundChannel;

// Called with the sound when it stops.
using SoundNotify = std::function<void(CSound*)>;

constexpr int kSoundChannels = 8;

class CSoundChannel {
public:
    CSound* Sound() const { return m_sound; }
    WaveOutHandle Device() const { return m_device; }
    bool IsFree() const { return m_sound == nullptr; }

    // Opens a device for the sound's format and prepares its whole sample as
    // the one buffer. The channel belongs to the sound only when both work.
    bool Open(CSound* sound);
    bool Write();
    bool Halt();
    bool Close();
    void ApplyVolume();
    // A done buffer is written again for a looping sound, else the sound stops.
    void Update();

private:
    CSound* m_sound = nullptr;
    WaveOutHandle m_device = kNoWaveOut;
};

class CSound {
public:
    // Loads the "wav" resource at `path` when it is not empty.
    explicit CSound(const char* path = "");
    virtual ~CSound();
    CSound(const CSound&) = delete;
    CSound& operator=(const CSound&) = delete;

    // Stops, then loads the "wav" resource; false when it is not found.
    bool Load(const char* path);
    bool SetSample(const SoundData& sample);
    bool Play();
    bool Stop();
    virtual void OnStopped();

    bool IsPlaying() const { return (m_flags & kPlaying) != 0; }
    bool IsLooping() const { return (m_flags & kLoop) != 0; }
    void SetLoop(bool loop) { m_flags = loop ? (m_flags | kLoop) : (m_flags & ~kLoop); }
    uint16_t Volume() const { return m_volume; }
    void SetVolume(uint16_t volume) { m_volume = volume > 255 ? 255 : volume; }
    uint16_t SecondValue() const { return m_second; }
    void SetSecondValue(uint16_t value) { m_second = value; }
    void SetNotify(SoundNotify notify) { m_notify = std::move(notify); }
    const SoundData& Sample() const { return m_sample; }
    CSoundChannel* Channel() const { return m_channel; }

private:
    friend class CSoundChannel;
    static constexpr uint8_t kPlaying = 1, kLoop = 2;
    bool AcquireChannel();
    bool ReleaseChannel();

    SoundNotify m_notify;
    CSoundChannel* m_channel = nullptr;
    uint16_t m_second = 0;
    uint16_t m_volume = 255;
    uint8_t m_flags = 0;
    SoundData m_sample;
};

class CSoundMgr {
public:
    static bool Init();
    static void Shutdown();
    static bool Enable(bool on);
    static bool IsEnabled();
    static void Tick();
    static void StopAll();
    static void ApplyVolume();
    // Fire and forget: the sound deletes itself at the tick after it ends.
    static bool PlaySound(const SoundData& sample, uint16_t volume, uint16_t secondValue);

    static uint16_t MasterVolume();
    // Values above 255 are taken as 255; the new level reaches every playing
    // channel at once.
    static void SetMasterVolume(uint16_t volume);
    static uint16_t DefaultVolume();
    static uint16_t DefaultSecondValue();

    static CSoundChannel& Channel(int index);
    // Fire-and-forget sounds that have ended and wait for the next tick.
    static int FinishedCount();
};
