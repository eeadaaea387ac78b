// A side played by hand on automatic play: the battle AI decides for it as
// it does for a computer side, at a castle too, while the orders a person
// gives stay the person's.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/battle_ai_player.h"
#include "battle/battle_ai_strategy.h"
#include "battle/battle_flow.h"
#include "battle/battle_hooks.h"
#include "battle/battle_input.h"
#include "battle/battle_scene.h"
#include "battle/battle_trainer.h"
#include "battle/human_side.h"
#include "battle/order_modes.h"
#include "battle/side_ai.h"
#include "battle/squad_battle_state.h"
#include "core/random.h"
#include "core/resource_mgr.h"
#include "game/army.h"
#include "game/battle_seam.h"
#include "game/squad_type.h"
#include "tests/battle/battle_fixture.h"
#include "tests/support/build_folder.h"

namespace {

// What a battle showed: every event the engine posted, in order, with the
// turn and phase it came in; then the result and what is left of each army.
struct BattleRecord {
    std::vector<std::string> lines;
    uint32_t result = 0;
    std::vector<int32_t> attackers, defenders;
};

class TrainerSiegeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CResourceMgr::InitFromFolder(TestDataFolder().c_str()));
        LoadSquadTypes();
        ASSERT_GE(SquadTypeRegistry().size(), 4u) << "the shipped squad types";
        m_saved = InstalledBattleAi();
        // The battle AI as the program installs it.
        InstallBattleAiPlayer();
    }
    void TearDown() override
    {
        if (g_battle.grid)
            EndBattle();
        DeleteBattleHooks();
        g_trainerSetupWindow.Delete();
        InstallBattleAi(m_saved);
        FreeSquadTypes();
        CResourceMgr::Shutdown();
    }

    // The trainer's set-up as its window opens (a siege of a castle with moat,
    // fortified walls and two catapults, the computer defending), fought to
    // its end. A person on the attacking side places the squads where the
    // battle AI would and presses the clock before the first turn.
    BattleRecord Fight(uint32_t attackerKind)
    {
        BattleRecord record;
        BattleParams params;
        g_trainerSetupWindow.Bind([attackerKind](BattleParams* p, uint32_t) -> uint16_t {
            p->kind = kBattleSiege;
            p->castle->moat = 1;
            p->castle->fortWalls = 1;
            p->castle->catapults = 2;
            p->attackerSideKind = attackerKind;
            p->defenderSideKind = kSideKindComputer;
            p->powerOption = 1;
            return 1;
        });
        if (!RunBattleTrainerSetup(&params, 0)) {
            ADD_FAILURE() << "the set-up was cancelled";
            return record;
        }
        ScreenDouble screen;
        g_battleHooks.battleEvent.Bind([&record](const BattleEvent* e) {
            const std::string when = g_battle.running ? "turn " + std::to_string(g_battle.turnCounter) +
                                                            " phase " + std::to_string(g_battle.phase)
                                                      : "before the turns";
            record.lines.push_back(when + ": object " + std::to_string(e->battleHandle) + " code " +
                                   std::to_string(e->code) + " at " + std::to_string(e->coords[2]) + "," +
                                   std::to_string(e->coords[3]));
        });
        g_battleHooks.waitStep.Bind([]() {
            while (!g_battleEventQueue.empty())
                RemoveQueuedBattleEvent(g_battleEventQueue.back());
            if (g_waitingForEvents)
                return;
            if (g_battle.phase == kPhasePlacement && g_battle.activeSide == 1) {
                AiPlaceSquads(g_battle.attackerSide);
                BattleCommand(kButtonStart);
                return;
            }
            ADD_FAILURE() << "the person was asked for more than the placement";
            BattleCommand(kCommandStop);
        });
        SetRandomState(20261211);
        BeginBattle(&params);
        if (attackerKind == kSideKindHuman)
            static_cast<CHumanSideController*>(g_battle.attackerSide)->autoByte = 1;
        RunPlacementPhase();
        g_battleTurnLimit = 100;
        RunBattleTurns();
        g_battleTurnLimit = 0;
        record.result = BattleResult;
        record.attackers = Counts(params.attacker->army);
        record.defenders = Counts(params.defender->army);
        EndBattle();
        return record;
    }

    BattleAiInstall m_saved;
};

TEST_F(TrainerSiegeTest, APersonOnAutomaticPlayFightsAsAComputerAttacker)
{
    const BattleRecord computer = Fight(kSideKindComputer);
    const BattleRecord person = Fight(kSideKindHuman);
    ASSERT_EQ(computer.result, uint32_t(kBattleEnded));
    EXPECT_EQ(person.result, computer.result);
    EXPECT_EQ(person.attackers, computer.attackers);
    EXPECT_EQ(person.defenders, computer.defenders);
    ASSERT_EQ(person.lines.size(), computer.lines.size());
    for (size_t i = 0; i < person.lines.size(); ++i)
        ASSERT_EQ(person.lines[i], computer.lines[i]) << "event " << i;
}

// A melee squad before a castle whose walls all stand: the battle AI sends
// it to the weakest wall (39, of 5 points; its outer side is 38) when the AI
// plays the side, not when it only carries out what a person decided.
TEST(AutomaticPlayDecisions, TheWallIsTheAisChoiceOnlyWhenTheAiPlaysTheSide)
{
    struct Case {
        const char* name;
        uint32_t sideKind;
        uint32_t mode;      // the person's turn mode
        uint8_t loneSquad;  // 255: the automatic mode plays every squad
        bool toTheWall;
    };
    const Case cases[] = {
        {"a computer side", kSideKindMute, 0, 255, true},
        {"a person on automatic play", kSideKindHuman, kModeAuto, 255, true},
        {"a person's squad played on its own", kSideKindHuman, kModeAuto, 0, false},
        {"a person giving orders", kSideKindHuman, kModeOrders, 255, false},
    };
    const BattleAiInstall saved = InstalledBattleAi();
    InstallBattleAiPlayer();
    SetShippedBattleRules();
    BattleSquadTypes types;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BattleSides sides;
        AddSquad(sides.attacker, types.sword, 10);
        AddSquad(sides.defender, types.sword, 10);
        const uint8_t segments[] = {20, 5, 20, 20};
        for (int k = 0; k < 4; ++k)
            sides.castle.segments[k] = segments[k];
        sides.params.kind = kBattleSiege;
        sides.params.castle = &sides.castle;
        sides.params.noScreen = 0;
        sides.params.attackerSideKind = c.sideKind;
        ScreenDouble screen;
        BeginBattle(&sides.params);
        g_battle.scene->Prepare();
        if (auto* person = dynamic_cast<CHumanSideController*>(g_battle.attackerSide)) {
            person->modeIndex = c.mode;
            person->currentMode = c.mode == kModeAuto ? static_cast<CTurnMode*>(person->autoMode)
                                                      : static_cast<CTurnMode*>(person->ordersMode);
            person->autoMode->loneSquad = c.loneSquad;
        }
        CSquad* own = sides.attacker.army.Item(0);
        g_battle.attackerSide->PlaceSquadAt(own, 57);
        g_battle.defenderSide->PlaceSquadAt(sides.defender.army.Item(0), 59);
        SetMovePoints(own, 2);

        AiPlaySquad(g_battle.attackerSide, own);
        EXPECT_EQ(PlanWord(own) == kPlanMove && OrderCell(own) == 38, c.toTheWall);
        EndBattle();
    }
    InstallBattleAi(saved);
}

}  // namespace
