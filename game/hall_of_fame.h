#pragma once
// The hall of fame of every mission and its scoring configuration.

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ref_string.h"
#include "game/player_record.h"

class CByteStream;
class CGameWorld;

struct ScoreWeights {
    int32_t base = 0;
    int16_t w[13] = {};  // W2..W14
};

struct GameConfig {
    uint16_t placesPerMission = 4;
    ScoreWeights blocks[4];
};
GameConfig& HallOfFameConfig();

// What an entry needs of the running game besides the player.
struct HallOfFameGame {
    const CGameWorld* world = nullptr;
    CStr missionPath;
    int32_t turn = 0;
    int32_t difficulty = 0;
};

class CHallOfFameEntry : public CPlayerStats {
public:
    void StreamBody(CByteStream& s) override;
    void FillFromPlayer(const PlayerRecord& player, const HallOfFameGame& game);
    int32_t ComputeScore() const;
    // The level the hero had reached with its experience.
    int32_t HeroLevel() const;
    void Assign(const CHallOfFameEntry& other) { *this = other; }

    CStr missionPath;
    CStr worldName;
    int32_t turns = 0;
    int16_t owned = 0;
    int16_t castles = 0;
    int16_t provinceCount = 0;
    uint32_t difficulty = 0;
    CStr playerName;
    CStr heroName;
    CResourceBundle finalResources;
    CArmy army;
    int16_t heroBattle = 0, heroBuilder = 0, heroStealth = 0;
    int32_t heroExperience = 0;
    int32_t score = 0;
};

// The data file of the hall of fame, without folder and extension.
constexpr const char* kHallOfFameFile = "zkvhof0";
// No real hall of fame comes near this; a file claiming more is refused.
constexpr uint16_t kMaxHallOfFameEntries = 4096;
// Nor a file this large, which is not read at all.
constexpr uint32_t kMaxHallOfFameFileBytes = 4u << 20;

bool LoadGameConfig();
void FreeHallOfFame();
// The copy of a damaged hall of fame, kept beside it.
constexpr const char* kDamagedHallOfFameFile = "zkvhof0_damaged";

// Also removes the temporary file of a save cut short. A damaged file is
// copied aside, its readable entries are kept and written back, and the
// damage notice is raised; false then.
bool LoadHallOfFameFile();
bool SaveHallOfFameFile();
// Reads a hall-of-fame body (everything after the version word); false when
// it is damaged, with the entries that still read kept.
bool ReadHallOfFame(const uint8_t* data, uint32_t size);
// True once after a damaged file was set aside, so the player hears of it once.
bool TakeHallOfFameDamageNotice();
std::vector<uint8_t> WriteHallOfFame();
bool QualifiesForHallOfFame(const PlayerRecord& player, const HallOfFameGame& game);
// True when the result entered the table and the file was written.
bool AddToHallOfFame(const PlayerRecord& player, const HallOfFameGame& game);
// Where a finished game's result stands.
enum class FinishedResult : uint8_t {
    kNotEntered,
    kWritten,    // in the file; the finished game's save is gone
    kUnwritten,  // only in memory: the file could not take it, the save stays
};
// The end of a game that may enter the hall of fame, under the player's name
// as it is. The current save slot (the finished game's save) is deleted only
// once the file holds the entry.
FinishedResult AddFinishedGameToHallOfFame(const PlayerRecord& player, const HallOfFameGame& game);
// The winner's chosen name replaces the player's on the entry made for the
// player; the player record itself is left to the caller.
FinishedResult RenameFinishedGameEntry(const PlayerRecord& player, const HallOfFameGame& game,
                                       const CStr& name);
int HallOfFameCount(const CStr& missionPath);
bool HallOfFameGetEntry(const CStr& missionPath, int i, CHallOfFameEntry& out);
void RemoveHallOfFameEntries(const CStr& missionPath);
int HallOfFameTotal();
