#include "tests/game/model_fixture.h"

#include <algorithm>

#include "core/preferences.h"
#include "core/random.h"
#include "game/controller_factory.h"
#include "game/province_distance_map.h"
#include "game/report_list.h"

namespace {

// Sword: force 2, bought by 5, 10 gold; Bow: force 3, bought by 3, 8 gold and 2 metal.
const TestSquad kSword = {.id = "Sword", .name = "Sword", .buy = 5, .force = 2, .gold = 10};
const TestSquad kBow = {.id = "Bow", .name = "Bow", .buy = 3, .force = 3, .gold = 8, .metal = 2};

}  // namespace

const CSquadType* SwordType()
{
    return RegisterTestSquad(kSword);
}
const CSquadType* BowType()
{
    return RegisterTestSquad(kBow);
}

ScriptedResponder::ScriptedResponder()
{
    SigUiRequest.Connect([this](UiRequestKind kind, void* record) -> uint32_t {
        seen.push_back(kind);
        auto it = m_handlers.find(kind);
        if (it == m_handlers.end())
            return 0;
        it->second(record);
        return kUiResultOk;
    });
}

ScriptedResponder::~ScriptedResponder()
{
    SigUiRequest.Disconnect();
}

int ScriptedResponder::Count(UiRequestKind kind) const
{
    return int(std::count(seen.begin(), seen.end(), kind));
}

void ModelFixture::SetUp()
{
    SwordType();
    BowType();
    Rules() = GameRules{};
    BattleResult = 0;
    SessionInit(0);
    RunningGameState& g = Game();
    g.turn = 1;
    g.difficulty = 1;
    g.firstNoticePending = 0;
    for (uint8_t& option : PrefMapOptions)
        option = 0;
}

void ModelFixture::TearDown()
{
    EndSession();
    SigGameOver.Disconnect();
    SetControllerFactory(nullptr);
    FreeSquadTypes();
}

void ModelFixture::BuildWorld(int players, const std::vector<ProvinceSpec>& provinces,
                              const std::vector<int>& capitals)
{
    // The definition from the one builder; the live state is set here by
    // hand, without the after-load pass, so each test starts from exactly
    // the armies and owners it names.
    SmallWorld definition(players, int(provinces.size()));
    definition.Squads(kSword, kBow);
    for (int i = 0; i < players; ++i)
        definition.Human(i);
    for (size_t i = 0; i < provinces.size(); ++i) {
        definition.Income(int(i), 0, 0, 0);
        if (provinces[i].owner >= 0)
            definition.Own(int(i), provinces[i].owner);
        if (provinces[i].castle)
            definition.Castle(int(i), 100);
    }
    CGameWorld& w = World();
    definition.Describe(w);
    for (int i = 0; i < players; ++i) {
        PlayerRecord& p = w.Player(i);
        p.playerId = uint8_t(i);
        p.flagNumber = uint8_t(i);
        p.capital = uint8_t(capitals[size_t(i)]);
        p.armyLocation = int16_t(p.capital);
        p.name = CStr(i == 0 ? "Alda" : i == 1 ? "Brenn" : i == 2 ? "Corvin" : "Dorn");
        p.hero.owner = &p;
        p.hero.satisfaction.units = 10;
        p.treasury = Bundle(0);
        p.army.Clear();
        CSquad s;
        s.SetType(SwordType());
        p.army.AddSquadCopy(s);
        s.SetType(BowType());
        p.army.AddSquadCopy(s);
    }
    for (size_t i = 0; i < provinces.size(); ++i) {
        ProvinceRecord& r = w.Province(int(i));
        r.index = uint8_t(i);
        r.name.Format("Prov%ld", long(i));
        r.income = Bundle(0);
        r.neighbours = provinces[i].neighbours;
        r.castleFlag = provinces[i].castle ? 1 : 0;
        r.castle.Reset();
        r.castle.province = &r;
        r.castle.work = kWorkNone;
        if (provinces[i].castle)
            r.castle.percent = 100;
    }
    // Symmetric neighbour lists, as every mission has them.
    for (size_t i = 0; i < provinces.size(); ++i) {
        for (uint8_t n : provinces[i].neighbours) {
            auto& back = w.Province(n).neighbours;
            if (std::find(back.begin(), back.end(), uint8_t(i)) == back.end())
                back.push_back(uint8_t(i));
        }
    }
    for (size_t i = 0; i < provinces.size(); ++i)
        w.Province(int(i)).SetOwner(provinces[i].owner >= 0 ? &w.Player(provinces[i].owner) : nullptr);
    delete Game().distanceMap;
    Game().distanceMap = new CProvinceDistanceMap(&w);
}

void ModelFixture::GiveTestControllers(const std::vector<int>& humans)
{
    for (int i = 0; i < World().PlayerCount(); ++i) {
        PlayerRecord& p = Player(i);
        const bool human = std::find(humans.begin(), humans.end(), i) != humans.end();
        p.DeleteController();
        p.human = human ? 1 : 0;
        p.controller = new TestController(&p, human);
    }
}

void ModelFixture::SetArmy(int player, int swords, int bows)
{
    SetSquadCounts(Player(player).army, swords, bows);
}

void ModelFixture::SetGarrison(int province, int swords, int bows)
{
    CArmy& g = Province(province).garrison;
    ASSERT_EQ(g.Count(), 2);
    SetSquadCounts(g, swords, bows);
}

void ModelFixture::SetGold(int player, int32_t gold, int32_t metal, int32_t stone)
{
    Player(player).treasury = Bundle(gold, metal, stone);
}

void ModelFixture::Reach(int player)
{
    if (Player(player).controller)
        Player(player).controller->UpdateReach();
}

void SeedForRolls(const std::vector<bool>& successes, int32_t chance)
{
    for (uint32_t state = 0; state < 1000000; ++state) {
        SetRandomState(state);
        bool match = true;
        for (bool wanted : successes) {
            if ((int32_t(NextRandom() % 101) < chance) != wanted) {
                match = false;
                break;
            }
        }
        if (match) {
            SetRandomState(state);
            return;
        }
    }
    FAIL() << "no seed gives the wanted rolls";
}
