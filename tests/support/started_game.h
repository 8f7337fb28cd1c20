#pragma once

#include <memory>

#include "game/game.h"

// A Game in the state Game::load leaves it in, without GL or files: the
// world built (seaweed from a fixed seed) and play started.
// The Game is heap-allocated: its twenty rooms are too large for a test's stack.
inline std::unique_ptr<Game> startedGame() {
    constexpr unsigned SEAWEED_SEED = 7;
    std::unique_ptr<Game> game(new Game);
    game->setSeaweedSeed(SEAWEED_SEED);
    game->buildWorld();
    game->startPlay();
    return game;
}

inline int roomIndex(const Game& game) { return static_cast<int>(game.currentRoom - game.rooms); }

inline void runFrames(Game& game, int frames, float dt) {
    for (int i = 0; i < frames; ++i) game.update(dt);
}
