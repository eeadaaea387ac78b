// The planner's tactical moves of the current player's field army and of the
// units between the army and the garrisons. None of them creates units.
#pragma once

#include <cstdint>

class ProvinceRecord;

// Leaves part of the army in the capital when it stands there.
void LeaveCapitalGarrison();
// Moves k % of every army squad (at least 1 of a squad with units) into the
// garrison of the army's province.
void DropToGarrison(uint8_t k);
// Moves (100 - keep) % of every garrison squad of the army's province (at
// least 1 of a squad with units) into the army; keep 0 moves nothing.
void TakeFromGarrison(uint8_t keep);
// Collects garrisons on the way and moves toward the province.
void GatherTowards(ProvinceRecord* target);
// Moves up to k % of the squads of the player's provinces around target into
// target's garrison; without allowAll a neighbour never gives its whole squad.
void PullFromNeighbourGarrisons(ProvinceRecord* target, uint8_t k, bool allowAll);
// The province within reach on the way toward target, or null.
ProvinceRecord* NextStepTowards(ProvinceRecord* target);
// Percent of a garrison to keep when the army passes through.
int32_t GarrisonKeepPercent(const ProvinceRecord* province);
// Marches the army toward the player's best-defended far province.
void FallBack();
// Moves the army along a path through the player's own provinces.
void MarchAlongOwnPath(ProvinceRecord* target);
