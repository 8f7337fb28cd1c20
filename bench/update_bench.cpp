// Game::update for one frame of play: the swimmer held against a wall row
// in the most furnished room, so the collision response runs every frame.
#include <benchmark/benchmark.h>

#include <cmath>

#include "bench_game.h"
#include "input/input_state.h"

namespace {

// How far the swimmer may drift along the row before the setup counts as
// not pinned (it then measures open water, not walls).
constexpr float PINNED_REACH = 4.0f;

}  // namespace

static void BM_GameUpdate_SwimmingIntoWall(benchmark::State& state) {
    std::unique_ptr<Game> game = newBenchGame();
    game->buildWorld();
    swimIntoGardenWall(*game);
    const Vec3 start = game->swimmerPosition;
    for (auto _ : state) {
        game->update(BENCH_DT);
        benchmark::DoNotOptimize(game->swimmerPosition);
    }
    const Vec3 end = game->swimmerPosition;
    input.holdScripted({});
    if (game->currentRoom != &game->rooms[0] || std::fabs(end.x - start.x) > PINNED_REACH ||
        std::fabs(end.y - start.y) > PINNED_REACH)
        state.SkipWithError("the swimmer left the wall: this measured open water");
}
BENCHMARK(BM_GameUpdate_SwimmingIntoWall)->Repetitions(10)->ReportAggregatesOnly(true);
