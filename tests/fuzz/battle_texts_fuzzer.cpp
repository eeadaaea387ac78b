// The battle's texts read from the packs, from arbitrary bytes: the battle
// rules and the trainer's set-up. The first input byte chooses the reader;
// the rest becomes its file.
#include <cstdint>

#include "battle/battle_flow.h"
#include "battle/battle_rules.h"
#include "battle/battle_trainer.h"
#include "tests/fuzz/game_fuzz_support.h"
#include "tests/fuzz/pack_input_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    if (data[0] % 2 == 0) {
        if (MountInputAs("Rules/Battle/battle", "zkqd", data + 1, size - 1)) {
            LoadBattleRules("/Rules/Battle/battle");
            UnloadBattleRules();
        }
    } else if (MountInputAs("Battle/setup", "zkqd", data + 1, size - 1)) {
        BattleParams params;
        CBattleTrainer(&params, "/Battle/setup");
        params.FreeParticipants();
    }
    CResourceMgr::Shutdown();
    return 0;
}
