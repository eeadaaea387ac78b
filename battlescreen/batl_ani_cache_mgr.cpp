#include "battlescreen/batl_ani_cache_mgr.h"

#include <utility>

#include "core/pack_format.h"
#include "core/path_mgr.h"
#include "core/raster.h"
#include "core/resource_mgr.h"

namespace {

// Squad sets: action + "_beg"/"_end" + side "_lf"/"_rt" + "up"/"dn".
const char* const kSquadAnimations[kSquadAnimationSlots] = {
    "idle_lf",         "idle_rt",         "move_lf",         "move_rt",         "melatk_beg_lf",
    "melatk_beg_lfup", "melatk_beg_lfdn", "melatk_beg_rt",   "melatk_beg_rtup", "melatk_beg_rtdn",
    "melatk_end_lf",   "melatk_end_lfup", "melatk_end_lfdn", "melatk_end_rt",   "melatk_end_rtup",
    "melatk_end_rtdn", "rngatk_beg_lf",   "rngatk_beg_rt",   "rngatk_end_lf",   "rngatk_end_rt",
    "wkick_lf",        "wkick_lfup",      "wkick_lfdn",      "wkick_rt",        "wkick_rtup",
    "wkick_rtdn",      "kick_lf",         "kick_lfup",       "kick_lfdn",       "kick_rt",
    "kick_rtup",       "kick_rtdn",       "dth_lf",          "dth_rt",
};
// Slot 9 has no name: a death is heard through slot 10.
const char* const kSquadSounds[kSquadSoundSlots] = {
    "idle", "move", "melatk_beg", "melatk_end", "rngatk_beg", "rngatk_end", "wkick", "kick", "", "dth",
};
const char* const kObjectNames[kObjectAnimationSlots] = {
    "idle", "attack_beg", "attack_end", "kicked", "destr", "destr_half", "raise", "",
};
const char* const kMissileAnimations[kMissileAnimationSlots] = {
    "miss_lf", "miss_lfup", "miss_lfdn", "miss_rt", "miss_rtup", "miss_rtdn", "miss_expl", "",
};
const char* const kMissileSounds[kMissileSoundSlots] = {"miss_idle", "miss_expl", ""};
const char* const kObstacleNames[kObstacleAnimationSlots] = {"idle"};

// The cache list; entries are owned by it. Constant-initialised, so it
// outlives the reaper below, which frees the entries at program exit.
constinit CCursorList<CBatlAniCacheEntry*> g_cacheList;

CCursorList<CBatlAniCacheEntry*>& CacheList()
{
    return g_cacheList;
}

struct CacheReaper {
    ~CacheReaper() { CBatlAniCacheMgr::Shutdown(); }
} g_cacheReaper;

}  // namespace

const AnimData* AnimationSetRef::Animation(int32_t index) const
{
    if (!animations || index < 0 || index >= animationCount || !animations[index].HasHeader())
        return nullptr;
    return &animations[index];
}

const SoundData* AnimationSetRef::Sound(int32_t index) const
{
    if (!sounds || index < 0 || index >= soundCount || !sounds[index].HasHeader())
        return nullptr;
    return &sounds[index];
}

uint16_t AnimationSlotCount(uint32_t kind)
{
    switch (kind) {
    case kAnimSetSquad:
        return kSquadAnimationSlots;
    case kAnimSetObject:
        return kObjectAnimationSlots;
    case kAnimSetMissile:
        return kMissileAnimationSlots;
    case kAnimSetObstacle:
        return kObstacleAnimationSlots;
    default:
        return 0;
    }
}

uint16_t SoundSlotCount(uint32_t kind)
{
    switch (kind) {
    case kAnimSetSquad:
        return kSquadSoundSlots;
    case kAnimSetObject:
        return kObjectSoundSlots;
    case kAnimSetMissile:
        return kMissileSoundSlots;
    case kAnimSetObstacle:
        return kObstacleSoundSlots;
    default:
        return 0;
    }
}

const char* AnimationSlotName(uint32_t kind, int32_t index)
{
    if (index < 0 || index >= AnimationSlotCount(kind))
        return "";
    switch (kind) {
    case kAnimSetSquad:
        return kSquadAnimations[index];
    case kAnimSetObject:
        return kObjectNames[index];
    case kAnimSetMissile:
        return kMissileAnimations[index];
    default:
        return kObstacleNames[index];
    }
}

const char* SoundSlotName(uint32_t kind, int32_t index)
{
    if (index < 0 || index >= SoundSlotCount(kind))
        return "";
    switch (kind) {
    case kAnimSetSquad:
        return kSquadSounds[index];
    case kAnimSetObject:
        return kObjectNames[index];
    case kAnimSetMissile:
        return kMissileSounds[index];
    default:
        return kObstacleNames[index];
    }
}

bool CBatlAniCacheMgr::Init()
{
    const CStr& units = CPathMgr::Path(CPathMgr::kObjectsUnits);
    std::vector<CStr> names;
    CResourceMgr::ListFolder(units.Chars(), "", pack_format::kFolderType, names);
    for (size_t i = names.size(); i > 0; --i)
        LoadAndAdd(kAnimSetSquad, CStr::Concat(units, names[i - 1]));
    return true;
}

void CBatlAniCacheMgr::Shutdown()
{
    CCursorList<CBatlAniCacheEntry*>& list = CacheList();
    for (auto* node = list.Head(); node; node = node->next)
        delete node->element;
    list.RemoveAll();
}

CBatlAniCacheEntry* CBatlAniCacheMgr::Find(uint32_t kind, const CStr& path)
{
    CCursorList<CBatlAniCacheEntry*>& list = CacheList();
    for (auto* node = list.Tail(); node; node = node->prev) {
        CBatlAniCacheEntry* entry = node->element;
        if (entry->kind == kind && entry->path.Length() == path.Length() &&
            CompareNoCase(entry->path.Chars(), path.Chars()) == 0)
            return entry;
    }
    return nullptr;
}

CBatlAniCacheEntry* CBatlAniCacheMgr::Add(uint32_t kind, const CStr& path, std::vector<AnimData> animations,
                                          std::vector<SoundData> sounds)
{
    auto* entry = new CBatlAniCacheEntry;
    entry->kind = kind;
    entry->path = CStr(path.Chars(), path.Length());
    entry->animations = std::move(animations);
    entry->sounds = std::move(sounds);
    if (!CacheList().AddTail(entry)) {
        delete entry;
        return nullptr;
    }
    return entry;
}

int32_t CBatlAniCacheMgr::Count()
{
    return CacheList().Count();
}

CBatlAniCacheEntry* CBatlAniCacheMgr::EntryAt(int32_t index)
{
    CBatlAniCacheEntry** entry = CacheList().GetAt(index);
    return entry ? *entry : nullptr;
}

CBatlAniCacheEntry* CBatlAniCacheMgr::LoadAndAdd(uint32_t kind, const CStr& path)
{
    std::vector<AnimData> animations(AnimationSlotCount(kind));
    std::vector<SoundData> sounds(SoundSlotCount(kind));
    // Bare names resolve inside the set's folder for the length of the load.
    // A folder that does not exist leaves the current folder as it was:
    // its bare names would then load some other object's pictures, so such
    // a set stays empty.
    PushResourceFolder();
    if (CResourceMgr::SetCurrentFolder(path.Chars())) {
        for (size_t i = 0; i < animations.size(); ++i) {
            const char* name = AnimationSlotName(kind, int32_t(i));
            if (name[0] != '\0')
                LoadAnimation(name, animations[i]);
        }
        for (size_t i = 0; i < sounds.size(); ++i) {
            const char* name = SoundSlotName(kind, int32_t(i));
            if (name[0] != '\0')
                LoadSound(name, sounds[i]);
        }
    }
    PopResourceFolder();
    return Add(kind, path, std::move(animations), std::move(sounds));
}

void LoadAnimationSet(uint32_t kind, AnimationSetRef& set, const CStr& path)
{
    set.animationCount = AnimationSlotCount(kind);
    set.soundCount = SoundSlotCount(kind);
    CBatlAniCacheEntry* entry = CBatlAniCacheMgr::Find(kind, path);
    if (!entry)
        entry = CBatlAniCacheMgr::LoadAndAdd(kind, path);
    if (!entry) {
        set = AnimationSetRef{};
        return;
    }
    set.animations = entry->animations.data();
    set.sounds = entry->sounds.data();
}

void LoadSquadAnimationSet(AnimationSetRef& set, const CStr& path)
{
    LoadAnimationSet(kAnimSetSquad, set, path);
}
void LoadObjectAnimationSet(AnimationSetRef& set, const CStr& path)
{
    LoadAnimationSet(kAnimSetObject, set, path);
}
void LoadMissileAnimationSet(AnimationSetRef& set, const CStr& path)
{
    LoadAnimationSet(kAnimSetMissile, set, path);
}
void LoadObstacleAnimationSet(AnimationSetRef& set, const CStr& path)
{
    LoadAnimationSet(kAnimSetObstacle, set, path);
}
