// The controller of a player who sits at the device: where the computer
// plans, it shows the turn's notices and then waits, pumping frames, while
// the map screen calls its commands; everything the user must see or decide
// goes out as a dialog request.
#pragma once

#include <cstdint>

#include "core/ref_string.h"
#include "game/player_controller.h"
#include "game/resource_bundle.h"
#include "game/ui_request.h"
#include "players/request_records.h"

class CHumanController : public CPlayerController {
public:
    explicit CHumanController(PlayerRecord* player);
    ~CHumanController() override;

    bool IsHuman() const override { return true; }
    bool Serialize(CByteStream& stream) override;
    void OnProvinceSelected(uint8_t index) override;
    void OnProvinceDefaultAction(uint8_t index) override;
    void OnMenuCommand(uint32_t command) override;
    void OnCommand(uint32_t command) override;
    bool IsInteractive() const override { return true; }
    bool PlayTurn() override;
    bool ContinueTurn() override;
    void SetHold() override { hold = 1; }
    bool IsTurnDone() const override { return hold ? false : turnDone != 0; }
    void LevelUp() override;
    bool AnswerDiplomacyProposal(uint8_t playerIndex, uint32_t kind) override;
    void OnDiplomacyAccepted(uint8_t playerIndex, uint32_t response, uint32_t relation) override;
    void OnDiplomacyDeclined(uint8_t playerIndex, uint32_t response, uint32_t relation) override;
    void AttackProvince(ProvinceRecord* province, uint8_t automatic, uint8_t resume) override;
    void OnCastleBuilt(ProvinceRecord* province) override;
    void OnCastleCompleted(ProvinceRecord* province) override;
    void OnMarketBuilt(ProvinceRecord* province) override;
    void OnBankBuilt(ProvinceRecord* province) override;
    void OnMetalMineBuilt(ProvinceRecord* province) override;
    void OnStoneMineBuilt(ProvinceRecord* province) override;
    bool SettleRobbery() override;
    void ReportRandomEvent(RandomEventReport* report) override;
    bool Recruit(ProvinceRecord* province, CSquad* squad, CResourceBundle* price) override;
    bool OnProvinceAttacked(CArmy* attackerArmy, ProvinceRecord* province, uint8_t* flee,
                            uint8_t* automatic) override;
    void ReportBattleResult(uint8_t defenderWon, PlayerRecord* attacker, ProvinceRecord* province,
                            CArmy* attackerLosses, CArmy* defenderLosses, int16_t experience) override;
    void RunProvinceCommand(uint32_t command) override;

    // Asked before every action that ends the turn; true when the user agrees
    // or confirmations are off.
    bool ConfirmTurnEndingAction();
    void SkillsDialog();

    // Fields of the saved form after the base's.
    uint8_t robberyResultPending = 0;
    CStr robberyVictimName;
    int32_t robberyAmount = 0;
    int32_t robberyExperience = 0;
    uint8_t robberySucceeded = 0;
    uint8_t hold = 0;
    // The record the castle window keeps reading while it stays open.
    CastleInfoRequestArgs castleInfoRequest;

private:
    void WaitForTurnEnd();
    void ShowRobberyResult();
    void CastleMessage(const char* bodyKey, ProvinceRecord* province);

    // Commands and flows of the map screen.
    void ArmyCommand();
    void AgentCommand();
    void CastleCommand();
    void TransferFlow(ProvinceRecord* province);
    void TradingFlow();
    void RecruitDialog();
    void BuildCastleFlow(ProvinceRecord* province);
    void ScoutFlow(ProvinceRecord* province);
    void DeceaseFlow(ProvinceRecord* province);
    void RobberyFlow(ProvinceRecord* province);
    bool AttackQuestion(ProvinceRecord* province, uint8_t* automatic);
    // The priced castle works share one shape: price, record, request, act.
    void CastleWork(ProvinceRecord* province, UiRequestKindFor<CastleWorkRequestArgs> kind,
                    const CResourceBundle& fullPrice, uint8_t turns, uint32_t command);
};

// Posts a message (request 35) with a localized title and body and returns
// the button the user pressed (0 when nothing answered).
uint32_t PostMessage(const CStr& title, const CStr& body, uint32_t mode, const char* sound);
// A price with the builder discount of a hero (the price itself unchanged).
CResourceBundle DiscountedPrice(const CResourceBundle& price, const HeroRecord& hero);
// Wires the concrete controllers into the game model's factory: people get
// a CHumanController, computer players whatever the given maker returns (the
// planner's controller in the program; null leaves them out of the game).
void InstallControllerFactory(CPlayerController* (*makeComputer)(PlayerRecord* player));
