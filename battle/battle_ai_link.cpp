#include "battle/battle_ai_link.h"

#include "battle/ai_plan.h"
#include "battle/battle_ai_player.h"
#include "battle/battle_ai_strategy.h"
#include "battle/side_ai.h"
#include "battle/side_controller.h"
#include "battle/siege_engine_aiming.h"
#include "battle/squad_battle_state.h"

namespace {

// Standing orders carried out by the AI's tactics.
class CAiSideOrders : public CSideOrders {
public:
    CAiSideOrders(CSideController* side, SideSetup* setup) : side_(side), setup_(setup), plan_(side) {}

    bool RunAll() override
    {
        plan_.Build(setup_, &tactics_);
        const bool finished = tactics_.Run();
        tactics_.Clear();
        return finished;
    }

    bool RunOne(CSquad* squad) override
    {
        if (PlanWord(squad) == kPlanNone)
            return false;
        AiTactic* tactic = tactics_.AddTactic(side_, OrderOf(squad));
        if (!tactic)
            return false;
        tactic->squads.AddUnique(squad);
        const bool acted = tactic->Execute();
        tactics_.Clear();
        return acted;
    }

    void Stop() override { tactics_.Stop(); }

private:
    CSideController* side_;
    SideSetup* setup_;
    AiPlan plan_;
    AiTacticList tactics_;
};

CSideOrders* CreateAiOrders(CSideController* side, SideSetup* setup) { return new CAiSideOrders(side, setup); }

}  // namespace

bool UseBattleAi()
{
    InstallBattleAiPlayer();
    BattleAiInstall install = InstalledBattleAi();
    install.playSquad = &AiPlaySquad;
    install.aimTrebuchet = &AiAimTrebuchet;
    install.aimCatapults = &AiAimCatapults;
    install.createOrders = &CreateAiOrders;
    InstallBattleAi(install);
    return true;
}
