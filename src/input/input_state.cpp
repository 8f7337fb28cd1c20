#include "input/input_state.h"

#include "platform/platform.h"

InputState input;

void InputState::sample() {
    space = platform::isKeyDown(vk::Space);
    // Only the left Control key pulls levers.
    leftControl = platform::isKeyDown(vk::LeftControl);
    f1 = platform::isKeyDown(vk::F1);
    f2 = platform::isKeyDown(vk::F2);
    f3 = platform::isKeyDown(vk::F3);
    f4 = platform::isKeyDown(vk::F4);

    // Left wins over Right and Up over Down: the second key of each pair is
    // only polled when the first is up.
    float x = 0.0f;
    if (platform::isKeyDown(vk::Left))
        x = -1.0f;
    else if (platform::isKeyDown(vk::Right))
        x = 1.0f;
    axisC.x = axisA.x = axisB.x = x;

    float y = 0.0f;
    if (platform::isKeyDown(vk::Up))
        y = 1.0f;
    else if (platform::isKeyDown(vk::Down))
        y = -1.0f;
    axisC.y = axisA.y = axisB.y = y;
}
