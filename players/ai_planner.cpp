#include "players/ai_planner.h"

#include "game/battle_seam.h"
#include "players/planner_support.h"

namespace {

const CMilitaryEvaluator g_militaryEvaluator;
const CThreatEvaluator g_threatEvaluator;
const CHomeEvaluator g_homeEvaluator;

uint8_t g_runOrder[3] = {0, 0, 0};
int g_runCount = 0;

}  // namespace

void AiPlannerInit() {}
void AiPlannerShutdown() {}

const uint8_t* AiLastRunOrder(int* count)
{
    *count = g_runCount;
    return g_runOrder;
}

int AiChoosePlan(CMilitaryPlan& military, CThreatPlan& threat, CHomePlan& home, const bool done[3],
                 const bool valid[3], int32_t p)
{
    // A warlike hero leans toward attacking, a peaceful one toward answering
    // threats; the home economy is never weighted.
    military.score = military.score * (100 + p) / 100;
    threat.score = threat.score * (100 - p) / 100;
    if (!done[0] && valid[0] && military.score >= threat.score && military.score >= home.score)
        return 1;
    if (!done[1] && valid[1] && threat.score >= home.score)
        return 2;
    if (!done[2] && valid[2])
        return 3;
    return 0;
}

void AiRunTurn()
{
    CMilitaryPlan military;
    CThreatPlan threat;
    CHomePlan home;
    bool done[3] = {false, false, false};
    bool valid[3] = {false, false, false};
    g_runCount = 0;

    for (;;) {
        if (!done[0])
            valid[0] = g_militaryEvaluator.Evaluate(military);
        if (!done[1])
            valid[1] = g_threatEvaluator.Evaluate(threat);
        if (!done[2])
            valid[2] = g_homeEvaluator.Evaluate(home);

        const int chosen =
            AiChoosePlan(military, threat, home, done, valid, planner::Me()->PersonalityWeight(20));
        BattleResult = kBattleNoResult;
        if (chosen == 1) {
            CMilitaryExecutor(military).Execute();
            military.score = 0;
        } else if (chosen == 2) {
            CThreatExecutor(threat).Execute();
            threat.score = 0;
        } else if (chosen == 3) {
            CHomeExecutor(home).Execute();
            home.score = 0;
        } else {
            break;
        }
        done[chosen - 1] = true;
        g_runOrder[g_runCount++] = uint8_t(chosen);
        // A battle the player stopped ends the planning for this turn.
        if (BattleResult == kBattleStopped)
            break;
    }
}
