#pragma once
// CQuickBattle: fights a battle on the map to its end without the battle
// screen. It takes every screen hook off the battle engine, refuses the
// closing of the main window while it runs, and drives the engine's entry
// points itself; both sides are played by their side controllers. The map
// window makes one on its stack for one battle and reads the outcome from
// the engine's result word (BattleResult) afterwards.

#include <cstdint>

#include "core/callback.h"
#include "core/signal.h"

struct BattleParams;

class CQuickBattle {
public:
    // Loads the battle rules; they stay loaded until destruction.
    CQuickBattle();
    ~CQuickBattle();
    CQuickBattle(const CQuickBattle&) = delete;
    CQuickBattle& operator=(const CQuickBattle&) = delete;

    void SetBattle(BattleParams* params) { m_battle = params; }
    // Called with no argument once the battle is decided, before the engine
    // tears the battle down (the map window binds CMapWnd::OnBattleFinished).
    template <typename T>
    void BindFinished(T* object, void (T::*member)())
    {
        CCallback::Bind(m_finished, object, member);
    }
    void ClearFinished() { CCallback::Clear(m_finished); }
    bool HasFinished() const { return m_finished != nullptr; }

    // Resume 0: begin, place and fight a new battle; otherwise continue the
    // battle restored from a saved game. Does nothing without a battle.
    void Run(uint8_t resume);

    // Takes the screen hooks off the engine and guards the main window
    // against closing (one guard at most).
    void DetachHooks();
    bool IsGuardingClose() const { return m_closeGuard.IsConnected(); }
    uint8_t ResumeFlag() const { return m_resume; }

    // The close guard's handler: writes 0 into the close request's veto byte.
    static void RefuseClose(intptr_t vetoByte, SignalDelegate*);

private:
    CCallback* m_finished = nullptr;
    BattleParams* m_battle = nullptr;
    uint8_t m_resume = 0;
    SignalConnection m_closeGuard;
};
