#include "game/player_colour.h"

#include "game/player_record.h"

uint8_t PlayerColour(const PlayerRecord* player)
{
    if (player == nullptr || player->flagNumber >= kPlayerColourCount)
        return kNeutralColour;
    return player->flagNumber;
}
