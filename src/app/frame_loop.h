#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "app/gl_api.h"
#include "app/platform.h"
#include "app/renderer.h"

// Window size and colour depth the game is designed for.
constexpr int WINDOW_WIDTH = 1280;
constexpr int WINDOW_HEIGHT = 720;
constexpr int WINDOW_BITS_PER_PIXEL = 32;

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

// Viewport and initial render state, once the window's context is current.
// Returns false (and says why on standard error) when the driver lacks an
// entry point the game calls: none of them may be called through null.
struct GlStartup {
    static bool start(std::string& message) {
        renderer.setViewport(0, 0, WINDOW_WIDTH, WINDOW_HEIGHT);
        if (renderer.initState()) return true;
        message = "This OpenGL driver lacks functions the game needs:";
        for (const char* name : missingGlEntryPoints()) message += std::string(" ") + name;
        std::fprintf(stderr, "%s\n", message.c_str());
        return false;
    }
};

// The run of the game from start-up to shut-down, written once for every
// backend. Returns the process exit code: 0 after a normal close, 1 after a
// start-up failure. The game is destroyed last, on every path.
template <class Window, class GameT, class Startup = GlStartup>
int runGame(Window& window, std::unique_ptr<GameT>& game) {
    window.setResizeTarget(game.get());
    // The window must not be left pointing at a game that is gone.
    auto destroyAll = [&] {
        window.destroy();
        window.setResizeTarget(nullptr);
        game.reset();
    };
    auto fail = [&](const char* text) {
        platform::showErrorBox(text, ERROR_CAPTION);
        destroyAll();
        return 1;
    };
    if (!window.create(WINDOW_WIDTH, WINDOW_HEIGHT, WINDOW_BITS_PER_PIXEL, false))
        return fail("Unable to create the OpenGL Window");
    std::string glMessage;
    if (!Startup::start(glMessage)) return fail(glMessage.c_str());
    if (!game->load()) return fail("Could not initialize the application");
    game->resize(WINDOW_WIDTH, WINDOW_HEIGHT);

    int64_t last = platform::performanceCounter();
    const int64_t frequency = platform::performanceFrequency();
    while (window.isRunning()) {
        window.pumpMessages();
        int64_t now = platform::performanceCounter();
        float dt = elapsedSeconds(now, last, frequency);
        if (window.isActive()) {
            while (dt < MIN_FRAME_SECONDS) {
                platform::sleepMilliseconds(PACING_SLEEP_MS);
                now = platform::performanceCounter();
                dt = elapsedSeconds(now, last, frequency);
            }
            game->update(dt);
            // A close request handled while pumping took the context with it:
            // the pass still finishes, but nothing may be drawn without one.
            if (window.isRunning()) {
                renderer.beginFrame();
                game->render();
                renderer.endFrame();
            }
        }
        window.swapBuffers();
        last = now;
    }
    destroyAll();
    return 0;
}
