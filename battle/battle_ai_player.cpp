#include "battle/battle_ai_player.h"

#include "battle/ai_plan.h"
#include "battle/battle_ai_access.h"
#include "battle/battle_ai_strategy.h"
#include "battle/side_controller.h"
#include "battle/siege_engine_aiming.h"

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

}  // namespace

void InstallBattleAiPlayer()
{
    BattleAiInstall install;
    install.createPlayer = CreateBattleAiPlayer;
    install.createStrategies = BuildBattleAiStrategies;
    install.deleteStrategies = DestroyBattleAiStrategies;
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
