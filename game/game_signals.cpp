#include "game/game_signals.h"

GameSignal<void()> SigPumpUi;
GameSignal<void(PlayerRecord*)> SigCustomizePlayer;
GameSignal<void(int32_t)> SigMapMode;
GameSignal<void()> SigMapViewRefresh;
GameSignal<void()> SigActionMarkers;
GameSignal<void(uint8_t, uint8_t, uint8_t)> SigProvinceSelected;
GameSignal<void(uint8_t)> SigProvinceChanged;
GameSignal<void(const MapUiState&)> SigUiStateFlags;
GameSignal<void(const CResourceBundle*)> SigPlayerResources;
GameSignal<void(PlayerRecord*)> SigPlayerTitle;
GameSignal<void(uint16_t)> SigArmyActions;
GameSignal<void(uint16_t)> SigOperationActions;
GameSignal<void(uint16_t)> SigCastleActions;
GameSignal<void(ProvinceRecord*)> SigProvinceInfo;
GameSignal<void()> SigMovePointsChanged;
GameSignal<int32_t()> SigControllerQuery;
GameSignal<void(MapBattleRecord*, uint8_t)> SigMapBattle;
GameSignal<uint32_t(UiRequestKind, void*)> SigUiRequest;
GameSignal<void(uint8_t, PlayerRecord*)> SigGameOver;
GameSignal<void()> SigAutosave;
GameSignal<void(const ArmyMoveData&)> SigArmyMove;

namespace {
MapUiState g_mapUiState;
}

void ClearSessionSignals()
{
    SigPumpUi.Disconnect();
    SigCustomizePlayer.Disconnect();
    SigMapMode.Disconnect();
    SigMapViewRefresh.Disconnect();
    SigActionMarkers.Disconnect();
    SigProvinceSelected.Disconnect();
    SigProvinceChanged.Disconnect();
    SigUiStateFlags.Disconnect();
    SigPlayerResources.Disconnect();
    SigPlayerTitle.Disconnect();
    SigArmyActions.Disconnect();
    SigOperationActions.Disconnect();
    SigCastleActions.Disconnect();
    SigProvinceInfo.Disconnect();
    SigMovePointsChanged.Disconnect();
    SigMapBattle.Disconnect();
    SigUiRequest.Disconnect();
    SigAutosave.Disconnect();
    SigArmyMove.Disconnect();
    SigControllerQuery.Disconnect();
}

void RunUiPumpHook()
{
    SigPumpUi.Fire();
}
void RefreshMapView()
{
    SigMapViewRefresh.Fire();
}
void NotifyMovePointsChanged()
{
    SigMovePointsChanged.Fire();
}
void RequestActionMarkers()
{
    SigActionMarkers.Fire();
}
int32_t QueryController()
{
    return SigControllerQuery.Fire();
}

void SetMapUiFlags(uint32_t bits)
{
    g_mapUiState.bits |= bits;
    SigUiStateFlags.Fire(g_mapUiState);
}

void ClearMapUiFlags(uint32_t bits)
{
    g_mapUiState.bits &= ~bits;
    SigUiStateFlags.Fire(g_mapUiState);
}

const MapUiState& CurrentMapUiState()
{
    return g_mapUiState;
}

void FireSignalFlagPlayer(GameSignal<void(uint8_t, PlayerRecord*)>& slot, uint8_t flag, PlayerRecord* player)
{
    slot.Fire(flag, player);
}
