#include "core/path_mgr.h"

namespace {

CStr* Slots()
{
    static CStr slots[CPathMgr::kSlotCount];
    return slots;
}

const char* const kPaths[] = {
    "",
    "/Objects/",
    "/Objects/Battle/",
    "/Objects/Map/",
    "/Objects/Units/",
    "/Rules/",
    "/Rules/Battle/",
    "/Rules/Map/",
    "/Skin/",
    "/Images/",
    "/Images/Icons/",
    "/Images/Btn/",
    "/Images/Battle/",
    "/Images/Map/",
    "/Palettes/",
    "/UI/",
    "/Locale/",
    "/Locale/Fonts/",
    "/Locale/Keyboards/",
    "/Ani/",
    "/Scenarios/",
    "/Sounds/",
};

}  // namespace

bool CPathMgr::Init()
{
    CStr* slots = Slots();
    int i = 0;
    for (const char* path : kPaths)
        slots[i++] = CStr(path);
    return true;
}

void CPathMgr::Shutdown() {}

const CStr& CPathMgr::Path(int slot)
{
    static const CStr empty;
    if (slot < 0 || slot >= kSlotCount)
        return empty;
    return Slots()[slot];
}
