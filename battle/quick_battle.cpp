#include "battle/quick_battle.h"

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "battle/side_ai.h"
#include "battle/side_controller.h"
#include "game/battle_seam.h"
#include "game/province_record.h"

void MapBattleToParams(const MapBattleRecord& record, BattleParams& params)
{
    params.noScreen = 1;
    params.powerOption = uint32_t(record.difficulty);
    params.kind = record.siege ? kBattleSiege : kBattleOpenField;
    params.attacker = record.attacker;
    params.defender = record.defender;
    params.attackerSideKind = record.attackerMode == kSideComputer ? kSideKindComputer : kSideKindMute;
    params.defenderSideKind = record.defenderMode == kSideComputer ? kSideKindComputer : kSideKindMute;
    params.castle = record.siege ? record.castle : nullptr;
    // The open-field record is the province fought over; its index picks the
    // obstacle layout, so a province always shows the same field.
    const auto* province = static_cast<const ProvinceRecord*>(record.openField);
    params.obstacleLayout = province ? province->index : 0;
    params.ownsParticipants = 0;
}

uint32_t RunBattleWithoutScreen(BattleParams& params)
{
    params.noScreen = 1;
    const int32_t oldLimit = g_battleTurnLimit;
    g_battleTurnLimit = kQuickBattleRoundLimit;
    BeginBattle(&params);
    RunPlacementPhase();
    RunBattleTurns();
    const uint32_t result = BattleResult;
    EndBattle();
    g_battleTurnLimit = oldLimit;
    return result;
}

void ResolveMapBattle(MapBattleRecord* record, uint8_t)
{
    if (!record || !record->attacker || !record->defender || (record->siege && !record->castle)) {
        BattleResult = kBattleStopped;
        return;
    }
    LoadBattleRules("/rules/battle/battle");
    // The battle AI plays both sides once it is there.
    if (!InstalledBattleAi().createPlayer)
        InstallBattleAiPlayer();
    BattleParams params;
    MapBattleToParams(*record, params);
    RunBattleWithoutScreen(params);
}
