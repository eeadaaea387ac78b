#include "tests/game/game_fixture.h"

namespace {
const TestSquad kSword = {
    .id = "Sword", .name = "Sword", .melee = 3, .hp = 10, .buy = 5, .force = 5, .gold = 10};
const TestSquad kBow = {
    .id = "Bow", .name = "Bow", .melee = 1, .ranged = 3, .hp = 6, .buy = 5, .force = 3, .gold = 8};
}  // namespace

TestSquadTypes::TestSquadTypes()
{
    FreeSquadTypes();
    sword = RegisterTestSquad(kSword);
    bow = RegisterTestSquad(kBow);
}

TestSquadTypes::~TestSquadTypes()
{
    FreeSquadTypes();
}

void BuildFixtureWorld(CGameWorld& world)
{
    world.Clear();
    SetActiveWorld(&world);
    SmallWorld definition(2, 5);
    definition.SlotTypes("Sword", "Bow")
        .Chain({0, 1, 2, 3, 4, 0})
        .Link(1, 3)
        .Capital(0, 0)
        .Own(1, 0)
        .Capital(1, 3)
        .Own(4, 1)
        .Human(0)
        .Skills(0, 3, 2, 1)
        .Skills(1, 3, 2, 1);
    for (int i = 0; i < 5; ++i)
        definition.Income(i, uint8_t(10 + i), uint8_t(i), 2);
    definition.Describe(world);
    // What the stream carries beyond the small world's definition.
    world.name = CStr("Fixture");
    world.worldTag = 0x11223344;
    world.worldValue = 7;
    for (int i = 0; i < 2; ++i) {
        PlayerRecord& p = world.Player(i);
        p.assignment = i == 0 ? 0 : 200;
        p.army.definitionCounts[0] = 20 + i;
        p.army.definitionCounts[1] = 10;
        p.startingResources = {500, 100, 50};
        p.name = CStr(i == 0 ? "Aldra" : "Borun");
        p.hero.name = p.name;
    }
    static const char* const names[] = {"Ashfold", "Brackwater", "Cinderfen", "Dunmere", "Eldham"};
    for (int i = 0; i < 5; ++i) {
        ProvinceRecord& p = world.Province(i);
        p.name = CStr(names[i]);
        p.rect[0] = int16_t(i * 40);
        p.rect[1] = 10;
        p.rect[2] = int16_t(i * 40 + 39);
        p.rect[3] = 49;
        p.points[0] = int16_t(i * 40 + 20);
        p.points[1] = 20;
        p.points[2] = int16_t(i * 40 + 20);
        p.points[3] = 40;
        const bool owned = p.ownerId != ProvinceRecord::kNeutralId;
        if (!owned)
            p.ownerId = ProvinceRecord::kNoOwnerInFile;
        p.garrisonFlag = owned ? 1 : 0;
        p.garrison.definitionCounts.SetSize(2);
        p.garrison.definitionCounts[0] = owned ? 4 + i : 0;
        p.garrison.definitionCounts[1] = owned ? 2 : 0;
        if (p.castleFlag) {
            p.castle.definition = uint8_t(2 | (1 << 3));  // moat, one catapult
            p.castle.buildings = 1;
        }
    }
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
