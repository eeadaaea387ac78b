#pragma once
// Animation sets of the battle field and the cache that keeps them.
//
// Every object on the battle field plays its pictures and sounds from a set:
// a fixed table of "ani" animations and a fixed table of "wav" sounds loaded
// by name from the object's resource folder. The slot layout depends on the
// kind of set; the battle engine's event codes address the slots (animation
// number = low byte, action number = high byte, both counted from 1).
//
// CBatlAniCacheMgr keeps every set loaded during the run, keyed by kind and
// folder path, so each folder is read once. It preloads the squad set of
// every unit type at start-up; nothing is released before shutdown.

#include <cstdint>
#include <vector>

#include "core/cursor_list.h"
#include "core/image_data.h"
#include "core/ref_string.h"
#include "core/sound_data.h"

enum AnimationSetKind : uint32_t {
    kAnimSetSquad = 0,
    kAnimSetObject = 1,
    kAnimSetMissile = 2,
    kAnimSetObstacle = 3,
};

// Slot counts of each kind of set.
constexpr uint16_t kSquadAnimationSlots = 34;
constexpr uint16_t kSquadSoundSlots = 10;
constexpr uint16_t kObjectAnimationSlots = 8;
constexpr uint16_t kObjectSoundSlots = 8;
constexpr uint16_t kMissileAnimationSlots = 8;
constexpr uint16_t kMissileSoundSlots = 3;
constexpr uint16_t kObstacleAnimationSlots = 1;
constexpr uint16_t kObstacleSoundSlots = 1;

// The set fields of a sprite: borrowed tables (the cache owns them) and the
// slot counts of the set's kind. A slot without header is a missing
// animation or sound.
struct AnimationSetRef {
    const AnimData* animations = nullptr;
    uint16_t animationCount = 0;
    const SoundData* sounds = nullptr;
    uint16_t soundCount = 0;

    // The animation of slot index (0-based), null when out of range or empty.
    const AnimData* Animation(int32_t index) const;
    const SoundData* Sound(int32_t index) const;
};

struct CBatlAniCacheEntry {
    uint32_t kind = 0;
    CStr path;
    std::vector<AnimData> animations;
    std::vector<SoundData> sounds;
};

class CBatlAniCacheMgr {
public:
    // Preloads the squad set of every folder under "/Objects/Units/", from
    // the last listed name to the first. Always true: missing pictures only
    // leave empty slots.
    static bool Init();
    // Frees every entry and empties the list.
    static void Shutdown();

    // The newest entry of that kind whose path equals the given one without
    // regard to case; null when there is none.
    static CBatlAniCacheEntry* Find(uint32_t kind, const CStr& path);
    // Appends a new entry (the path is copied, the tables are taken over).
    static CBatlAniCacheEntry* Add(uint32_t kind, const CStr& path, std::vector<AnimData> animations,
                                   std::vector<SoundData> sounds);
    static int32_t Count();
    static CBatlAniCacheEntry* EntryAt(int32_t index);

    // Loads a set of the kind from the folder without looking into the cache
    // and adds it (the loaders and the preload share it).
    static CBatlAniCacheEntry* LoadAndAdd(uint32_t kind, const CStr& path);
};

// The four loaders: fill the sprite's set fields from the cache, loading the
// folder's set on first use.
void LoadSquadAnimationSet(AnimationSetRef& set, const CStr& path);
void LoadObjectAnimationSet(AnimationSetRef& set, const CStr& path);
void LoadMissileAnimationSet(AnimationSetRef& set, const CStr& path);
void LoadObstacleAnimationSet(AnimationSetRef& set, const CStr& path);
void LoadAnimationSet(uint32_t kind, AnimationSetRef& set, const CStr& path);

// The resource names of a kind's slots ("" for a slot no name fills).
const char* AnimationSlotName(uint32_t kind, int32_t index);
const char* SoundSlotName(uint32_t kind, int32_t index);
uint16_t AnimationSlotCount(uint32_t kind);
uint16_t SoundSlotCount(uint32_t kind);
