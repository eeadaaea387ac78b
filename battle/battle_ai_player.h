#pragma once
// The battle AI of one computer side: places the squads before the first turn
// and plays each turn by giving orders, grouping them and carrying them out.
#include <cstdint>
#include <memory>

#include "battle/side_ai.h"

class AiPlan;
class AiTacticList;
class CSideController;
struct SideSetup;

class CBattleAiPlayer : public CSideAi {
public:
    CBattleAiPlayer(CSideController* side, SideSetup* setup);
    CBattleAiPlayer(const CBattleAiPlayer&) = delete;
    CBattleAiPlayer& operator=(const CBattleAiPlayer&) = delete;
    ~CBattleAiPlayer() override;

    void PlaceSquads() override;
    void PlayTurn() override;
    bool HasMovePointsLeft() const;

    uint32_t powerOption = 0;
    CSideController* side = nullptr;
    SideSetup* setup = nullptr;
    std::unique_ptr<AiPlan> plan;
    std::unique_ptr<AiTacticList> tactics;
};

// Makes the computer sides of every later battle play with this AI, and the
// battle set-up and end create and delete its strategies. A side played by
// hand gets the same AI for what its turn modes ask of it (one squad's play,
// the siege engines' aim, standing orders), so that automatic play decides as
// a computer side does.
void InstallBattleAiPlayer();
