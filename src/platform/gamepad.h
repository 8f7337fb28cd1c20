#pragma once

#include <cmath>
#include <cstdint>

// A game controller in the standard layout, as every backend reports it: the
// buttons the game reads and the left stick. Each backend translates its own
// controller API (SDL's game controllers, XInput, the browser's Gamepad API)
// into this, so what a button does is decided once, above the seam.
namespace pad {
// Bit flags of GamepadState::buttons. A is the bottom face button ("south"),
// X the left one ("west").
enum Button : uint32_t {
    A = 1u << 0,
    X = 1u << 1,
    RIGHT_SHOULDER = 1u << 2,
    START = 1u << 3,
    BACK = 1u << 4,
    DPAD_UP = 1u << 5,
    DPAD_DOWN = 1u << 6,
    DPAD_LEFT = 1u << 7,
    DPAD_RIGHT = 1u << 8,
    Y = 1u << 9,  // the top face button ("north")
};
}  // namespace pad

struct GamepadState {
    uint32_t buttons = 0;  // pad::Button flags of the buttons held
    // The left stick, each axis in [-1, 1]: x grows to the right, y grows
    // upwards (pushed away from the player), whatever the controller API's
    // own convention.
    float stickX = 0.0f;
    float stickY = 0.0f;

    bool isDown(pad::Button button) const { return (buttons & button) != 0; }
};

// A stick axis as controller APIs report it (-32768 to 32767) in [-1, 1]:
// full deflection is 1 in both directions.
inline float stickAxis(int16_t raw) {
    const float value = static_cast<float>(raw) / 32767.0f;
    return value < -1.0f ? -1.0f : value;
}

// Several controllers drive the game as one: a button counts when it is held
// on any of them, and each stick axis follows the controller that deflects it
// furthest, so an idle controller never masks a busy one.
inline GamepadState mergeGamepads(const GamepadState& a, const GamepadState& b) {
    GamepadState merged;
    merged.buttons = a.buttons | b.buttons;
    merged.stickX = std::fabs(b.stickX) > std::fabs(a.stickX) ? b.stickX : a.stickX;
    merged.stickY = std::fabs(b.stickY) > std::fabs(a.stickY) ? b.stickY : a.stickY;
    return merged;
}
