// Dialog requests: a numbered kind and a record handed to the map window's
// dispatcher through SigUiRequest. The window writes its answer into the
// record; posters read the record, never the returned value.
#pragma once

#include <cstdint>
#include <iterator>
#include <type_traits>

#include "core/ref_string.h"
#include "game/game_signals.h"

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

// The kinds a record type is posted with, declared beside the record:
//   template <> struct UiRequestKinds<MessageRequest> {
//       static constexpr UiRequestKind kinds[] = {UiRequestKind::Message};
//   };
// A record without this has no way onto the channel.
template <typename Record>
struct UiRequestKinds;

template <typename Record>
constexpr bool IsUiRequestKindOf(UiRequestKind kind)
{
    for (UiRequestKind k : UiRequestKinds<Record>::kinds)
        if (k == kind)
            return true;
    return false;
}

// Reached only while a UiRequestKindFor is built from a kind its record is
// not posted with; being no constant expression, it stops the build there.
void RecordIsNotPostedWithThisKind();

// One of the kinds a Record is posted with. Only a constant makes one, so a
// record paired with a kind whose launcher reads another type fails to compile.
template <typename Record>
class UiRequestKindFor {
public:
    consteval UiRequestKindFor(UiRequestKind kind) : m_kind(kind)
    {
        if (!IsUiRequestKindOf<Record>(kind))
            RecordIsNotPostedWithThisKind();
    }
    constexpr UiRequestKind Kind() const { return m_kind; }

private:
    UiRequestKind m_kind;
};

// Fires SigUiRequest with the record. With nothing bound it returns 0 and the
// record stays as the poster filled it (so every confirmed flag stays 0).
template <typename Record>
uint32_t PostUiRequest(std::type_identity_t<UiRequestKindFor<Record>> kind, Record& record)
{
    return SigUiRequest.Fire(kind.Kind(), &record);
}

// A record posted with one kind only carries that kind by its type.
template <typename Record>
requires(std::size(UiRequestKinds<Record>::kinds) == 1) uint32_t PostUiRequest(Record& record)
{
    return SigUiRequest.Fire(UiRequestKinds<Record>::kinds[0], &record);
}

template <>
struct UiRequestKinds<PlayerTurnNotice> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::PlayerTurnNotice};
};
template <>
struct UiRequestKinds<MessageRequest> {
    static constexpr UiRequestKind kinds[] = {UiRequestKind::Message};
};
