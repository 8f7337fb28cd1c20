#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "audio/mixer.h"
#include "platform/headless/headless_platform.h"
#include "platform/window_events.h"
#include "test_files.h"

namespace {

// A scripted clock in microsecond ticks: sleeping advances it by the slept
// time, and each window pump advances it by what the test says a pass costs.
long long clockTicks = 0;
std::vector<int> sleeps;
long long readClock() { return clockTicks; }
void scriptedSleep(int ms) {
    sleeps.push_back(ms);
    clockTicks += ms * 1000LL;
}

std::vector<std::string> events;
int totalUpdates = 0;
int totalRenders = 0;

struct FakeGame {
    Mixer mixer;
    bool soundMuted = false;
    bool loadResult = true;
    std::vector<float> dts;
    int renders = 0;
    std::vector<std::pair<int, int>> sizes;
    bool load() {
        events.push_back("load");
        return loadResult;
    }
    void resize(int w, int h) { sizes.emplace_back(w, h); }
    void update(float dt) {
        dts.push_back(dt);
        ++totalUpdates;
    }
    void render() {
        ++renders;
        ++totalRenders;
    }
    ~FakeGame();
};

struct FakeWindow {
    bool createResult = true;
    bool running = false;
    bool active = true;
    WindowEvents::ResizeTarget target;
    int pass = 0;
    // Per pass: microseconds the pass costs before timing, and what happens.
    std::function<void(FakeWindow&, int)> onPump;
    int swaps = 0;

    void setResizeTarget(WindowEvents::ResizeTarget t) { target = std::move(t); }
    int expectedWidth = 1280;
    int expectedHeight = 720;
    bool create(int w, int h, int bpp, bool fullscreen) {
        EXPECT_EQ(w, expectedWidth);
        EXPECT_EQ(h, expectedHeight);
        EXPECT_EQ(bpp, 32);
        EXPECT_FALSE(fullscreen);
        events.push_back("create");
        if (!createResult) return false;
        // Size messages arrive during creation, before the game is loaded.
        if (target) target(w, h);
        running = true;
        return true;
    }
    bool isRunning() const { return running; }
    bool isActive() const { return active; }
    void pumpMessages() {
        if (onPump) onPump(*this, pass);
        ++pass;
    }
    void swapBuffers() { ++swaps; }
    void destroy() { events.push_back("window destroyed"); }
    // What a script's Escape and Start were on each pass that had a script.
    std::vector<std::pair<bool, bool>> scriptPauses;
    void followScript(bool escape, bool start) { scriptPauses.emplace_back(escape, start); }
};

// The window under test, so that a dying game can see whether the window
// still points at it.
FakeWindow* liveWindow = nullptr;

FakeGame::~FakeGame() {
    const bool stillTarget = liveWindow && liveWindow->target;
    events.push_back(stillTarget ? "game destroyed while the window still forwards to it" : "game destroyed");
}

struct NoGl {
    static bool start(std::string&) { return true; }
};
struct MissingGl {
    static bool start(std::string& message) {
        message = "This OpenGL driver lacks functions the game needs: glCreateShader";
        return false;
    }
};

struct FrameLoopTest : ::testing::Test {
    void SetUp() override {
        clockTicks = 0;
        sleeps.clear();
        events.clear();
        totalUpdates = totalRenders = 0;
        input.endScript();  // another test's script must not reach these loops
        headless::setClock(readClock, 1000000, scriptedSleep);
    }
    void TearDown() override {
        headless::setClock(nullptr, 1, nullptr);
        liveWindow = nullptr;
    }
};

// Runs the loop for the given pass costs (microseconds spent before the
// pass reads the clock), closing the window after the last one.
template <class Startup = NoGl>
int runPasses(FakeWindow& window, std::unique_ptr<FakeGame>& game, std::vector<long long> costs,
              std::function<void(FakeWindow&, int)> extra = nullptr) {
    window.onPump = [costs, extra](FakeWindow& w, int pass) {
        clockTicks += costs[static_cast<size_t>(pass)];
        if (extra) extra(w, pass);
        if (pass + 1 == static_cast<int>(costs.size())) w.running = false;
    };
    return runGame<FakeWindow, FakeGame, Startup>(window, game);
}

}  // namespace

TEST(ElapsedSeconds, TruncatesToWholeMicroseconds) {
    EXPECT_FLOAT_EQ(elapsedSeconds(14999999, 0, 1000000000), 0.014999f);
    EXPECT_FLOAT_EQ(elapsedSeconds(3, 1, 1000000), 0.000002f);
    EXPECT_FLOAT_EQ(elapsedSeconds(1000, 0, 3000), 0.333333f);
}

// Whole microseconds from exact 128-bit arithmetic, rounded toward zero as
// C++ integer division rounds.
float exactSeconds(int64_t delta, int64_t frequency) {
    const __int128 micro = static_cast<__int128>(delta) * 1000000 / frequency;
    return static_cast<float>(static_cast<int64_t>(micro)) / 1000000.0f;
}

TEST(ElapsedSeconds, LongPassesOnFastCountersGiveTheirTrueLengthNotAnOverflow) {
    const int64_t HOUR_AT_1GHZ = 3600LL * 1000000000LL;
    struct Case {
        int64_t delta, frequency;
    };
    const Case cases[] = {
        {14999999, 1000000000},                      // the pacing threshold, in ns
        {-16000001, 1000000000},                     // a counter that stepped back
        {9223372036854LL, 1000000000},               // the last delta the old product held
        {9223372036855LL, 1000000000},               // the first one it overflowed on
        {3 * HOUR_AT_1GHZ + 123456789, 1000000000},  // a machine suspended for three hours
        {-3 * HOUR_AT_1GHZ - 1, 1000000000},
        {100LL * 365 * 24 * HOUR_AT_1GHZ / 1000, 1000000000},  // a century
        {123456789012LL, 3579545},                             // the old ACPI timer rate
        {987654321, 10000000},                                 // Windows' usual 10 MHz
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.delta);
        const float seconds = elapsedSeconds(c.delta, 0, c.frequency);
        EXPECT_EQ(seconds, exactSeconds(c.delta, c.frequency));
        EXPECT_EQ(seconds > 0, c.delta > 0);
        // Where the old product did not overflow, the result is unchanged.
        if (c.delta <= INT64_MAX / 1000000 && c.delta >= -(INT64_MAX / 1000000)) {
            EXPECT_EQ(seconds, static_cast<float>((c.delta * 1000000) / c.frequency) / 1000000.0f);
        }
    }
    EXPECT_NEAR(elapsedSeconds(3 * HOUR_AT_1GHZ, 0, 1000000000), 10800.0f, 0.01f);
}

TEST_F(FrameLoopTest, ShortIntervalSleepsInThreeMillisecondStepsUntilFifteen) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    std::vector<float> dts;
    window.onPump = nullptr;
    const int code = runPasses(window, game, {14900, 14900}, [&](FakeWindow&, int) {
        if (g) dts = g->dts;
    });
    EXPECT_EQ(code, 0);
    ASSERT_EQ(dts.size(), 1u);  // the first update, seen from the second pump
    EXPECT_GE(dts[0], 0.015f);
    EXPECT_NEAR(dts[0], 0.0179f, 1e-6f);  // 14.9 ms plus one 3 ms sleep
    ASSERT_GE(sleeps.size(), 1u);
    for (int ms : sleeps) EXPECT_EQ(ms, 3);
}

TEST_F(FrameLoopTest, SlowFramePassesItsWholeTimeWithoutSleeping) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    std::vector<float> seen;
    FakeGame* g = game.get();
    runPasses(window, game, {40000, 40000, 5}, [&](FakeWindow&, int) { seen = g->dts; });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NEAR(seen[0], 0.040f, 1e-6f);
    EXPECT_NEAR(seen[1], 0.040f, 1e-6f);
    // Only the last pass (5 us) had to be paced.
    EXPECT_EQ(sleeps.size(), 5u);
}

TEST_F(FrameLoopTest, PauseStopsUpdatesAndResumingGivesOnePassNotThePause) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    std::vector<float> seen;
    int rendersWhilePaused = -1;
    int swapsAtEnd = 0;
    // Pass 1 pauses, passes 1-3 run paused (1 s each), pass 4 resumes.
    runPasses(window, game, {20000, 1000000, 1000000, 1000000, 20000, 20000}, [&](FakeWindow& w, int pass) {
        if (pass == 1) w.active = false;
        if (pass == 2) rendersWhilePaused = g->renders;
        if (pass == 4) {
            EXPECT_EQ(g->renders, rendersWhilePaused);
            w.active = true;
        }
        seen = g->dts;
        swapsAtEnd = w.swaps;
    });
    ASSERT_EQ(seen.size(), 2u);  // pass 0, then pass 4 (pass 5's update is after the last pump)
    EXPECT_NEAR(seen[1], 0.020f, 1e-6f);
    EXPECT_EQ(swapsAtEnd, 5);  // swapped on every pass, paused or not
}

TEST_F(FrameLoopTest, CloseDuringPumpingFinishesThePassThenExitsZero) {
    FakeWindow window;
    liveWindow = &window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    int updates = 0, renders = 0;
    window.onPump = [&](FakeWindow& w, int pass) {
        clockTicks += 16000;
        if (pass == 2) {
            updates = static_cast<int>(g->dts.size());
            renders = g->renders;
            w.running = false;  // the close box was clicked
        }
    };
    const int code = runGame<FakeWindow, FakeGame, NoGl>(window, game);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(window.pass, 3);
    EXPECT_EQ(window.swaps, 3);  // the closing pass still swapped
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(renders, 2);
    // The closing pass measured time and updated, but drew nothing: the
    // window had already released its GL context.
    EXPECT_EQ(totalUpdates, 3);
    EXPECT_EQ(totalRenders, 2);
    EXPECT_EQ(game, nullptr);
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], "window destroyed");
    EXPECT_EQ(events.back(), "game destroyed");
}

TEST_F(FrameLoopTest, StartUpOrderResizeBeforeLoadAndAfter) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    std::vector<std::pair<int, int>> sizes;
    runPasses(window, game, {16000}, [&](FakeWindow&, int) { sizes = g->sizes; });
    ASSERT_EQ(sizes.size(), 2u);  // once from the window's creation, once from the entry point
    EXPECT_EQ(sizes[1], std::make_pair(1280, 720));
    EXPECT_EQ(events[0], "create");
    EXPECT_EQ(events[1], "load");
}

TEST_F(FrameLoopTest, LoadFailureShowsTheMessageAndExitsOneWithoutLooping) {
    FakeWindow window;
    liveWindow = &window;
    auto game = std::make_unique<FakeGame>();
    game->loadResult = false;
    int code = -1;
    const CapturedOutput out =
        captureOutput([&] { code = runGame<FakeWindow, FakeGame, NoGl>(window, game); });
    EXPECT_EQ(code, 1);
    EXPECT_NE(out.err.find("An error occurred: Could not initialize the application"), std::string::npos);
    EXPECT_EQ(window.pass, 0);
    EXPECT_EQ(window.swaps, 0);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[2], "window destroyed");
    EXPECT_EQ(events[3], "game destroyed");
}

TEST_F(FrameLoopTest, WindowFailureShowsItsMessageAndDestroysTheGame) {
    FakeWindow window;
    liveWindow = &window;
    window.createResult = false;
    auto game = std::make_unique<FakeGame>();
    int code = -1;
    const CapturedOutput out =
        captureOutput([&] { code = runGame<FakeWindow, FakeGame, NoGl>(window, game); });
    EXPECT_EQ(code, 1);
    EXPECT_NE(out.err.find("An error occurred: Unable to create the OpenGL Window"), std::string::npos);
    EXPECT_EQ(events, (std::vector<std::string>{"create", "window destroyed", "game destroyed"}));
}

TEST_F(FrameLoopTest, MissingEntryPointsStopStartUpBeforeLoading) {
    FakeWindow window;
    liveWindow = &window;
    auto game = std::make_unique<FakeGame>();
    int code = -1;
    const CapturedOutput out =
        captureOutput([&] { code = runGame<FakeWindow, FakeGame, MissingGl>(window, game); });
    EXPECT_EQ(code, 1);
    EXPECT_NE(out.err.find("glCreateShader"), std::string::npos);
    EXPECT_EQ(events, (std::vector<std::string>{"create", "window destroyed", "game destroyed"}));
}

// A host that calls one pass per display refresh (a browser) cannot sleep:
// a pass that comes too early only swaps, and its time carries over, so no
// update ever sees less than 15 ms and no time is lost.
TEST_F(FrameLoopTest, SkipPacingSwapsEarlyPassesAndCarriesTheirTimeOver) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    FrameLoop<FakeWindow, FakeGame, NoGl> loop(window, game);
    loop.setPacing(Pacing::SKIP);
    ASSERT_TRUE(loop.start());
    // Passes every 8.3 ms, as on a 120 Hz screen.
    for (int pass = 0; pass < 12; ++pass) {
        clockTicks += 8333;
        loop.pass();
    }
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(window.swaps, 12);
    ASSERT_EQ(g->dts.size(), 6u);  // every second pass is due
    for (float dt : g->dts) {
        EXPECT_GE(dt, MIN_FRAME_SECONDS);
        EXPECT_NEAR(dt, 0.016666f, 1e-6f);
    }
    EXPECT_EQ(g->renders, 6);
    EXPECT_EQ(loop.shutDown(), 0);
}

// The headless runner and the browser's dt= test hook: every update gets
// exactly the fixed step, whatever the clock says, and nothing sleeps; a
// paused pass still runs neither update nor render.
TEST_F(FrameLoopTest, FixedStepIgnoresTheClockAndThePacing) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FakeGame* g = game.get();
    window.expectedWidth = 320;
    window.expectedHeight = 180;
    FrameLoop<FakeWindow, FakeGame, NoGl> loop(window, game, 320, 180);
    ASSERT_TRUE(loop.start());
    loop.useFixedStep(0.004f);
    for (int pass = 0; pass < 5; ++pass) {
        clockTicks += pass == 2 ? 5000000 : 1;
        window.active = pass != 3;
        loop.pass();
    }
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(g->dts, (std::vector<float>{0.004f, 0.004f, 0.004f, 0.004f}));
    EXPECT_EQ(g->renders, 4);
    EXPECT_EQ(window.swaps, 5);
    EXPECT_EQ(g->sizes.back(), std::make_pair(320, 180));
    // Drawing off (the page's unpaced run): passes update and draw nothing;
    // drawLatest draws once, and only after an update no pass drew.
    loop.setDrawing(false);
    for (int pass = 0; pass < 3; ++pass) loop.pass();
    EXPECT_EQ(g->dts.size(), 7u);
    EXPECT_EQ(g->renders, 4);
    loop.drawLatest();
    loop.drawLatest();
    EXPECT_EQ(g->renders, 5);
    window.active = false;
    loop.pass();
    loop.drawLatest();
    EXPECT_EQ(g->renders, 5);
    EXPECT_EQ(window.swaps, 9);
    loop.shutDown();
}

// A script's Escape and Start reach the window's pause on every pass that has
// a script, and only then: the player's keys pause a run without one.
TEST_F(FrameLoopTest, AScriptsPauseKeysReachTheWindowOnEveryScriptedPass) {
    FakeWindow window;
    auto game = std::make_unique<FakeGame>();
    FrameLoop<FakeWindow, FakeGame, NoGl> loop(window, game);
    ASSERT_TRUE(loop.start());
    loop.useFixedStep(0.016f);
    loop.pass();
    GamepadState start;
    start.buttons = pad::START;
    input.holdScripted({vk::ESCAPE, vk::SPACE});
    loop.pass();
    input.holdScripted({}, start);
    loop.pass();
    input.endScript();
    loop.pass();
    EXPECT_EQ(window.scriptPauses, (std::vector<std::pair<bool, bool>>{{true, false}, {false, true}}));
    loop.shutDown();
}
