// Creates the controller of the right kind for a player record. The game
// model (PlayerRecord::SetHuman and its after-load step) makes controllers
// without knowing the concrete classes, which live in the players library;
// the program and the tests wire them in once with SetControllerFactory.
#pragma once

class CPlayerController;
class PlayerRecord;

using ControllerFactory = CPlayerController* (*)(PlayerRecord* player, bool human);

void SetControllerFactory(ControllerFactory factory);
// Null when no factory is installed (the player then takes no part).
CPlayerController* CreateController(PlayerRecord* player, bool human);
