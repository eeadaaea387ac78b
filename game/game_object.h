#pragma once
// Kind-tagged objects that stand in an army or on a battlefield: squads, walls,
// gates, missiles, and the siege engines' description loading.

#include <cstdint>
#include <memory>

#include "core/ref_string.h"

class CSquadType;
class CMissile;

enum : uint32_t {
    kKindGameObject = 0,
    kKindArmyItem = 0x2000,
    kKindSquad = 0x2001,
    kKindGates = 0x2007,
    kKindMissile = 0x2009,
    kKindWall = 0x2100,
    kKindFortWall = 0x2200,
};

enum : uint16_t {
    kEventActivate = 0x101,
    kEventDamaged = 0x404,
    kEventDestroyed = 0x505,
    kEventWallDamaged = 0x606,
};

class CGameObject {
public:
    CGameObject() = default;
    CGameObject(const CGameObject&) = delete;
    CGameObject& operator=(const CGameObject&) = delete;
    virtual ~CGameObject() = default;

    virtual bool IsKindOf(uint32_t kind) const;
    virtual uint32_t Kind() const { return kKindGameObject; }
    virtual bool ReservedQueryA() const { return false; }
    virtual bool ReservedQueryB() const { return false; }

    // Calls the battle screen's hook with this object's handle, when one is set.
    void SignalBattleHook();

    uint32_t battleHandle = 0;
    CStr name;
    uint32_t further = 0;
};

using BattleHookFn = void (*)(uint32_t battleHandle, uint32_t flag);
void SetBattleHook(BattleHookFn hook);

struct BattleEvent {
    CGameObject* source = nullptr;
    uint32_t battleHandle = 0;
    uint32_t sourceKind = 0;
    uint16_t code = 0;
    int16_t coords[4] = {-2048, -2048, -2048, -2048};
    uint16_t flag = 0;
    uint32_t last = 0;
};

class CArmyItem : public CGameObject {
public:
    bool IsKindOf(uint32_t kind) const override;
    uint32_t Kind() const override { return kKindArmyItem; }
    virtual void SetHitPoints(int32_t hp);
    virtual void Damage(int32_t amount);
    virtual void OnDamaged();
    virtual void OnDestroyed();

    void PostBattleEvent(uint16_t code, uint8_t wait);

    uint32_t cell = 0;
    int32_t hitPoints = 0;
    uint32_t flags = 0;
};

class CMissile : public CGameObject {
public:
    explicit CMissile(const CStr& folder);
    CMissile();  // without a description; parameters 0
    bool IsKindOf(uint32_t kind) const override { return kind == kKindMissile; }
    uint32_t Kind() const override { return kKindMissile; }

    uint8_t paramA = 0;
    uint8_t paramB = 0;
};

// Per-battle record of a squad; the battle engine gives its fields meaning.
struct BattleState {
    BattleState() = default;
    BattleState(const BattleState& other) { Assign(other); }
    BattleState& operator=(const BattleState& other)
    {
        Assign(other);
        return *this;
    }
    void Assign(const BattleState& other);

    uint32_t wordA = 0;
    uint8_t byteA = 0;
    uint32_t wordB = 0;
    uint8_t byteB = 0;
    uint16_t half = 0;
    uint8_t byteC = 0;
    uint8_t byteD = 0;
    std::unique_ptr<CMissile> missile;
};

class CSquad : public CArmyItem {
public:
    CSquad() = default;
    bool IsKindOf(uint32_t kind) const override { return kind == kKindSquad; }
    uint32_t Kind() const override { return kKindSquad; }

    void SetType(const CSquadType* type);
    void AddUnits(int32_t n);
    int32_t TotalHitPoints() const;
    void TakeDamage(int32_t d);
    void CreateBattleState();
    void FreeBattleState();

    const CSquadType* type = nullptr;
    int32_t count = 0;
    std::unique_ptr<BattleState> battleState;
    int32_t pending = 0;
    uint32_t spare = 0;
};

class CWall : public CArmyItem {
public:
    CWall();
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindWall; }
    uint32_t Kind() const override { return kKindWall; }
    void OnDamaged() override;
    void OnDestroyed() override;

protected:
    struct NoLoad {};
    explicit CWall(NoLoad) {}
};

class CFortWall : public CWall {
public:
    CFortWall();
    bool IsKindOf(uint32_t kind) const override
    {
        return kind == kKindArmyItem || kind == kKindWall || kind == kKindFortWall;
    }
    uint32_t Kind() const override { return kKindFortWall; }
};

class CGates : public CArmyItem {
public:
    CGates();
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindGates; }
    uint32_t Kind() const override { return kKindGates; }
};

// Siege engines: the battle engine builds on these; the strategic game only
// needs their descriptions and damage notifications.
class CCatapult : public CArmyItem {
public:
    CCatapult();
    void LoadDescr();
    void OnDamaged() override;
};

class CTrebuchet : public CArmyItem {
public:
    CTrebuchet();
    void LoadDescr();
    void OnDamaged() override;
    void OnDestroyed() override;

    int32_t fullHitPoints = 0;
    uint16_t reloadCounter = 0;
};

// Full hit points of the castle's defence objects, as their descriptions give them.
int32_t GatesFullHitPoints();
int32_t WallFullHitPoints(bool fortified);
