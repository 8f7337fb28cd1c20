#pragma once

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
#include "app/input_script.h"
#include "app/run_report.h"
#include "game/game.h"
#include "input/input_state.h"

// A scripted run: the real game on a backend's Window, started as every entry
// point starts it, with the options of the run (the seaweed seed, a fixed
// step, a key script, a frame limit) and outputs written as it goes and at
// its end. mirelo-headless (main_headless.cpp) and the web page's test hooks
// (main_web.cpp) are both this; what they take and write is the contract in
// the design notes, and the options are listed once, in scripted_run.cpp.

// Where a run's options come from: mirelo-headless's command line takes them
// all and names them "--frames"; the page's URL takes seed, dt, frames and
// input, named "frames=" and so on.
enum class OptionHost { COMMAND_LINE, PAGE };

struct RunOptions {
    long long frames = -1;     // -1: no end
    std::optional<double> dt;  // none: the clock, paced as the games are
    std::string inputPath;     // empty: no script; "-": standard input
    int width = WINDOW_WIDTH;  // the window's (mirelo-headless: the offscreen surface's)
    int height = WINDOW_HEIGHT;
    std::optional<unsigned> seed;  // none: the clock seeds the seaweed
    std::string screenshotPath;    // the last frame
    long long screenshotEvery = 0;
    std::string screenshotDir;
    std::string statePath;  // "-": standard output
    bool checkGl = false;
    std::string audioPath;     // the whole run's mix as a WAV file
    std::string soundLogPath;  // "-": standard output
    // The page plays through the browser's sound; mirelo-headless has no
    // device and renders the mix for --audio itself.
    bool soundDevice = true;
};

// Reads argv[1..] as the host's options, from that host's defaults
// (mirelo-headless: 1 frame of 0.016 s; the page: no end, the clock). On an
// unknown option or a bad value returns false with a message naming it.
bool parseRunOptions(int argc, char** argv, OptionHost host, RunOptions& options, std::string& error);

// The key script of the options ("" reads none, "-" standard input); false,
// with the reason, when it cannot be read or is malformed.
bool loadInputScript(const std::string& path, InputScript& script, std::string& error);

// mirelo-headless's exit codes beyond 0.
constexpr int EXIT_LOAD_FAILED = 1;
constexpr int EXIT_BAD_ARGUMENTS = 2;
constexpr int EXIT_GL_ERRORS = 3;

// Something a run writes: told after every pass which frame it was and
// whether update and render ran (a paused pass runs neither); finished once
// after the last pass, returning 0 or the exit code of its failure.
struct RunOutput {
    std::function<void(long long frame, bool ran)> afterPass;
    std::function<int()> finish;
};

// The outputs the options ask for, in the order they finish: the GL check
// (--check-gl), screenshots every K frames, the last frame's screenshot, the
// mix (--audio), the sound log, the state report. render draws the current
// frame again for a screenshot of a run in which nothing was drawn; state is
// the report as it stands; the game's mixer and its started sounds are heard
// and logged after each pass.
std::vector<RunOutput> optionOutputs(const RunOptions& options, std::function<void()> render,
                                     std::function<nlohmann::ordered_json()> state, Game& game);

template <class Window>
class ScriptedRun {
public:
    explicit ScriptedRun(RunOptions runOptions) : options(std::move(runOptions)) {}
    ScriptedRun(const ScriptedRun&) = delete;
    ScriptedRun& operator=(const ScriptedRun&) = delete;

    bool loadScript(std::string& error) { return loadInputScript(options.inputPath, script, error); }

    // The start-up of every entry point (the frame loop's), the seed before
    // it and the fixed step after it. False when the game failed to start;
    // its message box has been shown.
    bool start(Pacing pacing) {
        if (options.seed) game->setSeaweedSeed(*options.seed);
        loop.setPacing(pacing);
        loop.useSoundDevice(options.soundDevice);
        if (!loop.start()) return false;
        if (options.dt) loop.useFixedStep(static_cast<float>(*options.dt));
        outputs = optionOutputs(
            options, [this] { game->render(); }, [this] { return state(); }, *game);
        return true;
    }

    // One frame: the script's keys and controller held (only with a script:
    // without one the player plays), one pass of the frame loop, then every
    // output told about it.
    void pass() {
        if (!options.inputPath.empty()) input.holdScripted(script.keysAt(framesRun), script.padAt(framesRun));
        loop.pass();
        const bool ran = window.isActive();
        for (RunOutput& output : outputs)
            if (output.afterPass) output.afterPass(framesRun, ran);
        ++framesRun;
    }

    // Passes that update without drawing, and the picture of the last one
    // drawn when asked (FrameLoop::setDrawing, drawLatest).
    void setDrawing(bool on) { loop.setDrawing(on); }
    void drawLatest() { loop.drawLatest(); }

    bool finished() const { return options.frames >= 0 && framesRun >= options.frames; }

    // The page's mute button: what M does, from outside the update. True
    // when the game is now muted.
    bool toggleMute() { return game->soundMuted = !game->soundMuted; }

    // The state report as the game stands (--state, window.mireloState()).
    nlohmann::ordered_json state() const { return runReport(*game, framesRun, !window.isActive()); }

    // After the last pass: every output finishes, then the frame loop shuts
    // down. Returns the exit code: 0, or the highest an output failed with.
    int finish() {
        int code = 0;
        for (RunOutput& output : outputs)
            if (output.finish) code = std::max(code, output.finish());
        loop.shutDown();
        return code;
    }

private:
    RunOptions options;
    InputScript script;
    Window window;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    FrameLoop<Window, Game> loop{window, game, options.width, options.height};
    std::vector<RunOutput> outputs;
    long long framesRun = 0;
};
