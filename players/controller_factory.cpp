#include "game/controller_factory.h"
#include "players/human_controller.h"

namespace {

CPlayerController* (*g_makeComputer)(PlayerRecord*) = nullptr;

CPlayerController* MakeController(PlayerRecord* player, bool human)
{
    if (human)
        return new CHumanController(player);
    return g_makeComputer ? g_makeComputer(player) : nullptr;
}

}  // namespace

void InstallControllerFactory(CPlayerController* (*makeComputer)(PlayerRecord* player))
{
    g_makeComputer = makeComputer;
    SetControllerFactory(&MakeController);
}
