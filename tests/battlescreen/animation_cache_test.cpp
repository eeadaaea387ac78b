#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battlescreen/batl_ani_cache_mgr.h"
#include "core/resource_mgr.h"
#include "tests/battlescreen/battle_screen_rig.h"

namespace battlescreen_test {
namespace {

class AnimationCacheTest : public BattleScreenRig {};

std::vector<int> FilledAnimationSlots(const AnimationSetRef& set)
{
    std::vector<int> filled;
    for (int i = 0; i < set.animationCount; ++i)
        if (set.Animation(i))
            filled.push_back(i);
    return filled;
}

TEST_F(AnimationCacheTest, PreloadReadsTheSquadSetOfEveryUnitFolder)
{
    ASSERT_TRUE(CBatlAniCacheMgr::Init());
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 3);
    struct Case {
        const char* path;
        std::vector<int> animations;
    };
    std::vector<int> all;
    for (int i = 0; i < kSquadAnimationSlots; ++i)
        all.push_back(i);
    const Case cases[] = {
        {"/Objects/Units/Sword", all},
        {"/Objects/Units/Bow", {0, 1, 2, 3, 32, 33}},
        {"/Objects/Units/Axe", {0, 1}},
    };
    for (const Case& c : cases) {
        CBatlAniCacheEntry* entry = CBatlAniCacheMgr::Find(kAnimSetSquad, CStr(c.path));
        ASSERT_NE(entry, nullptr) << c.path;
        AnimationSetRef set;
        set.animations = entry->animations.data();
        set.animationCount = uint16_t(entry->animations.size());
        EXPECT_EQ(FilledAnimationSlots(set), c.animations) << c.path;
        EXPECT_EQ(entry->sounds.size(), size_t(kSquadSoundSlots));
    }
    // A second loader call finds the preloaded set.
    AnimationSetRef set;
    LoadSquadAnimationSet(set, CStr("/Objects/Units/Bow"));
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 3);
    CBatlAniCacheMgr::Shutdown();
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 0);
}

TEST_F(AnimationCacheTest, SetsAreSharedPerKindAndPathWhateverTheLetterCase)
{
    AnimationSetRef first, second, upper, asObject;
    LoadSquadAnimationSet(first, CStr("/Objects/Units/Sword"));
    ASSERT_EQ(CBatlAniCacheMgr::Count(), 1);
    LoadSquadAnimationSet(second, CStr("/Objects/Units/Sword"));
    LoadSquadAnimationSet(upper, CStr("/OBJECTS/units/sWORD"));
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 1) << "the same folder is loaded once";
    EXPECT_EQ(second.animations, first.animations);
    EXPECT_EQ(second.sounds, first.sounds);
    EXPECT_EQ(upper.animations, first.animations);
    LoadObjectAnimationSet(asObject, CStr("/Objects/Units/Sword"));
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 2) << "another kind of set is another entry";
    EXPECT_NE(asObject.animations, first.animations);
    EXPECT_EQ(asObject.animationCount, kObjectAnimationSlots);
    EXPECT_EQ(CBatlAniCacheMgr::Find(kAnimSetObject, CStr("/objects/units/sword")),
              CBatlAniCacheMgr::EntryAt(1));
    EXPECT_EQ(CBatlAniCacheMgr::Find(kAnimSetMissile, CStr("/Objects/Units/Sword")), nullptr);
}

TEST_F(AnimationCacheTest, SlotCountsAndSoundsFollowTheKindOfSet)
{
    struct Case {
        uint32_t kind;
        const char* path;
        uint16_t animations;
        uint16_t sounds;
        std::vector<int> filledSounds;
    };
    const Case cases[] = {
        // Sound slot 9 has no name, so it stays empty even beside "dth".
        {kAnimSetSquad, "/Objects/Units/Sword", 34, 10, {0, 1, 2, 3, 4, 5, 6, 7, 9}},
        {kAnimSetMissile, "/Objects/Units/Bow", 8, 3, {}},
        {kAnimSetObstacle, "/Objects/Units/Axe", 1, 1, {}},
    };
    for (const Case& c : cases) {
        AnimationSetRef set;
        LoadAnimationSet(c.kind, set, CStr(c.path));
        EXPECT_EQ(set.animationCount, c.animations) << c.path;
        EXPECT_EQ(set.soundCount, c.sounds) << c.path;
        std::vector<int> filled;
        for (int i = 0; i < set.soundCount; ++i)
            if (set.Sound(i))
                filled.push_back(i);
        EXPECT_EQ(filled, c.filledSounds) << c.path;
    }
    AnimationSetRef missile;
    LoadMissileAnimationSet(missile, CStr("/Objects/Units/Bow"));
    EXPECT_EQ(FilledAnimationSlots(missile), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(std::string(AnimationSlotName(kAnimSetSquad, 20)), "wkick_lf");
    EXPECT_EQ(std::string(SoundSlotName(kAnimSetSquad, 8)), "");
}

TEST_F(AnimationCacheTest, AMissingFolderGivesAnEmptySetNotTheCurrentFoldersPictures)
{
    // The current folder holds a full set; a folder that does not exist must
    // not resolve its bare names there.
    ASSERT_TRUE(CResourceMgr::SetCurrentFolder("/Objects/Units/Sword"));
    AnimationSetRef set;
    LoadSquadAnimationSet(set, CStr("/Objects/Units/Nobody"));
    EXPECT_TRUE(FilledAnimationSlots(set).empty());
    EXPECT_EQ(CBatlAniCacheMgr::Count(), 1) << "an empty set is cached like any other";
    EXPECT_EQ(std::string(CResourceMgr::CurrentFolder().Chars()), "/Objects/Units/Sword");
    CResourceMgr::ResetCurrentFolder();
}

}  // namespace
}  // namespace battlescreen_test
