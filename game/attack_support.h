// Pieces of the attack that the base operation and the human controller's
// own attack flow share.
#pragma once

#include <cstdint>

#include "game/army.h"
#include "game/game_signals.h"

class CPlayerController;
class PlayerRecord;
class ProvinceRecord;

struct BattleOutcome {
    bool stopped = false;
    bool defenderWon = false;
    int32_t siegeDamage = 0;
    int16_t experience = 0;
    CArmy attackerLosses;
    CArmy defenderLosses;
};

bool HasStandingCastle(const ProvinceRecord* province);
ArmyMoveData MarchData(const PlayerRecord* player, const ProvinceRecord* from, const ProvinceRecord* to);
// Moves the army into the province when it stands elsewhere, with the march
// signal.
void MarchInto(PlayerRecord* player, ProvinceRecord* province);
void SwapCounts(CArmy& a, CArmy& b);
void AddCounts(CArmy& to, const CArmy& from);
// Units of before that after no longer holds, index by index.
CArmy LossesOf(const CArmy& before, const CArmy& after);
// The beaten army pulls out at half strength into the nearest own garrison
// (the capital's when the army stood in the province or no own neighbour
// exists); a field army goes back to its capital. The army passed in is left
// empty: half its units have moved, the other half are returned as lost, and
// all of them when there is no garrison to take them.
CArmy RetreatFor(PlayerRecord* player, ProvinceRecord* province, CArmy* army);
// The battle for a defended province of another player: the siege price,
// the defenders brought together, the map battle, statistics and losses,
// the retreat and the defenders put back. A stopped battle undoes all of it.
BattleOutcome FightForProvince(CPlayerController& attacker, ProvinceRecord* province, uint8_t automatic,
                               uint8_t defenderFlees);
