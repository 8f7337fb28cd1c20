// Every decoder and loader on every file of data/ it reads in the game:
// decoding only, no GL upload (that is in Game::load's figure).
#include "loader_bench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "gfx/image_decoders.h"
#include "scene/collider.h"
#include "scene/mesh.h"

namespace {

using Decoder = PixelBlock (*)(const std::string&, uint16_t&, uint16_t&, std::string*);

void decodeImage(benchmark::State& state, Decoder decode, const std::string& path) {
    for (auto _ : state) {
        uint16_t width = 0, height = 0;
        PixelBlock pixels = decode(path, width, height, nullptr);
        if (!pixels) {
            state.SkipWithError(("cannot decode " + path).c_str());
            break;
        }
        benchmark::DoNotOptimize(pixels.get());
    }
}

void loadMesh(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        Mesh mesh;
        if (!mesh.load(path)) {
            state.SkipWithError(("cannot load " + path).c_str());
            break;
        }
        benchmark::DoNotOptimize(mesh.indices().data());
    }
}

void loadCollider(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        Collider collider;
        if (!collider.load(path)) {
            state.SkipWithError(("cannot load " + path).c_str());
            break;
        }
        benchmark::DoNotOptimize(collider.segmentCount());
    }
}

std::vector<std::string> filesIn(const char* dir) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (entry.is_regular_file())
            paths.push_back(std::string(dir) + "/" + entry.path().filename().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void registerLoaderBenchmarks() {
    // The texture loader's choice: ".bmp" and ".png" by name, the font's ".fnt" as BMP with alpha.
    for (const std::string& path : filesIn("data")) {
        if (endsWith(path, ".bmp"))
            benchmark::RegisterBenchmark(("BM_LoadBmp/" + path).c_str(), decodeImage, loadBmp, path);
        else if (endsWith(path, ".png"))
            benchmark::RegisterBenchmark(("BM_LoadPng/" + path).c_str(), decodeImage, loadPng, path);
        else if (endsWith(path, ".fnt"))
            benchmark::RegisterBenchmark(("BM_LoadBmpWithAlpha/" + path).c_str(), decodeImage,
                                         loadBmpWithAlpha, path);
        else if (endsWith(path, ".json"))
            benchmark::RegisterBenchmark(("BM_MeshLoad/" + path).c_str(), loadMesh, path);
    }
    for (const std::string& path : filesIn("data/meshes/display"))
        benchmark::RegisterBenchmark(("BM_MeshLoad/" + path).c_str(), loadMesh, path);
    for (const std::string& path : filesIn("data/meshes/colliders"))
        benchmark::RegisterBenchmark(("BM_ColliderLoad/" + path).c_str(), loadCollider, path);
}
