// Every decoder and loader on every file of data/ it reads in the game:
// decoding only, no GL upload (that is in Game::load's figure).
#include "loader_bench.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
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

// The files of root/dir, as paths relative to root.
std::vector<std::string> filesIn(const std::string& root, const std::string& dir) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root + "/" + dir, error))
        if (entry.is_regular_file()) paths.push_back(dir + "/" + entry.path().filename().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

void registerLoaderBenchmarks(const std::vector<AssetSet>& sets) {
    for (const AssetSet& set : sets) {
        const std::string in = "/" + set.name + "/";
        // The texture loader's choice: ".bmp" and ".png" by name, the font's ".fnt" as BMP with alpha.
        for (const std::string& path : filesIn(set.root, "data")) {
            const std::string name = in + path;
            const std::string file = set.root + "/" + path;
            if (endsWith(path, ".bmp"))
                benchmark::RegisterBenchmark(("BM_LoadBmp" + name).c_str(), decodeImage, loadBmp, file);
            else if (endsWith(path, ".png"))
                benchmark::RegisterBenchmark(("BM_LoadPng" + name).c_str(), decodeImage, loadPng, file);
            else if (endsWith(path, ".fnt"))
                benchmark::RegisterBenchmark(("BM_LoadBmpWithAlpha" + name).c_str(), decodeImage,
                                             loadBmpWithAlpha, file);
            else if (endsWith(path, ".json"))
                benchmark::RegisterBenchmark(("BM_MeshLoad" + name).c_str(), loadMesh, file);
        }
        for (const std::string& path : filesIn(set.root, "data/meshes/display"))
            benchmark::RegisterBenchmark(("BM_MeshLoad" + in + path).c_str(), loadMesh,
                                         set.root + "/" + path);
        for (const std::string& path : filesIn(set.root, "data/meshes/colliders"))
            benchmark::RegisterBenchmark(("BM_ColliderLoad" + in + path).c_str(), loadCollider,
                                         set.root + "/" + path);
    }
}
