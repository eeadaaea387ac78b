#pragma once
// The built-in player of a computer side: plain and greedy, used until the
// battle AI is installed. Each squad shoots the weakest enemy it can, or
// attacks the nearest enemy it can reach, or walks toward it.

#include "battle/side_ai.h"
#include "battle/side_controller.h"

class CPlainSideAi : public CSideAi {
public:
    CPlainSideAi(CSideController* side, SideSetup* setup) : side_(side), setup_(setup) {}
    void PlaceSquads() override {}
    void PlayTurn() override;

private:
    void PlaySquad(CSquad* squad);
    CSideController* side_;
    SideSetup* setup_;
};
