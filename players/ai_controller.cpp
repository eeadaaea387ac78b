#include "players/ai_controller.h"

#include "core/random.h"
#include "core/time_mgr.h"
#include "game/battle_seam.h"
#include "game/game_rules.h"
#include "game/game_signals.h"
#include "game/player_ratings.h"
#include "game/player_record.h"
#include "game/province_record.h"
#include "game/running_game.h"
#include "players/ai_planner.h"

int32_t ScaleComputerIncome(int32_t amount, int32_t difficulty)
{
    switch (difficulty) {
    case 0:
        return amount * 3 / 4;
    case 2:
        return amount * 4 / 3;
    case 3:
        return amount * 5 / 3;
    default:
        return amount;
    }
}

CAIController::CAIController(PlayerRecord* p) : CPlayerController(p)
{
    AiPlannerInit();
}

CAIController::~CAIController()
{
    AiPlannerShutdown();
}

void CAIController::RunPlanner()
{
    AiRunTurn();
}

bool CAIController::PlayTurn()
{
    BasePlayTurn();
    SelectProvince(player->capital, 0);
    RunPlanner();
    return true;
}

bool CAIController::ContinueTurn()
{
    BaseContinueTurn();
    RunPlanner();
    return true;
}

void CAIController::CollectIncome()
{
    CResourceBundle income = TotalIncome();
    const int32_t level = TaxLevelFromPercent(player->taxPercent);
    ApplyTaxLevel(level, &player->hero);
    // What the taxes window shows is what is collected.
    const int32_t taxPercent = TaxPercent(level);
    const int32_t difficulty = Game().difficulty;
    for (int i = 0; i < income.Count(); ++i) {
        income[i] = ScaleComputerIncome(income[i] * taxPercent / 100, difficulty);
    }
    player->Earn(income);
}

void CAIController::LevelUp()
{
    CPlayerController::LevelUp();
    HeroRecord& hero = player->hero;
    const int32_t n = PendingLevelUps(&hero);
    uint8_t* skills[3] = {&hero.battle, &hero.builder, &hero.stealth};
    uint8_t& skill = *skills[NextRandom() % 3];
    skill = uint8_t(skill + n);
}

void CAIController::AttackProvince(ProvinceRecord* province, uint8_t, uint8_t resume)
{
    if (!player->army.HasUnits())
        return;
    SelectProvince(province->index, 0);
    RunUiPumpHook();
    const uint32_t t0 = CTimeMgr::GetTicks();
    // A battle against a person is shown; between computer players it is not.
    const bool humanDefender = province->owner && province->owner->IsHuman();
    CPlayerController::AttackProvince(province, humanDefender ? 0 : 1, resume);
    if (BattleResult == kBattleStopped)
        return;
    // Let the screens show the march before the next move.
    if (CTimeMgr::TicksSince(t0) < CTimeMgr::TicksPerSecond() / 2) {
        const uint32_t pause = CTimeMgr::GetTicks();
        do {
            RunUiPumpHook();
        } while (CTimeMgr::TicksSince(pause) < CTimeMgr::TicksPerSecond() / 4 && !GameStopRequested());
    }
    SelectProvince(player->capital, 0);
}

void CAIController::ReportBattleResult(uint8_t, PlayerRecord*, ProvinceRecord*, CArmy*, CArmy*,
                                       int16_t experience)
{
    if (experience != 0)
        player->hero.AddExperience(experience);
}
