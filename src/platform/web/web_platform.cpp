#include "platform/web/web_platform.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/platform.h"
#include "platform/web/standard_gamepad.h"

namespace {

// Virtual-key codes are bytes.
std::bitset<256> keysDown;

std::function<std::string()> stateReport;
std::function<bool()> muteToggle;

}  // namespace

namespace platform {

// performance.now() in whole microseconds: its resolution is a few
// microseconds at best, and the frame loop counts time in microseconds.
int64_t performanceCounter() { return static_cast<int64_t>(std::floor(emscripten_get_now() * 1000.0)); }
int64_t performanceFrequency() { return 1000000; }

// The page's thread must never block: a browser host paces with
// Pacing::SKIP and never gets here; should anything else ask, nothing waits.
void sleepMilliseconds(int) {}

void showErrorBox(const char* text, const char* caption) {
    EM_ASM(
        {
            const text = UTF8ToString($0);
            const caption = UTF8ToString($1);
            console.error(caption + ': ' + text);
            if (Module.showError) Module.showError(text, caption);
        },
        text, caption);
}

bool isKeyDown(int virtualKey) {
    return virtualKey >= 0 && static_cast<size_t>(virtualKey) < keysDown.size() && keysDown[virtualKey];
}

bool windowHasFocus() {
    return EM_ASM_INT({ return document.hasFocus() ? 1 : 0; }) != 0;
}

// Every controller the browser lists in the standard layout, merged into one.
// Browsers hand controllers only to the page in front, so focus needs no check.
GamepadState gamepadState() {
    GamepadState merged;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return merged;
    const int count = emscripten_get_num_gamepads();
    for (int i = 0; i < count; ++i) {
        EmscriptenGamepadEvent pad;
        if (emscripten_get_gamepad_status(i, &pad) != EMSCRIPTEN_RESULT_SUCCESS || !pad.connected) continue;
        if (std::strcmp(pad.mapping, "standard") != 0)
            continue;  // no known layout: no meaning for its buttons
        bool pressed[64] = {};
        const size_t buttons = std::min<size_t>(static_cast<size_t>(pad.numButtons), 64);
        for (size_t b = 0; b < buttons; ++b) pressed[b] = pad.digitalButton[b] != 0;
        const size_t axes = std::min<size_t>(static_cast<size_t>(pad.numAxes), 64);
        merged = mergeGamepads(merged, web::standardGamepadState(pressed, buttons, pad.axis, axes));
    }
    return merged;
}

void* glProcAddress(const char* name) { return emscripten_webgl_get_proc_address(name); }

bool glContextCurrent() { return emscripten_webgl_get_current_context() != 0; }

// data/ is packed at the root of the page's file system, where the game runs.
std::vector<std::string> dataFolders() { return {}; }

}  // namespace platform

namespace web {

void runEveryAnimationFrame(FrameCallback pass, void* arg) {
    // fps 0: the browser's animation frames; no simulated infinite loop, so
    // main returns and the page goes on.
    emscripten_set_main_loop_arg(pass, arg, 0, EM_FALSE);
}

void stopAnimationFrames() { emscripten_cancel_main_loop(); }

void announceDone() {
    EM_ASM({ window.mireloDone = true; });
}

void setStateReport(std::function<std::string()> report) { stateReport = std::move(report); }

void setMuteToggle(std::function<bool()> toggle) { muteToggle = std::move(toggle); }

void setKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && static_cast<size_t>(virtualKey) < keysDown.size()) keysDown[virtualKey] = down;
}

void releaseAllKeys() { keysDown.reset(); }

}  // namespace web

// The page's window.mireloState() reads this: the state report as JSON text
// (empty before the game has started). The text lives until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE int mirelo_toggle_mute() { return muteToggle && muteToggle() ? 1 : 0; }

extern "C" EMSCRIPTEN_KEEPALIVE const char* mirelo_state() {
    static std::string text;
    text = stateReport ? stateReport() : std::string();
    return text.c_str();
}
