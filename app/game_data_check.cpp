#include "app/game_data_check.h"

#include "battle/battle_rules.h"
#include "core/device_mgr.h"
#include "core/log.h"
#include "core/pack_format.h"
#include "core/refused_packs.h"
#include "core/resource_mgr.h"
#include "game/game_rules.h"
#include "game/hall_of_fame.h"
#include "game/scenario_mgr.h"
#include "game/squad_type.h"

namespace {

bool BattleRulesRead()
{
    const bool read = LoadBattleRules("/Rules/Battle/battle");
    UnloadBattleRules();
    return read;
}

bool FolderThere(const char* path)
{
    return CResourceMgr::FindResource(path, pack_format::kFolderType).IsFound();
}

struct RequiredData {
    const char* path;  // what the log and the message name
    bool (*check)();
};

// In the order the game first needs them.
const RequiredData kRequired[] = {
    {"/Rules/hof", [] { return LoadGameConfig(); }},
    {"/Rules/Map/map", [] { return GameRules::Load(); }},
    {"/Rules/Battle/battle", BattleRulesRead},
    {"/Scenarios", [] { return Map::CSrenarionMgr::TotalMissions() > 0; }},
    {"/Objects/Units", [] { return !SquadTypeRegistry().empty(); }},
    {"/Skin/awbutton", [] { return FolderThere("/Skin/awbutton"); }},
    {"/Skin/ReportFrame", [] { return FolderThere("/Skin/ReportFrame"); }},
    {"/Objects/Battle", [] { return FolderThere("/Objects/Battle"); }},
    {"/Skin/mapframe", [] { return FolderThere("/Skin/mapframe"); }},
    {"/Images/Battle", [] { return FolderThere("/Images/Battle"); }},
};

}  // namespace

bool CheckGameData()
{
    for (const RequiredData& data : kRequired) {
        if (data.check())
            continue;
        CStr line;
        line.Format("MAIN: the game data %s is missing or cannot be read", data.path);
        LogWrite(line);
        if (!ShowRefusedPacksOnce()) {
            CStr text;
            text.Format("The game data %s is missing or damaged. Please install the game again.", data.path);
            ShowErrorBox(text);
        }
        return false;
    }
    return true;
}
