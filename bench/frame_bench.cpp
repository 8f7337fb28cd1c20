// Whole frames on the headless Mesa context (llvmpipe), and Game::load, for
// each asset set, each frame update + render + glFinish, so that the time
// includes the rasteriser's work and not only the queueing of commands:
// - the course: tests/playthrough/course.keys played from a fresh load,
//   every COURSE_STRIDE-th frame drawn and timed (every room, above and
//   under the water, fades and doors), reported as the average, the 95th
//   percentile and the worst of those frames;
// - the start: the first frame of a run, above the water, the controls help up;
// - the garden wall: the swimmer held against a wall of the furnished first
//   room, under the water.
#include "frame_bench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <tuple>

#include "game/asset_manifest.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "input/input_state.h"

namespace {

constexpr int GAME_WIDTH = 1280;
constexpr int GAME_HEIGHT = 720;
// Every 40th frame of the course: about 250 frames, some 30 in each room.
constexpr int COURSE_STRIDE = 40;
// Frames of the start drawn untimed before the course, so that llvmpipe has
// compiled the variants of the fresh game's programs.
constexpr int WARM_UP_FRAMES = 3;

Game* loadedGame(const AssetSet& set) {
    static std::map<std::string, std::unique_ptr<Game>> games;
    auto found = games.find(set.name);
    if (found == games.end()) found = games.emplace(set.name, loadBenchGame(set)).first;
    return found->second.get();
}

void playFrame(Game& game) {
    game.update(BENCH_DT);
    game.render();
    glFinish();
}

void gardenWallFrames(benchmark::State& state, const AssetSet& set, int width, int height) {
    Game* game = loadedGame(set);
    if (!game) {
        state.SkipWithError(("Game::load failed from " + set.root).c_str());
        return;
    }
    game->resize(width, height);
    swimIntoGardenWall(*game);
    for (auto _ : state) playFrame(*game);
    input.holdScripted({});
    game->resize(GAME_WIDTH, GAME_HEIGHT);
}

// The first frame of a run, again and again: play restarts before each.
void startFrames(benchmark::State& state, const AssetSet& set, int width, int height) {
    Game* game = loadedGame(set);
    if (!game) {
        state.SkipWithError(("Game::load failed from " + set.root).c_str());
        return;
    }
    game->resize(width, height);
    for (auto _ : state) {
        state.PauseTiming();
        game->startPlay();
        state.ResumeTiming();
        playFrame(*game);
    }
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

// One iteration is one course from a fresh load; its time is the sum of the
// drawn frames (render + glFinish), and the counters give them one by one.
void courseFrames(benchmark::State& state, const AssetSet& set, int width, int height) {
    InputScript script;
    long long frames = 0;
    if (!loadCourse(MIRELO_SOURCE_DIR, script, frames)) {
        state.SkipWithError("the course script cannot be read");
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        std::unique_ptr<Game> game = loadBenchGame(set);
        if (!game) {
            state.SkipWithError(("Game::load failed from " + set.root).c_str());
            return;
        }
        game->resize(width, height);
        for (int i = 0; i < WARM_UP_FRAMES; ++i) {
            game->render();
            glFinish();
        }
        times.clear();
        playCourse(*game, script, frames, COURSE_STRIDE, [&](long long) {
            const auto start = std::chrono::steady_clock::now();
            game->render();
            glFinish();
            times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        });
        double sum = 0.0;
        for (double t : times) sum += t;
        state.SetIterationTime(sum);
        std::sort(times.begin(), times.end());
        const size_t p95 = (times.size() * 95 + 99) / 100 - 1;
        state.counters["avg_ms"] = sum / static_cast<double>(times.size()) * 1e3;
        state.counters["p95_ms"] = times[p95] * 1e3;
        state.counters["worst_ms"] = times.back() * 1e3;
        state.counters["frames"] = static_cast<double>(times.size());
        deleteTextures(*game);
    }
    renderer.setViewport(0, 0, GAME_WIDTH, GAME_HEIGHT);
}

}  // namespace

void registerFrameBenchmarks(const std::vector<AssetSet>& sets) {
    for (const AssetSet& set : sets) {
        // At 1x1 nothing is rasterised: what render costs the CPU.
        for (const auto& [size, width, height] :
             {std::tuple{"1280x720", GAME_WIDTH, GAME_HEIGHT}, {"1x1", 1, 1}}) {
            const std::string suffix = std::string(size) + "/" + set.name;
            const benchmark::TimeUnit unit = width > 1 ? benchmark::kMillisecond : benchmark::kMicrosecond;
            benchmark::RegisterBenchmark(("BM_Course_" + suffix).c_str(), courseFrames, set, width, height)
                ->Unit(unit)
                ->UseManualTime()
                ->Iterations(1)
                ->Repetitions(3)
                ->ReportAggregatesOnly(true);
            // Process CPU time, so the CPU column counts llvmpipe's rasteriser threads too.
            benchmark::RegisterBenchmark(("BM_Start_" + suffix).c_str(), startFrames, set, width, height)
                ->Unit(unit)
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->Repetitions(10)
                ->ReportAggregatesOnly(true);
            benchmark::RegisterBenchmark(("BM_GardenWall_" + suffix).c_str(), gardenWallFrames, set, width,
                                         height)
                ->Unit(unit)
                ->MeasureProcessCPUTime()
                ->UseRealTime()
                ->Repetitions(10)
                ->ReportAggregatesOnly(true);
        }
        benchmark::RegisterBenchmark(("BM_GameLoad/" + set.name).c_str(), loadGames, set)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
}
