#pragma once
// How the battle engine talks to the battle screen without knowing it: the
// screen hooks (single-binding slots; an empty slot does nothing), the three
// battle state words behind the battle window's buttons, and the queue of
// objects whose animations the screen is still playing.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "core/packed_geometry.h"
#include "core/ref_string.h"

class CGameObject;
class CSquad;
class CArmy;
class CSideController;
struct BattleEvent;
struct ScreenMark;
struct VisualRequest;

template <typename Signature>
class BattleHook;

template <typename R, typename... Args>
class BattleHook<R(Args...)> {
public:
    using Delegate = std::function<R(Args...)>;
    template <typename T>
    void Bind(T* target, R (T::*fn)(Args...))
    {
        m_delegate = [target, fn](Args... args) -> R { return (target->*fn)(std::forward<Args>(args)...); };
    }
    // Binding replaces whatever was bound before.
    void Bind(Delegate fn) { m_delegate = std::move(fn); }
    void Delete() { m_delegate = nullptr; }
    bool IsBound() const { return static_cast<bool>(m_delegate); }
    R Fire(Args... args) const
    {
        if (!m_delegate) {
            if constexpr (!std::is_void_v<R>)
                return R{};
            else
                return;
        }
        return m_delegate(std::forward<Args>(args)...);
    }

private:
    Delegate m_delegate;
};

struct SplitAmountRecord {
    int32_t max = 0;
    int32_t proposal = 0;
};

struct BattleStateWords {
    uint32_t a = 0;  // visible buttons
    uint32_t b = 0;  // enabled buttons
    uint32_t c = 0;  // checked toggles
};

// Button bits of the battle window.
enum : uint32_t {
    kButtonMenu = 1,
    kButtonSplit = 2,
    kButtonJoin = 4,
    kButtonStart = 8,
    kButtonTurn = 16,
    kButtonBridge = 32,
    kButtonAutoBusy = 64,
    kButtonGuard = 128,
    kButtonAuto = 512,
};

struct BattleScreenHooks {
    BattleHook<void(CSideController*, uint8_t placement)> sideTurn;
    BattleHook<void()> redraw;
    BattleHook<void()> waitStep;
    BattleHook<void(CSquad*, bool attacker)> selection;
    BattleHook<void(const CStr&)> textEvent;
    BattleHook<void(const BattleEvent*)> battleEvent;
    BattleHook<void(const BattleStateWords*, uint32_t changed)> stateWords;
    BattleHook<void(uint32_t battleId, uint16_t value)> squadTurn;
    BattleHook<void()> highlight;
    BattleHook<void(uint32_t battleId, int32_t count)> strength;
    BattleHook<void(VisualRequest*)> visualCreation;
    BattleHook<void(uint32_t battleId)> visualRemoval;
    BattleHook<void(uint32_t battleId, uint32_t flag)> defenceMarker;
    BattleHook<void(uint32_t battleId, PackedPoint point)> position;
    BattleHook<void(const std::vector<ScreenMark*>*)> markList;
    BattleHook<void(uint32_t order)> orderInfo;
    BattleHook<void(uint32_t battleId)> info;
    BattleHook<void()> hideMarks;
    BattleHook<void(SplitAmountRecord*)> splitAmount;
    BattleHook<void(uint32_t battleId, uint32_t flag)> objectFinished;
    // Not deleted with the others: the screen keeps them across battles.
    BattleHook<void(uint16_t filter)> penFilter;
    BattleHook<void()> turnStart;
};

extern BattleScreenHooks g_battleHooks;
extern BattleStateWords g_battleStateWords;
// Battle ids of objects whose animation the screen still plays.
extern std::vector<uint32_t> g_battleEventQueue;
extern uint8_t g_waitingForEvents;

// Deletes the twenty hooks the engine fires (not the pen filter and the
// turn start, which belong to the screen).
void DeleteBattleHooks();

void SetBattleStateBits(uint32_t bits);
void ClearBattleStateBits(uint32_t bits);
void SetBattleStateBitsB(uint32_t bits);
void ClearBattleStateBitsB(uint32_t bits);
void SetBattleStateBitsC(uint32_t bits, bool on);

// The engine's side of the event seam: records the object's last event
// code, hands the event to the screen and, with play, waits until the screen
// has played it. Does nothing in a battle without screen.
void DispatchEngineBattleEvent(const BattleEvent& event, uint8_t play);
void RemoveQueuedBattleEvent(uint32_t battleId);
void QueueBattleEvent(uint32_t battleId);
// Runs frame steps while the queue holds an entry and the battle is not
// stopped; nothing without screen.
void WaitForBattleEvents();

// The code of the last event posted for an object, and the second word the
// screen gave its visual; both live in the object's spare word.
uint16_t LastEventCode(const CGameObject* object);
void SetLastEventCode(CGameObject* object, uint16_t code);
int16_t SecondVisualWord(const CGameObject* object);
void SetSecondVisualWord(CGameObject* object, int16_t value);

// Visuals (the screen draws, the engine keeps the ids).
struct VisualRequest {
    CGameObject* object = nullptr;
    uint32_t kind = 0;
    CStr path;
    PackedPoint point{packed::kUndefined, packed::kUndefined};
    uint8_t side = 0;
    uint8_t own = 1;
    uint32_t battleId = 0;
    uint32_t second = 0;
};

void CreateBattleVisuals();
void CreateArmyVisuals(CArmy* army, uint8_t side);
void CreateSquadVisual(CSquad* squad, uint8_t side);
void CreateSceneObjectVisual(CGameObject* object, uint8_t side);
void NotifyVisualRemoved(uint32_t battleId);
void NotifyArmyTurnState(CArmy* army, uint16_t value);
void BattleWaitStep();
