#include "battle/side_ai.h"

#include "battle/plain_side_ai.h"

uint32_t g_battlePowerOption = 0;

namespace {
BattleAiInstall g_install;
}

void InstallBattleAi(const BattleAiInstall& install) { g_install = install; }

const BattleAiInstall& InstalledBattleAi() { return g_install; }

CSideAi* CreateSideAi(CSideController* side, SideSetup* setup)
{
    if (g_install.createPlayer)
        return g_install.createPlayer(side, setup);
    return new CPlainSideAi(side, setup);
}

void CreateBattleAiStrategies()
{
    if (g_install.createStrategies)
        g_install.createStrategies();
}

void DeleteBattleAiStrategies()
{
    if (g_install.deleteStrategies)
        g_install.deleteStrategies();
}
