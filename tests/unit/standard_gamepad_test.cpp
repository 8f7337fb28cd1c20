// The browser's standard controller layout as the game's controller state:
// which index is which button, the stick's y turned to point up, and
// controllers that report fewer buttons or axes than the layout names.
#include "platform/web/standard_gamepad.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

GamepadState fromPressed(std::vector<size_t> held, std::vector<double> axes = {0, 0, 0, 0},
                         size_t buttons = 17) {
    bool pressed[17] = {};
    for (size_t b : held) pressed[b] = true;
    return web::standardGamepadState(pressed, buttons, axes.data(), axes.size());
}

}  // namespace

TEST(StandardGamepad, EachButtonOfTheLayoutIsTheOneTheGameReads) {
    // The W3C standard layout: 0 bottom, 1 right, 2 left, 3 top face button,
    // 4/5 shoulders, 6/7 triggers, 8 back/select, 9 start, 10/11 stick
    // presses, 12-15 D-pad up, down, left, right, 16 home.
    const struct {
        size_t index;
        uint32_t buttons;
    } cases[] = {{0, pad::A},
                 {1, 0},
                 {2, pad::X},
                 {3, pad::Y},
                 {4, 0},
                 {5, pad::RIGHT_SHOULDER},
                 {6, 0},
                 {7, 0},
                 {8, pad::BACK},
                 {9, pad::START},
                 {10, 0},
                 {11, 0},
                 {12, pad::DPAD_UP},
                 {13, pad::DPAD_DOWN},
                 {14, pad::DPAD_LEFT},
                 {15, pad::DPAD_RIGHT},
                 {16, 0}};
    for (const auto& c : cases) EXPECT_EQ(fromPressed({c.index}).buttons, c.buttons) << "button " << c.index;
    EXPECT_EQ(fromPressed({0, 9, 14}).buttons, pad::A | pad::START | pad::DPAD_LEFT);
}

TEST(StandardGamepad, TheStickPointsUpWhenPushedAwayAndStaysWithinOne) {
    const GamepadState away = fromPressed({}, {0.25, -1.0});  // the browser's y grows downwards
    EXPECT_FLOAT_EQ(away.stickX, 0.25f);
    EXPECT_FLOAT_EQ(away.stickY, 1.0f);
    const GamepadState beyond = fromPressed({}, {-1.5, 1.2});
    EXPECT_FLOAT_EQ(beyond.stickX, -1.0f);
    EXPECT_FLOAT_EQ(beyond.stickY, -1.0f);
}

TEST(StandardGamepad, ButtonsAndAxesTheControllerLacksCountAsIdle) {
    // Start (9) lies past the four buttons this controller reports.
    const GamepadState small = fromPressed({0, 9}, {0.9}, 4);
    EXPECT_EQ(small.buttons, static_cast<uint32_t>(pad::A));
    EXPECT_FLOAT_EQ(small.stickX, 0.9f);
    EXPECT_FLOAT_EQ(small.stickY, 0.0f);
}
