// The game model's texts read from the packs, from arbitrary bytes: the hall
// of fame's scoring configuration, a squad type's description, names and
// bonuses, a mission's names and a scenario's texts. The first input byte
// chooses the reader; the rest becomes its file.
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_world.h"
#include "game/hall_of_fame.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"
#include "tests/fuzz/pack_input_support.h"

namespace {
struct Reader {
    const char* path;
    const char* type;
};
const Reader kReaders[] = {
    {"Rules/hof", "zkqd"},
    {"Objects/Units/Fuzzer/descr", "zkqd"},
    {"Objects/Units/Fuzzer/unit", "txt"},
    {"Objects/Units/Fuzzer/bonus", "zkqd"},
    {"Scenarios/scenario01/Mission001/mission", "txt"},
    {"Scenarios/scenario01/name", "txt"},
    {"Scenarios/scenario01/shortdescr", "txt"},
    {"Scenarios/scenario01/Mission001/author", "txt"},
    {"Scenarios/scenario01/Mission001/authnotes", "txt"},
    {"Scenarios/scenario01/Mission001/shortdescr", "txt"},
};
constexpr size_t kReaderCount = sizeof kReaders / sizeof kReaders[0];

void ReadScoring()
{
    LoadGameConfig();
    // Every weight block scores an entry with large totals.
    CHallOfFameEntry entry;
    entry.turns = 400;
    entry.provinceCount = 60;
    entry.owned = 60;
    entry.castles = 20;
    for (uint32_t difficulty = 0; difficulty < 4; ++difficulty) {
        entry.difficulty = difficulty;
        (void)entry.ComputeScore();
    }
}

void ReadSquadType(size_t which)
{
    CSquadType type;
    type.typeId = CStr("Fuzzer");
    if (which == 1)
        type.LoadDescr(CStr("/Objects/Units/Fuzzer/descr"));
    else if (which == 2)
        type.LoadTexts(CStr("/Objects/Units/Fuzzer/unit"));
    else
        type.LoadBonuses(CStr("/Objects/Units/Fuzzer/bonus"));
}

void ReadMissionTexts()
{
    CGameWorld world;
    world.SetPlayerCount(3);
    world.SetProvinceCount(12);
    LoadMissionTexts(world, CStr("/Scenarios/scenario01/Mission001"));
}

void ReadScenarioTexts()
{
    Map::CSrenarionMgr::InitFromNames({CStr("scenario01")});
    (void)Map::CSrenarionMgr::ScenarioName(0);
    (void)Map::CSrenarionMgr::ScenarioShortDescr(0);
    (void)Map::CSrenarionMgr::MissionTitle(0, 0);
    (void)Map::CSrenarionMgr::MissionTitleOfPath(CStr("/Scenarios/scenario01/Mission001"));
    if (Map::CSrenarionMgr::HasAuthor(0, 0))
        (void)Map::CSrenarionMgr::Author(0, 0);
    if (Map::CSrenarionMgr::HasAuthorNotes(0, 0))
        (void)Map::CSrenarionMgr::AuthorNotes(0, 0);
    (void)Map::CSrenarionMgr::MissionShortDescr(0, 0);
    Map::CSrenarionMgr::Clear();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t which = data[0] % kReaderCount;
    if (!MountInputAs(kReaders[which].path, kReaders[which].type, data + 1, size - 1))
        return 0;
    if (which == 0)
        ReadScoring();
    else if (which <= 3)
        ReadSquadType(which);
    else if (which == 4)
        ReadMissionTexts();
    else
        ReadScenarioTexts();
    CResourceMgr::Shutdown();
    return 0;
}
