#include "core/time_mgr.h"

#include "platform/platform.h"

uint32_t CTimeMgr::GetTicks()
{
    return GetTickCount();
}

void CTimeMgr::Sleep(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}
