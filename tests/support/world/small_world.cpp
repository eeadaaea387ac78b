#include "tests/support/world/small_world.h"

#include <algorithm>

#include "game/controller_factory.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/player_record.h"
#include "game/province_distance_map.h"
#include "game/province_record.h"
#include "game/squad_type.h"
#include "platform/headless/headless_backend.h"
#include "players/ai_controller.h"
#include "players/human_controller.h"

namespace {

bool g_stopNextBattle = false;
int g_battles = 0;
uint32_t g_lastAutomatic = 0;
int32_t g_winnerLoss = 0;

CPlayerController* MakeController(PlayerRecord* player, bool human)
{
    if (human)
        return new CHumanController(player);
    return new CAIController(player);
}

// The registry owns the types; they go when the test program ends.
struct RegistryCleanup {
    ~RegistryCleanup() { FreeSquadTypes(); }
};

// The whole battle at once: the stronger side keeps its units.
void QuickTestBattle(MapBattleRecord* record, uint8_t automatic)
{
    ++g_battles;
    g_lastAutomatic = automatic;
    if (g_stopNextBattle) {
        g_stopNextBattle = false;
        BattleResult = kBattleStopped;
        return;
    }
    CArmy& a = record->attacker->army;
    CArmy& d = record->defender->army;
    const bool attackerWins = a.Strength() > d.Strength();
    CArmy& loser = attackerWins ? d : a;
    CArmy& winner = attackerWins ? a : d;
    for (int i = 0; i < loser.Count(); ++i)
        loser.Item(i)->count = 0;
    for (int i = 0; i < winner.Count(); ++i)
        winner.Item(i)->count -= winner.Item(i)->count * g_winnerLoss / 100;
    BattleResult = kBattleEnded;
}

}  // namespace

const CSquadType* RegisterTestSquad(const TestSquad& squad)
{
    static RegistryCleanup cleanup;
    if (const CSquadType* known = FindSquadType(CStr(squad.id)))
        return known;
    auto* t = new CSquadType();
    t->typeId = CStr(squad.id);
    if (squad.name)
        t->name = CStr(squad.name);
    if (squad.extras)
        t->extras = CStr(squad.extras);
    t->meleeAttack = squad.melee;
    t->rangedAttack = squad.ranged;
    t->hp = squad.hp;
    t->moveSpeed = squad.speed;
    t->buyQuantity = squad.buy;
    t->forceCoefficient = squad.force;
    if (squad.gold)
        t->cost.Set(FourCC("gold"), squad.gold);
    if (squad.metal)
        t->cost.Set(FourCC("metl"), squad.metal);
    RegisterSquadType(t);
    return t;
}

CResourceBundle Bundle(int32_t gold, int32_t metal, int32_t stone)
{
    CResourceBundle b;
    b.Zero();
    b.Set(FourCC("gold"), gold);
    b.Set(FourCC("metl"), metal);
    b.Set(FourCC("ston"), stone);
    return b;
}

const TestSquad SmallWorld::kPike = {.id = "Pike", .melee = 3, .hp = 5, .buy = 4, .force = 5, .gold = 10};
const TestSquad SmallWorld::kSling = {
    .id = "Sling", .melee = 1, .ranged = 3, .hp = 3, .buy = 3, .force = 4, .gold = 8, .metal = 2};

SmallWorld::SmallWorld(int players, int provinces)
    : m_players(players),
      m_provinces(provinces),
      m_owners(size_t(provinces), -1),
      m_capitals(size_t(players), 255),
      m_castles(size_t(provinces), -1),
      m_skills(size_t(players), std::vector<uint8_t>{2, 2, 2}),
      m_assignments(size_t(players), 1),
      m_incomes(size_t(provinces), std::vector<uint8_t>{2, 0, 0}),
      m_squads{kPike, kSling},
      m_slotTypes{nullptr, nullptr}
{
    g_stopNextBattle = false;
    g_battles = 0;
    g_lastAutomatic = 0;
    g_winnerLoss = 0;
}

SmallWorld::~SmallWorld()
{
    if (!m_live)
        return;
    EndSession();
    SetControllerFactory(nullptr);
}

SmallWorld& SmallWorld::Link(int a, int b)
{
    m_links.emplace_back(a, b);
    return *this;
}

SmallWorld& SmallWorld::Chain(std::initializer_list<int> provinces)
{
    const int* prev = nullptr;
    for (const int& p : provinces) {
        if (prev)
            Link(*prev, p);
        prev = &p;
    }
    return *this;
}

SmallWorld& SmallWorld::Line()
{
    for (int i = 1; i < m_provinces; ++i)
        Link(i - 1, i);
    return *this;
}

SmallWorld& SmallWorld::Own(int province, int player)
{
    m_owners[size_t(province)] = player;
    return *this;
}

SmallWorld& SmallWorld::OwnAll(int player)
{
    for (int& owner : m_owners)
        owner = player;
    return *this;
}

SmallWorld& SmallWorld::Capital(int player, int province)
{
    m_capitals[size_t(player)] = province;
    m_owners[size_t(province)] = player;
    m_castles[size_t(province)] = 100;
    return *this;
}

SmallWorld& SmallWorld::Castle(int province, uint8_t percent)
{
    m_castles[size_t(province)] = percent;
    return *this;
}

SmallWorld& SmallWorld::Skills(int player, uint8_t battle, uint8_t builder, uint8_t stealth)
{
    m_skills[size_t(player)] = {battle, builder, stealth};
    return *this;
}

SmallWorld& SmallWorld::Human(int player)
{
    m_assignments[size_t(player)] = 0;
    return *this;
}

SmallWorld& SmallWorld::Income(int province, uint8_t gold, uint8_t metal, uint8_t stone)
{
    m_incomes[size_t(province)] = {gold, metal, stone};
    return *this;
}

SmallWorld& SmallWorld::Squads(const TestSquad& first, const TestSquad& second)
{
    m_squads = {first, second};
    m_slotTypes[0] = m_slotTypes[1] = nullptr;
    return *this;
}

SmallWorld& SmallWorld::SlotTypes(const char* first, const char* second)
{
    m_squads.clear();
    m_slotTypes[0] = first;
    m_slotTypes[1] = second;
    return *this;
}

void SmallWorld::Describe(CGameWorld& w)
{
    // A price is kept by the kinds of the active world: the kinds come first.
    w.kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
    for (const TestSquad& squad : m_squads)
        RegisterTestSquad(squad);
    const CStr first(m_squads.empty() ? m_slotTypes[0] : m_squads[0].id);
    const CStr second(m_squads.empty() ? m_slotTypes[1] : m_squads[1].id);
    w.slotCount = 2;
    w.SetPlayerCount(m_players);
    for (int i = 0; i < m_players; ++i) {
        PlayerRecord& p = w.Player(i);
        p.playerId = uint8_t(i);
        p.capital = uint8_t(m_capitals[size_t(i)]);
        for (int k = 0; k < 3; ++k)
            p.skills[k] = m_skills[size_t(i)][size_t(k)];
        p.assignment = m_assignments[size_t(i)];
        p.slotTypes = {first, second};
        p.startingResources = {0, 0, 0};
        p.army.definitionCounts.SetSize(2);
    }
    w.SetProvinceCount(m_provinces);
    for (int i = 0; i < m_provinces; ++i) {
        ProvinceRecord& q = w.Province(i);
        q.incomeBytes = m_incomes[size_t(i)];
        q.ownerId = m_owners[size_t(i)] < 0 ? ProvinceRecord::kNeutralId : uint8_t(m_owners[size_t(i)]);
        q.castleFlag = m_castles[size_t(i)] >= 0 ? 1 : 0;
        q.castle.definition = 0;
        q.castle.percent = uint8_t(std::max(m_castles[size_t(i)], 0));
    }
    for (const auto& [a, b] : m_links) {
        w.Province(a).neighbours.push_back(uint8_t(b));
        w.Province(b).neighbours.push_back(uint8_t(a));
    }
}

void SmallWorld::MakeRunningWorld()
{
    m_live = true;
    RunningGameState& g = Game();
    g.world = new CGameWorld();
    g.holder = new WorldHolder{g.world};
    SetActiveWorld(g.world);
    Describe(*g.world);
    g.distanceMap = new CProvinceDistanceMap(g.world);
    Rules() = GameRules();
}

SmallWorld& SmallWorld::Finish(int32_t difficulty)
{
    HeadlessOptions options;
    options.closeAfterSteps = 0;
    UseHeadlessPlatform(options);
    SetControllerFactory(&MakeController);
    MakeRunningWorld();
    RunningGameState& g = Game();
    CGameWorld& w = *g.world;
    GameRules& r = Rules();
    r.castleCost = Bundle(100, 20, 20);
    r.moatCost = Bundle(20, 0, 10);
    r.catapultCost = Bundle(30, 10, 0);
    r.wallsCost = Bundle(40, 0, 20);
    r.marketCost = Bundle(30, 0, 0);
    r.bankCost = Bundle(40, 0, 0);
    r.metalMineCost = Bundle(30, 0, 10);
    r.stoneMineCost = Bundle(30, 10, 0);
    r.metalMineIncome = Bundle(0, 3, 0);
    r.stoneMineIncome = Bundle(0, 0, 3);
    r.scoutCost = Bundle(5, 0, 0);
    r.scoutBase = 50;
    r.robberyCost = Bundle(10, 0, 0);
    r.robberyMovePoints = 1;
    r.robberyGoldPercent = 10;
    r.robberyBase = 50;
    r.robberyTriesBase = 1;
    r.deceaseCost = Bundle(10, 0, 0);
    r.deceaseMovePoints = 1;
    r.deceaseKillPercent = 20;
    r.deceaseCapPerStealth = 10;
    r.deceaseBase = 40;
    r.maxRaiders = 3;
    w.AfterLoad();
    g.difficulty = difficulty;
    g.turn = 1;
    SetLeaveRequested(0);
    g.battleInProgress = 0;
    SigMapBattle.Connect(&QuickTestBattle);
    SigPumpUi.Connect([] {
        if (HeadlessBackend* h = ActiveHeadlessPlatform())
            h->AdvanceClock(50);
    });
    for (int i = 0; i < m_players; ++i)
        SetTreasury(i, 0, 0, 0);
    BeginTurnOf(0);
    return *this;
}

SmallWorld& SmallWorld::FinishForScreens()
{
    MakeRunningWorld();
    RunningGameState& g = Game();
    g.world->AfterLoad();
    g.world->currentPlayer = 0;
    g.difficulty = 1;
    g.turn = 1;
    return *this;
}

CPlayerController& SmallWorld::Controller(int i)
{
    return *Player(i).controller;
}

void SetSquadCounts(CArmy& army, int32_t first, int32_t second)
{
    army.Item(0)->count = first;
    army.Item(1)->count = second;
}

void SmallWorld::SetArmy(int player, int32_t first, int32_t second)
{
    SetSquadCounts(Player(player).army, first, second);
}

void SmallWorld::SetGarrison(int province, int32_t first, int32_t second)
{
    SetSquadCounts(Province(province).garrison, first, second);
}

void SmallWorld::SetTreasury(int player, int32_t gold, int32_t metal, int32_t stone)
{
    Player(player).treasury = Bundle(gold, metal, stone);
}

void SmallWorld::SetIncome(int province, int32_t gold, int32_t metal, int32_t stone)
{
    Province(province).income = Bundle(gold, metal, stone);
}

void SmallWorld::PlaceArmy(int player, int province)
{
    Player(player).armyLocation = int16_t(province);
    if (World().currentPlayer == player)
        Controller(player).UpdateReach();
}

void SmallWorld::BeginTurnOf(int player)
{
    World().currentPlayer = uint8_t(player);
    Controller(player).BeginTurn();
}

int32_t SmallWorld::Pikes(const CArmy& army) const
{
    return army.Item(0)->count;
}
int32_t SmallWorld::Slings(const CArmy& army) const
{
    return army.Item(1)->count;
}

void SmallWorld::StopNextBattle(bool stop)
{
    g_stopNextBattle = stop;
}
void SmallWorld::WinnerLosesPercent(int32_t percent)
{
    g_winnerLoss = percent;
}
int SmallWorld::Battles()
{
    return g_battles;
}
uint32_t SmallWorld::LastBattleAutomatic()
{
    return g_lastAutomatic;
}
