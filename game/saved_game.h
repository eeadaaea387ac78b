#pragma once
// Saved games, the nine save slots and the header the slot picker shows.

#include <cstdint>
#include <vector>

#include "core/ref_string.h"

class CByteStream;
class CGameWorld;

// The part of the game globals a saved game keeps.
struct SessionState {
    int32_t turn = 0;
    uint8_t currentPlayer = 0;
    uint8_t selectedProvince = 0;
    int32_t sessionMode = 0;
    int32_t difficulty = 0;
    uint8_t battleInProgress = 0;
    uint8_t battleAutomatic = 0;
    uint8_t battleAttacker = 0;
    uint8_t battleDefender = 0;
    uint8_t battleProvince = 0;

    // Turn, every player's and province's live state, the controllers' own
    // state, then the globals. A reader refuses indexes outside the world.
    bool Stream(CByteStream& s, CGameWorld& world);
};

struct SaveHeader {
    uint32_t headerEnd = 0;
    uint32_t missionChecksum = 0;
    CStr worldName;
    uint32_t difficulty = 0;
    uint32_t turn = 0;
    uint8_t playersWithController = 0;
    uint8_t singleHuman = 0;
    CStr humanName;
    uint8_t skills[3] = {0, 0, 0};
};

bool StreamSaveHeader(CByteStream& s, SaveHeader& header);
// Fills a header from a world in play.
void BuildSaveHeader(SaveHeader& header, const CGameWorld& world, const CStr& missionPath,
                     const SessionState& session);

// What a saved game is made of; the running game hands in its own globals.
struct SavedGameParts {
    CGameWorld& world;
    CStr& missionPath;
    SessionState& session;
};

// Called after a world was read and before its after-load pass, so that the
// running game can rebuild its distance map and load the rules; none by default.
using WorldLoadedHook = void (*)(CGameWorld& world);
void SetWorldLoadedHook(WorldLoadedHook hook);
// Reads the world from the stream, then runs the hook and the after-load
// pass. False, with a log line, when the stream ran short or the world is
// not sound; nothing of a refused world is used.
bool LoadWorldFromStream(CByteStream& s, CGameWorld& world);

// The version word of saved games. Version 10 added what a game needs to play
// on exactly as if never saved: what the computer players' planners remember
// between turns and each player's leaning. Saves of versions 6 to 9 still
// load, their planners remembering nothing and their leanings taken from the
// heroes' skills. The other versioned files of the data folder keep theirs.
constexpr uint16_t kSavedGameVersion = 10;

// The whole body of a saved game (without the version word), sealed.
bool WriteSavedGame(SavedGameParts parts, std::vector<uint8_t>& out);
// Reads a body; false when it is damaged, short or describes an unsound world.
bool ReadSavedGame(SavedGameParts parts, const uint8_t* body, uint32_t size, uint32_t version);

// Written to a temporary file first and then renamed over the old one, so a
// failed save never costs the last good one.
bool SaveGame(const CStr& fileName, SavedGameParts parts);
bool LoadSavedGame(const CStr& fileName, SavedGameParts parts);

CStr SaveSlotFileName(int n);
uint32_t ComputeMissionChecksum(const CStr& missionPath);
uint32_t ChecksumOfBytes(const uint8_t* data, uint32_t size);
bool VerifySaveCheckByte(const uint8_t* bytes, uint32_t length);
void SealSaveCheckByte(uint8_t* bytes, uint32_t length);
// No saved game of ours comes near this; a larger file is not read.
constexpr uint32_t kMaxSaveFileBytes = 4u << 20;

// Removes the temporary files of saves cut short, then copies the old single
// save into slot 00, unless slot 00 already holds a valid game or the old
// save is damaged; then the old file is left alone (and a damaged one logged).
void MigrateOldSaveFile();
// What a slot holding this body (everything after the version word) would
// be: absent when empty, else damaged or valid.
uint32_t CheckSaveBody(uint16_t version, const uint8_t* body, uint32_t size);

namespace SaveSlots {
constexpr int kCount = 9;
enum State : uint32_t {
    kNone = 0,
    kAbsent = 1,
    kDamaged = 2,
    kValid = 3
};
// Absent only when the slot has no file or an empty one; a file cut short,
// of an old version, too large or damaged is damaged, never free.
uint32_t Check(int n);
bool Select(int n);
void Deselect();
void ReleaseCurrent();
void Recount();
void Delete(int n);
int FirstFree();
int FirstValid();
// The slots holding a file that is not a game we can read, in order.
std::vector<int> Damaged();
int16_t Current();
uint32_t CurrentState();
uint16_t ValidCount();
}  // namespace SaveSlots
