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

const uint8_t* AiLastRunOrder(int* count) {
  *count = g_runCount;
  return g_runOrder;
}

void AiRunTurn() {
  CMilitaryPlan military;
  CThreatPlan threat;
  CHomePlan home;
  bool done1 = false, done2 = false, done3 = false;
  bool valid1 = false, valid2 = false, valid3 = false;
  g_runCount = 0;

  for (;;) {
    if (!done1) valid1 = g_militaryEvaluator.Evaluate(military);
    if (!done2) valid2 = g_threatEvaluator.Evaluate(threat);
    if (!done3) valid3 = g_homeEvaluator.Evaluate(home);

    // A warlike hero leans toward attacking, a peaceful one toward answering
    // threats; the home economy is never weighted.
    const int32_t p = planner::Me()->PersonalityWeight(20);
    military.score = military.score * (100 + p) / 100;
    threat.score = threat.score * (100 - p) / 100;

    BattleResult = kBattleNoResult;
    if (!done1 && valid1 && military.score >= threat.score && military.score >= home.score) {
      CMilitaryExecutor(military).Execute();
      military.score = 0;
      done1 = true;
      g_runOrder[g_runCount++] = 1;
    } else if (!done2 && valid2 && threat.score >= home.score) {
      CThreatExecutor(threat).Execute();
      threat.score = 0;
      done2 = true;
      g_runOrder[g_runCount++] = 2;
    } else if (!done3 && valid3) {
      CHomeExecutor(home).Execute();
      home.score = 0;
      done3 = true;
      g_runOrder[g_runCount++] = 3;
    } else {
      break;
    }
    // A battle the player stopped ends the planning for this turn.
    if (BattleResult == kBattleStopped) break;
  }
}
