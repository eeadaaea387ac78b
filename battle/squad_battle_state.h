#pragma once
// Named access to the per-squad battle record that the strategic game keeps
// for us (its fields are plain words there). Every squad in a battle has one.

#include <cstdint>

#include "game/game_object.h"

enum : uint32_t {
    kPlanNone = 0,
    kPlanAttack = 1,
    kPlanMove = 2,
    kPlanGuard = 3
};

constexpr uint8_t kNoDirection = 255;
constexpr uint8_t kStanceDefending = 35;  // '#': the squad stands in defence

inline uint32_t PlanWord(const CSquad* s)
{
    return s->battleState->wordA;
}
inline void SetPlanWord(CSquad* s, uint32_t v)
{
    s->battleState->wordA = v;
}
// Approach direction of an attack order (0..5, 255 none), or the destination
// cell of a move order.
inline uint8_t OrderCell(const CSquad* s)
{
    return s->battleState->byteA;
}
inline void SetOrderCell(CSquad* s, uint8_t v)
{
    s->battleState->byteA = v;
}
inline uint8_t SideByte(const CSquad* s)
{
    return s->battleState->byteB;
}
inline void SetSideByte(CSquad* s, uint8_t v)
{
    s->battleState->byteB = v;
}
inline uint16_t MovePoints(const CSquad* s)
{
    return s->battleState->half;
}
inline void SetMovePoints(CSquad* s, uint16_t v)
{
    s->battleState->half = v;
}
// 35 while the squad defends; both attack formulas read it as a percentage.
inline uint8_t DefencePercent(const CSquad* s)
{
    return s->battleState->byteC;
}
inline void SetDefencePercent(CSquad* s, uint8_t v)
{
    s->battleState->byteC = v;
}
inline uint8_t AiByte(const CSquad* s)
{
    return s->battleState->byteD;
}
inline void SetAiByte(CSquad* s, uint8_t v)
{
    s->battleState->byteD = v;
}
inline CMissile* SquadMissile(const CSquad* s)
{
    return s->battleState->missile.get();
}

// The target squad is kept as a word so that the record stays a plain
// record: 0 none, else the army (bit 16: the attacker's) and index + 1 of the
// target in the battle's armies. Needs a battle set up.
CSquad* TargetSquad(const CSquad* s);
void SetTargetSquad(CSquad* s, const CSquad* target);
