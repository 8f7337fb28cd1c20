#pragma once

#include <cstddef>

#include "platform/gamepad.h"

// The browser's Gamepad API in its "standard" layout, as a GamepadState.
// Kept free of Emscripten so that the tests can reach it on the desktop.
namespace web {

// Indices of the standard layout's buttons and axes.
enum StandardButton : size_t {
    STANDARD_A = 0,  // the bottom face button
    STANDARD_X = 2,  // the left face button
    STANDARD_Y = 3,  // the top face button
    STANDARD_RIGHT_SHOULDER = 5,
    STANDARD_BACK = 8,  // "Select" on some controllers
    STANDARD_START = 9,
    STANDARD_DPAD_UP = 12,
    STANDARD_DPAD_DOWN = 13,
    STANDARD_DPAD_LEFT = 14,
    STANDARD_DPAD_RIGHT = 15,
};
constexpr size_t STANDARD_LEFT_STICK_X = 0;  // right is positive
constexpr size_t STANDARD_LEFT_STICK_Y = 1;  // down is positive, unlike GamepadState

// One controller's buttons (pressed or not) and axes (each in [-1, 1]); a
// controller with fewer buttons or axes than the layout names lacks them.
inline GamepadState standardGamepadState(const bool* pressed, size_t buttonCount, const double* axes,
                                         size_t axisCount) {
    static constexpr struct {
        StandardButton index;
        pad::Button button;
    } BUTTONS[] = {{STANDARD_A, pad::A},
                   {STANDARD_X, pad::X},
                   {STANDARD_Y, pad::Y},
                   {STANDARD_RIGHT_SHOULDER, pad::RIGHT_SHOULDER},
                   {STANDARD_BACK, pad::BACK},
                   {STANDARD_START, pad::START},
                   {STANDARD_DPAD_UP, pad::DPAD_UP},
                   {STANDARD_DPAD_DOWN, pad::DPAD_DOWN},
                   {STANDARD_DPAD_LEFT, pad::DPAD_LEFT},
                   {STANDARD_DPAD_RIGHT, pad::DPAD_RIGHT}};
    GamepadState state;
    for (const auto& b : BUTTONS)
        if (b.index < buttonCount && pressed[b.index]) state.buttons |= b.button;
    auto clamped = [](double v) { return static_cast<float>(v < -1.0 ? -1.0 : v > 1.0 ? 1.0 : v); };
    if (axisCount > STANDARD_LEFT_STICK_X) state.stickX = clamped(axes[STANDARD_LEFT_STICK_X]);
    if (axisCount > STANDARD_LEFT_STICK_Y) state.stickY = -clamped(axes[STANDARD_LEFT_STICK_Y]);
    return state;
}

}  // namespace web
