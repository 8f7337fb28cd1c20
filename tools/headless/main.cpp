// mirelo-headless: runs the game without a window on an offscreen Mesa
// context, for a fixed number of frames with a fixed time step and scripted
// keys; writes screenshots and a JSON dump of the game state.
//
//   mirelo-headless [--frames N] [--dt SECONDS] [--input FILE|-] [--size WxH]
//                   [--screenshot FILE.png] [--screenshot-every K --screenshot-dir DIR]
//                   [--state FILE|-] [--seed N] [--check-gl]
//
// Exit codes: 0 success, 1 the game failed to load, 2 bad arguments or input
// script, 3 GL errors with --check-gl.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/frame_loop.h"
#include "app/input_script.h"
#include "app/option_text.h"
#include "app/run_report.h"
#include "game/game.h"
#include "gfx/gl_api.h"
#include "platform/headless/headless_platform.h"
#include "platform/headless/headless_window.h"
#include "screenshot.h"

namespace {

constexpr int EXIT_LOAD_FAILED = 1;
constexpr int EXIT_BAD_ARGUMENTS = 2;
constexpr int EXIT_GL_ERRORS = 3;

struct Options {
    long long frames = 1;
    float dt = 0.016f;
    std::string inputPath;
    int width = 1280;
    int height = 720;
    std::string screenshotPath;
    long long screenshotEvery = 0;
    std::string screenshotDir;
    std::string statePath;
    std::optional<unsigned> seed;
    bool checkGl = false;
};

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check-gl") {
            o.checkGl = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = arg.rfind("--", 0) == 0 ? arg + " needs a value" : "unknown argument '" + arg + "'";
            return false;
        }
        const std::string v = argv[++i];
        auto whole = [&](long long low, long long high, long long& out, const char* what) {
            if (parseWhole(v, low, high, out)) return true;
            error = arg + " takes " + what + ", not '" + v + "'";
            return false;
        };
        long long n = 0;
        if (arg == "--frames") {
            if (!whole(0, 100000000, o.frames, "a whole number of frames")) return false;
        } else if (arg == "--dt") {
            char* end = nullptr;
            const double dt = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !std::isfinite(dt) || dt < 0.0 || dt > 3600.0) {
                error = "--dt takes a number of seconds, not '" + v + "'";
                return false;
            }
            o.dt = static_cast<float>(dt);
        } else if (arg == "--input") {
            o.inputPath = v;
        } else if (arg == "--size") {
            const size_t x = v.find('x');
            long long w = 0, h = 0;
            if (x == std::string::npos || !parseWhole(v.substr(0, x), 1, 8192, w) ||
                !parseWhole(v.substr(x + 1), 1, 8192, h)) {
                error = "--size takes WIDTHxHEIGHT, for example 1280x720";
                return false;
            }
            o.width = static_cast<int>(w);
            o.height = static_cast<int>(h);
        } else if (arg == "--screenshot") {
            o.screenshotPath = v;
        } else if (arg == "--screenshot-every") {
            if (!whole(1, 100000000, o.screenshotEvery, "a whole number of frames")) return false;
        } else if (arg == "--screenshot-dir") {
            o.screenshotDir = v;
        } else if (arg == "--state") {
            o.statePath = v;
        } else if (arg == "--seed") {
            if (!whole(0, 4294967295LL, n, "a whole number")) return false;
            o.seed = static_cast<unsigned>(n);
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    if ((o.screenshotEvery > 0) != !o.screenshotDir.empty()) {
        error = "--screenshot-every and --screenshot-dir go together";
        return false;
    }
    return true;
}

bool loadScript(const std::string& path, InputScript& script, std::string& error) {
    if (path.empty()) return true;
    if (path == "-") return script.parse(std::cin, error);
    std::ifstream file(path);
    if (!file) {
        error = "cannot read input script " + path;
        return false;
    }
    return script.parse(file, error);
}

std::string frameFileName(const std::string& dir, long long frame) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%06lld.png", frame);
    return dir + name;
}

// The runner's own voice for the frame loop's start-up failures.
void reportFailure(const char* text, const char* /*caption*/) {
    std::fprintf(stderr, "mirelo-headless: %s\n", text);
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    InputScript script;
    if (!parseOptions(argc, argv, options, error) || !loadScript(options.inputPath, script, error)) {
        std::fprintf(stderr, "mirelo-headless: %s\n", error.c_str());
        return EXIT_BAD_ARGUMENTS;
    }

    // The same start-up as the games' entry points, on an offscreen window of
    // the requested size, with every update given the fixed step.
    Window window;
    auto game = std::make_unique<Game>();
    if (options.seed) game->setSeaweedSeed(*options.seed);
    headless::setErrorBox(reportFailure);
    FrameLoop<Window, Game> loop(window, game, options.width, options.height);
    if (!loop.start()) return EXIT_LOAD_FAILED;
    loop.useFixedStep(options.dt);

    bool glErrors = false;
    bool rendered = false;
    for (long long frame = 0; frame < options.frames; ++frame) {
        headless::setKeysDown(script.keysAt(frame));
        headless::setGamepad(script.padAt(frame));
        loop.pass();
        // While paused neither update nor render ran for this frame.
        if (!window.isActive()) continue;
        rendered = true;

        if (options.checkGl) {
            for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
                std::fprintf(stderr, "frame %lld: GL error 0x%04x\n", frame, e);
                glErrors = true;
            }
        }
        if (options.screenshotEvery > 0 && frame % options.screenshotEvery == 0)
            writeScreenshot(frameFileName(options.screenshotDir, frame), options.width, options.height);
    }

    int code = 0;
    if (!options.screenshotPath.empty()) {
        if (!rendered) game->render();  // nothing ran yet: show the loaded state
        if (!writeScreenshot(options.screenshotPath, options.width, options.height))
            code = EXIT_BAD_ARGUMENTS;
    }
    if (!options.statePath.empty()) {
        const std::string text = runReport(*game, options.frames, !window.isActive()).dump(2) + "\n";
        if (options.statePath == "-") {
            std::cout << text;
        } else {
            std::ofstream out(options.statePath);
            out << text;
            if (!out) {
                std::fprintf(stderr, "mirelo-headless: cannot write %s\n", options.statePath.c_str());
                code = EXIT_BAD_ARGUMENTS;
            }
        }
    }
    loop.shutDown();
    if (glErrors) return EXIT_GL_ERRORS;
    return code;
}
