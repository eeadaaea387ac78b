#pragma once
// The ground a battle is fought on: an open field among obstacles, or a
// castle under siege. The scene owns the objects that stand on the grid
// besides the squads.

#include <cstdint>
#include <vector>

#include "game/game_object.h"

class CByteStream;

enum : uint32_t {
    kKindTrebuchet = 0x2002,
    kKindCatapult = 0x2003,
    kKindObstacle = 0x2004,
    kKindTower = 0x2006,
    kKindBridge = 0x2008,
};

enum : uint32_t {
    kSceneOpenField = 0,
    kSceneSiege = 1
};

class CBattleScene {
public:
    CBattleScene() = default;
    CBattleScene(const CBattleScene&) = delete;
    CBattleScene& operator=(const CBattleScene&) = delete;
    // Deletes every scene object.
    virtual ~CBattleScene();

    virtual uint32_t Kind() const = 0;
    virtual int16_t ObjectCount() const { return int16_t(objects.size()); }
    virtual CArmyItem* ObjectAt(int16_t index) const { return objects[size_t(index)]; }
    virtual void Prepare() {}
    virtual void TurnStep() {}
    virtual void AfterLoad() {}
    virtual void Finish() {}
    virtual bool Serialize(CByteStream* stream);

    // Owned, in insertion order.
    std::vector<CArmyItem*> objects;
};

// Writes or reads the state of every scene object in list order; a reading
// scene has already built the same objects from the same set-up.
bool StreamSceneObjects(CBattleScene* scene, CByteStream* stream);

// Rocks and the like: block their cell for good.
class CObstacle : public CArmyItem {
public:
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindObstacle; }
    uint32_t Kind() const override { return kKindObstacle; }
    void OnDamaged() override {}
    void OnDestroyed() override {}
};

class COpenFieldScene : public CBattleScene {
public:
    explicit COpenFieldScene(uint8_t layout);
    uint32_t Kind() const override { return kSceneOpenField; }
    // Layout number modulo the number of layouts in "/Rules/Battle/obstacles".
    void LoadObstacles(uint8_t layout);
};
