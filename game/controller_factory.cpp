#include "game/controller_factory.h"

namespace {
ControllerFactory g_factory = nullptr;
}

void SetControllerFactory(ControllerFactory factory)
{
    g_factory = factory;
}

CPlayerController* CreateController(PlayerRecord* player, bool human)
{
    return g_factory ? g_factory(player, human) : nullptr;
}
