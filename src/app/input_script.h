#pragma once

#include <istream>
#include <set>
#include <string>
#include <vector>

#include "platform/gamepad.h"

// A key script, as mirelo-headless's --input and the web page's input= take
// it: lines "FRAME KEYS". From frame FRAME (0-based) on, exactly KEYS are
// held until the next line. KEYS is "-" or a comma list of key names and
// controller input names (pad_a, stick_left, ...: one controller, the left
// stick fully deflected); blank lines and lines starting with # are ignored.
class InputScript {
public:
    // Parses a whole script. On a malformed line returns false and sets
    // error to a message naming the line number.
    bool parse(std::istream& in, std::string& error);

    // Win32 virtual-key codes held during a frame.
    const std::set<int>& keysAt(long long frame) const;
    // The controller during a frame.
    const GamepadState& padAt(long long frame) const;

    struct Change {
        long long frame;
        std::set<int> keys;
        GamepadState pad;
    };
    const std::vector<Change>& changes() const { return changes_; }

private:
    const Change* changeAt(long long frame) const;

    std::vector<Change> changes_;
};

// The virtual-key code of a key name ("space", "left", "lctrl", "f1", ...), or -1.
int keyCodeByName(const std::string& name);

// Adds a controller input by name ("pad_a", "pad_start", "stick_up", ...) to
// the state; false for a name that is none.
bool holdPadInputByName(const std::string& name, GamepadState& pad);
