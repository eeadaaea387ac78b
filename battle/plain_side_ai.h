#pragma once
// The built-in player of a computer side: plain and greedy, used until the
// battle AI is installed. Each squad shoots the weakest enemy it can, or
// attacks the nearest enemy it can reach, or walks toward it. The siege
// engines aim at walls (trebuchet) and at the strongest squad before the
// moat (catapults).

#include <cstdint>

#include "battle/side_ai.h"
#include "battle/side_controller.h"

class CPlainSideAi : public CSideAi {
public:
    CPlainSideAi(CSideController* side, SideSetup* setup) : m_side(side), m_setup(setup) {}
    void PlaceSquads() override {}
    void PlayTurn() override;

private:
    CSideController* m_side;
    SideSetup* m_setup;
};

// Carries out the orders one by one: an attack shoots or walks up and
// strikes, a move walks toward its cell, a guard stands in defence.
class CPlainSideOrders : public CSideOrders {
public:
    CPlainSideOrders(CSideController* side, SideSetup* setup) : m_side(side), m_setup(setup) {}
    bool RunAll() override;
    bool RunOne(CSquad* squad) override;
    void Stop() override { m_stop = 1; }

private:
    CSideController* m_side;
    SideSetup* m_setup;
    uint8_t m_stop = 0;
};

// Plays one squad of the side now; false when it could do nothing.
bool PlainPlaySquad(CSideController* side, CSquad* squad);
void PlainAimTrebuchet(CSideController* side, SideSetup* setup);
void PlainAimCatapults(CSideController* side, SideSetup* setup, uint8_t first);
