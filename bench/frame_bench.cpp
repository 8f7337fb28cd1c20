// Whole frames on the headless Mesa context (llvmpipe), and Game::load, for
// each asset set: the game loaded once per set, the swimmer held against a
// wall of the furnished first room, and each frame update + render +
// glFinish, so the time includes the rasteriser's work and not only the
// queueing of commands.
#include "frame_bench.h"

#include <benchmark/benchmark.h>

#include <map>

#include "game/asset_manifest.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "input/input_state.h"

namespace {

constexpr int GAME_WIDTH = 1280;
constexpr int GAME_HEIGHT = 720;

Game* loadedGame(const AssetSet& set) {
    static std::map<std::string, std::unique_ptr<Game>> games;
    auto found = games.find(set.name);
    if (found == games.end()) found = games.emplace(set.name, loadBenchGame(set)).first;
    return found->second.get();
}

void playFrames(benchmark::State& state, const AssetSet& set, int width, int height) {
    Game* game = loadedGame(set);
    if (!game) {
        state.SkipWithError(("Game::load failed from " + set.root).c_str());
        return;
    }
    game->resize(width, height);
    swimIntoGardenWall(*game);
    for (auto _ : state) {
        game->update(BENCH_DT);
        game->render();
        glFinish();
    }
    input.holdScripted({});
    game->resize(GAME_WIDTH, GAME_HEIGHT);
}

// The textures a Game uploads; the Game itself never deletes them (the
// frame loop ends with the context), but a benchmark loading it again and
// again would otherwise pile them up in the driver.
void deleteTextures(Game& game) {
    for (const TextureAsset& asset : assetManifest(game).textures) asset.texture.deleteTexture();
}

// Decoding and uploading every image, reading every mesh and the collider,
// building the six programs and the world: the start-up the player waits for.
void loadGames(benchmark::State& state, const AssetSet& set) {
    const InDirectory in(set.root);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Game> game = newBenchGame();
        state.ResumeTiming();
        const bool loaded = in.entered() && game->load();
        glFinish();
        state.PauseTiming();
        deleteTextures(*game);
        game.reset();
        state.ResumeTiming();
        if (!loaded) {
            state.SkipWithError(("Game::load failed from " + set.root).c_str());
            break;
        }
    }
}

}  // namespace

void registerFrameBenchmarks(const std::vector<AssetSet>& sets) {
    for (const AssetSet& set : sets) {
        // Process CPU time, so the CPU column counts llvmpipe's rasteriser threads too.
        benchmark::RegisterBenchmark(("BM_Frame_1280x720/" + set.name).c_str(), playFrames, set, GAME_WIDTH,
                                     GAME_HEIGHT)
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
        // The same frames with nothing to rasterise: what render costs the CPU.
        benchmark::RegisterBenchmark(("BM_Frame_1x1/" + set.name).c_str(), playFrames, set, 1, 1)
            ->Unit(benchmark::kMicrosecond)
            ->MeasureProcessCPUTime()
            ->UseRealTime()
            ->Repetitions(10)
            ->ReportAggregatesOnly(true);
        benchmark::RegisterBenchmark(("BM_GameLoad/" + set.name).c_str(), loadGames, set)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}
