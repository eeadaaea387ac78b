#include "core/sound_mgr.h"

#include <array>
#include <vector>

namespace {

struct SoundState {
    bool on = false;
    uint16_t masterVolume = 255;
    uint16_t defaultVolume = 255;
    uint16_t defaultSecond = 0;
    std::array<CSoundChannel, kSoundChannels> channels;
    // Ended fire-and-forget sounds. Each channel ends at most one sound per
    // tick and the list is emptied in the same tick, so it stays short.
    std::vector<CSound*> finished;
};

SoundState& State()
{
    static SoundState state;
    return state;
}

void DeleteFinished()
{
    auto& list = State().finished;
    while (!list.empty()) {
        CSound* sound = list.back();  // newest first
        list.pop_back();
        delete sound;
    }
}

}  // namespace

// ---- Channel ----

bool CSoundChannel::Open(CSound* sound)
{
    if (m_sound != nullptr || sound == nullptr || !sound->m_sample.HasHeader())
        return false;
    WaveOut& out = GetWaveOut();
    WaveOutHandle device = out.Open(sound->m_sample.Format());
    if (device == kNoWaveOut)
        return false;
    if (!out.Prepare(device, sound->m_sample.samples, sound->m_sample.length)) {
        out.Close(device);
        return false;
    }
    m_sound = sound;
    m_device = device;
    return true;
}

bool CSoundChannel::Write()
{
    return m_device != kNoWaveOut && GetWaveOut().Write(m_device);
}

bool CSoundChannel::Halt()
{
    if (m_device == kNoWaveOut)
        return false;
    bool paused = GetWaveOut().Pause(m_device);
    bool reset = GetWaveOut().Reset(m_device);
    return paused && reset;
}

bool CSoundChannel::Close()
{
    if (m_sound == nullptr || m_device == kNoWaveOut)
        return false;
    WaveOutHandle device = m_device;
    m_sound = nullptr;
    m_device = kNoWaveOut;
    bool unprepared = GetWaveOut().Unprepare(device);
    bool closed = GetWaveOut().Close(device);
    return unprepared && closed;
}

void CSoundChannel::ApplyVolume()
{
    if (m_sound == nullptr || m_device == kNoWaveOut)
        return;
    uint32_t v = (uint32_t{m_sound->Volume()} * CSoundMgr::MasterVolume()) & 0xFF00;
    GetWaveOut().SetVolume(m_device, v | (v << 16));
}

void CSoundChannel::Update()
{
    if (m_sound == nullptr || m_device == kNoWaveOut || !GetWaveOut().IsDone(m_device))
        return;
    if (m_sound->IsLooping()) {
        if (!Write())
            m_sound->Stop();  // a loop that cannot restart has ended
    } else {
        m_sound->Stop();
    }
}

// ---- Sound ----

CSound::CSound(const char* path)
{
    m_volume = CSoundMgr::DefaultVolume();
    m_second = CSoundMgr::DefaultSecondValue();
    if (path != nullptr && path[0] != '\0')
        Load(path);
}

bool CSound::Load(const char* path)
{
    Stop();
    return LoadSound(path, m_sample);
}

CSound::~CSound()
{
    Stop();
    m_sample.Clear();
}

bool CSound::SetSample(const SoundData& sample)
{
    if (!sample.HasHeader())
        return false;
    Stop();
    m_sample = sample;
    m_flags &= ~kPlaying;
    return true;
}

bool CSound::Play()
{
    if (IsPlaying())
        Stop();
    bool playing = AcquireChannel();
    m_flags = playing ? (m_flags | kPlaying) : (m_flags & ~kPlaying);
    return playing;
}

bool CSound::Stop()
{
    if (!IsPlaying())
        return false;
    ReleaseChannel();
    m_flags &= ~kPlaying;
    OnStopped();
    return true;
}

void CSound::OnStopped()
{
    if (m_notify)
        m_notify(this);
}

bool CSound::AcquireChannel()
{
    if (!CSoundMgr::IsEnabled() || !m_sample.HasHeader())
        return false;
    CSoundChannel* channel = nullptr;
    for (int i = kSoundChannels - 1; i >= 0 && channel == nullptr; --i)
        if (CSoundMgr::Channel(i).IsFree())
            channel = &CSoundMgr::Channel(i);
    if (channel == nullptr || !channel->Open(this))
        return false;
    channel->ApplyVolume();
    m_channel = channel;
    if (!channel->Write()) {
        // The sound will not be marked playing, so nothing would ever stop it
        // and give the channel back: do it here.
        ReleaseChannel();
        return false;
    }
    return true;
}

bool CSound::ReleaseChannel()
{
    if (m_channel == nullptr)
        return false;
    m_channel->Halt();
    m_channel->Close();
    m_channel = nullptr;
    return true;
}

// ---- Manager ----

bool CSoundMgr::Init()
{
    SoundState& s = State();
    s.defaultVolume = 255;
    s.masterVolume = 255;
    s.defaultSecond = 0;
    Enable(true);
    return true;
}

void CSoundMgr::Shutdown()
{
    Enable(false);
    // Nothing may play on past the program's end: every channel is given
    // back (fire-and-forget sounds are deleted) and the output is closed.
    StopAll();
    CloseWaveOut();
}

bool CSoundMgr::Enable(bool on)
{
    State().on = on;
    return true;
}

bool CSoundMgr::IsEnabled()
{
    return State().on;
}

void CSoundMgr::Tick()
{
    for (int i = kSoundChannels - 1; i >= 0; --i)
        if (!Channel(i).IsFree())
            Channel(i).Update();
    DeleteFinished();
}

void CSoundMgr::StopAll()
{
    for (int i = kSoundChannels - 1; i >= 0; --i)
        if (CSound* sound = Channel(i).Sound())
            sound->Stop();
    DeleteFinished();
}

void CSoundMgr::ApplyVolume()
{
    if (!IsEnabled())
        return;
    for (CSoundChannel& c : State().channels)
        if (!c.IsFree())
            c.ApplyVolume();
}

bool CSoundMgr::PlaySound(const SoundData& sample, uint16_t volume, uint16_t secondValue)
{
    if (!IsEnabled() || !sample.HasSamples())
        return false;
    CSound* sound = new CSound();
    sound->SetVolume(volume);
    sound->SetSecondValue(secondValue);
    sound->SetNotify([](CSound* ended) { State().finished.push_back(ended); });
    if (!sound->SetSample(sample) || !sound->Play()) {
        delete sound;
        return false;
    }
    return true;
}

uint16_t CSoundMgr::MasterVolume()
{
    return State().masterVolume;
}

void CSoundMgr::SetMasterVolume(uint16_t volume)
{
    State().masterVolume = volume > 255 ? 255 : volume;
    ApplyVolume();
}

uint16_t CSoundMgr::DefaultVolume()
{
    return State().defaultVolume;
}
uint16_t CSoundMgr::DefaultSecondValue()
{
    return State().defaultSecond;
}
CSoundChannel& CSoundMgr::Channel(int index)
{
    return State().channels[index];
}
int CSoundMgr::FinishedCount()
{
    return static_cast<int>(State().finished.size());
}
