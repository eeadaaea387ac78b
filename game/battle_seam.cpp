#include "game/battle_seam.h"

#include "core/text_section_reader.h"
#include "game/game_object.h"

uint32_t BattleResult = kBattleNoResult;

namespace {
BattleEventHook g_eventHook = nullptr;
TrebuchetReloadHook g_reloadHook = nullptr;
}  // namespace

void SetBattleEventHook(BattleEventHook hook)
{
    g_eventHook = hook;
}

void DispatchBattleEvent(const BattleEvent* event, uint8_t wait)
{
    if (g_eventHook && event)
        g_eventHook(*event, wait);
}

void SetTrebuchetReloadHook(TrebuchetReloadHook hook)
{
    g_reloadHook = hook;
}

uint8_t TrebuchetReloadTurns()
{
    return g_reloadHook ? g_reloadHook() : 1;
}

int32_t ReadBattleObjectNumber(const CStr& name, int32_t fallback)
{
    TextSectionReader reader;
    if (!reader.Open(CStr("/Objects/Battle/") + name + "/descr", pack_format::kTextTableType, 15))
        return fallback;
    return reader.ReadInt(fallback);
}

void LoadMissileDescr(CMissile& missile, const CStr& folder)
{
    TextSectionReader reader;
    if (!reader.Open(folder + "/missile", pack_format::kTextTableType, 15))
        return;
    missile.paramA = uint8_t(reader.ReadInt(0));
    missile.paramB = uint8_t(reader.ReadInt(0));
}
