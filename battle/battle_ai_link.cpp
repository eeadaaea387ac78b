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
    CAiSideOrders(CSideController* side, SideSetup* setup) : m_side(side), m_setup(setup), m_plan(side) {}

    bool RunAll() override
    {
        m_plan.Build(m_setup, &m_tactics);
        const bool finished = m_tactics.Run();
        m_tactics.Clear();
        return finished;
    }

    bool RunOne(CSquad* squad) override
    {
        if (PlanWord(squad) == kPlanNone)
            return false;
        AiTactic* tactic = m_tactics.AddTactic(m_side, OrderOf(squad));
        if (!tactic)
            return false;
        tactic->squads.AddUnique(squad);
        const bool acted = tactic->Execute();
        m_tactics.Clear();
        return acted;
    }

    void Stop() override { m_tactics.Stop(); }

private:
    CSideController* m_side;
    SideSetup* m_setup;
    AiPlan m_plan;
    AiTacticList m_tactics;
};

CSideOrders* CreateAiOrders(CSideController* side, SideSetup* setup)
{
    return new CAiSideOrders(side, setup);
}

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
