#include "platform/sdl/sdl_wave_out.h"

#include "platform/sdl/sdl_library.h"

#include <algorithm>
#include <cstdio>
#include <vector>

SdlWaveOut::SdlWaveOut(bool startDevice)
{
    if (LoadSdl() == nullptr) {
        std::fprintf(stderr, "sound: SDL2 cannot be loaded (%s); playing silently\n", LoadSdlError());
        return;
    }
    if (Sdl().InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "sound: no audio (%s); playing silently\n", Sdl().GetError());
        return;
    }
    m_audioInit = true;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_S16SYS;
    want.channels = kChannels;
    want.samples = 1024;
    want.callback = &SdlWaveOut::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts our fixed mix format to the card's.
    m_device = Sdl().OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (m_device == 0) {
        std::fprintf(stderr, "sound: no audio device (%s); playing silently\n", Sdl().GetError());
        return;
    }
    if (startDevice)
        Sdl().PauseAudioDevice(m_device, 0);
}

SdlWaveOut::~SdlWaveOut()
{
    if (m_device != 0)
        Sdl().CloseAudioDevice(m_device);  // the callback no longer runs after this
    for (Voice& v : m_voices)
        if (v.stream)
            Sdl().FreeAudioStream(v.stream);
    if (m_audioInit)
        Sdl().QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlWaveOut::Lock()
{
    if (m_device != 0)
        Sdl().LockAudioDevice(m_device);
}
void SdlWaveOut::Unlock()
{
    if (m_device != 0)
        Sdl().UnlockAudioDevice(m_device);
}

SdlWaveOut::Voice* SdlWaveOut::Find(WaveOutHandle device)
{
    if (device < 0 || device >= kWaveOutDevices || !m_voices[device].open)
        return nullptr;
    return &m_voices[device];
}

WaveOutHandle SdlWaveOut::Open(const WaveOutFormat& format)
{
    if (m_device == 0)
        return kNoWaveOut;
    SDL_AudioFormat from;
    if (format.bitsPerSample == 8)
        from = AUDIO_U8;
    else if (format.bitsPerSample == 16)
        from = AUDIO_S16LSB;
    else
        return kNoWaveOut;
    if (format.channels < 1 || format.channels > 2 || format.samplesPerSecond == 0)
        return kNoWaveOut;
    for (int i = 0; i < kWaveOutDevices; ++i) {
        if (m_voices[i].open)
            continue;
        SDL_AudioStream* stream =
            Sdl().NewAudioStream(from, static_cast<Uint8>(format.channels),
                                 static_cast<int>(format.samplesPerSecond), AUDIO_S16SYS, kChannels, kRate);
        if (stream == nullptr)
            return kNoWaveOut;
        Lock();
        m_voices[i] = Voice{};
        m_voices[i].open = true;
        m_voices[i].stream = stream;
        Unlock();
        return i;
    }
    return kNoWaveOut;
}

bool SdlWaveOut::Prepare(WaveOutHandle device, const uint8_t* data, uint32_t length)
{
    Lock();
    Voice* v = Find(device);
    bool ok = v != nullptr && !v->prepared;
    if (ok) {
        v->data = data;
        v->length = length;
        v->prepared = true;
        v->done = false;
    }
    Unlock();
    return ok;
}

bool SdlWaveOut::Write(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    bool ok = v != nullptr && v->prepared;
    if (ok) {
        Sdl().AudioStreamClear(v->stream);
        ok = Sdl().AudioStreamPut(v->stream, v->data, static_cast<int>(v->length)) == 0 &&
             Sdl().AudioStreamFlush(v->stream) == 0;
        v->playing = ok;
        v->paused = false;
        v->done = false;
    }
    Unlock();
    return ok;
}

bool SdlWaveOut::Pause(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    if (v != nullptr && v->playing)
        v->paused = true;
    Unlock();
    return v != nullptr;
}

bool SdlWaveOut::Reset(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    if (v != nullptr) {
        Sdl().AudioStreamClear(v->stream);
        v->playing = false;
        v->paused = false;
        if (v->prepared)
            v->done = true;
    }
    Unlock();
    return v != nullptr;
}

bool SdlWaveOut::Unprepare(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    bool ok = v != nullptr && v->prepared && !(v->playing && !v->done);
    if (ok) {
        v->prepared = false;
        v->data = nullptr;
        v->length = 0;
    }
    Unlock();
    return ok;
}

bool SdlWaveOut::Close(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    bool ok = v != nullptr && !v->prepared;
    SDL_AudioStream* stream = nullptr;
    if (ok) {
        stream = v->stream;
        *v = Voice{};
    }
    Unlock();
    if (stream)
        Sdl().FreeAudioStream(stream);
    return ok;
}

bool SdlWaveOut::SetVolume(WaveOutHandle device, uint32_t leftRight)
{
    Lock();
    Voice* v = Find(device);
    if (v != nullptr) {
        v->left = static_cast<uint16_t>(leftRight & 0xFFFF);
        v->right = static_cast<uint16_t>(leftRight >> 16);
    }
    Unlock();
    return v != nullptr;
}

bool SdlWaveOut::IsDone(WaveOutHandle device)
{
    Lock();
    Voice* v = Find(device);
    bool done = v != nullptr && v->done;
    Unlock();
    return done;
}

void SdlWaveOut::Mix(int16_t* out, int frames)
{
    // The callback asks for the same size every time, so these grow once.
    std::vector<int32_t>& acc = m_mixSum;
    std::vector<int16_t>& buffer = m_mixVoice;
    acc.assign(static_cast<size_t>(frames) * kChannels, 0);
    buffer.resize(static_cast<size_t>(frames) * kChannels);
    for (Voice& v : m_voices) {
        if (!v.open || !v.playing || v.paused)
            continue;
        int bytes =
            Sdl().AudioStreamGet(v.stream, buffer.data(), static_cast<int>(buffer.size() * sizeof(int16_t)));
        int got = bytes > 0 ? bytes / static_cast<int>(sizeof(int16_t)) : 0;
        for (int i = 0; i < got; ++i) {
            int32_t level = (i % 2 == 0) ? v.left : v.right;
            acc[i] += static_cast<int32_t>((int64_t{buffer[i]} * level) / 0xFFFF);
        }
        if (Sdl().AudioStreamAvailable(v.stream) == 0) {
            v.playing = false;
            v.done = true;
        }
    }
    for (size_t i = 0; i < acc.size(); ++i)
        out[i] = static_cast<int16_t>(std::clamp(acc[i], -32768, 32767));
}

void SdlWaveOut::Callback(void* self, uint8_t* stream, int length)
{
    static_cast<SdlWaveOut*>(self)->Mix(reinterpret_cast<int16_t*>(stream),
                                        length / static_cast<int>(sizeof(int16_t) * kChannels));
}
