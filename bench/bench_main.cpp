// The benchmarks run in one process with one headless Mesa context, at the
// game's window size, from the source directory (the game reads data/
// relative to the working directory). The context's renderer and version
// and the CPU model go into the report, since every figure depends on them.
//
// --before=DIR (our own option, taken out before Google Benchmark reads the
// rest) adds a second asset set to compare with, in the same run: DIR holds
// an older data/ (bench/run.sh --before REV extracts one from git), and its
// game repeats every driver call as the game did before it skipped the known
// ones. The frame, load and loader benchmarks then run for "before" and
// "after" (the source tree); without it, for "current".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "frame_bench.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "loader_bench.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int CONTEXT_WIDTH = 1280;
constexpr int CONTEXT_HEIGHT = 720;

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

std::string glString(GLenum name) {
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "unknown";
}

// Takes --before=DIR out of argv; the sets to measure.
std::vector<AssetSet> assetSets(int& argc, char** argv) {
    const std::string option = "--before=";
    std::string before;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind(option, 0) == 0)
            before = arg.substr(option.size());
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    if (before.empty()) return {{"current", MIRELO_SOURCE_DIR, true}};
    return {{"before", before, false}, {"after", MIRELO_SOURCE_DIR, true}};
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<AssetSet> sets = assetSets(argc, argv);
    if (chdir(MIRELO_SOURCE_DIR) != 0) {
        std::perror(MIRELO_SOURCE_DIR);
        return 1;
    }
    if (!headless::createContext(CONTEXT_WIDTH, CONTEXT_HEIGHT)) return 1;
    renderer.setViewport(0, 0, CONTEXT_WIDTH, CONTEXT_HEIGHT);
    if (!renderer.initState()) {
        std::fprintf(stderr, "mirelo_benchmarks: the GL entry points could not be loaded\n");
        return 1;
    }
    benchmark::AddCustomContext("cpu_model", cpuModel());
    benchmark::AddCustomContext("gl_renderer", glString(GL_RENDERER));
    benchmark::AddCustomContext("gl_version", glString(GL_VERSION));

    registerFrameBenchmarks(sets);
    registerLoaderBenchmarks(sets);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    headless::destroyContext();
    return 0;
}
