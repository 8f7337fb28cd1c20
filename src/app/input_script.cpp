#include "app/input_script.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "platform/platform.h"

int keyCodeByName(const std::string& name) {
    static const struct {
        const char* name;
        int code;
    } keys[] = {{"space", vk::SPACE},
                {"left", vk::LEFT},
                {"right", vk::RIGHT},
                {"up", vk::UP},
                {"down", vk::DOWN},
                {"lctrl", vk::LEFT_CONTROL},
                {"rctrl", vk::RIGHT_CONTROL},
                {"f1", vk::F1},
                {"f2", vk::F2},
                {"f3", vk::F3},
                {"f4", vk::F4},
                {"escape", vk::ESCAPE},
                {"m", vk::M}};
    for (const auto& key : keys)
        if (name == key.name) return key.code;
    return -1;
}

bool holdPadInputByName(const std::string& name, GamepadState& pad) {
    static const struct {
        const char* name;
        pad::Button button;
    } buttons[] = {{"pad_a", pad::A},
                   {"pad_x", pad::X},
                   {"pad_y", pad::Y},
                   {"pad_rb", pad::RIGHT_SHOULDER},
                   {"pad_start", pad::START},
                   {"pad_back", pad::BACK},
                   {"pad_up", pad::DPAD_UP},
                   {"pad_down", pad::DPAD_DOWN},
                   {"pad_left", pad::DPAD_LEFT},
                   {"pad_right", pad::DPAD_RIGHT}};
    for (const auto& b : buttons) {
        if (name == b.name) {
            pad.buttons |= b.button;
            return true;
        }
    }
    // The stick fully deflected: y grows upwards, as GamepadState says.
    if (name == "stick_left") {
        pad.stickX = -1.0f;
    } else if (name == "stick_right") {
        pad.stickX = 1.0f;
    } else if (name == "stick_up") {
        pad.stickY = 1.0f;
    } else if (name == "stick_down") {
        pad.stickY = -1.0f;
    } else {
        return false;
    }
    return true;
}

namespace {

bool parseFrame(const std::string& text, long long& frame) {
    if (text.empty() || text.size() > 18) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    frame = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

// Fills the change's keys and controller from a comma list; on an error
// returns false with the reason.
bool parseKeys(const std::string& text, InputScript::Change& change, std::string& why) {
    if (text == "-") return true;
    std::stringstream list(text);
    std::string name;
    bool stickLeft = false, stickRight = false, stickUp = false, stickDown = false;
    while (std::getline(list, name, ',')) {
        const int code = keyCodeByName(name);
        if (code >= 0) {
            change.keys.insert(code);
        } else if (!holdPadInputByName(name, change.pad)) {
            why = "unknown key name '" + name + "'";
            return false;
        }
        stickLeft = stickLeft || name == "stick_left";
        stickRight = stickRight || name == "stick_right";
        stickUp = stickUp || name == "stick_up";
        stickDown = stickDown || name == "stick_down";
    }
    // "space," leaves an empty name that getline does not report.
    if (text.empty() || text.back() == ',') {
        why = "unknown key name ''";
        return false;
    }
    // One stick cannot point both ways at once.
    if ((stickLeft && stickRight) || (stickUp && stickDown)) {
        why = "the stick cannot be pushed both ways on one axis";
        return false;
    }
    return true;
}

}  // namespace

bool InputScript::parse(std::istream& in, std::string& error) {
    changes_.clear();
    std::string line;
    long long lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;

        std::istringstream fields(line);
        std::string frameText, keysText, extra;
        fields >> frameText >> keysText;
        const bool hasExtra = static_cast<bool>(fields >> extra);
        auto fail = [&](const std::string& why) {
            error = "input script line " + std::to_string(lineNumber) + ": " + why;
            changes_.clear();
            return false;
        };
        Change change;
        if (!parseFrame(frameText, change.frame))
            return fail("expected a frame number, got '" + frameText + "'");
        if (keysText.empty()) return fail("expected keys after the frame number (\"-\" for none)");
        if (hasExtra) return fail("unexpected text '" + extra + "' after the keys");
        std::string why;
        if (!parseKeys(keysText, change, why)) return fail(why);
        if (!changes_.empty() && change.frame < changes_.back().frame)
            return fail("frame " + frameText + " comes before the previous line's frame");
        changes_.push_back(std::move(change));
    }
    return true;
}

const InputScript::Change* InputScript::changeAt(long long frame) const {
    const Change* held = nullptr;
    for (const Change& change : changes_) {
        if (change.frame > frame) break;
        held = &change;
    }
    return held;
}

const std::set<int>& InputScript::keysAt(long long frame) const {
    static const std::set<int> none;
    const Change* change = changeAt(frame);
    return change ? change->keys : none;
}

const GamepadState& InputScript::padAt(long long frame) const {
    static const GamepadState idle;
    const Change* change = changeAt(frame);
    return change ? change->pad : idle;
}
