#pragma once

#include <vector>

#include "bench_game.h"

// Frames at the game's size and at 1 x 1, and Game::load, once per asset set.
void registerFrameBenchmarks(const std::vector<AssetSet>& sets);
