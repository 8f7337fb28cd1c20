// The benchmarks run in one process with one headless Mesa context, at the
// game's window size, from the source directory (the game reads data/
// relative to the working directory). The context's renderer and version
// and the CPU model go into the report, since every figure depends on them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include <unistd.h>

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

}  // namespace

int main(int argc, char** argv) {
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

    registerLoaderBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    headless::destroyContext();
    return 0;
}
