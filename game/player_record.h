#pragma once
// One side of the strategic game: its mission definition, hero, treasury,
// field army, statistics and the controller that plays it.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"
#include "game/army.h"
#include "game/game_rules.h"
#include "game/resource_bundle.h"

class CByteStream;
class CPlayerController;
class PlayerRecord;

class CPlayerStats {
public:
    CPlayerStats() = default;
    CPlayerStats(const CPlayerStats&) = default;
    CPlayerStats& operator=(const CPlayerStats&) = default;
    virtual ~CPlayerStats() = default;

    // Size-prefixed block (stream version 7 on); a reader skips to its end.
    void Stream(CByteStream& s);
    virtual void StreamBody(CByteStream& s);
    void AssignStats(const CPlayerStats& other) { *this = other; }

    CResourceBundle taxes, spent, stolen, theft;
    CArmy recruited, joined;
    int32_t battles = 0, victories = 0, defeats = 0;
    int32_t retreats = 0;
    CArmy killed, lost, finalArmy, assassinated;
    int16_t incomeRating = 0, strengthRating = 0;
    uint32_t blockSize = 0;
};

// The skill points a hero starts a game with, shared out over battle,
// builder and stealth when a person sets the hero up.
inline constexpr int32_t kHeroStartSkillPoints = 6;

// The longest name a winner enters for the hall of fame; the entry window
// starts from the player's name, so a longer one would reach it cut.
inline constexpr int32_t kPlayerNameLength = 21;

class HeroRecord {
public:
    void AddExperience(int32_t n);
    void OnEvent(const void*) {}
    void OnRobberyEvent(const void*) {}
    void Assign(const HeroRecord& other);
    void Stream(CByteStream& s);

    CStr name;
    PlayerRecord* owner = nullptr;
    uint8_t battle = 2, builder = 2, stealth = 2;
    uint8_t level = 1;
    uint32_t kind = 0;
    RuleFraction satisfaction;
    int32_t experience = 0;
};

// Personality from the hero's skills: 128 is neutral. Skills of 0 and 0 give
// 128, and the result is clamped to 0..255 instead of wrapping, so the most
// warlike hero is never taken for the most peaceful.
uint8_t PersonalityFromSkills(uint8_t battle, uint8_t builder);

class PlayerRecord {
public:
    PlayerRecord();
    PlayerRecord(const PlayerRecord& other) = delete;
    PlayerRecord& operator=(const PlayerRecord& other) = delete;
    ~PlayerRecord();

    void Assign(const PlayerRecord& other);
    void SetHuman(uint8_t flag);
    void DeleteController();
    CPlayerController* GetController() const { return controller; }
    bool IsHuman() const { return human != 0; }
    void Earn(const CResourceBundle& bundle);
    void Spend(const CResourceBundle& bundle);
    int32_t PersonalityWeight(uint8_t k) const;

    void BeforeSave();
    void AfterLoad();
    // One player's live state in a saved game. The full treasury travels here
    // too, because the mission form keeps only 16 bits per kind.
    void StreamSession(CByteStream& s);

    // Definition (the mission's).
    uint8_t playerId = 0;
    uint8_t capital = 255;
    uint8_t skills[3] = {2, 2, 2};
    uint8_t assignment = 0;
    uint32_t heroKind = 0;
    std::vector<CStr> slotTypes;
    std::vector<uint16_t> startingResources;
    // Live.
    int16_t armyLocation = 255;
    CArmy army;
    CStr name;
    HeroRecord hero;
    uint8_t taxPercent = 100;
    CPlayerController* controller = nullptr;
    CResourceBundle treasury;
    uint8_t human = 0;
    uint8_t flagNumber = 0;
    CPlayerStats stats;
    uint8_t personality = 127;
};

// Argument records of dialog requests.
struct CostRequestArgs {
    CStr first, second;
    CResourceBundle bundle;
};
struct TextRequestArgs {
    CStr text, title, sound;
    uint32_t word = 0;
};
struct ArmyRequestArgs {
    CArmy army;
    CStr text;
};
