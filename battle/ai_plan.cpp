#include "battle/ai_plan.h"

#include "battle/battle_ai_access.h"
#include "battle/target_scoring.h"

void AiTacticList::Clear()
{
    for (int i = tactics.Count() - 1; i >= 0; --i) {
        delete tactics[i];
        tactics[i] = nullptr;
    }
    tactics.SetSize(0);
    runOrder.SetSize(0);
}

AiTactic* AiTacticList::AddTactic(CSideController* side, const AiOrder& order)
{
    AiTactic* tactic = CreateTactic(order.plan, side, order);
    if (!tactic)
        return nullptr;
    const int16_t index = tactics.Count();
    if (tactics.Add(tactic) < 0) {
        delete tactic;
        return nullptr;
    }
    runOrder.Add(index);
    return tactic;
}

AiTactic* AiTacticList::FindTactic(const AiOrder& order) const
{
    for (int i = tactics.Count() - 1; i >= 0; --i) {
        AiTactic* tactic = tactics[i];
        if (tactic && tactic->plan == order.plan && tactic->direction == order.direction &&
            tactic->target == order.target)
            return tactic;
    }
    return nullptr;
}

bool AiTacticList::Run()
{
    stopFlag = 0;
    for (int i = 0;; ++i) {
        if (i >= runOrder.Count())
            return true;
        const int16_t index = runOrder[i];
        if (index >= 0 && index < tactics.Count() && tactics[index])
            tactics[index]->Execute();
        if (!AiBattleGoingOn())
            return true;
        if (stopFlag)
            return false;
    }
}

void AiTacticList::Stop()
{
    for (AiTactic* tactic : tactics)
        if (tactic)
            tactic->Stop();
    stopFlag = 1;
}

bool AiPlan::Build(SideSetup* sideSetup, AiTacticList* list)
{
    setup = sideSetup;
    tactics = list;
    list->Clear();
    const CArmy* own = OwnArmy(setup);
    for (int i = 0; i < ArmySize(own); ++i) {
        CSquad* squad = ArmySquad(own, i);
        if (SquadCount(squad) <= 0 || !HasBattleState(squad))
            continue;
        const AiOrder order = OrderOf(squad);
        AiTactic* tactic = list->FindTactic(order);
        if (!tactic)
            tactic = list->AddTactic(side, order);
        if (tactic)
            tactic->squads.AddUnique(squad);
    }
    // Groups with shooters first in list order, the others after them in
    // reverse list order.
    int front = 0;
    int back = list->tactics.Count() - 1;
    for (int j = 0; j < list->tactics.Count(); ++j) {
        bool shooters = false;
        for (const CSquad* squad : list->tactics[j]->squads)
            if (RangedValue(squad) > 0)
                shooters = true;
        if (shooters)
            list->runOrder[front++] = int16_t(j);
        else
            list->runOrder[back--] = int16_t(j);
    }
    return true;
}
