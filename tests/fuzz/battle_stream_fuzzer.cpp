// The battle in progress inside a saved game, read back over a battle set up
// from the same armies, and then fought on without a screen; the first byte
// picks the kind of battle. The same bytes also go through the battle
// trainer's record.
#include <cstddef>
#include <cstdint>

#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "core/byte_stream.h"
#include "core/random.h"
#include "game/army.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"

namespace {

const CSquadType* MakeType(const char* id, uint8_t melee, uint8_t strikes, uint8_t ranged, uint8_t hp)
{
    auto* t = new CSquadType;
    t->typeId = CStr(id);
    t->meleeAttack = melee;
    t->meleeSecond = strikes;
    t->rangedAttack = ranged;
    t->rangedSecond = ranged ? 1 : 0;
    t->hp = hp;
    t->moveSpeed = 2;
    RegisterSquadType(t);
    return t;
}

void SetUpOnce()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    BattleRules& r = g_battleRules;
    r.meleeBase = 41;
    r.meleeAttackerSkill = 7;
    r.meleeDefenderSkill = 4;
    r.rangedPercent = 100;
    r.rangedBase = 52;
    r.rangedAttackerSkill = 6;
    r.rangedDefenderSkill = 4;
    r.trebuchetDamage = 1;
    r.trebuchetHitChance = 95;
    r.trebuchetReload = 3;
    r.catapultDamage = 4;
    r.siegeDamageCut = 30;
    r.siegeCountMax = 230;
    r.siegeCountMin = 50;
    g_siegeLayout.wallCells = {29, 39, 83, 95};
    g_siegeLayout.towerCells = {50, 72, 18, 106};
    g_siegeLayout.gateCell = 60;
    g_siegeLayout.moatCells = {17, 28, 38, 49, 60, 71, 82, 94, 105};
    MakeType("Sword", 3, 1, 0, 10);
    MakeType("Bow", 1, 1, 2, 6);
    MakeType("Axe", 4, 2, 0, 12);
}

void Add(PlayerRecord& p, const char* id, int32_t count)
{
    CSquad squad;
    squad.SetType(FindSquadType(CStr(id)));
    squad.count = count;
    p.army.AddSquadCopy(squad);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpOnce();
    if (size < 1)
        return 0;
    PlayerRecord attacker, defender;
    Add(attacker, "Sword", 12);
    Add(attacker, "Bow", 8);
    Add(defender, "Axe", 9);
    Add(defender, "Bow", 0);
    CastleState castle;
    castle.Reset();
    castle.catapults = 2;
    castle.moat = 1;
    BattleParams params;
    params.noScreen = 1;
    params.kind = data[0] & 1;
    params.attacker = &attacker;
    params.defender = &defender;
    params.attackerSideKind = 2;
    params.defenderSideKind = 2;
    params.castle = params.kind ? &castle : nullptr;
    SetRandomState(1);
    BeginBattle(&params);
    CStreamReader reader(data + 1, uint32_t(size - 1));
    if (SerializeBattle(&reader)) {
        g_battle.activeSide = g_battle.phase == kPhaseAttacker ? 1 : 0;
        g_battleTurnLimit = 20;
        ResumeBattle();
        g_battleTurnLimit = 0;
    }
    EndBattle();

    BattleParams trainer;
    CStreamReader trainerReader(data, uint32_t(size));
    trainer.Stream(trainerReader);
    return 0;
}
