#include "battle/side_ai.h"

#include "battle/plain_side_ai.h"

uint32_t g_battlePowerOption = 0;

namespace {
BattleAiInstall g_install;
}

void InstallBattleAi(const BattleAiInstall& install)
{
    g_install = install;
}

const BattleAiInstall& InstalledBattleAi()
{
    return g_install;
}

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

bool BattleAiPlaySquad(CSideController* side, CSquad* squad)
{
    if (g_install.playSquad)
        return g_install.playSquad(side, squad);
    return PlainPlaySquad(side, squad);
}

void BattleAiAimTrebuchet(CSideController* side, SideSetup* setup)
{
    if (g_install.aimTrebuchet)
        g_install.aimTrebuchet(side, setup);
    else
        PlainAimTrebuchet(side, setup);
}

void BattleAiAimCatapults(CSideController* side, SideSetup* setup, uint8_t first)
{
    if (g_install.aimCatapults)
        g_install.aimCatapults(side, setup, first);
    else
        PlainAimCatapults(side, setup, first);
}

CSideOrders* CreateSideOrders(CSideController* side, SideSetup* setup)
{
    if (g_install.createOrders)
        return g_install.createOrders(side, setup);
    return new CPlainSideOrders(side, setup);
}
