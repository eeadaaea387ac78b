#include "platform/headless/headless_wave_out.h"

HeadlessWaveOut::HeadlessWaveOut(std::function<uint32_t()> now) : m_now(std::move(now)) {}

HeadlessWaveOut::Device* HeadlessWaveOut::Find(WaveOutHandle device)
{
    if (device < 0 || device >= kWaveOutDevices || !m_devices[device].open)
        return nullptr;
    return &m_devices[device];
}

const HeadlessWaveOut::Device* HeadlessWaveOut::Find(WaveOutHandle device) const
{
    if (device < 0 || device >= kWaveOutDevices || !m_devices[device].open)
        return nullptr;
    return &m_devices[device];
}

uint32_t HeadlessWaveOut::PlayTime(const WaveOutFormat& format, uint32_t length)
{
    if (format.avgBytesPerSecond == 0)
        return 0;
    // rounded up: a buffer is done only once its last byte has played
    return static_cast<uint32_t>((uint64_t{length} * 1000 + format.avgBytesPerSecond - 1) /
                                 format.avgBytesPerSecond);
}

void HeadlessWaveOut::Advance(Device& d)
{
    if (!d.playing || d.paused)
        return;
    if (m_now() - d.started >= PlayTime(d.format, d.length)) {
        d.playing = false;
        d.done = true;
    }
}

WaveOutHandle HeadlessWaveOut::Open(const WaveOutFormat& format)
{
    if (m_failOpens > 0) {
        --m_failOpens;
        return kNoWaveOut;
    }
    if (format.avgBytesPerSecond == 0 || format.blockAlign == 0)
        return kNoWaveOut;
    for (int i = 0; i < kWaveOutDevices; ++i)
        if (!m_devices[i].open) {
            m_devices[i] = Device{};
            m_devices[i].open = true;
            m_devices[i].format = format;
            return i;
        }
    return kNoWaveOut;
}

bool HeadlessWaveOut::Prepare(WaveOutHandle device, const uint8_t* data, uint32_t length)
{
    Device* d = Find(device);
    if (d == nullptr || d->prepared)
        return false;
    d->data = data;
    d->length = length;
    d->prepared = true;
    d->done = false;
    return true;
}

bool HeadlessWaveOut::Write(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr || !d->prepared || m_failWrites)
        return false;
    d->playing = true;
    d->paused = false;
    d->done = false;
    d->started = m_now();
    ++d->writes;
    return true;
}

bool HeadlessWaveOut::Pause(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr)
        return false;
    Advance(*d);
    if (d->playing)
        d->paused = true;
    return true;
}

bool HeadlessWaveOut::Reset(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr)
        return false;
    if (d->prepared)
        d->done = true;
    d->playing = false;
    d->paused = false;
    return true;
}

bool HeadlessWaveOut::Unprepare(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr || !d->prepared)
        return false;
    Advance(*d);
    if (d->playing)
        return false;  // still playing: stop it first
    d->prepared = false;
    d->data = nullptr;
    d->length = 0;
    return true;
}

bool HeadlessWaveOut::Close(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr || d->prepared)
        return false;  // unprepare first
    *d = Device{};
    return true;
}

bool HeadlessWaveOut::SetVolume(WaveOutHandle device, uint32_t leftRight)
{
    Device* d = Find(device);
    if (d == nullptr)
        return false;
    d->volume = leftRight;
    return true;
}

bool HeadlessWaveOut::IsDone(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr)
        return false;
    Advance(*d);
    return d->done;
}

void HeadlessWaveOut::Finish(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr || !d->playing)
        return;
    d->playing = false;
    d->paused = false;
    d->done = true;
}

int HeadlessWaveOut::OpenCount() const
{
    int n = 0;
    for (const Device& d : m_devices)
        n += d.open ? 1 : 0;
    return n;
}

bool HeadlessWaveOut::IsOpen(WaveOutHandle device) const
{
    return Find(device) != nullptr;
}

bool HeadlessWaveOut::IsPlaying(WaveOutHandle device)
{
    Device* d = Find(device);
    if (d == nullptr)
        return false;
    Advance(*d);
    return d->playing && !d->paused;
}

uint32_t HeadlessWaveOut::Volume(WaveOutHandle device) const
{
    const Device* d = Find(device);
    return d ? d->volume : 0;
}

int HeadlessWaveOut::WriteCount(WaveOutHandle device) const
{
    const Device* d = Find(device);
    return d ? d->writes : 0;
}
