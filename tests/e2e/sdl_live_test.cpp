// The Linux game's own window, frame loop and game in this process, on an X
// server (tests/e2e/sdl_live.sh runs it under Xvfb with a window manager),
// stepped one pass at a time. What needs the inside of the process: a
// virtual game controller (SDL's virtual joystick) attached, pressed and
// removed between passes, and the game's state read back after each.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/frame_loop.h"
#include "game/game.h"
#include "gfx/gl_api.h"
#include "input/input_state.h"
#include "platform/sdl/sdl_window.h"

namespace {

constexpr float STEP = 0.016f;  // the headless runner's step: frames do not wait for the clock

// One run of the game for the whole program: SDL starts once per process.
struct Live {
    Window window;
    std::unique_ptr<Game> game = std::make_unique<Game>();
    FrameLoop<Window, Game> loop{window, game};
    bool started = false;

    void passes(int count) {
        for (int i = 0; i < count; ++i) loop.pass();
    }
};

Live* live = nullptr;

// A controller as SDL's virtual joystick in the standard layout: its buttons
// and axes are numbered as SDL's game controller names them.
struct VirtualPad {
    int deviceIndex = -1;
    SDL_Joystick* joystick = nullptr;

    bool attach() {
        deviceIndex = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                                SDL_CONTROLLER_BUTTON_MAX, 0);
        if (deviceIndex < 0) return false;
        joystick = SDL_JoystickOpen(deviceIndex);
        return joystick != nullptr;
    }
    void press(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0);
    }
    void axis(SDL_GameControllerAxis which, Sint16 value) {
        SDL_JoystickSetVirtualAxis(joystick, which, value);
    }
    void detach() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
        SDL_JoystickClose(joystick);
        joystick = nullptr;
        for (int i = 0; i < SDL_NumJoysticks(); ++i)
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
};

// Passes until the game has opened every connected controller (it opens
// them as SDL reports them).
void letTheGameSeeThePads() {
    live->passes(3);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        ASSERT_NE(SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(i)), nullptr)
            << "the game did not open controller " << i;
}

// Brings the swimmer to rest.
void stopSwimming() {
    for (int i = 0; i < 200 && live->game->speed > 0.0f; ++i) live->passes(1);
    ASSERT_EQ(live->game->speed, 0.0f);
}

// xdotool through the X server's test extension: real key events, to the
// window that has the keyboard focus, as a player's keyboard sends them.
void xdo(const std::string& arguments) {
    ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments;
}

// Passes until SDL has seen the X events sent so far: a short wait between
// passes lets them arrive.
void passesWhileEventsArrive(int count = 20) {
    for (int i = 0; i < count; ++i) {
        live->passes(1);
        SDL_Delay(10);
    }
}

// What the game reads of its keys, as one comparable row.
struct Read {
    bool space, lctrl, f1;
    float x, y;
    bool paused;
    bool mute = false;
    bool operator==(const Read& o) const {
        return space == o.space && lctrl == o.lctrl && f1 == o.f1 && x == o.x && y == o.y &&
               paused == o.paused && mute == o.mute;
    }
};
std::ostream& operator<<(std::ostream& out, const Read& r) {
    return out << "space " << r.space << " lctrl " << r.lctrl << " f1 " << r.f1 << " axis " << r.x << ","
               << r.y << " paused " << r.paused << " mute " << r.mute;
}
Read read() {
    return {input.isSpaceDown(), input.isLeftControlDown(), input.isF1Down(),  input.getAxisA().x,
            input.getAxisA().y,  !live->window.isActive(),  input.isMuteDown()};
}
constexpr Read NOTHING{false, false, false, 0, 0, false};

// Each key the game reads, and what holding it must read as.
const struct KeyRow {
    // The X key name, or its code on the X server: named, Control_R comes
    // with a Control_L from xdotool (which presses the Control modifier too).
    const char* key;
    Read held;
} KEYS[] = {
    {"space", {true, false, false, 0, 0, false}},     {"Left", {false, false, false, -1, 0, false}},
    {"Right", {false, false, false, 1, 0, false}},    {"Up", {false, false, false, 0, 1, false}},
    {"Down", {false, false, false, 0, -1, false}},    {"105", NOTHING},  // Control_R
    {"Control_L", {false, true, false, 0, 0, false}}, {"F1", {false, false, true, 0, 0, false}},
    {"Escape", {false, false, false, 0, 0, true}},    {"m", {false, false, false, 0, 0, false, true}},
};

// Each controller input, a button or the left stick pushed (SDL's y grows
// downwards: pushed away it must dive, as Up does), and what it must read as.
constexpr auto NO_BUTTON = SDL_CONTROLLER_BUTTON_INVALID;
constexpr auto NO_AXIS = SDL_CONTROLLER_AXIS_INVALID;
const struct PadRow {
    SDL_GameControllerButton button;
    SDL_GameControllerAxis axis;
    Sint16 value;
    Read held;
} PADS[] = {
    {SDL_CONTROLLER_BUTTON_A, NO_AXIS, 0, {true, false, false, 0, 0, false}},
    {SDL_CONTROLLER_BUTTON_X, NO_AXIS, 0, {false, true, false, 0, 0, false}},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, NO_AXIS, 0, {false, true, false, 0, 0, false}},
    {SDL_CONTROLLER_BUTTON_BACK, NO_AXIS, 0, {false, false, true, 0, 0, false}},
    {SDL_CONTROLLER_BUTTON_Y, NO_AXIS, 0, {false, false, false, 0, 0, false, true}},
    {SDL_CONTROLLER_BUTTON_START, NO_AXIS, 0, {false, false, false, 0, 0, true}},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, NO_AXIS, 0, {false, false, false, 0, 1, false}},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, NO_AXIS, 0, {false, false, false, 0, -1, false}},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, NO_AXIS, 0, {false, false, false, -1, 0, false}},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, NO_AXIS, 0, {false, false, false, 1, 0, false}},
    {NO_BUTTON, SDL_CONTROLLER_AXIS_LEFTY, -32768, {false, false, false, 0, 1, false}},
    {NO_BUTTON, SDL_CONTROLLER_AXIS_LEFTY, 32767, {false, false, false, 0, -1, false}},
    {NO_BUTTON, SDL_CONTROLLER_AXIS_LEFTX, -32768, {false, false, false, -1, 0, false}},
    {NO_BUTTON, SDL_CONTROLLER_AXIS_LEFTX, 32767, {false, false, false, 1, 0, false}},
    {NO_BUTTON, SDL_CONTROLLER_AXIS_LEFTX, 16000, NOTHING},  // inside the dead zone
};
void holdPad(VirtualPad& pad, const PadRow& row, bool down) {
    if (row.axis != NO_AXIS) pad.axis(row.axis, down ? row.value : 0);
    if (row.button != NO_BUTTON) pad.press(row.button, down);
}
std::ostream& operator<<(std::ostream& out, const PadRow& row) {
    return out << "button " << row.button << ", axis " << row.axis << " at " << row.value;
}

// Moves the keyboard focus to the game's window (true) or to another X client's.
void focusGame(bool game) {
    if (game) {
        SDL_Window* window = SDL_GL_GetCurrentWindow();
        SDL_RaiseWindow(window);
        SDL_SetWindowInputFocus(window);
    } else {
        xdo("search --sync --name '^Another window$' windowactivate --sync");
    }
    for (int i = 0; i < 200 && (SDL_GetKeyboardFocus() != nullptr) != game; ++i) passesWhileEventsArrive(1);
    ASSERT_EQ(SDL_GetKeyboardFocus() != nullptr, game);
}

class LiveEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        live = new Live;
        ASSERT_TRUE(live->loop.start())
            << "the game did not start (DISPLAY, data/ in the working directory?)";
        live->loop.useFixedStep(STEP);
        live->started = true;
        live->passes(5);
        // Keys and controllers go to the window with the keyboard focus.
        SDL_Window* window = SDL_GL_GetCurrentWindow();
        ASSERT_NE(window, nullptr);
        SDL_RaiseWindow(window);
        SDL_SetWindowInputFocus(window);
        for (int i = 0; i < 100 && SDL_GetKeyboardFocus() != window; ++i) {
            live->passes(1);
            SDL_Delay(10);
        }
        ASSERT_EQ(SDL_GetKeyboardFocus(), window) << "the game's window never got the keyboard focus";
    }
    void TearDown() override {
        if (live->started) live->loop.shutDown();
        delete live;
    }
};

}  // namespace

TEST(Controller, ASwimsAndEachInputReadsAsItsKey) {
    VirtualPad pad;
    ASSERT_TRUE(pad.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    stopSwimming();

    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    live->passes(30);
    // Holding A accelerates as Space does, by 7 units/s^2 (until 10).
    EXPECT_NEAR(live->game->speed, 30 * STEP * 7.0f, 0.01f);
    pad.press(SDL_CONTROLLER_BUTTON_A, false);
    live->passes(2);
    EXPECT_LT(live->game->speed, 30 * STEP * 7.0f);

    for (const PadRow& row : PADS) {
        holdPad(pad, row, true);
        live->passes(2);
        EXPECT_EQ(read(), row.held) << row;
        EXPECT_TRUE(!row.held.f1 || live->game->hintTimer == STEP) << "the press restarted the help";
        holdPad(pad, row, false);
        live->passes(2);
        if (row.held.paused) {  // a second press resumes
            pad.press(SDL_CONTROLLER_BUTTON_START, true);
            live->passes(2);
            pad.press(SDL_CONTROLLER_BUTTON_START, false);
        }
        EXPECT_EQ(read(), NOTHING) << "after " << row;
    }
    pad.detach();
    live->passes(2);
}

TEST(Controller, StartPausesOncePerPressAndResumesOnTheNext) {
    VirtualPad pad;
    ASSERT_TRUE(pad.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    ASSERT_TRUE(live->window.isActive());
    pad.press(SDL_CONTROLLER_BUTTON_A, true);  // swimming, so a frozen game shows
    live->passes(5);

    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    live->passes(1);
    EXPECT_FALSE(live->window.isActive());
    const Vec3 frozenAt = live->game->swimmerPosition;
    // Held: no flicker, nothing moves.
    for (int i = 0; i < 20; ++i) {
        live->passes(1);
        ASSERT_FALSE(live->window.isActive()) << "pass " << i << " with Start held";
    }
    pad.press(SDL_CONTROLLER_BUTTON_START, false);
    live->passes(5);
    EXPECT_FALSE(live->window.isActive());
    EXPECT_EQ(live->game->swimmerPosition.x, frozenAt.x);
    EXPECT_EQ(live->game->swimmerPosition.y, frozenAt.y);

    pad.press(SDL_CONTROLLER_BUTTON_START, true);
    live->passes(10);
    EXPECT_TRUE(live->window.isActive());
    EXPECT_NE(live->game->swimmerPosition.y, frozenAt.y);
    pad.press(SDL_CONTROLLER_BUTTON_START, false);
    pad.press(SDL_CONTROLLER_BUTTON_A, false);
    live->passes(2);
    pad.detach();
    live->passes(2);
}

TEST(Controller, RemovedAndAttachedAgainDuringPlayAndAnyOfSeveralDrives) {
    VirtualPad first;
    ASSERT_TRUE(first.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    stopSwimming();
    first.press(SDL_CONTROLLER_BUTTON_A, true);
    live->passes(10);
    ASSERT_GT(live->game->speed, 0.0f);

    // Pulled out with A held: A no longer counts, the swimmer glides to rest.
    first.detach();
    live->passes(2);
    EXPECT_EQ(SDL_NumJoysticks(), 0);
    EXPECT_FALSE(input.isSpaceDown());
    stopSwimming();

    // Plugged in again: it plays at once.
    VirtualPad again;
    ASSERT_TRUE(again.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    again.press(SDL_CONTROLLER_BUTTON_A, true);
    live->passes(10);
    EXPECT_TRUE(input.isSpaceDown());
    EXPECT_GT(live->game->speed, 0.0f);
    again.press(SDL_CONTROLLER_BUTTON_A, false);
    stopSwimming();

    // Two connected, one idle: the other one drives, stick and buttons.
    VirtualPad second;
    ASSERT_TRUE(second.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    ASSERT_EQ(SDL_NumJoysticks(), 2);
    second.press(SDL_CONTROLLER_BUTTON_A, true);
    second.axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    live->passes(10);
    EXPECT_TRUE(input.isSpaceDown());
    EXPECT_EQ(input.getAxisA().x, -1.0f);
    EXPECT_GT(live->game->speed, 0.0f);
    second.press(SDL_CONTROLLER_BUTTON_A, false);
    second.axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    again.press(SDL_CONTROLLER_BUTTON_A, true);
    live->passes(2);
    EXPECT_TRUE(input.isSpaceDown());
    again.press(SDL_CONTROLLER_BUTTON_A, false);
    live->passes(2);
    EXPECT_FALSE(input.isSpaceDown());
    second.detach();
    again.detach();
    live->passes(2);
}

// F11 and Alt+Enter through the X server, tapped or held past the X
// server's auto-repeat (a second holds past Xvfb's 660 ms delay, then
// repeats at 25 a second): each press switches once between the window and a
// full screen at the screen's size, and the game is told the size; Enter
// without Alt switches nothing.
TEST(FullScreen, EachPressOfF11OrAltEnterSwitchesOnceAndEnterAloneNever) {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    auto full = [window] { return (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0; };
    const struct {
        const char* keys;
        int heldMs, switches;
        bool fullscreen;
    } rows[] = {{"F11", 100, 1, true},         {"F11", 100, 1, false},    {"F11", 1000, 1, true},
                {"Return", 1000, 0, true},     {"F11", 1000, 1, false},   {"alt+Return", 1000, 1, true},
                {"alt+Return", 100, 1, false}, {"Return", 1000, 0, false}};
    for (const auto& row : rows) {
        const std::string what = std::string(row.keys) + " held " + std::to_string(row.heldMs) + " ms";
        int switches = 0;
        bool was = full();
        // Passes for a time on the clock (a pass may take long on a busy machine).
        auto passesFor = [&](Uint32 ms) {
            for (const Uint32 end = SDL_GetTicks() + ms; SDL_GetTicks() < end;) {
                live->passes(1);
                SDL_Delay(10);
                if (full() != was) ++switches, was = !was;
            }
        };
        xdo(std::string("keydown ") + row.keys);
        passesFor(row.heldMs);
        xdo(std::string("keyup ") + row.keys);
        const int width = row.fullscreen ? desktop.w : 1280, height = row.fullscreen ? desktop.h : 720;
        for (int i = 0; i < 300 && live->game->viewWidth != static_cast<float>(width); ++i) passesFor(10);
        passesFor(300);
        EXPECT_EQ(switches, row.switches) << what;
        EXPECT_EQ(live->game->viewWidth, static_cast<float>(width)) << what;
        EXPECT_EQ(live->game->viewHeight, static_cast<float>(height)) << what;
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        EXPECT_EQ(w, width) << what;
        EXPECT_EQ(h, height) << what;
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], width) << what;
        EXPECT_EQ(viewport[3], height) << what;
        EXPECT_EQ(full(), row.fullscreen) << what;
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), row.fullscreen ? SDL_DISABLE : SDL_ENABLE) << what;
    }
}

// Each key through the X server gives its own reading and no other: Right
// Control pulls no lever, Left Control pulls the one in reach, F1 restarts
// the help, Escape pauses and a second Escape resumes.
TEST(Keys, EachGameKeyActsAloneAndRightControlPullsNoLever) {
    Game& game = *live->game;
    // Small frames: many passes follow, and what they show does not count here.
    SDL_SetWindowSize(SDL_GL_GetCurrentWindow(), 320, 180);
    for (int i = 0; i < 100 && game.viewWidth != 320.0f; ++i) passesWhileEventsArrive(1);
    ASSERT_EQ(game.viewWidth, 320.0f);
    const Lever& lever = game.rooms[0].levers[0];
    ASSERT_FALSE(lever.pulling || lever.pulled);
    game.currentRoom = &game.rooms[0];
    game.hintTimer = 5.0f;
    for (const KeyRow& row : KEYS) {
        // At rest in the lever's reach.
        game.swimmerPosition = Vec3(lever.position.x, lever.position.y, lever.position.z - 18.0f);
        game.speed = 0.0f;
        xdo(std::string("keydown ") + row.key);
        passesWhileEventsArrive();
        EXPECT_EQ(read(), row.held) << row.key;
        // Each key's effect in the game, beside what it reads as.
        const bool control = row.held.lctrl || std::string(row.key) == "105";
        EXPECT_TRUE(!control || lever.pulling == row.held.lctrl) << row.key;
        EXPECT_TRUE(!row.held.f1 || game.hintTimer < 1.0f) << row.key;
        EXPECT_TRUE(!row.held.space || game.speed > 0.0f) << row.key;
        xdo(std::string("keyup ") + row.key);
        if (row.held.paused) xdo("key Escape");
        passesWhileEventsArrive();
        EXPECT_EQ(read(), NOTHING) << "after " << row.key;
    }
}

// With another window in front every key and controller input goes
// unread, Escape and Start included; one held as the focus leaves is let go;
// the game is silent until the focus comes back.
TEST(Focus, KeysAndControllerCountOnlyWhileTheGameHasTheFocus) {
    ASSERT_EQ(
        std::system(
            "xmessage -geometry 300x80+1500+900 -title 'Another window' 'Another window' >/dev/null 2>&1 &"),
        0);
    VirtualPad pad;
    ASSERT_TRUE(pad.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    focusGame(false);
    EXPECT_TRUE(live->game->mixer.isMuted()) << "sound while another window has the focus";
    for (const KeyRow& row : KEYS) {
        xdo(std::string("keydown ") + row.key);
        passesWhileEventsArrive(5);
        EXPECT_EQ(read(), NOTHING) << row.key;
        xdo(std::string("keyup ") + row.key);
    }
    for (const PadRow& row : PADS) {
        holdPad(pad, row, true);
        passesWhileEventsArrive(3);
        EXPECT_EQ(read(), NOTHING) << row;
        holdPad(pad, row, false);
    }

    focusGame(true);
    EXPECT_FALSE(live->game->mixer.isMuted()) << "no sound with the focus back";
    xdo("keydown Left");
    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    passesWhileEventsArrive();
    EXPECT_EQ(read(), (Read{true, false, false, -1, 0, false}));
    focusGame(false);
    passesWhileEventsArrive(3);
    EXPECT_EQ(read(), NOTHING) << "held as the focus left";
    xdo("keyup Left");
    pad.press(SDL_CONTROLLER_BUTTON_A, false);
    focusGame(true);
    pad.detach();
    live->passes(2);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LiveEnvironment);
    return RUN_ALL_TESTS();
}
