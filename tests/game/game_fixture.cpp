#include "tests/game/game_fixture.h"

namespace {
CSquadType* MakeType(const char* id, uint8_t melee, uint8_t ranged, uint8_t hp, uint8_t force, int32_t gold)
{
    auto* type = new CSquadType;
    type->typeId = CStr(id);
    type->name = CStr(id);
    type->meleeAttack = melee;
    type->rangedAttack = ranged;
    type->hp = hp;
    type->moveSpeed = 1;
    type->buyQuantity = 5;
    type->forceCoefficient = force;
    type->cost.Set(FourCC("gold"), gold);
    return type;
}

void Link(CGameWorld& world, int a, int b)
{
    world.Province(a).neighbours.push_back(uint8_t(b));
    world.Province(b).neighbours.push_back(uint8_t(a));
}
}  // namespace

TestSquadTypes::TestSquadTypes()
{
    FreeSquadTypes();
    CSquadType* s = MakeType("Sword", 3, 0, 10, 5, 10);
    CSquadType* b = MakeType("Bow", 1, 3, 6, 3, 8);
    RegisterSquadType(s);
    RegisterSquadType(b);
    sword = s;
    bow = b;
}

TestSquadTypes::~TestSquadTypes()
{
    FreeSquadTypes();
}

void BuildFixtureWorld(CGameWorld& world)
{
    world.Clear();
    SetActiveWorld(&world);
    world.name = CStr("Fixture");
    world.worldTag = 0x11223344;
    world.worldValue = 7;
    world.kinds = {FourCC("gold"), FourCC("metl"), FourCC("ston")};
    world.slotCount = 2;
    world.SetPlayerCount(2);
    for (int i = 0; i < 2; ++i) {
        PlayerRecord& p = world.Player(i);
        p.playerId = uint8_t(i);
        p.capital = i == 0 ? 0 : 3;
        p.assignment = i == 0 ? 0 : 200;
        p.skills[0] = 3;
        p.skills[1] = 2;
        p.skills[2] = 1;
        p.slotTypes = {CStr("Sword"), CStr("Bow")};
        p.army.definitionCounts.SetSize(2);
        p.army.definitionCounts[0] = 20 + i;
        p.army.definitionCounts[1] = 10;
        p.startingResources = {500, 100, 50};
        p.name = CStr(i == 0 ? "Aldra" : "Borun");
        p.hero.name = p.name;
    }
    world.SetProvinceCount(5);
    static const char* const names[] = {"Ashfold", "Brackwater", "Cinderfen", "Dunmere", "Eldham"};
    for (int i = 0; i < 5; ++i) {
        ProvinceRecord& p = world.Province(i);
        p.incomeBytes = {uint8_t(10 + i), uint8_t(i), 2};
        p.name = CStr(names[i]);
        p.rect[0] = int16_t(i * 40);
        p.rect[1] = 10;
        p.rect[2] = int16_t(i * 40 + 39);
        p.rect[3] = 49;
        p.points[0] = int16_t(i * 40 + 20);
        p.points[1] = 20;
        p.points[2] = int16_t(i * 40 + 20);
        p.points[3] = 40;
        const int owner = i < 2 ? 0 : i == 2 ? -1 : 1;
        p.ownerId = owner < 0 ? ProvinceRecord::kNoOwnerInFile : uint8_t(owner);
        p.garrisonFlag = owner < 0 ? 0 : 1;
        p.garrison.definitionCounts.SetSize(2);
        p.garrison.definitionCounts[0] = owner < 0 ? 0 : 4 + i;
        p.garrison.definitionCounts[1] = owner < 0 ? 0 : 2;
        if (i == 0 || i == 3) {
            p.castleFlag = 1;
            p.castle.definition = uint8_t(2 | (1 << 3));  // moat, one catapult
            p.castle.buildings = 1;
            p.castle.percent = 100;
        }
    }
    Link(world, 0, 1);
    Link(world, 1, 2);
    Link(world, 2, 3);
    Link(world, 3, 4);
    Link(world, 4, 0);
    Link(world, 1, 3);
    world.AfterLoad();
}

std::vector<uint8_t> WorldBytes(CGameWorld& world)
{
    world.BeforeSave();
    return StreamOut([&](CByteStream& s) { world.Stream(s); });
}

std::string CrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
