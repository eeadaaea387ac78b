#include "core/timer.h"

#include "core/time_mgr.h"

CTimer::~CTimer()
{
    if (m_destroyed) {
        *m_destroyed = true;
    }
    CCallback::Clear(m_callback);
}

void CTimer::SetRate(uint16_t rate)
{
    m_rate = rate;
    m_interval = rate == 0 ? 0 : static_cast<uint16_t>(10u * CTimeMgr::TicksPerSecond() / rate);
}

bool CTimer::OnStart()
{
    m_lastTick = CTimeMgr::GetTicks();
    return true;
}

void CTimer::Run()
{
    if (m_interval == 0 || m_inCallback) {
        return;
    }
    if (CTimeMgr::TicksSince(m_lastTick) < m_interval) {
        return;
    }
    bool destroyed = false;
    m_destroyed = &destroyed;
    m_inCallback = true;
    OnTimer();
    if (destroyed) {
        return;  // the callback deleted this timer; touch nothing of it
    }
    m_inCallback = false;
    m_destroyed = nullptr;
    m_lastTick = CTimeMgr::GetTicks();
}

void CTimer::OnTimer()
{
    if (m_callback) {
        m_callback->Invoke(reinterpret_cast<intptr_t>(this));
    }
}
