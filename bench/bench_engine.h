#pragma once
// What the benchmarks that play the game's own data share: the data folder
// beside the benchmark program, the engine started on it, and the largest
// mission of that data.
#include <benchmark/benchmark.h>

#include <string>

std::string BenchDataFolder();
// Starts the headless engine on the data; on failure the benchmark is skipped
// with the reason and false comes back.
bool BenchStartEngine(benchmark::State& state);
// The mission with the most provinces, as an index for SimNewGame.
int BenchLargestMission();
