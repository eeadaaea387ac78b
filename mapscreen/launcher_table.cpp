#include "mapscreen/launcher_table.h"

#include <iterator>
#include <type_traits>

#include "game/ui_request.h"
#include "mapscreen/map_wnd.h"
#include "players/request_records.h"

namespace {

using Launch = void (*)(CMapWnd&, void*);

struct Row {
    UiRequestKind kind;
    Launch launch;
};

template <typename Launcher>
struct LauncherRecord;
template <typename Record>
struct LauncherRecord<void (CMapWnd::*)(Record*)> {
    using type = Record;
};
template <typename Record>
struct LauncherRecord<void (*)(CMapWnd&, Record*)> {
    using type = Record;
};

template <UiRequestKind Kind, auto Open>
void CallLauncher(CMapWnd& map, void* record)
{
    using Record = typename LauncherRecord<decltype(Open)>::type;
    static_assert(IsUiRequestKindOf<std::remove_const_t<Record>>(Kind),
                  "the launcher reads another record than its kind is posted with");
    if constexpr (std::is_member_function_pointer_v<decltype(Open)>)
        (map.*Open)(static_cast<Record*>(record));
    else
        Open(map, static_cast<Record*>(record));
}

// The report window is kept by the launchers' dialogs, not by the map
// window itself.
void OpenReport(CMapWnd& map, const ReportRequestArgs* record)
{
    map.Dialogs().RunReport(map.Window(), record);
}

template <UiRequestKind Kind, auto Open>
constexpr Row Launcher()
{
    return {Kind, &CallLauncher<Kind, Open>};
}

template <UiRequestKind Kind>
constexpr Row NoLauncher()
{
    return {Kind, nullptr};
}

using K = UiRequestKind;

constexpr Row kRows[] = {
    Launcher<K::Report, &OpenReport>(),
    Launcher<K::BuildCastle, &CMapWnd::OpenBuildCastleWnd>(),
    Launcher<K::CastleInfo, &CMapWnd::OpenCastleInfoWnd>(),
    Launcher<K::DemolishCastle, &CMapWnd::OpenDemolishCastleWnd>(),
    Launcher<K::CompleteCastle, &CMapWnd::OpenCompleteCastleWnd>(),
    Launcher<K::RepairCastle, &CMapWnd::OpenRepairCastleWnd>(),
    Launcher<K::DigMoat, &CMapWnd::OpenDigMoatWnd>(),
    Launcher<K::AddCatapult, &CMapWnd::OpenAddCatapultWnd>(),
    Launcher<K::AddWalls, &CMapWnd::OpenAddWallsWnd>(),
    Launcher<K::AddBuilding, &CMapWnd::OpenAddBuildingWnd>(),
    NoLauncher<K::Unused10>(),
    NoLauncher<K::Unused11>(),
    NoLauncher<K::Unused12>(),
    Launcher<K::Recruit, &CMapWnd::IgnoreRequest13>(),
    Launcher<K::Skills, &CMapWnd::OpenSkillsWnd>(),
    Launcher<K::Transfer, &CMapWnd::OpenTransferWnd>(),
    Launcher<K::Trading, &CMapWnd::OpenTradingWnd>(),
    Launcher<K::Taxes, &CMapWnd::OpenTaxesWnd>(),
    Launcher<K::Decease, &CMapWnd::OpenDeceaseWnd>(),
    Launcher<K::DeceaseFailure, &CMapWnd::OpenDeceaseFailureWnd>(),
    Launcher<K::DeceaseSuccess, &CMapWnd::OpenDeceaseSuccessWnd>(),
    Launcher<K::Robbery, &CMapWnd::OpenRobberyWnd>(),
    Launcher<K::RobberyEmpty, &CMapWnd::OpenRobberyEmptyWnd>(),
    Launcher<K::RobberyFailure, &CMapWnd::OpenRobberyFailureWnd>(),
    Launcher<K::RobberySuccess, &CMapWnd::OpenRobberySuccessWnd>(),
    Launcher<K::Scout, &CMapWnd::OpenScoutWnd>(),
    Launcher<K::ScoutFailure, &CMapWnd::OpenScoutFailureWnd>(),
    Launcher<K::ScoutSuccess, &CMapWnd::OpenScoutSuccessWnd>(),
    Launcher<K::NotEnoughResources, &CMapWnd::OpenNERWnd>(),
    Launcher<K::BattleResults, &CMapWnd::OpenBattleResultsWnd>(),
    Launcher<K::PlayerTurnNotice, &CMapWnd::ShowNextPlayerMessage>(),
    Launcher<K::RandomEvent, &CMapWnd::OpenRandomEventWnd>(),
    Launcher<K::DiplomacyAnswer, &CMapWnd::IgnoreRequest32>(),
    Launcher<K::BattleAttack, &CMapWnd::OpenMapBtlAttackWnd>(),
    Launcher<K::BattleDefend, &CMapWnd::OpenMapBtlDefendWnd>(),
    Launcher<K::Message, &CMapWnd::ShowRecordMessage>(),
    Launcher<K::PrepareSiege, &CMapWnd::OpenPrepTrebWnd>(),
    Launcher<K::Volunteers, &CMapWnd::OpenVolunteersWnd>(),
};

// A row out of place would send a kind's record to another kind's launcher.
constexpr bool RowsFollowTheKinds()
{
    for (uint32_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<uint32_t>(kRows[i].kind) != i)
            return false;
    return true;
}
static_assert(RowsFollowTheKinds());

}  // namespace

bool LauncherTable::Run(CMapWnd& map, UiRequestKind kind, void* record)
{
    const auto index = static_cast<uint32_t>(kind);
    if (index >= std::size(kRows) || kRows[index].launch == nullptr)
        return false;
    kRows[index].launch(map, record);
    return true;
}
