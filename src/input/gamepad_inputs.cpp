#include "input/gamepad_inputs.h"

GamepadInputs gamepadInputs(const GamepadState& pad) {
    GamepadInputs in;
    in.swim = pad.isDown(pad::A);
    in.pullLever = pad.isDown(pad::X) || pad.isDown(pad::RIGHT_SHOULDER);
    in.help = pad.isDown(pad::BACK);
    in.mute = pad.isDown(pad::Y);
    in.left = pad.isDown(pad::DPAD_LEFT) || pad.stickX < -STICK_DEAD_ZONE;
    in.right = pad.isDown(pad::DPAD_RIGHT) || pad.stickX > STICK_DEAD_ZONE;
    in.up = pad.isDown(pad::DPAD_UP) || pad.stickY > STICK_DEAD_ZONE;
    in.down = pad.isDown(pad::DPAD_DOWN) || pad.stickY < -STICK_DEAD_ZONE;
    return in;
}
