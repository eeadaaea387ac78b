#pragma once
// Flight of arrows and stones over the field: a parabola between two field
// points in fixed point with 12 fractional bits, stepped frame by frame for
// the screen. Presentation only: skipped in a battle without screen.

#include <cstdint>

#include "core/packed_geometry.h"

class CMissile;

struct FlightCurve {
    PackedPoint apex{packed::kUndefined, packed::kUndefined};
    int32_t k2 = 0;  // curvature (Q12); 800 marks a vertical flight
    int32_t k1 = 0;  // slope (Q12)
    int32_t k0 = 0;  // intercept (pixels)
};
extern FlightCurve g_flightCurve;

constexpr int32_t kVerticalFlight = 800;

struct FlightRecord {
    uint32_t objectWord = 0;
    uint32_t kind = 0x2009;
    PackedPoint start{packed::kUndefined, packed::kUndefined};
    PackedPoint end{packed::kUndefined, packed::kUndefined};
    int16_t arcHeight = 0;
    uint8_t spriteParameter = 1;
    int16_t stepLength = 0;
    int16_t launchOffset = 0;
    int16_t targetOffset = 0;
};

void InitMissileGlobals();
void SetupTrajectory(PackedPoint start, PackedPoint end, int16_t arcHeight);
int32_t MissileHeightAt(int32_t x);
void MissileFlight(const FlightRecord& record);
void LaunchMissile(CMissile* missile, PackedPoint start, PackedPoint end, int16_t arcHeight,
                   int16_t targetOffset);
void LandMissile(CMissile* missile, PackedPoint point, uint8_t wait);
// Arc heights: a squad's or a catapult's shot, and the trebuchet's.
int16_t ShotArcHeight(PackedPoint start, PackedPoint end);
int16_t TrebuchetArcHeight(PackedPoint end);
