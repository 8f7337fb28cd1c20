// The mirelo-headless key-script parser on arbitrary text: a parsed script
// has its changes in frame order, each holding only known keys, only known
// controller buttons and a stick at rest or fully deflected, and keysAt and
// padAt give the last change at or before a frame; a rejected one names a
// line and keeps nothing.
#include <set>
#include <sstream>

#include "app/input_script.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::set<int> knownKeys = [] {
        std::set<int> codes;
        for (const char* name : {"space", "left", "right", "up", "down", "lctrl", "rctrl", "f1", "f2", "f3",
                                 "f4", "escape", "m"})
            codes.insert(keyCodeByName(name));
        return codes;
    }();
    constexpr uint32_t knownButtons = pad::A | pad::X | pad::Y | pad::RIGHT_SHOULDER | pad::START |
                                      pad::BACK | pad::DPAD_UP | pad::DPAD_DOWN | pad::DPAD_LEFT |
                                      pad::DPAD_RIGHT;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    InputScript script;
    std::string error;
    if (!script.parse(text, error)) {
        FUZZ_REQUIRE(error.rfind("input script line ", 0) == 0);
        FUZZ_REQUIRE(script.changes().empty());
        return 0;
    }
    const std::vector<InputScript::Change>& changes = script.changes();
    for (size_t i = 0; i < changes.size(); ++i) {
        FUZZ_REQUIRE(changes[i].frame >= 0);
        for (int key : changes[i].keys) FUZZ_REQUIRE(knownKeys.count(key) == 1);
        const GamepadState& pad = changes[i].pad;
        FUZZ_REQUIRE((pad.buttons & ~knownButtons) == 0);
        FUZZ_REQUIRE(pad.stickX == 0.0f || pad.stickX == 1.0f || pad.stickX == -1.0f);
        FUZZ_REQUIRE(pad.stickY == 0.0f || pad.stickY == 1.0f || pad.stickY == -1.0f);
        const bool lastOfItsFrame = i + 1 == changes.size() || changes[i + 1].frame > changes[i].frame;
        if (i + 1 < changes.size()) FUZZ_REQUIRE(changes[i + 1].frame >= changes[i].frame);
        if (lastOfItsFrame) {
            FUZZ_REQUIRE(script.keysAt(changes[i].frame) == changes[i].keys);
            const GamepadState& at = script.padAt(changes[i].frame);
            FUZZ_REQUIRE(at.buttons == pad.buttons && at.stickX == pad.stickX && at.stickY == pad.stickY);
        }
    }
    if (changes.empty() || changes.front().frame > 0) {
        FUZZ_REQUIRE(script.keysAt(0).empty());
        FUZZ_REQUIRE(script.padAt(0).buttons == 0 && script.padAt(0).stickX == 0.0f &&
                     script.padAt(0).stickY == 0.0f);
    }
    return 0;
}
