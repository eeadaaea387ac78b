// The battle AI's unit of work: one path map over the battle grid, on an
// empty field and on one with a squad on every third playable cell. The wave
// is timed on a field that changes between maps (two squads walk along the
// first and the last row, 81 fields in turn), so no remembered map answers;
// the remembered map is timed apart. Whole battles by size are in
// quick_battle_bench.cpp.
#include <benchmark/benchmark.h>

#include "battle/battle_grid.h"
#include "battle/path_map.h"
#include "game/army.h"

namespace {

constexpr uint8_t kOrigin = 57;
constexpr uint8_t kFirstRow = 12;  // cells 12..20
constexpr uint8_t kLastRow = 100;  // cells 100..108

void Crowd(CBattleGrid& grid, CSquad& standing)
{
    for (uint8_t cell = 23; cell < 99; ++cell)
        if (!grid.IsBorder(cell) && cell % 3 == 0 && cell != kOrigin)
            grid.Cell(cell).occupant = &standing;
}

void BM_PathMapWave(benchmark::State& state)
{
    CBattleGrid grid;
    CSquad standing, first, last;
    if (state.range(0))
        Crowd(grid, standing);
    CPathMap map(&grid);
    int step = 0;
    for (auto _ : state) {
        grid.Cell(uint8_t(kFirstRow + step % 9)).occupant = nullptr;
        grid.Cell(uint8_t(kLastRow + step / 9 % 9)).occupant = nullptr;
        ++step;
        grid.Cell(uint8_t(kFirstRow + step % 9)).occupant = &first;
        grid.Cell(uint8_t(kLastRow + step / 9 % 9)).occupant = &last;
        benchmark::DoNotOptimize(map.Compute(kOrigin, 0, 0, 1));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PathMapWave)->Arg(0)->Arg(1);

void BM_PathMapRemembered(benchmark::State& state)
{
    CBattleGrid grid;
    CSquad standing;
    Crowd(grid, standing);
    CPathMap map(&grid);
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.Compute(kOrigin, 0, 0, 1));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PathMapRemembered);

}  // namespace
