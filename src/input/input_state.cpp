#include "input/input_state.h"

#include "platform/platform.h"

InputState input;

void InputState::sample() {
    space = platform::isKeyDown(vk::SPACE);
    // Only the left Control key pulls levers.
    leftControl = platform::isKeyDown(vk::LEFT_CONTROL);
    f1 = platform::isKeyDown(vk::F1);
    f2 = platform::isKeyDown(vk::F2);
    f3 = platform::isKeyDown(vk::F3);
    f4 = platform::isKeyDown(vk::F4);

    // Left wins over Right and Up over Down: the second key of each pair is
    // only polled when the first is up.
    float x = 0.0f;
    if (platform::isKeyDown(vk::LEFT))
        x = -1.0f;
    else if (platform::isKeyDown(vk::RIGHT))
        x = 1.0f;
    axisC.x = axisA.x = axisB.x = x;

    float y = 0.0f;
    if (platform::isKeyDown(vk::UP))
        y = 1.0f;
    else if (platform::isKeyDown(vk::DOWN))
        y = -1.0f;
    axisC.y = axisA.y = axisB.y = y;
}
