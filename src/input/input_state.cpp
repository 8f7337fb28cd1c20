#include "input/input_state.h"

#include "input/gamepad_inputs.h"
#include "platform/platform.h"

InputState input;

void InputState::holdScripted(const std::set<int>& keys, const GamepadState& pad) {
    scripted = HeldInput{keys, pad};
}

bool InputState::isKeyDown(int virtualKey) const {
    return scripted ? scripted->isKeyDown(virtualKey) : platform::isKeyDown(virtualKey);
}

void InputState::sample() {
    // A key and the controller input that stands for it count as held when
    // either is.
    const GamepadInputs pad = gamepadInputs(scripted ? scripted->pad : platform::gamepadState());
    space = isKeyDown(vk::SPACE) || pad.swim;
    // Only the left Control key pulls levers.
    leftControl = isKeyDown(vk::LEFT_CONTROL) || pad.pullLever;
    f1 = isKeyDown(vk::F1) || pad.help;
    f2 = isKeyDown(vk::F2);
    f3 = isKeyDown(vk::F3);
    f4 = isKeyDown(vk::F4);
    mute = isKeyDown(vk::M) || pad.mute;

    // Left wins over Right and Up over Down: the second key of each pair is
    // only polled when the first is up.
    float x = 0.0f;
    if (isKeyDown(vk::LEFT) || pad.left)
        x = -1.0f;
    else if (isKeyDown(vk::RIGHT) || pad.right)
        x = 1.0f;
    axisC.x = axisA.x = axisB.x = x;

    float y = 0.0f;
    if (isKeyDown(vk::UP) || pad.up)
        y = 1.0f;
    else if (isKeyDown(vk::DOWN) || pad.down)
        y = -1.0f;
    axisC.y = axisA.y = axisB.y = y;
}
