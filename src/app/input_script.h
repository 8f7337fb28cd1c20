#pragma once

#include <istream>
#include <set>
#include <string>
#include <vector>

// A key script, as mirelo-headless's --input and the web page's input= take
// it: lines "FRAME KEYS". From frame FRAME (0-based) on, exactly KEYS are
// held until the next line. KEYS is "-" or a comma list of key names; blank
// lines and lines starting with # are ignored.
class InputScript {
public:
    // Parses a whole script. On a malformed line returns false and sets
    // error to a message naming the line number.
    bool parse(std::istream& in, std::string& error);

    // Win32 virtual-key codes held during a frame.
    const std::set<int>& keysAt(long long frame) const;

    struct Change {
        long long frame;
        std::set<int> keys;
    };
    const std::vector<Change>& changes() const { return changes_; }

private:
    std::vector<Change> changes_;
};

// The virtual-key code of a key name ("space", "left", "lctrl", "f1", ...), or -1.
int keyCodeByName(const std::string& name);
