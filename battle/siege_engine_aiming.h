#pragma once
// The battle AI's aiming of the siege engines: the attacker's trebuchet at a
// wall or a castle catapult, the castle's catapults at the enemy squads
// standing before the moat. Nothing happens outside a siege.
#include <cstdint>

class CSideController;
struct SideSetup;

void AiAimTrebuchet(CSideController* side, SideSetup* setup);
// Aims and fires every working catapult from index first on.
void AiAimCatapults(CSideController* side, SideSetup* setup, uint8_t first);
