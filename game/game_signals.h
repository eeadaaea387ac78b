// Game signals: the single-binding slots through which game logic reaches the
// screens. Game code never opens a window; it fires one of these slots, and
// with nothing bound it simply runs on without any screen.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

class PlayerRecord;
class ProvinceRecord;
class CResourceBundle;
struct MapBattleRecord;

// One slot holds at most one delegate; connecting replaces the one held
// before, so the last connection wins. There is no list of listeners.
template <typename Signature>
class GameSignal;

template <typename R, typename... Args>
class GameSignal<R(Args...)> {
public:
    using Delegate = std::function<R(Args...)>;

    // Binds a member function of a screen object.
    template <typename T>
    void Connect(T* target, R (T::*fn)(Args...))
    {
        m_delegate = [target, fn](Args... args) -> R { return (target->*fn)(std::forward<Args>(args)...); };
    }
    // Binds any callable; tests use it for their doubles.
    void Connect(Delegate fn) { m_delegate = std::move(fn); }
    void Disconnect() { m_delegate = nullptr; }
    bool IsBound() const { return static_cast<bool>(m_delegate); }

    // Calls the bound delegate; an empty slot does nothing and yields R{}.
    R Fire(Args... args) const
    {
        if (!m_delegate) {
            if constexpr (std::is_void_v<R>) {
                return;
            } else {
                return R{};
            }
        }
        // Copy first: a handler may reconnect the very slot that is calling it.
        Delegate call = m_delegate;
        return call(std::forward<Args>(args)...);
    }

private:
    Delegate m_delegate;
};

// Two words handed to SigUiStateFlags: a value and the bit word that
// SetMapUiFlags / ClearMapUiFlags change.
struct MapUiState {
    uint32_t value = 0;
    uint32_t bits = 0;
};

// What the map frame needs to animate an army's march.
struct ArmyMoveData {
    uint8_t flagNumber = 0;
    int16_t fromX = 0;
    int16_t fromY = 0;
    int16_t toX = 0;
    int16_t toY = 0;
};

enum class UiRequestKind : uint32_t;

extern GameSignal<void()> SigPumpUi;
extern GameSignal<void(PlayerRecord*)> SigCustomizePlayer;
extern GameSignal<void(int32_t mode)> SigMapMode;
extern GameSignal<void()> SigMapViewRefresh;
extern GameSignal<void()> SigActionMarkers;
extern GameSignal<void(uint8_t index, uint8_t scroll, uint8_t mark)> SigProvinceSelected;
extern GameSignal<void(uint8_t index)> SigProvinceChanged;
extern GameSignal<void(const MapUiState&)> SigUiStateFlags;
extern GameSignal<void(const CResourceBundle*)> SigPlayerResources;
extern GameSignal<void(PlayerRecord*)> SigPlayerTitle;
extern GameSignal<void(uint16_t bits)> SigArmyActions;
extern GameSignal<void(uint16_t bits)> SigOperationActions;
extern GameSignal<void(uint16_t bits)> SigCastleActions;
extern GameSignal<void(ProvinceRecord*)> SigProvinceInfo;
extern GameSignal<void()> SigMovePointsChanged;
extern GameSignal<int32_t()> SigControllerQuery;
extern GameSignal<void(MapBattleRecord*, uint8_t automatic)> SigMapBattle;
// Posters go through PostUiRequest (game/ui_request.h), which pairs each
// record with its kind; only the dispatcher and its tests see the raw pair.
extern GameSignal<uint32_t(UiRequestKind kind, void* record)> SigUiRequest;
extern GameSignal<void(uint8_t victory, PlayerRecord*)> SigGameOver;
extern GameSignal<void()> SigAutosave;
extern GameSignal<void(const ArmyMoveData&)> SigArmyMove;

// Empties every slot the map window binds; SigGameOver keeps its delegate
// because the end-of-game window outlives the session.
void ClearSessionSignals();

// The shared firing wrappers: each fires its slot when something is bound.
void RunUiPumpHook();
void RefreshMapView();
void NotifyMovePointsChanged();
void RequestActionMarkers();
int32_t QueryController();
void SetMapUiFlags(uint32_t bits);
void ClearMapUiFlags(uint32_t bits);
const MapUiState& CurrentMapUiState();
void FireSignalFlagPlayer(GameSignal<void(uint8_t, PlayerRecord*)>& slot, uint8_t flag, PlayerRecord* player);
