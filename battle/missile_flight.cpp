#include "battle/missile_flight.h"

#include <cstdlib>

#include "battle/battle_flow.h"
#include "battle/battle_grid.h"
#include "battle/battle_hooks.h"
#include "game/battle_seam.h"
#include "game/game_object.h"

FlightCurve g_flightCurve;

void InitMissileGlobals()
{
    g_flightCurve = FlightCurve{};
}

void SetupTrajectory(PackedPoint start, PackedPoint end, int16_t arcHeight)
{
    FlightCurve& f = g_flightCurve;
    const int32_t x0 = start.X(), y0 = start.Y(), x1 = end.X(), y1 = end.Y();
    const int32_t half = packed::Read(packed::Write(0, (x1 - x0) >> 1));
    f.apex = PackedPoint(half, arcHeight);
    if (half == 0) {
        const int16_t h = g_battle.grid && g_battle.grid->cellHeight != 0 ? g_battle.grid->cellHeight : 32;
        f.k2 = kVerticalFlight;
        f.apex = PackedPoint((y1 - y0) / h, y0);
        f.k0 = 0;
        return;
    }
    f.k1 = ((y1 - y0) * 4096) / (x1 - x0);
    f.k0 = y1 - ((f.k1 * x1) >> 12);
    f.k2 = (int32_t(arcHeight) * 4096) / (half * half);
    f.apex = PackedPoint(half + x0, arcHeight);
}

int32_t MissileHeightAt(int32_t x)
{
    FlightCurve& f = g_flightCurve;
    if (f.k2 == kVerticalFlight) {
        f.apex = PackedPoint(f.apex.X(), f.apex.Y() + f.apex.X());
        return f.apex.Y();
    }
    const int32_t t = x - f.apex.X();
    return ((f.k1 * x) >> 12) + f.k0 - f.apex.Y() + ((f.k2 * t * t) >> 12);
}

void MissileFlight(const FlightRecord& record)
{
    if (g_battle.noScreen || record.objectWord == 0)
        return;
    SetupTrajectory(record.start, record.end, record.arcHeight);
    const int32_t dx = record.end.X() - record.start.X();
    const int32_t dy = record.end.Y() - record.start.Y();
    const int32_t distance = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
    const int32_t stepLength = record.stepLength >= 2 ? record.stepLength : 1;
    const int32_t steps = distance / stepLength + 1;
    const int32_t xStep = dx / steps;
    const int32_t offsetStep = ((record.launchOffset - record.targetOffset) * 4) / steps;
    int32_t offset = offsetStep;
    const uint16_t base = xStep < 1 ? 0x101 : 0x104;
    const int32_t quarter = (g_battle.grid ? g_battle.grid->cellHeight : 32) >> 2;

    BattleEvent event;
    event.battleHandle = record.objectWord;
    event.sourceKind = record.kind;
    event.flag = record.spriteParameter;
    event.last = 0;
    PackedPoint current = record.start;
    uint16_t code = base;
    auto post = [&](PackedPoint previous) {
        event.code = code;
        event.coords[0] = previous.X();
        event.coords[1] = previous.Y();
        event.coords[2] = current.X();
        event.coords[3] = current.Y();
        QueueBattleEvent(record.objectWord);
        g_battleHooks.battleEvent.Fire(&event);
        WaitForBattleEvents();
    };
    for (int32_t i = 1; i < steps && !IsBattleStopped(); ++i) {
        const PackedPoint previous = current;
        const int32_t x = current.X() + xStep;
        const int32_t y = MissileHeightAt(x) + (offset >> 2);
        current = PackedPoint(x, y);
        const int32_t v = current.Y() - previous.Y();
        code = v > quarter ? uint16_t(base + 2) : v < -quarter ? uint16_t(base + 1) : base;
        post(previous);
        offset += offsetStep;
        event.last = 1;
    }
    const PackedPoint previous = current;
    current = PackedPoint(record.end.X(), record.end.Y() + (offset >> 2));
    post(previous);
    g_flightCurve.k1 = g_flightCurve.k2 = g_flightCurve.k0 = 0;
}

void LaunchMissile(CMissile* missile, PackedPoint start, PackedPoint end, int16_t arcHeight,
                   int16_t targetOffset)
{
    if (!missile)
        return;
    FlightRecord record;
    record.objectWord = missile->battleHandle;
    record.kind = kKindMissile;
    record.start = start;
    record.end = end;
    record.arcHeight = arcHeight;
    record.spriteParameter = missile->paramA;
    const uint8_t factor = missile->paramB ? missile->paramB : 1;
    record.stepLength = int16_t((g_battle.grid ? g_battle.grid->cellWidth : 32) * factor);
    record.launchOffset = SecondVisualWord(missile);
    record.targetOffset = targetOffset;
    MissileFlight(record);
    missile->SignalBattleHook();
}

void LandMissile(CMissile* missile, PackedPoint point, uint8_t wait)
{
    if (!missile)
        return;
    BattleEvent event;
    event.source = missile;
    event.battleHandle = missile->battleHandle;
    event.sourceKind = kKindMissile;
    event.code = 0x207;
    event.coords[0] = event.coords[2] = point.X();
    event.coords[1] = event.coords[3] = point.Y();
    event.flag = 1;
    DispatchBattleEvent(&event, wait);
    if (wait)
        missile->SignalBattleHook();
}

int16_t ShotArcHeight(PackedPoint start, PackedPoint end)
{
    const int16_t h = g_battle.grid ? g_battle.grid->cellHeight : 32;
    return int16_t((std::abs(end.Y() - start.Y()) >> 3) + (h >> 1));
}

int16_t TrebuchetArcHeight(PackedPoint end)
{
    const int16_t h = g_battle.grid ? g_battle.grid->cellHeight : 32;
    return int16_t((std::abs(int32_t(end.Y())) >> 1) + (h >> 1));
}
