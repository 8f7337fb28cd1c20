#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gfx/renderer.h"
#include "input/input_state.h"
#include "platform/audio_output.h"
#include "platform/platform.h"
#include "platform/window_base.h"

// Frames are paced to at least this many seconds, in sleeps of this many ms.
constexpr float MIN_FRAME_SECONDS = 0.015f;
constexpr int PACING_SLEEP_MS = 3;

constexpr const char* ERROR_CAPTION = "An error occurred";

// Seconds between two counter readings, through whole microseconds (rounded
// toward zero). The whole seconds and the rest of the delta are scaled apart:
// delta * 1000000 would overflow a 1 GHz counter after 2.6 hours in one pass
// (a stopped process, a suspended machine), and the result came out negative.
inline float elapsedSeconds(int64_t now, int64_t last, int64_t frequency) {
    constexpr int64_t MICRO = 1000000;
    if (frequency <= 0) return 0.0f;
    const int64_t delta = now - last;
    const int64_t seconds = delta / frequency;
    const int64_t rest = delta % frequency;  // same sign as delta, below frequency
    // Counters tick at most a few GHz; beyond that the rest is scaled in long double.
    const int64_t restMicro = frequency <= INT64_MAX / MICRO
                                  ? rest * MICRO / frequency
                                  : static_cast<int64_t>(static_cast<long double>(rest) * MICRO / frequency);
    const int64_t limit = INT64_MAX / MICRO;
    if (seconds > limit) return static_cast<float>(limit);
    if (seconds < -limit) return -static_cast<float>(limit);
    return static_cast<float>(seconds * MICRO + restMicro) / 1000000.0f;
}

// How a pass that comes less than MIN_FRAME_SECONDS after the last update
// waits for its time: a desktop loop sleeps in PACING_SLEEP_MS steps; a host
// that calls a pass per display refresh (a browser) cannot block, so such a
// pass only swaps and the time carries over to the next one.
enum class Pacing { SLEEP, SKIP };

// The run of the game, written once for every backend and every host:
// start-up, one pass of the loop at a time, shut-down. A desktop entry point
// runs `while (isRunning()) pass();` (runGame below); a scripted run
// (app/scripted_run.h) and the tests step passes themselves; a browser calls
// one pass per animation frame. The Window is a backend's (platform/backend.h); the game is
// destroyed last, on every path, after the window has forgotten it.
//
// Sound: the game's mixer (GameT::mixer, with the player's GameT::soundMuted)
// feeds the sound device once a pass, as much as the device asks for; paused,
// the mixer stands still and plays silence, and without the focus it is muted.
// Without a device the game plays silently and says so once.
template <class Window, class GameT, class Startup = GlStartup>
class FrameLoop {
public:
    FrameLoop(Window& window, std::unique_ptr<GameT>& game, int width = WINDOW_WIDTH,
              int height = WINDOW_HEIGHT)
        : window(window), game(game), width(width), height(height) {}
    FrameLoop(const FrameLoop&) = delete;
    FrameLoop& operator=(const FrameLoop&) = delete;

    // Start-up in the designed order: the window with its context, the render
    // state, the game's assets, its first size, then the clock. On a failure
    // the error box is shown, the window and the game are destroyed, and
    // false is returned (the process exits 1).
    bool start() {
        GameT* target = game.get();
        window.setResizeTarget([target](int w, int h) { target->resize(w, h); });
        if (!window.create(width, height, WINDOW_BITS_PER_PIXEL, false))
            return fail("Unable to create the OpenGL Window");
        std::string glMessage;
        if (!Startup::start(glMessage)) return fail(glMessage.c_str());
        if (!game->load()) return fail("Could not initialize the application");
        game->resize(width, height);
        openSound();
        last = platform::performanceCounter();
        frequency = platform::performanceFrequency();
        return true;
    }

    // One pass: a script's pause (while InputState holds a script), the
    // window's messages, the time since the last pass, update and render
    // while active (paced to MIN_FRAME_SECONDS), and a swap, paused or not.
    void pass() {
        if (const HeldInput* script = input.script())
            window.followScript(script->isKeyDown(vk::ESCAPE), script->pad.isDown(pad::START));
        window.pumpMessages();
        if (fixedStep) {
            if (window.isActive()) frame(*fixedStep);
            endPass();
            return;
        }
        int64_t now = platform::performanceCounter();
        float dt = elapsedSeconds(now, last, frequency);
        if (window.isActive()) {
            if (dt < MIN_FRAME_SECONDS && pacing == Pacing::SKIP) {
                endPass();
                return;  // `last` stays: the time counts towards the next pass
            }
            while (dt < MIN_FRAME_SECONDS) {
                platform::sleepMilliseconds(PACING_SLEEP_MS);
                now = platform::performanceCounter();
                dt = elapsedSeconds(now, last, frequency);
            }
            frame(dt);
        }
        endPass();
        // The latest reading, taken after any sleep: a paused game does not
        // get the paused time as one large dt when it resumes.
        last = now;
    }

    bool isRunning() const { return window.isRunning(); }

    // Shut-down after the last pass. Returns the exit code, 0.
    int shutDown() {
        destroyAll();
        return 0;
    }

    // Every update gets exactly this step instead of the clock's reading,
    // without pacing (a scripted run's --dt or dt=), 0 included.
    void useFixedStep(float seconds) { fixedStep = seconds; }
    void setPacing(Pacing mode) { pacing = mode; }
    // Whether start opens the sound device (a run that renders the mix
    // itself, mirelo-headless's, does not).
    void useSoundDevice(bool use) { soundDevice = use; }
    // A host that makes many passes for each picture it shows (the page's
    // unpaced scripted run) turns drawing off and draws once, after them,
    // with drawLatest: the picture of the last update, as its pass would have
    // drawn it. A paused pass draws nothing either way.
    void setDrawing(bool on) { drawing = on; }
    void drawLatest() {
        if (undrawn && window.isRunning()) game->render();
        undrawn = false;
    }

private:
    void frame(float dt) {
        game->update(dt);
        // A close request handled while pumping took the context with it:
        // the pass still finishes, but nothing may be drawn without one.
        if (!window.isRunning()) return;
        if (drawing)
            game->render();
        else
            undrawn = true;
    }

    void openSound() {
        if (!soundDevice) return;
        std::string whyNot;
        soundOpen = platform::openAudioOutput(whyNot);
        if (!soundOpen) std::fprintf(stderr, "No sound: %s; the game plays silently.\n", whyNot.c_str());
    }

    // The mixer follows the pause and the focus on every pass; the device
    // gets what it asks for, and shows the frame.
    void endPass() {
        game->mixer.setPaused(!window.isActive());
        game->mixer.setMuted(game->soundMuted || !platform::windowHasFocus());
        const int wanted = soundOpen ? platform::audioFramesWanted() : 0;
        if (wanted > 0) {
            soundBuffer.resize(static_cast<size_t>(wanted) * platform::AUDIO_CHANNELS);
            game->mixer.render(soundBuffer.data(), static_cast<size_t>(wanted));
            platform::queueAudio(soundBuffer.data(), wanted);
        }
        window.swapBuffers();
    }

    // The window must not be left pointing at a game that is gone.
    void destroyAll() {
        if (soundOpen) platform::closeAudioOutput();
        soundOpen = false;
        window.destroy();
        window.setResizeTarget(nullptr);
        game.reset();
    }

    bool fail(const char* text) {
        platform::showErrorBox(text, ERROR_CAPTION);
        destroyAll();
        return false;
    }

    Window& window;
    std::unique_ptr<GameT>& game;
    int width;
    int height;
    int64_t last = 0;
    int64_t frequency = 1;
    std::optional<float> fixedStep;
    Pacing pacing = Pacing::SLEEP;
    bool soundDevice = true;
    bool drawing = true;
    bool undrawn = false;  // an update ran whose picture was not drawn
    bool soundOpen = false;
    std::vector<int16_t> soundBuffer;
};

// The desktop games' whole run: start-up, passes while the window runs,
// shut-down. Returns the process exit code: 0 after a normal close, 1 after a
// start-up failure.
template <class Window, class GameT, class Startup = GlStartup>
int runGame(Window& window, std::unique_ptr<GameT>& game) {
    FrameLoop<Window, GameT, Startup> loop(window, game);
    if (!loop.start()) return 1;
    while (loop.isRunning()) loop.pass();
    return loop.shutDown();
}
