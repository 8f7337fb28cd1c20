// Whole frames on the headless Mesa context (llvmpipe): the game loaded from
// data/ once, the swimmer held against a wall of the furnished first room,
// and each frame update + render + glFinish, so the time includes the
// rasteriser's work and not only the queueing of commands.
#include <benchmark/benchmark.h>

#include "bench_game.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int GAME_WIDTH = 1280;
constexpr int GAME_HEIGHT = 720;

Game* loadedGame() {
    static std::unique_ptr<Game> game = [] {
        std::unique_ptr<Game> g = newBenchGame();
        if (!g->load()) g.reset();
        return g;
    }();
    return game.get();
}

void playFrames(benchmark::State& state, int width, int height) {
    Game* game = loadedGame();
    if (!game) {
        state.SkipWithError("Game::load failed (run from the directory holding data/)");
        return;
    }
    game->resize(width, height);
    swimIntoGardenWall(*game);
    for (auto _ : state) {
        game->update(BENCH_DT);
        renderer.beginFrame();
        game->render();
        renderer.endFrame();
        glFinish();
    }
    headless::setKeysDown({});
    game->resize(GAME_WIDTH, GAME_HEIGHT);
}

// The textures a Game uploads; the Game itself never deletes them (the
// frame loop ends with the context), but a benchmark loading it again and
// again would otherwise pile them up in the driver.
void deleteTextures(Game& game) {
    Texture* const textures[] = {&game.fontTexture,     &game.waterTexture,
                                 &game.wallTexture,     &game.goldWallTexture,
                                 &game.grassTexture,    &game.tileTexture,
                                 &game.cliffTexture,    &game.blackTexture,
                                 &game.seaweedTexture,  &game.woodTexture,
                                 &game.doorTexture,     &game.leverTexture,
                                 &game.ctrlHintTexture, &game.swimmingControlsTexture};
    for (Texture* texture : textures) texture->deleteTexture();
    for (int c = 0; c < KEY_COLOURS; ++c) {
        game.keyTextures[c].deleteTexture();
        game.lockTextures[c].deleteTexture();
    }
}

}  // namespace

static void BM_Frame_1280x720(benchmark::State& state) { playFrames(state, GAME_WIDTH, GAME_HEIGHT); }
// Process CPU time, so the CPU column counts llvmpipe's rasteriser threads too.
BENCHMARK(BM_Frame_1280x720)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// The same frames with nothing to rasterise: what render costs the CPU.
static void BM_Frame_1x1(benchmark::State& state) { playFrames(state, 1, 1); }
BENCHMARK(BM_Frame_1x1)
    ->Unit(benchmark::kMicrosecond)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Repetitions(10)
    ->ReportAggregatesOnly(true);

// Decoding and uploading every image, reading every mesh and the collider,
// building the six programs and the world: the start-up the player waits for.
static void BM_GameLoad(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Game> game = newBenchGame();
        state.ResumeTiming();
        const bool loaded = game->load();
        glFinish();
        state.PauseTiming();
        deleteTextures(*game);
        game.reset();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError("Game::load failed (run from the directory holding data/)");
            break;
        }
    }
}
BENCHMARK(BM_GameLoad)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
