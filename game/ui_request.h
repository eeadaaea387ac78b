// Dialog requests: a numbered kind and a record handed to the map window's
// dispatcher through SigUiRequest. The window writes its answer into the
// record; posters read the record, never the returned value.
#pragma once

#include <cstdint>

#include "core/ref_string.h"

class PlayerRecord;

enum class UiRequestKind : uint32_t {
    Report = 0,
    BuildCastle = 1,
    CastleInfo = 2,
    DemolishCastle = 3,
    CompleteCastle = 4,
    RepairCastle = 5,
    DigMoat = 6,
    AddCatapult = 7,
    AddWalls = 8,
    AddBuilding = 9,
    Unused10 = 10,
    Unused11 = 11,
    Unused12 = 12,
    Recruit = 13,
    Skills = 14,
    Transfer = 15,
    Trading = 16,
    Taxes = 17,
    Decease = 18,
    DeceaseFailure = 19,
    DeceaseSuccess = 20,
    Robbery = 21,
    RobberyEmpty = 22,
    RobberyFailure = 23,
    RobberySuccess = 24,
    Scout = 25,
    ScoutFailure = 26,
    ScoutSuccess = 27,
    NotEnoughResources = 28,
    BattleResults = 29,
    PlayerTurnNotice = 30,
    RandomEvent = 31,
    DiplomacyAnswer = 32,
    BattleAttack = 33,
    BattleDefend = 34,
    Message = 35,
    PrepareSiege = 36,
    Volunteers = 37,
};

// Window results as the dispatcher returns them.
inline constexpr uint32_t kUiResultOk = 1;
inline constexpr uint32_t kUiResultCancel = 2;
inline constexpr uint32_t kUiResultQuit = 255;

// Message window button modes and the answer the Ok button writes.
inline constexpr uint32_t kMessageNoButtons = 0;
inline constexpr uint32_t kMessageOkCancel = 3;
inline constexpr uint32_t kMessageAnswerOk = 3;

// UiRequestKind::PlayerTurnNotice.
// The button flag (hotSeat) is also set for the notice of a player who has
// lost; gameFinished picks the texts of that notice.
struct PlayerTurnNotice {
    uint8_t hotSeat = 0;  // the notice waits for its Ok button
    PlayerRecord* player = nullptr;
    uint8_t gameFinished = 0;  // the game is over for this player
};

// UiRequestKind::Message: the message window built from the record; the pressed button
// comes back in result.
struct MessageRequest {
    CStr text;
    CStr title;
    uint32_t buttonMode = kMessageNoButtons;
    CStr soundPath;
    uint32_t result = 0;
};

// Fires SigUiRequest with the record. With nothing bound it returns 0 and the
// record stays as the poster filled it (so every confirmed flag stays 0).
uint32_t PostUiRequest(UiRequestKind kind, void* record);
