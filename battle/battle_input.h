#pragma once
// What the battle screen sends the engine: taps, keys, commands. Each goes
// to the side whose turn it is. In a battle without screen they do nothing.

#include <cstdint>

#include "core/packed_geometry.h"

enum : uint32_t {
    kCommandStop = 1,
    kCommandAutoPlay = 64,
    kCommandGiveUp = 256,
};

void BattleTapAtPoint(PackedPoint point);
void BattleTapAtCell(uint8_t cell);
void BattleAltTapAtPoint(PackedPoint point);
void BattleAltTapAtCell(uint8_t cell);
void BattleKeyInput(uint16_t code);
void BattleCommand(uint32_t code);
void SendBattleInput(uint32_t code);
void RefreshActiveSide();
