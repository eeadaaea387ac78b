// The battle trainer's file "zkvtrainer": a battle that ended removes it, a
// battle left unfinished keeps it (its save writes nothing), and any other
// result leaves it alone.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/game_application.h"
#include "core/data_file.h"
#include "game/battle_seam.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(TrainerFile, ABattleThatEndedRemovesTheFile)
{
    struct Case {
        uint32_t result;
        uint32_t attackerKind, defenderKind;
        bool kept;
    } cases[] = {
        {1, 0, 1, true},  {1, 1, 1, true}, {2, 0, 1, false}, {3, 1, 0, false},
        {4, 0, 0, false}, {0, 0, 1, true}, {5, 0, 1, true},
    };
    TempFolder folder;
    SetDataFolder(CStr(folder.path().c_str()));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "result " << c.result);
        std::ofstream(folder.path() + "zkvtrainer.sav") << "\x09";
        CGameApplication app;
        app.TrainerParams().attackerSideKind = c.attackerKind;
        app.TrainerParams().defenderSideKind = c.defenderKind;
        BattleResult = c.result;
        app.OnTrainerBattleOver();
        EXPECT_EQ(fs::exists(folder.path() + "zkvtrainer.sav"), c.kept);
    }
    BattleResult = 0;
    SetDataFolder(CStr());
}

}  // namespace
