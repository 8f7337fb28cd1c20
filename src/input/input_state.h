#pragma once

#include <optional>
#include <set>

#include "math/vec.h"
#include "platform/gamepad.h"

// What a script holds during one frame in place of the player: exactly these
// keys (Win32 virtual-key codes) and this controller.
struct HeldInput {
    std::set<int> keys;
    GamepadState pad;

    bool isKeyDown(int virtualKey) const { return keys.count(virtualKey) != 0; }
};

// A snapshot of the few keys the game reads, polled (not taken from key
// messages) once per update, each merged with the controller input that
// stands for it (input/gamepad_inputs.h). No history and no edge detection:
// the game keeps its own latches for presses. Escape and the controller's
// Start are not here; the window handles them.
//
// Scripted input (mirelo-headless's --input, the web page's input=, the
// tests) enters here and nowhere else: while a script holds input, sample
// reads the script instead of the platform's keyboard and controllers, and
// the frame loop hands the script's Escape and Start to the window's pause
// (WindowEvents::followScript). No backend knows a script exists.
class InputState {
public:
    void sample();

    // From now on the game reads exactly these keys and this controller,
    // until the next call or endScript.
    void holdScripted(const std::set<int>& keys, const GamepadState& pad = {});
    // The player's keyboard and controllers count again.
    void endScript() { scripted.reset(); }
    // What the script holds, or null while the player plays.
    const HeldInput* script() const { return scripted ? &*scripted : nullptr; }

    const Vec2& getAxisA() const { return axisA; }
    const Vec2& getAxisB() const { return axisB; }
    const Vec2& getAxisC() const { return axisC; }
    bool isSpaceDown() const { return space; }
    bool isLeftControlDown() const { return leftControl; }
    bool isF1Down() const { return f1; }
    bool isF2Down() const { return f2; }
    bool isF3Down() const { return f3; }
    bool isF4Down() const { return f4; }
    bool isMuteDown() const { return mute; }  // M, or the controller's Y

private:
    bool isKeyDown(int virtualKey) const;

    std::optional<HeldInput> scripted;
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
    bool mute = false;
};

extern InputState input;
