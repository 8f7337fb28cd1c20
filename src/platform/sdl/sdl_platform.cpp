#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

SDL_Scancode scancodeOf(int virtualKey) {
    switch (virtualKey) {
        case vk::SPACE: return SDL_SCANCODE_SPACE;
        case vk::LEFT: return SDL_SCANCODE_LEFT;
        case vk::UP: return SDL_SCANCODE_UP;
        case vk::RIGHT: return SDL_SCANCODE_RIGHT;
        case vk::DOWN: return SDL_SCANCODE_DOWN;
        case vk::F1: return SDL_SCANCODE_F1;
        case vk::F2: return SDL_SCANCODE_F2;
        case vk::F3: return SDL_SCANCODE_F3;
        case vk::F4: return SDL_SCANCODE_F4;
        case vk::LEFT_CONTROL: return SDL_SCANCODE_LCTRL;
        case vk::RIGHT_CONTROL: return SDL_SCANCODE_RCTRL;
        case vk::ESCAPE: return SDL_SCANCODE_ESCAPE;
        case vk::M: return SDL_SCANCODE_M;
        default: return SDL_SCANCODE_UNKNOWN;
    }
}

// The standard layout's buttons the game reads, by SDL's names for them.
GamepadState controllerState(SDL_GameController* controller) {
    static const struct {
        SDL_GameControllerButton from;
        pad::Button to;
    } buttons[] = {{SDL_CONTROLLER_BUTTON_A, pad::A},
                   {SDL_CONTROLLER_BUTTON_X, pad::X},
                   {SDL_CONTROLLER_BUTTON_Y, pad::Y},
                   {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, pad::RIGHT_SHOULDER},
                   {SDL_CONTROLLER_BUTTON_START, pad::START},
                   {SDL_CONTROLLER_BUTTON_BACK, pad::BACK},
                   {SDL_CONTROLLER_BUTTON_DPAD_UP, pad::DPAD_UP},
                   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pad::DPAD_DOWN},
                   {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pad::DPAD_LEFT},
                   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pad::DPAD_RIGHT}};
    GamepadState state;
    for (const auto& b : buttons)
        if (SDL_GameControllerGetButton(controller, b.from)) state.buttons |= b.to;
    state.stickX = stickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX));
    // SDL's y grows downwards.
    state.stickY = -stickAxis(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
    return state;
}

}  // namespace

namespace platform {

int64_t performanceCounter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

int64_t performanceFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

void sleepMilliseconds(int milliseconds) { SDL_Delay(static_cast<Uint32>(milliseconds)); }

void showErrorBox(const char* text, const char* caption) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

bool isKeyDown(int virtualKey) {
    const SDL_Scancode code = scancodeOf(virtualKey);
    if (code == SDL_SCANCODE_UNKNOWN) return false;
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return state && code < count && state[code] != 0;
}

bool windowHasFocus() { return SDL_GetKeyboardFocus() != nullptr; }

GamepadState gamepadState() {
    GamepadState merged;
    // SDL stops passing on presses while another window has the focus, but
    // a button already held would stay held.
    if (!SDL_GetKeyboardFocus()) return merged;
    // The window opens each controller as SDL reports it connected.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        SDL_GameController* controller = SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(i));
        if (controller) merged = mergeGamepads(merged, controllerState(controller));
    }
    return merged;
}

void* glProcAddress(const char* name) { return SDL_GL_GetProcAddress(name); }

bool glContextCurrent() { return SDL_GL_GetCurrentContext() != nullptr; }

std::vector<std::string> dataFolders() {
    char* base = SDL_GetBasePath();  // the executable's folder, links resolved, ending in a slash
    if (!base) return {};
    const std::string executableFolder = base;
    SDL_free(base);
    // An installed copy keeps its data at this path from its program's
    // folder (the package's layout, CMakeLists.txt).
    return {executableFolder, executableFolder + MIRELO_DATA_FROM_PROGRAM};
}

}  // namespace platform
