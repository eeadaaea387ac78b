#include "game/engine_glue.h"

#include "core/core_main.h"
#include "core/log.h"
#include "core/pack_format.h"
#include "core/preferences.h"
#include "core/random.h"
#include "core/resource_mgr.h"
#include "core/sound_data.h"
#include "core/sound_mgr.h"
#include "core/time_mgr.h"
#include "game/running_game.h"

namespace {
// The selection sounds of the session. A sound whose resource is missing
// keeps an empty sample and plays nothing.
SoundData g_sounds[4];
}  // namespace

bool EngineQuitRequested()
{
    return QuitFlag != 0;
}

void SetLeaveRequested(uint8_t flag)
{
    LeaveRequestFlag = flag;
}
bool LeaveRequested()
{
    return LeaveRequestFlag != 0;
}

uint32_t EngineTicks()
{
    return CTimeMgr::GetTicks();
}

void EngineSeedRandom(uint32_t ticks)
{
    SeedRandom(ticks);
}

bool EngineLoadData(const CStr& path, std::vector<uint8_t>& out)
{
    RawResource raw;
    if (!CResourceMgr::LoadData(path.Chars(), pack_format::kDataType, raw) || !raw.data)
        return false;
    out.assign(raw.data, raw.data + raw.size);
    return true;
}

void EngineLoadSounds(const char* folder, const char* const* names, int count)
{
    for (int i = 0; i < count && i < 4; ++i) {
        g_sounds[i].Clear();
        CStr path(folder);
        path.AppendChars(names[i]);
        RawResource raw;
        if (CResourceMgr::LoadData(path.Chars(), pack_format::kSoundType, raw) && raw.data)
            g_sounds[i].Assign(raw.data, raw.size);
    }
}

void EnginePlaySound(int index)
{
    if (index < 0 || index >= 4 || !g_sounds[index].HasSamples())
        return;
    CSoundMgr::PlaySound(g_sounds[index], 255, 0);
}

void EngineLog(const char* tag, const CStr& text)
{
    CStr line(tag);
    line.AppendChars(": ");
    line.Append(text);
    LogWrite(line);
}

bool OptionQuickBattles()
{
    return PrefMapOptions[0] != 0;
}
bool OptionReport()
{
    return PrefMapOptions[4] != 0;
}
bool OptionConfirms()
{
    return PrefMapOptions[6] != 0;
}
