#pragma once
// A controller for the game model's tests: it plays nothing and records the
// castle notifications it receives. Installed as the controller factory for
// the lifetime of a TestControllers object.

#include <string>
#include <vector>

#include "game/controller_factory.h"
#include "game/player_controller.h"

class RecordingController : public CPlayerController {
public:
    RecordingController(PlayerRecord* player, bool human) : CPlayerController(player), m_human(human) {}

    bool IsHuman() const override { return m_human; }
    void OnProvinceSelected(uint8_t) override {}
    void OnProvinceDefaultAction(uint8_t) override {}
    void OnMenuCommand(uint32_t) override {}
    void OnCommand(uint32_t) override {}
    void SetHold() override {}
    bool AnswerDiplomacyProposal(uint8_t, uint32_t) override { return false; }
    void OnDiplomacyAccepted(uint8_t, uint32_t, uint32_t) override {}
    void OnDiplomacyDeclined(uint8_t, uint32_t, uint32_t) override {}
    void ReportBattleResult(uint8_t, PlayerRecord*, ProvinceRecord*, CArmy*, CArmy*, int16_t) override {}

    void OnCastleBuilt(ProvinceRecord*) override { calls.push_back("castle built"); }
    void OnCastleCompleted(ProvinceRecord*) override { calls.push_back("castle completed"); }
    void OnMarketBuilt(ProvinceRecord*) override { calls.push_back("market"); }
    void OnBankBuilt(ProvinceRecord*) override { calls.push_back("bank"); }
    void OnMetalMineBuilt(ProvinceRecord*) override { calls.push_back("metal mine"); }
    void OnStoneMineBuilt(ProvinceRecord*) override { calls.push_back("stone mine"); }

    std::vector<std::string> calls;

private:
    bool m_human;
};

class TestControllers {
public:
    TestControllers() { SetControllerFactory(&Make); }
    ~TestControllers() { SetControllerFactory(nullptr); }

private:
    static CPlayerController* Make(PlayerRecord* player, bool human)
    {
        return new RecordingController(player, human);
    }
};
