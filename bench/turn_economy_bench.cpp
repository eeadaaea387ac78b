// One full round of the turn economy (begin turn, province step, end turn
// with recruits settled and income collected) for every player of a world
// the size of the largest mission, beside a plain pass over the same
// provinces as the physical reference.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/resource_mgr.h"
#include "game/scenario_mgr.h"

#include "game/controller_factory.h"
#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_controller.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"

namespace {

constexpr int kPlayers = 6;
constexpr int kProvinces = 48;

class PassiveController : public CPlayerController {
public:
    using CPlayerController::CPlayerController;
    bool IsHuman() const override { return false; }
    void OnProvinceSelected(uint8_t) override {}
    void OnProvinceDefaultAction(uint8_t) override {}
    void OnMenuCommand(uint32_t) override {}
    void OnCommand(uint32_t) override {}
    void SetHold() override {}
    bool AnswerDiplomacyProposal(uint8_t, uint32_t) override { return false; }
    void OnDiplomacyAccepted(uint8_t, uint32_t, uint32_t) override {}
    void OnDiplomacyDeclined(uint8_t, uint32_t, uint32_t) override {}
    void ReportBattleResult(uint8_t, PlayerRecord*, ProvinceRecord*, CArmy*, CArmy*, int16_t) override {}
};

const CSquadType* BenchType(const char* id, uint8_t force, int32_t gold)
{
    if (const CSquadType* t = FindSquadType(CStr(id)))
        return t;
    auto* t = new CSquadType();
    t->typeId = CStr(id);
    t->hp = 10;
    t->moveSpeed = 1;
    t->meleeAttack = 1;
    t->buyQuantity = 4;
    t->forceCoefficient = force;
    t->cost.Zero();
    t->cost.Set(FourCC("gold"), gold);
    RegisterSquadType(t);
    return t;
}

// The largest mission of the shipped scenarios, when the packs of the build
// are beside this program; every player gets a controller that only runs
// the turn's seams.
bool LoadLargestMission()
{
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    const std::string data = (self.parent_path().parent_path() / "Data").string() + "/";
    if (!CResourceMgr::IsStarted() && !CResourceMgr::InitFromFolder(data.c_str()))
        return false;
    if (SquadTypeRegistry().empty())
        LoadSquadTypes();
    Map::CSrenarionMgr::Init();
    CStr largest;
    int provinces = 0;
    for (int n = 0; n < Map::CSrenarionMgr::TotalMissions(); ++n) {
        int scenario = 0, mission = 0;
        Map::CSrenarionMgr::MissionFromIndex(n, &scenario, &mission);
        const CStr path = Map::CSrenarionMgr::MissionPath(scenario, mission);
        SessionInit(0);
        if (NewGameFromMission(path) && Game().world->ProvinceCount() > provinces) {
            provinces = Game().world->ProvinceCount();
            largest = path;
        }
        EndSession();
    }
    if (provinces == 0)
        return false;
    SessionInit(0);
    if (!NewGameFromMission(largest))
        return false;
    CGameWorld& w = *Game().world;
    for (int i = 0; i < w.PlayerCount(); ++i) {
        w.Player(i).DeleteController();
        w.Player(i).controller = new PassiveController(&w.Player(i));
    }
    Game().turn = 2;
    return true;
}

// Without the packs: a ring of provinces, eight per player, each with
// income, a garrison and a castle in every fourth one.
void BuildLargeWorld()
{
    if (LoadLargestMission())
        return;
    SessionInit(0);
    CGameWorld& w = *Game().world;
    w.kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
    w.slotCount = 3;
    const CSquadType* types[3] = {BenchType("BenchFoot", 2, 10), BenchType("BenchBow", 3, 12),
                                  BenchType("BenchHorse", 5, 25)};
    w.SetPlayerCount(kPlayers);
    for (int i = 0; i < kPlayers; ++i) {
        PlayerRecord& p = w.Player(i);
        p.playerId = uint8_t(i);
        p.capital = uint8_t(i * (kProvinces / kPlayers));
        p.armyLocation = p.capital;
        p.hero.owner = &p;
        p.slotTypes = {CStr("BenchFoot"), CStr("BenchBow"), CStr("BenchHorse")};
        p.army.Clear();
        for (const CSquadType* t : types) {
            CSquad s;
            s.SetType(t);
            s.count = 10;
            p.army.AddSquadCopy(s);
        }
        p.controller = new PassiveController(&p);
    }
    w.SetProvinceCount(kProvinces);
    for (int i = 0; i < kProvinces; ++i) {
        ProvinceRecord& r = w.Province(i);
        r.index = uint8_t(i);
        r.neighbours = {uint8_t((i + 1) % kProvinces), uint8_t((i + kProvinces - 1) % kProvinces)};
        r.castleFlag = (i % 4 == 0) ? 1 : 0;
        r.castle.Reset();
        r.castle.work = kWorkNone;
        r.castle.percent = 100;
        r.SetOwner(&w.Player(i / (kProvinces / kPlayers)));
        r.income.Zero();
        r.income.Set(FourCC("gold"), 5 + i % 7);
        r.income.Set(FourCC("ston"), i % 3);
        for (int k = 0; k < r.garrison.Count(); ++k) {
            r.garrison.Item(k)->count = 3;
            r.garrison.Item(k)->pending = 1;
        }
    }
    Game().distanceMap = new CProvinceDistanceMap(&w);
    Game().turn = 2;
}

void BM_TurnEconomyRound(benchmark::State& state)
{
    BuildLargeWorld();
    CGameWorld& w = *Game().world;
    for (auto _ : state) {
        for (int i = 0; i < w.PlayerCount(); ++i) {
            CPlayerController* c = w.Player(i).controller;
            w.currentPlayer = uint8_t(i);
            c->BeginTurn();
            c->ProvinceTurnStep();
            c->PlayTurn();
            c->EndTurn();
        }
        benchmark::DoNotOptimize(w.Player(0).treasury.Total());
    }
    state.counters["provinces"] = w.ProvinceCount();
    state.counters["players"] = w.PlayerCount();
    EndSession();
}
BENCHMARK(BM_TurnEconomyRound);

void BM_IncomeOnly(benchmark::State& state)
{
    BuildLargeWorld();
    CGameWorld& w = *Game().world;
    for (auto _ : state) {
        for (int i = 0; i < w.PlayerCount(); ++i)
            w.Player(i).controller->CollectIncome();
        benchmark::DoNotOptimize(w.Player(0).treasury.Total());
    }
    EndSession();
}
BENCHMARK(BM_IncomeOnly);

// The reference: summing the same provinces' income amounts directly.
void BM_PlainIncomeSum(benchmark::State& state)
{
    BuildLargeWorld();
    CGameWorld& w = *Game().world;
    for (auto _ : state) {
        int64_t sum = 0;
        for (int i = 0; i < w.ProvinceCount(); ++i) {
            const ProvinceRecord& p = w.Province(i);
            for (int k = 0; k < p.income.Count(); ++k)
                sum += p.income[k];
        }
        benchmark::DoNotOptimize(sum);
    }
    EndSession();
}
BENCHMARK(BM_PlainIncomeSum);

}  // namespace
