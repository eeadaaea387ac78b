#pragma once
// One side of a battle: the interface through which the battle flow drives
// the attacker or the defender, and the squad-level actions every player of
// a side uses (the turn modes of a person and the battle AI alike): lining
// up, walking, melee and ranged exchanges and their display.

#include <cstdint>

#include "game/game_object.h"

class CArmy;
class CBattleScene;
class CByteStream;
class HeroRecord;

enum : uint32_t {
    kSideKindHuman = 0,
    kSideKindComputer = 1,
    kSideKindMute = 2
};

// Event codes of squads (animation number x 256 + first variant).
enum : uint16_t {
    kCodeRest = 257,
    kCodeStep = 515,
    kCodeStrike = 773,
    kCodeFollowThrough = 1035,
    kCodeAim = 1297,
    kCodeLoose = 1555,
    kCodeReact = 1813,
    kCodeHurt = 2075,
    kCodeDeath = 2337,
    kCodeTurn = 2594,
};

struct SideSetup {
    HeroRecord* ownHero = nullptr;
    CArmy* ownArmy = nullptr;
    HeroRecord* enemyHero = nullptr;
    CArmy* enemyArmy = nullptr;
    CBattleScene* scene = nullptr;
};

class CSideController {
public:
    CSideController() = default;
    CSideController(const CSideController&) = delete;
    CSideController& operator=(const CSideController&) = delete;
    virtual ~CSideController() = default;

    virtual uint32_t Kind() const = 0;
    virtual void Init(const SideSetup* setup) = 0;
    virtual void OnCellTap(uint8_t cell) = 0;
    virtual void OnCellAltTap(uint8_t cell) { OnCellTap(cell); }
    virtual void OnKey(uint16_t code) = 0;
    virtual void PlaceSquads() = 0;
    virtual uint32_t Query() const { return 0; }
    virtual void BeginTurn() {}
    virtual void PlayTurn() = 0;
    virtual void ContinueTurn() = 0;
    virtual uint32_t OnCommand(uint32_t code) = 0;
    virtual void OnInputCode(uint32_t code) = 0;
    virtual void Refresh() {}
    virtual bool MayGiveUp() = 0;
    virtual bool Serialize(CByteStream* stream);
    virtual void EndTurn() {}
    // Whether the battle AI decides for the whole side now. A person's
    // squads take the AI's own decisions while automatic play runs their
    // turn; orders a person gives stay the person's.
    virtual bool PlayedByAi() const { return Kind() != kSideKindHuman; }
    // Whether a person plays the side turn by turn, rather than leaving it
    // to automatic play.
    virtual bool PlayedByHand() const { return false; }
    // Display of the squads' actions; a side that shows nothing empties them.
    virtual void MoveSquad(CSquad* squad, uint8_t cell, uint16_t flag);
    virtual void ShowSquadLoss(CSquad* squad, bool killed);
    virtual void ShowMeleeAttack(CSquad* attacker, CSquad* target, bool killed);
    virtual void ShowRangedAttack(CSquad* shooter, CSquad* target, bool hurt, bool killed);
    virtual void SetSquadPose(CSquad* squad, uint16_t code);
    virtual void TurnSquadToward(CSquad* squad, uint16_t base, uint8_t cell);
    virtual void LaunchMissile(CMissile* missile, uint8_t from, uint8_t to, int16_t aim);

    void LineUpSquads();
    void PlaceSquadAt(CSquad* squad, uint8_t cell);
    void MoveAlongPath(CSquad* squad, const uint8_t* path, uint8_t length);
    void MeleeExchange(CSquad* attacker, CSquad* target);
    void RangedVolley(CSquad* shooter, CSquad* target);
    void SimulateMelee(CSquad* attacker, CSquad* target, int32_t& attackerCount, int32_t& targetCount);
    void EndSquadTurn(CSquad* squad);
    void EndAllSquadTurns();
    bool HasEnemyNeighbour(const CSquad* squad) const;
    bool CanShoot(const CSquad* squad) const;
    static bool CanTarget(const CGameObject* actor, const CGameObject* target);
    void DamageSquadFromObject(CSquad* squad, uint32_t shotValue);
    void SettleSquadAfterHit(CSquad* squad);

    // The controller of the other side of the battle.
    CSideController* OtherSide() const;
    bool IsAttackerSide() const;
    CArmy* OwnArmy() const { return setup.ownArmy; }
    CArmy* EnemyArmy() const { return setup.enemyArmy; }
    const SideSetup& Setup() const { return setup; }
    SideSetup* SetupPtr() { return &setup; }

    HeroRecord* ownHero = nullptr;
    HeroRecord* enemyHero = nullptr;
    SideSetup setup;
    BattleEvent actorEvent;
    BattleEvent targetEvent;
    BattleEvent spareEvent;

protected:
    void CopySetup(const SideSetup* source);
    void PostActor(CSquad* squad, uint16_t code, bool play);
    void PostTarget(CSquad* squad, uint16_t code, bool play);
};

uint16_t DirectionalEventCode(uint16_t base, uint8_t from, uint8_t to);
void PostSquadPose(CGameObject* object, uint32_t battleId, uint32_t kind, uint16_t code, bool hold);
void NotifySquadStrength(const CSquad* squad);
CSquad* SquadAtCell(uint8_t cell);
// Creates the controller of a side (attacker flag 1 or 0) of the given kind,
// gives it its setup and stores it in the side's slot; false when the side's
// hero has no owner.
bool CreateSideController(uint8_t attacker, uint32_t kind);
