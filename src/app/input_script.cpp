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
                {"escape", vk::ESCAPE}};
    for (const auto& key : keys)
        if (name == key.name) return key.code;
    return -1;
}

namespace {

bool parseFrame(const std::string& text, long long& frame) {
    if (text.empty() || text.size() > 18) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    frame = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

bool parseKeys(const std::string& text, std::set<int>& keys, std::string& bad) {
    if (text == "-") return true;
    std::stringstream list(text);
    std::string name;
    while (std::getline(list, name, ',')) {
        const int code = keyCodeByName(name);
        if (code < 0) {
            bad = name;
            return false;
        }
        keys.insert(code);
    }
    // "space," leaves an empty name that getline does not report.
    if (text.empty() || text.back() == ',') {
        bad = "";
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
        std::string bad;
        if (!parseKeys(keysText, change.keys, bad)) return fail("unknown key name '" + bad + "'");
        if (!changes_.empty() && change.frame < changes_.back().frame)
            return fail("frame " + frameText + " comes before the previous line's frame");
        changes_.push_back(std::move(change));
    }
    return true;
}

const std::set<int>& InputScript::keysAt(long long frame) const {
    static const std::set<int> none;
    const std::set<int>* held = &none;
    for (const Change& change : changes_) {
        if (change.frame > frame) break;
        held = &change.keys;
    }
    return *held;
}
