// The game in a web browser: the shared frame loop on the WebGL 2 canvas,
// one pass per animation frame. The browser cannot sleep the page's thread,
// so a pass that comes early only swaps and its time carries over
// (Pacing::SKIP).
//
// The page hands over the test hooks of its URL as arguments (see
// tools/web/page/page.js): --seed N (the seaweed seed), --dt S (every update
// gets this fixed step), --frames N (stop after N passes, then
// window.mireloDone = true), --input FILE (a key script, as mirelo-headless
// reads it, already fetched into the page's file system). The keys of frame F
// are held during pass F, and an Escape that goes down toggles the pause, as
// in mirelo-headless. window.mireloState() returns the JSON of
// mirelo-headless --state.
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "app/frame_loop.h"
#include "app/input_script.h"
#include "app/option_text.h"
#include "app/run_report.h"
#include "game/game.h"
#include "platform/web/web_platform.h"
#include "platform/web/web_window.h"

namespace {

struct Options {
    std::optional<unsigned> seed;
    float dt = 0.0f;        // 0: the clock
    long long frames = -1;  // -1: no end
    std::string inputPath;
};

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string name = argv[i];
        if (i + 1 >= argc) {
            error = "the page option " + name + " has no value";
            return false;
        }
        const std::string v = argv[++i];
        long long n = 0;
        if (name == "--seed") {
            if (!parseWhole(v, 0, 4294967295LL, n)) {
                error = "seed= takes a whole number, not '" + v + "'";
                return false;
            }
            o.seed = static_cast<unsigned>(n);
        } else if (name == "--dt") {
            char* end = nullptr;
            const double dt = std::strtod(v.c_str(), &end);
            if (v.empty() || *end != '\0' || !std::isfinite(dt) || dt <= 0.0 || dt > 3600.0) {
                error = "dt= takes a number of seconds, not '" + v + "'";
                return false;
            }
            o.dt = static_cast<float>(dt);
        } else if (name == "--frames") {
            if (!parseWhole(v, 0, 100000000, o.frames)) {
                error = "frames= takes a whole number of frames, not '" + v + "'";
                return false;
            }
        } else if (name == "--input") {
            o.inputPath = v;
        } else {
            error = "unknown page option " + name;
            return false;
        }
    }
    return true;
}

bool loadScript(const std::string& path, InputScript& script, std::string& error) {
    if (path.empty()) return true;
    std::ifstream file(path);
    if (!file) {
        error = "cannot read the key script " + path;
        return false;
    }
    return script.parse(file, error);
}

// Everything the browser's frames work on; it lives as long as the page.
struct Run {
    Window window;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    FrameLoop<Window, Game> loop{window, game};
    InputScript script;
    bool scripted = false;
    long long frameLimit = -1;
    long long framesRun = 0;
};

void onAnimationFrame(void* arg) {
    Run& run = *static_cast<Run*>(arg);
    if (run.scripted) {
        run.window.holdScriptedKeys(run.script.keysAt(run.framesRun));
        web::holdScriptedPad(run.script.padAt(run.framesRun));
    }
    run.loop.pass();
    if (++run.framesRun == run.frameLimit) {
        web::stopAnimationFrames();
        web::announceDone();
    }
}

}  // namespace

int main(int argc, char** argv) {
    static Run run;
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error) || !loadScript(options.inputPath, run.script, error)) {
        platform::showErrorBox(error.c_str(), ERROR_CAPTION);
        return 1;
    }
    if (options.seed) run.game->setSeaweedSeed(*options.seed);
    run.scripted = !options.inputPath.empty();
    run.frameLimit = options.frames;

    run.loop.setPacing(Pacing::SKIP);
    if (!run.loop.start()) return 1;
    if (options.dt > 0.0f) run.loop.useFixedStep(options.dt);
    web::setStateReport([] { return runReport(*run.game, run.framesRun, !run.window.isActive()).dump(2); });
    if (run.frameLimit == 0) {
        web::announceDone();
        return 0;
    }
    web::runEveryAnimationFrame(onAnimationFrame, &run);
    return 0;
}
