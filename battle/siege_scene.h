#pragma once
// A siege: the castle's walls, gates, drawbridge, towers and catapults on
// the field, and the attacker's trebuchet when the army brings one.

#include <cstdint>
#include <memory>
#include <vector>

#include "battle/battle_scene.h"

class CastleState;
class HeroRecord;

class CTower : public CArmyItem {
public:
    CTower() { name = CStr("Tower"); }
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindTower; }
    uint32_t Kind() const override { return kKindTower; }
};

// Walls whose ruin fills the moat in front of them.
class CSiegeWall : public CWall {
public:
    void OnDestroyed() override;
};
class CSiegeFortWall : public CFortWall {
public:
    void OnDestroyed() override;
};

// Gates with the posting of the battle (damaged 0x404, destroyed 0x505).
class CSiegeGates : public CGates {
public:
    void OnDamaged() override;
    void OnDestroyed() override;
};

class CBridge : public CArmyItem {
public:
    explicit CBridge(CGates* gates, bool fortified);
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindBridge; }
    uint32_t Kind() const override { return kKindBridge; }
    void OnDamaged() override;
    void OnDestroyed() override;

    bool IsOpen() const { return flags != 0; }
    void Reset();
    void Open();
    void Close();
    void Toggle();

    CGates* gates;
    uint16_t gateCode = 0x101;
    uint32_t further = 0;
};

class CSiegeCatapult : public CCatapult {
public:
    explicit CSiegeCatapult(bool fortified);
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindCatapult; }
    uint32_t Kind() const override { return kKindCatapult; }
    void OnDestroyed() override;

    std::unique_ptr<CMissile> missile;
    uint8_t targetCell = 0;
    uint32_t word = 0;
};

class CSiegeTrebuchet : public CTrebuchet {
public:
    CSiegeTrebuchet();
    bool IsKindOf(uint32_t kind) const override { return kind == kKindArmyItem || kind == kKindTrebuchet; }
    uint32_t Kind() const override { return kKindTrebuchet; }
    // -1 idle; counts the reload turns down after the engine was destroyed.
    int16_t Countdown() const { return int16_t(reloadCounter); }
    void SetCountdown(int16_t v) { reloadCounter = uint16_t(v); }
    void CountDown();

    std::unique_ptr<CMissile> missile;
    uint8_t targetCell = 0;
    uint16_t word = 0;
};

class CSiegeScene : public CBattleScene {
public:
    CSiegeScene(CastleState* castle, bool attackerHasTrebuchet);
    uint32_t Kind() const override { return kSceneSiege; }
    void Prepare() override;
    void TurnStep() override;
    void AfterLoad() override;
    void Finish() override;
    bool Serialize(CByteStream* stream) override;

    void AddObject(CArmyItem* object, bool occupy);
    void FireCatapult(HeroRecord* hero, CSiegeCatapult* catapult, uint8_t target);
    void FireTrebuchet(HeroRecord* hero, uint8_t target);
    void ShootCatapultAtSquad(uint8_t from, uint8_t target, int32_t damage);
    void KillSquadAtCell(uint8_t target);
    void HitObjectsAtCell(uint8_t cell, int32_t amount);
    int32_t LivingCatapultCount() const;
    CSiegeCatapult* CatapultAtIndex(uint8_t k) const;
    bool BridgeIntact() const { return bridge && bridge->hitPoints > 0; }
    void OpenBridge() { bridge->Open(); }
    void CloseBridge() { bridge->Close(); }
    void ToggleBridge() { bridge->Toggle(); }

    CastleState* castle;
    CBridge* bridge = nullptr;
    CSiegeTrebuchet* trebuchet = nullptr;
    std::vector<CSiegeCatapult*> catapults;
    // Catapults of the castle that found no tower to stand on.
    uint8_t unplacedCatapults = 0;
};

// The k-th tower cell, where the k-th catapult stands; 0 beyond the list.
uint8_t CatapultCell(uint8_t k);
