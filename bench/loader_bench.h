#pragma once

#include <vector>

#include "bench_game.h"

// Registers one benchmark per asset file under each set's data/ for the
// decoder or loader the game reads it with.
void registerLoaderBenchmarks(const std::vector<AssetSet>& sets);
