// The Linux game's own window, frame loop and game in this process, on an X
// server (tests/e2e/sdl_live.sh runs it under Xvfb with a window manager),
// stepped one pass at a time. What needs the inside of the process: a
// virtual game controller (SDL's virtual joystick) attached, pressed and
// removed between passes, and the game's state read back after each.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

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

TEST(Controller, ASwimsAndTheStickAndDPadSteerAsTheArrowsDo) {
    VirtualPad pad;
    ASSERT_TRUE(pad.attach()) << SDL_GetError();
    letTheGameSeeThePads();
    stopSwimming();

    pad.press(SDL_CONTROLLER_BUTTON_A, true);
    live->passes(30);
    EXPECT_TRUE(input.isSpaceDown());
    // Holding Space accelerates by 7 units/s^2 (until 10).
    EXPECT_NEAR(live->game->speed, 30 * STEP * 7.0f, 0.01f);
    pad.press(SDL_CONTROLLER_BUTTON_A, false);
    live->passes(2);
    EXPECT_FALSE(input.isSpaceDown());
    EXPECT_LT(live->game->speed, 30 * STEP * 7.0f);

    // SDL's stick y grows downwards; pushed away it must dive, as Up does.
    const struct {
        SDL_GameControllerAxis axis;
        Sint16 value;
        SDL_GameControllerButton button;
        float x, y;
    } directions[] = {
        {SDL_CONTROLLER_AXIS_LEFTY, -32768, SDL_CONTROLLER_BUTTON_INVALID, 0, 1},
        {SDL_CONTROLLER_AXIS_LEFTY, 32767, SDL_CONTROLLER_BUTTON_INVALID, 0, -1},
        {SDL_CONTROLLER_AXIS_LEFTX, -32768, SDL_CONTROLLER_BUTTON_INVALID, -1, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, 32767, SDL_CONTROLLER_BUTTON_INVALID, 1, 0},
        {SDL_CONTROLLER_AXIS_LEFTX, 16000, SDL_CONTROLLER_BUTTON_INVALID, 0, 0},  // inside the dead zone
        {SDL_CONTROLLER_AXIS_INVALID, 0, SDL_CONTROLLER_BUTTON_DPAD_UP, 0, 1},
        {SDL_CONTROLLER_AXIS_INVALID, 0, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0, -1},
        {SDL_CONTROLLER_AXIS_INVALID, 0, SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 0},
        {SDL_CONTROLLER_AXIS_INVALID, 0, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1, 0},
    };
    for (const auto& d : directions) {
        if (d.axis != SDL_CONTROLLER_AXIS_INVALID) pad.axis(d.axis, d.value);
        if (d.button != SDL_CONTROLLER_BUTTON_INVALID) pad.press(d.button, true);
        live->passes(2);
        EXPECT_EQ(input.getAxisA().x, d.x)
            << "axis " << d.axis << " = " << d.value << ", button " << d.button;
        EXPECT_EQ(input.getAxisA().y, d.y)
            << "axis " << d.axis << " = " << d.value << ", button " << d.button;
        if (d.axis != SDL_CONTROLLER_AXIS_INVALID) pad.axis(d.axis, 0);
        if (d.button != SDL_CONTROLLER_BUTTON_INVALID) pad.press(d.button, false);
    }
    // X or the right shoulder pulls a lever, Back shows the help, as Left Control and F1.
    for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}) {
        pad.press(button, true);
        live->passes(2);
        EXPECT_TRUE(input.isLeftControlDown()) << "button " << button;
        pad.press(button, false);
    }
    pad.press(SDL_CONTROLLER_BUTTON_BACK, true);
    live->passes(2);
    EXPECT_TRUE(input.isF1Down());
    EXPECT_EQ(live->game->hintTimer, STEP);  // the press restarted the help
    pad.press(SDL_CONTROLLER_BUTTON_BACK, false);
    live->passes(2);
    EXPECT_FALSE(input.isF1Down() || input.isLeftControlDown());
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

// F11 through the X server, as a player's key: the window goes full screen
// at the screen's size and the game is told that size; F11 again comes back.
TEST(FullScreen, F11ResizesTheGameToTheScreenAndBack) {
    SDL_Window* window = SDL_GL_GetCurrentWindow();
    ASSERT_NE(window, nullptr);
    SDL_DisplayMode desktop;
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    const struct {
        int width, height;
        bool fullscreen;
    } expected[] = {{desktop.w, desktop.h, true}, {1280, 720, false}};
    for (const auto& e : expected) {
        ASSERT_EQ(std::system("xdotool key F11"), 0);
        for (int i = 0; i < 300 && live->game->viewWidth != static_cast<float>(e.width); ++i) {
            live->passes(1);
            SDL_Delay(10);
        }
        live->passes(5);
        EXPECT_EQ(live->game->viewWidth, static_cast<float>(e.width));
        EXPECT_EQ(live->game->viewHeight, static_cast<float>(e.height));
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        EXPECT_EQ(w, e.width);
        EXPECT_EQ(h, e.height);
        GLint viewport[4] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], e.width);
        EXPECT_EQ(viewport[3], e.height);
        EXPECT_EQ((SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0, e.fullscreen);
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), e.fullscreen ? SDL_DISABLE : SDL_ENABLE);
    }
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new LiveEnvironment);
    return RUN_ALL_TESTS();
}
