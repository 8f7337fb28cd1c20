#pragma once

#include "math/vec.h"

// A snapshot of the few keys the game reads, polled (not taken from key
// messages) once per update, each merged with the controller input that
// stands for it (input/gamepad_inputs.h). No history and no edge detection:
// the game keeps its own latches for presses. Escape and the controller's
// Start are not here; the window handles them.
class InputState {
public:
    void sample();

    const Vec2& getAxisA() const { return axisA; }
    const Vec2& getAxisB() const { return axisB; }
    const Vec2& getAxisC() const { return axisC; }
    bool isSpaceDown() const { return space; }
    bool isLeftControlDown() const { return leftControl; }
    bool isF1Down() const { return f1; }
    bool isF2Down() const { return f2; }
    bool isF3Down() const { return f3; }
    bool isF4Down() const { return f4; }

private:
    // The three axes always hold the same arrow-key values.
    Vec2 axisA;
    Vec2 axisB;
    Vec2 axisC;
    bool space = false;
    bool leftControl = false;
    bool f1 = false;
    bool f2 = false;
    bool f3 = false;
    bool f4 = false;
};

extern InputState input;
