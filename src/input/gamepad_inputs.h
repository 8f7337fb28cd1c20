#pragma once

#include "platform/gamepad.h"

// How far a stick axis must be pushed before it counts as the arrow key of
// its direction: half way, so that a stick resting off centre, or pushed
// mostly along the other axis, does not steer.
constexpr float STICK_DEAD_ZONE = 0.5f;

// A controller's state as the keys it stands for, so the rules of play read
// one set of inputs whatever the player holds. Start is not here: like
// Escape, the window handles it (WindowEvents).
struct GamepadInputs {
    bool swim = false;       // A, as Space
    bool pullLever = false;  // X or the right shoulder, as Left Control
    bool help = false;       // Back, as F1
    bool mute = false;       // Y, as M
    // The D-pad, or the left stick past the dead zone on that axis, as the
    // arrow keys: up dives, down rises. A diagonal past the dead zone on
    // both axes holds both.
    bool left = false;
    bool right = false;
    bool up = false;
    bool down = false;
};

GamepadInputs gamepadInputs(const GamepadState& pad);
