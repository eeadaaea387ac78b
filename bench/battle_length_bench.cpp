// How long a battle without screen can last: every pair of shipped unit
// types, at a garrison's and a field army's size, on open fields and in
// castles of every kind, fought by the battle AI on both sides with the
// shipped rules. Sizes run from a small garrison to a late field army. A
// battle that has not ended by kRoundCeiling never ends
// (melee attackers without a trebuchet before a closed gate); the longest of
// the others is what the round guard of a battle without screen must stay
// well above.
//
//   bench --benchmark_filter=BattleLength
//
// reports the longest battle that ended (rounds), the battles that never
// end, and the set-up of the longest one as the label.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "battle/battle_ai_player.h"
#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "battle/side_controller.h"
#include "bench/bench_engine.h"
#include "core/random.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "sim/sim_driver.h"

namespace {

constexpr int32_t kRoundCeiling = 1000;

struct SiegeSetUp {
    bool siege;
    uint8_t layout;  // obstacle layout of an open field
    bool moat, fortWalls, trebuchet;
    uint8_t catapults;
};

std::vector<SiegeSetUp> SetUps()
{
    std::vector<SiegeSetUp> all;
    for (uint8_t layout = 0; layout < 4; ++layout)
        all.push_back({false, layout, false, false, false, 0});
    for (bool moat : {false, true})
        for (bool fort : {false, true})
            for (bool trebuchet : {false, true})
                for (uint8_t catapults : {0, 4})
                    all.push_back({true, 0, moat, fort, trebuchet, catapults});
    return all;
}

// The heroes' battle and builder skills: as a new game gives them, and an
// unskilled attacker before a seasoned defender (slow reloads, weak blows).
struct Heroes {
    uint8_t attacker, defender;
};
constexpr Heroes kHeroes[] = {{2, 2}, {0, 6}};

int32_t Fight(const CSquadType* attackerType, const CSquadType* defenderType, int32_t count,
              const SiegeSetUp& setUp, const Heroes& heroes)
{
    PlayerRecord attacker, defender;
    attacker.playerId = 0;
    defender.playerId = 1;
    attacker.hero.battle = attacker.hero.builder = heroes.attacker;
    defender.hero.battle = defender.hero.builder = heroes.defender;
    CSquad squad;
    squad.count = count;
    squad.SetType(attackerType);
    attacker.army.AddSquadCopy(squad);
    squad.SetType(defenderType);
    defender.army.AddSquadCopy(squad);
    attacker.army.flagB = setUp.trebuchet ? 1 : 0;
    CastleState castle;
    castle.Reset();
    castle.moat = setUp.moat ? 1 : 0;
    castle.fortWalls = setUp.fortWalls ? 1 : 0;
    castle.catapults = setUp.catapults;
    castle.percent = 100;
    castle.DefencesFromPercent();
    BattleParams params;
    params.noScreen = 1;
    params.attacker = &attacker;
    params.defender = &defender;
    params.attackerSideKind = kSideKindComputer;
    params.defenderSideKind = kSideKindComputer;
    params.kind = setUp.siege ? kBattleSiege : kBattleOpenField;
    params.castle = setUp.siege ? &castle : nullptr;
    params.obstacleLayout = setUp.layout;
    params.ownsParticipants = 0;
    SetRandomState(1234);
    const int32_t oldLimit = g_battleTurnLimit;
    g_battleTurnLimit = kRoundCeiling;
    BeginBattle(&params);
    RunPlacementPhase();
    RunBattleTurns();
    const int32_t rounds = BattleResult == kBattleEnded ? g_battle.turnCounter : -1;
    EndBattle();
    g_battleTurnLimit = oldLimit;
    return rounds;
}

void BM_BattleLength(benchmark::State& state)
{
    std::string error;
    if (!SimStartEngine(BenchDataFolder(), error) || !LoadBattleRules("/rules/battle/battle")) {
        state.SkipWithError(("no shipped data: " + error).c_str());
        return;
    }
    InstallBattleAiPlayer();
    const std::vector<CSquadType*> types = SquadTypeRegistry();
    const std::vector<SiegeSetUp> setUps = SetUps();
    int32_t longest = 0, neverEnding = 0, neverEndingWithTrebuchet = 0, battles = 0;
    std::string worst;
    for (auto _ : state) {
        for (const CSquadType* a : types) {
            for (const CSquadType* d : types) {
                for (int32_t count : {5, 20, 60, 150}) {
                    for (const SiegeSetUp& s : setUps) {
                        for (const Heroes& h : kHeroes) {
                            const int32_t rounds = Fight(a, d, count, s, h);
                            ++battles;
                            if (rounds < 0) {
                                ++neverEnding;
                                neverEndingWithTrebuchet += s.siege && s.trebuchet;
                            } else if (rounds > longest) {
                                longest = rounds;
                                char text[160];
                                std::snprintf(
                                    text, sizeof text, "%d %s vs %d %s, %s%s%s%s, %d catapults, skills %d/%d",
                                    count, a->typeId.Chars(), count, d->typeId.Chars(),
                                    s.siege ? "siege" : "open field", s.moat ? " moat" : "",
                                    s.fortWalls ? " fortified" : "", s.trebuchet ? " trebuchet" : "",
                                    int(s.catapults), int(h.attacker), int(h.defender));
                                worst = text;
                            }
                        }
                    }
                }
            }
        }
    }
    state.counters["battles"] = battles;
    state.counters["longest_rounds"] = longest;
    state.counters["never_ending"] = neverEnding;
    state.counters["never_ending_with_trebuchet"] = neverEndingWithTrebuchet;
    state.SetLabel(worst);
    SimStopEngine();
}
BENCHMARK(BM_BattleLength)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
