#include "battle/battle_ai_player.h"

#include "battle/ai_plan.h"
#include "battle/battle_ai_access.h"
#include "battle/battle_ai_strategy.h"
#include "battle/side_controller.h"
#include "battle/siege_engine_aiming.h"
#include "battle/squad_battle_state.h"

CBattleAiPlayer::CBattleAiPlayer(CSideController* owner, SideSetup* sideSetup)
    : powerOption(AiPowerOption()),
      side(owner),
      setup(sideSetup),
      plan(std::make_unique<AiPlan>(owner)),
      tactics(std::make_unique<AiTacticList>())
{}

CBattleAiPlayer::~CBattleAiPlayer() = default;

namespace {

CSideAi* CreateBattleAiPlayer(CSideController* side, SideSetup* setup)
{
    return new CBattleAiPlayer(side, setup);
}

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

void InstallBattleAiPlayer()
{
    BattleAiInstall install;
    install.createPlayer = CreateBattleAiPlayer;
    install.createStrategies = BuildBattleAiStrategies;
    install.deleteStrategies = DestroyBattleAiStrategies;
    install.playSquad = &AiPlaySquad;
    install.aimTrebuchet = &AiAimTrebuchet;
    install.aimCatapults = &AiAimCatapults;
    install.createOrders = &CreateAiOrders;
    InstallBattleAi(install);
}

void CBattleAiPlayer::PlaceSquads()
{
    AiPlaceSquads(side);
}

bool CBattleAiPlayer::HasMovePointsLeft() const
{
    const CArmy* own = OwnArmy(setup);
    for (int i = 0; i < ArmySize(own); ++i)
        if (MovePoints(ArmySquad(own, i)) > 0)
            return true;
    return false;
}

void CBattleAiPlayer::PlayTurn()
{
    CArmy* own = OwnArmy(setup);
    ResetArmyOrders(own);
    if (ArmyAttackerByte(own) == 1)
        AiAimTrebuchet(side, setup);
    else
        AiAimCatapults(side, setup, 0);
    for (int round = 0; round < 2; ++round) {
        // A second round only for squads that still can act, and never once
        // the battle is over or stopped.
        if (round == 1 && (!HasMovePointsLeft() || !AiBattleGoingOn()))
            break;
        AiPlayTurn(side);
        plan->Build(setup, tactics.get());
        tactics->Run();
    }
    side->EndAllSquadTurns();
}
