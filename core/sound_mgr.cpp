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

SoundState& State() {
    static SoundState state;
    return state;
}

void DeleteFinished() {
    auto& list = State().finished;
    while (!list.empty()) {
        CSound* sound = list.back();  // newest first
        list.pop_back();
        delete sound;
    }
}

}  // namespace

// ---- Channel ----

bool CSoundChannel::Open(CSound* sound) {
    if (sound_ != nullptr || sound == nullptr || !sound->sample_.HasHeader()) return false;
    WaveOut& out = GetWaveOut();
    WaveOutHandle device = out.Open(sound->sample_.Format());
    if (device == kNoWaveOut) return false;
    if (!out.Prepare(device, sound->sample_.samples, sound->sample_.length)) {
        out.Close(device);
        return false;
    }
    sound_ = sound;
    device_ = device;
    return true;
}

bool CSoundChannel::Write() { return device_ != kNoWaveOut && GetWaveOut().Write(device_); }

bool CSoundChannel::Halt() {
    if (device_ == kNoWaveOut) return false;
    bool paused = GetWaveOut().Pause(device_);
    bool reset = GetWaveOut().Reset(device_);
    return paused && reset;
}

bool CSoundChannel::Close() {
    if (sound_ == nullptr || device_ == kNoWaveOut) return false;
    WaveOutHandle device = device_;
    sound_ = nullptr;
    device_ = kNoWaveOut;
    bool unprepared = GetWaveOut().Unprepare(device);
    bool closed = GetWaveOut().Close(device);
    return unprepared && closed;
}

void CSoundChannel::ApplyVolume() {
    if (sound_ == nullptr || device_ == kNoWaveOut) return;
    uint32_t v = (uint32_t{sound_->Volume()} * CSoundMgr::MasterVolume()) & 0xFF00;
    GetWaveOut().SetVolume(device_, v | (v << 16));
}

void CSoundChannel::Update() {
    if (sound_ == nullptr || device_ == kNoWaveOut || !GetWaveOut().IsDone(device_)) return;
    if (sound_->IsLooping()) {
        if (!Write()) sound_->Stop();  // a loop that cannot restart has ended
    } else {
        sound_->Stop();
    }
}

// ---- Sound ----

CSound::CSound(const char* path) {
    volume_ = CSoundMgr::DefaultVolume();
    second_ = CSoundMgr::DefaultSecondValue();
    if (path != nullptr && path[0] != '\0') Load(path);
}

bool CSound::Load(const char* path) {
    Stop();
    return LoadSound(path, sample_);
}

CSound::~CSound() {
    Stop();
    sample_.Clear();
}

bool CSound::SetSample(const SoundData& sample) {
    if (!sample.HasHeader()) return false;
    Stop();
    sample_ = sample;
    flags_ &= ~kPlaying;
    return true;
}

bool CSound::Play() {
    if (IsPlaying()) Stop();
    bool playing = AcquireChannel();
    flags_ = playing ? (flags_ | kPlaying) : (flags_ & ~kPlaying);
    return playing;
}

bool CSound::Stop() {
    if (!IsPlaying()) return false;
    ReleaseChannel();
    flags_ &= ~kPlaying;
    OnStopped();
    return true;
}

void CSound::OnStopped() {
    if (notify_) notify_(this);
}

bool CSound::AcquireChannel() {
    if (!CSoundMgr::IsEnabled() || !sample_.HasHeader()) return false;
    CSoundChannel* channel = nullptr;
    for (int i = kSoundChannels - 1; i >= 0 && channel == nullptr; --i)
        if (CSoundMgr::Channel(i).IsFree()) channel = &CSoundMgr::Channel(i);
    if (channel == nullptr || !channel->Open(this)) return false;
    channel->ApplyVolume();
    channel_ = channel;
    if (!channel->Write()) {
        // The sound will not be marked playing, so nothing would ever stop it
        // and give the channel back: do it here.
        ReleaseChannel();
        return false;
    }
    return true;
}

bool CSound::ReleaseChannel() {
    if (channel_ == nullptr) return false;
    channel_->Halt();
    channel_->Close();
    channel_ = nullptr;
    return true;
}

// ---- Manager ----

bool CSoundMgr::Init() {
    SoundState& s = State();
    s.defaultVolume = 255;
    s.masterVolume = 255;
    s.defaultSecond = 0;
    Enable(true);
    return true;
}

void CSoundMgr::Shutdown() {
    Enable(false);
    // Nothing may play on past the program's end: every channel is given
    // back (fire-and-forget sounds are deleted) and the output is closed.
    StopAll();
    CloseWaveOut();
}

bool CSoundMgr::Enable(bool on) {
    State().on = on;
    return true;
}

bool CSoundMgr::IsEnabled() { return State().on; }

void CSoundMgr::Tick() {
    for (int i = kSoundChannels - 1; i >= 0; --i)
        if (!Channel(i).IsFree()) Channel(i).Update();
    DeleteFinished();
}

void CSoundMgr::StopAll() {
    for (int i = kSoundChannels - 1; i >= 0; --i)
        if (CSound* sound = Channel(i).Sound()) sound->Stop();
    DeleteFinished();
}

void CSoundMgr::ApplyVolume() {
    if (!IsEnabled()) return;
    for (CSoundChannel& c : State().channels)
        if (!c.IsFree()) c.ApplyVolume();
}

bool CSoundMgr::PlaySound(const SoundData& sample, uint16_t volume, uint16_t secondValue) {
    if (!IsEnabled() || !sample.HasSamples()) return false;
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

uint16_t CSoundMgr::MasterVolume() { return State().masterVolume; }

void CSoundMgr::SetMasterVolume(uint16_t volume) {
    State().masterVolume = volume > 255 ? 255 : volume;
    ApplyVolume();
}

uint16_t CSoundMgr::DefaultVolume() { return State().defaultVolume; }
uint16_t CSoundMgr::DefaultSecondValue() { return State().defaultSecond; }
CSoundChannel& CSoundMgr::Channel(int index) { return State().channels[index]; }
int CSoundMgr::FinishedCount() { return static_cast<int>(State().finished.size()); }
