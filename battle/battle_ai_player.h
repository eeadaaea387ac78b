#pragma once
// The battle AI of one computer side: places the squads before the first turn
// and plays each turn by giving orders, grouping them and carrying them out.
#include <cstdint>
#include <memory>

class AiPlan;
class AiTacticList;
class CSideController;
struct SideSetup;

class CBattleAiPlayer {
public:
    CBattleAiPlayer(CSideController* side, SideSetup* setup);
    CBattleAiPlayer(const CBattleAiPlayer&) = delete;
    CBattleAiPlayer& operator=(const CBattleAiPlayer&) = delete;
    ~CBattleAiPlayer();

    void PlaceSquads();
    void PlayTurn();
    bool HasMovePointsLeft() const;

    uint32_t powerOption = 0;
    CSideController* side = nullptr;
    SideSetup* setup = nullptr;
    std::unique_ptr<AiPlan> plan;
    std::unique_ptr<AiTacticList> tactics;
};
