// The controller of every computer player: income scaled by difficulty, a
// random skill on level-up, and the planner for its turn.
#pragma once

#include <cstdint>

#include "game/player_controller.h"

class CAIController : public CPlayerController {
public:
    explicit CAIController(PlayerRecord* player);
    ~CAIController() override;

    bool IsHuman() const override { return false; }
    void OnProvinceSelected(uint8_t) override {}
    void OnProvinceDefaultAction(uint8_t) override {}
    void OnMenuCommand(uint32_t) override {}
    void OnCommand(uint32_t) override {}
    void SetHold() override {}
    bool AnswerDiplomacyProposal(uint8_t, uint32_t) override { return false; }
    void OnDiplomacyAccepted(uint8_t, uint32_t, uint32_t) override {}
    void OnDiplomacyDeclined(uint8_t, uint32_t, uint32_t) override {}

    bool PlayTurn() override;
    bool ContinueTurn() override;
    void LevelUp() override;
    void CollectIncome() override;
    void AttackProvince(ProvinceRecord* province, uint8_t automatic, uint8_t resume) override;
    void ReportBattleResult(uint8_t defenderWon, PlayerRecord* attacker, ProvinceRecord* province,
                            CArmy* attackerLosses, CArmy* defenderLosses, int16_t experience) override;

private:
    void RunPlanner();
};

// Scales a computer player's collected income by the game's difficulty:
// Easy 3/4, Normal unchanged, Hard 4/3, Expert 5/3, amount by amount.
int32_t ScaleComputerIncome(int32_t amount, int32_t difficulty);
