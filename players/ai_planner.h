// The computer player's planner: three plans (military, threat, home), each
// with an evaluator that scores it and an executor that carries it out. Each
// turn the best-scoring plan runs, the others are scored afresh, and so on
// until every plan has run once or a battle was stopped.
#pragma once

#include <cstdint>

class PlayerRecord;
class ProvinceRecord;

class CAIPlan {
public:
    virtual ~CAIPlan() = default;
    int32_t score = 0;
};

// Attack a province of another player with the field army.
class CMilitaryPlan : public CAIPlan {
public:
    PlayerRecord* targetPlayer = nullptr;
    ProvinceRecord* targetProvince = nullptr;
    // Lowers the strength the attack needs, in percent.
    int16_t bonusPercent = 0;
};

// Answer the player whose army threatens us most.
class CThreatPlan : public CAIPlan {
public:
    PlayerRecord* targetPlayer = nullptr;
    // Our own province under threat, or null.
    ProvinceRecord* province = nullptr;
};

enum HomePlanKind : int32_t {
    kHomeRobbery = 0,
    kHomeMuster = 1,
    kHomeNeutral = 2,
    kHomeEconomy = 4,
};

// The home economy: recruiting, castles, trading, expansion, robbery.
class CHomePlan : public CAIPlan {
public:
    int32_t kind = kHomeRobbery;
    ProvinceRecord* province = nullptr;
    PlayerRecord* targetPlayer = nullptr;
};

// Looks at the world from the current player's side and fills one plan.
// Evaluators keep no state of their own between calls.
class CAIEvaluator {
public:
    virtual ~CAIEvaluator() = default;
    virtual bool Evaluate(CAIPlan& plan) const = 0;
};

class CMilitaryEvaluator : public CAIEvaluator {
public:
    bool Evaluate(CAIPlan& plan) const override;
};

class CThreatEvaluator : public CAIEvaluator {
public:
    bool Evaluate(CAIPlan& plan) const override;
};

class CHomeEvaluator : public CAIEvaluator {
public:
    bool Evaluate(CAIPlan& plan) const override;
};

// Carries out one plan; built on the spot around the plan it serves.
class CAIPlanCommand {
public:
    explicit CAIPlanCommand(CAIPlan& plan) : m_plan(plan) {}
    virtual ~CAIPlanCommand() = default;
    virtual bool Execute() = 0;

protected:
    CAIPlan& m_plan;
};

class CMilitaryExecutor : public CAIPlanCommand {
public:
    explicit CMilitaryExecutor(CMilitaryPlan& plan) : CAIPlanCommand(plan) {}
    bool Execute() override;
};

class CThreatExecutor : public CAIPlanCommand {
public:
    explicit CThreatExecutor(CThreatPlan& plan) : CAIPlanCommand(plan) {}
    bool Execute() override;

    // Attacks the province when the army is strong enough (or by chance).
    static void StrikeProvince(ProvinceRecord* province);
    // Buys robbery tries against the province's owner.
    static void RobOwner(ProvinceRecord* province);
    // Sends raiders into the province.
    static void DeceaseAt(ProvinceRecord* province);
    static void ReinforceFromNeighbours(ProvinceRecord* province);
};

class CHomeExecutor : public CAIPlanCommand {
public:
    explicit CHomeExecutor(CHomePlan& plan) : CAIPlanCommand(plan) {}
    bool Execute() override;
};

// One pass of the planner's choice: weights the military and threat scores
// by the personality weight p (-10..+10) in place, then names the plan to
// run next (1 military, 2 threat, 3 home) or 0 when the turn's planning is
// over. Ties go to the lower plan number; a plan that has run is done.
int AiChoosePlan(CMilitaryPlan& military, CThreatPlan& threat, CHomePlan& home, const bool done[3],
                 const bool valid[3], int32_t p);

// Plans and acts for the current player.
void AiRunTurn();
void AiPlannerInit();
void AiPlannerShutdown();

// Which executors ran in the last AiRunTurn, in order (1 military, 2 threat,
// 3 home). The test harness reads it to check the planner's choices.
const uint8_t* AiLastRunOrder(int* count);
