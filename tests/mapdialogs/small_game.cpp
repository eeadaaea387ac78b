#include "tests/mapdialogs/small_game.h"

#include "game/game_rules.h"
#include "game/game_world.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "game/squad_type.h"

namespace {
struct RegistryCleanup {
    ~RegistryCleanup() { FreeSquadTypes(); }
};
}  // namespace

void RegisterTestSquadTypes()
{
    static RegistryCleanup cleanup;
    if (FindSquadType(CStr("Pike")) != nullptr)
        return;
    auto* pike = new CSquadType();
    pike->typeId = CStr("Pike");
    pike->name = CStr("Pikemen");
    pike->meleeAttack = 3;
    pike->hp = 5;
    pike->moveSpeed = 2;
    pike->forceCoefficient = 5;
    RegisterSquadType(pike);
    auto* bow = new CSquadType();
    bow->typeId = CStr("Bow");
    bow->name = CStr("Bowmen");
    bow->extras = CStr("Shoots over walls.");
    bow->meleeAttack = 1;
    bow->rangedAttack = 4;
    bow->hp = 3;
    bow->moveSpeed = 1;
    bow->forceCoefficient = 4;
    RegisterSquadType(bow);
}

SmallGame::SmallGame(int provinces, const char* firstType, const char* secondType)
{
    RegisterTestSquadTypes();
    RunningGameState& g = Game();
    g.world = new CGameWorld();
    g.holder = new WorldHolder{g.world};
    SetActiveWorld(g.world);
    CGameWorld& w = *g.world;
    w.kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
    w.slotCount = 2;
    w.SetPlayerCount(1);
    PlayerRecord& p = w.Player(0);
    p.playerId = 0;
    p.capital = 0;
    p.assignment = 0;
    p.slotTypes = {CStr(firstType), CStr(secondType)};
    p.startingResources = {0, 0, 0};
    p.army.definitionCounts.SetSize(2);
    w.SetProvinceCount(provinces);
    for (int i = 0; i < provinces; ++i) {
        ProvinceRecord& q = w.Province(i);
        q.incomeBytes = {2, 0, 0};
        q.ownerId = 0;
        q.castleFlag = i == 0 ? 1 : 0;
        q.castle.definition = 0;
        q.castle.percent = i == 0 ? 100 : 0;
        if (i > 0) {
            q.neighbours.push_back(static_cast<uint8_t>(i - 1));
            w.Province(i - 1).neighbours.push_back(static_cast<uint8_t>(i));
        }
    }
    g.distanceMap = new CProvinceDistanceMap(g.world);
    Rules() = GameRules();
    w.AfterLoad();
    w.currentPlayer = 0;
    g.difficulty = 1;
    g.turn = 1;
}

SmallGame::~SmallGame()
{
    EndSession();
}

CGameWorld& SmallGame::World()
{
    return *Game().world;
}
PlayerRecord& SmallGame::Player()
{
    return World().Player(0);
}
ProvinceRecord& SmallGame::Province(int index)
{
    return World().Province(index);
}

void SmallGame::SetArmy(int32_t pikes, int32_t bows)
{
    Player().army.Item(0)->count = pikes;
    Player().army.Item(1)->count = bows;
}

void SmallGame::SetGarrison(int province, int32_t pikes, int32_t bows)
{
    CArmy& garrison = Province(province).garrison;
    garrison.Item(0)->count = pikes;
    garrison.Item(1)->count = bows;
}
