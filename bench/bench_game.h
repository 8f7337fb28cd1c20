#pragma once

#include <memory>

#include "game/game.h"

// Every benchmark plays the same world: seaweed from one fixed seed.
constexpr unsigned BENCH_SEAWEED_SEED = 7;
// The headless runner's default frame time.
constexpr float BENCH_DT = 0.016f;

// The game is heap-allocated: its rooms are too large for a stack.
inline std::unique_ptr<Game> newBenchGame() {
    std::unique_ptr<Game> game(new Game);
    game->setSeaweedSeed(BENCH_SEAWEED_SEED);
    return game;
}

// Room 0 (walled garden, tower, plates and planks), the swimmer at full
// speed just north of the garden's south wall row and heading into it, so
// that every update moves it into the blocks and pushes it back out.
void swimIntoGardenWall(Game& game);
