#include "tests/battle/battle_fixture.h"

#include "battle/battle_rules.h"
#include "game/army.h"

void SetShippedBattleRules()
{
    BattleRules r;
    r.meleeBase = 41;
    r.meleeAttackerSkill = 7;
    r.meleeDefenderSkill = 4;
    r.rangedPercent = 100;
    r.rangedBase = 52;
    r.rangedAttackerSkill = 6;
    r.rangedDefenderSkill = 4;
    r.trebuchetDamage = 1;
    r.trebuchetHitChance = 95;
    r.trebuchetValue3 = 5;
    r.trebuchetReload = 3;
    r.trebuchetValue5 = 1;
    r.trebuchetValue6 = 42;
    r.trebuchetValue7 = 32;
    r.catapultDamage = 4;
    r.siegeDamageCut = 30;
    r.catapultValue3 = 47;
    r.catapultValue4 = 34;
    r.siegeCountMax = 230;
    r.siegeCountMin = 50;
    r.cellCosts = {1, 2, 2, 3, 3, 3, 4, 5, 5, 6};
    g_battleRules = r;
    SiegeLayout s;
    s.wallCells = {29, 39, 83, 95};
    s.wallCount = 4;
    s.towerCells = {50, 72, 18, 106};
    s.towerCount = 4;
    s.gateCell = 60;
    s.moatCells = {17, 28, 38, 49, 60, 71, 82, 94, 105};
    s.moatCount = 9;
    g_siegeLayout = s;
}

namespace {
CSquadType* MakeType(const char* id, uint8_t melee, uint8_t strikes, uint8_t ranged, uint8_t shots,
                     uint8_t hp, uint8_t move)
{
    auto* t = new CSquadType;
    t->typeId = CStr(id);
    t->name = CStr(id);
    t->meleeAttack = melee;
    t->meleeSecond = strikes;
    t->rangedAttack = ranged;
    t->rangedSecond = shots;
    t->hp = hp;
    t->moveSpeed = move;
    t->forceCoefficient = 1;
    return t;
}
}  // namespace

BattleSquadTypes::BattleSquadTypes()
{
    FreeSquadTypes();
    CSquadType* s = MakeType("Sword", 3, 1, 0, 0, 10, 2);
    CSquadType* b = MakeType("Bow", 1, 1, 2, 1, 6, 2);
    CSquadType* a = MakeType("Axe", 4, 2, 0, 0, 12, 1);
    RegisterSquadType(s);
    RegisterSquadType(b);
    RegisterSquadType(a);
    sword = s;
    bow = b;
    axe = a;
}

BattleSquadTypes::~BattleSquadTypes()
{
    FreeSquadTypes();
}

void AddSquad(PlayerRecord& player, const CSquadType* type, int32_t count)
{
    CSquad squad;
    squad.SetType(type);
    squad.count = count;
    player.army.AddSquadCopy(squad);
}

BattleSides::BattleSides()
{
    attacker.playerId = 0;
    defender.playerId = 1;
    attacker.hero.battle = 0;
    attacker.hero.builder = 0;
    defender.hero.battle = 0;
    defender.hero.builder = 0;
    castle.Reset();
    params.noScreen = 1;
    params.attacker = &attacker;
    params.defender = &defender;
    params.attackerSideKind = 2;
    params.defenderSideKind = 2;
}

std::vector<int32_t> Counts(const CArmy& army)
{
    std::vector<int32_t> counts;
    for (int i = 0; i < army.Count(); ++i)
        counts.push_back(army.Item(i)->count);
    return counts;
}

#include "battle/battle_hooks.h"

ScreenDouble::ScreenDouble()
{
    g_battleHooks.visualCreation.Bind([this](VisualRequest* r) {
        r->battleId = nextId++;
        r->second = 8;
    });
    g_battleHooks.battleEvent.Bind([this](const BattleEvent* e) { events.push_back(*e); });
    g_battleHooks.strength.Bind([this](uint32_t, int32_t count) { strengths.push_back(uint32_t(count)); });
    g_battleHooks.waitStep.Bind([this]() {
        ++waitSteps;
        while (!g_battleEventQueue.empty())
            RemoveQueuedBattleEvent(g_battleEventQueue.back());
    });
}

ScreenDouble::~ScreenDouble()
{
    DeleteBattleHooks();
}
