// The battle AI's unit of work: one path map over the battle grid, on an
// empty field and on one with a squad on every third playable cell (whole
// battles by size are in quick_battle_bench.cpp).
#include <benchmark/benchmark.h>

#include "battle/battle_grid.h"
#include "battle/path_map.h"
#include "game/army.h"

namespace {

void BM_PathMapExpansion(benchmark::State& state)
{
    CBattleGrid grid;
    CSquad standing;
    if (state.range(0)) {
        for (uint8_t cell = 0; cell < grid.cellCount; ++cell)
            if (!grid.IsBorder(cell) && cell % 3 == 0 && cell != 57)
                grid.Cell(cell).occupant = &standing;
    }
    CPathMap map(&grid);
    for (auto _ : state) {
        benchmark::DoNotOptimize(map.Compute(57, 0, 0, 1));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PathMapExpansion)->Arg(0)->Arg(1);

}  // namespace
