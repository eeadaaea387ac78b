#pragma once
// The orders of a side grouped into tactics, and the list that runs them:
// groups with ranged squads first, so that shooting comes before melee.
#include <cstdint>

#include "battle/ai_tactics.h"
#include "core/dyn_array.h"

class CSideController;
struct SideSetup;

class AiTacticList {
public:
    AiTacticList() = default;
    AiTacticList(const AiTacticList&) = delete;
    AiTacticList& operator=(const AiTacticList&) = delete;
    ~AiTacticList() { Clear(); }

    void Clear();
    AiTactic* AddTactic(CSideController* side, const AiOrder& order);
    AiTactic* FindTactic(const AiOrder& order) const;
    // Executes the tactics in run order; false only when stopped by Stop.
    bool Run();
    void Stop();

    CDynArray<AiTactic*> tactics;
    CDynArray<int16_t> runOrder;
    uint8_t stopFlag = 0;
};

class AiPlan {
public:
    explicit AiPlan(CSideController* side) : side(side) {}

    // Rebuilds the tactic list from the squads' current orders.
    bool Build(SideSetup* setup, AiTacticList* tactics);

    SideSetup* setup = nullptr;
    AiTacticList* tactics = nullptr;
    CSideController* side = nullptr;
};
