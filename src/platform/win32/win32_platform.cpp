#include <windows.h>
#include <xinput.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/xinput_pad.h"

namespace {

static_assert(xinput::DPAD_UP == XINPUT_GAMEPAD_DPAD_UP && xinput::DPAD_DOWN == XINPUT_GAMEPAD_DPAD_DOWN &&
                  xinput::DPAD_LEFT == XINPUT_GAMEPAD_DPAD_LEFT &&
                  xinput::DPAD_RIGHT == XINPUT_GAMEPAD_DPAD_RIGHT && xinput::START == XINPUT_GAMEPAD_START &&
                  xinput::BACK == XINPUT_GAMEPAD_BACK &&
                  xinput::RIGHT_SHOULDER == XINPUT_GAMEPAD_RIGHT_SHOULDER && xinput::A == XINPUT_GAMEPAD_A &&
                  xinput::X == XINPUT_GAMEPAD_X && xinput::Y == XINPUT_GAMEPAD_Y,
              "xinput_pad.h must use XInput's own button bits");
// The keys are polled by their codes in key_codes.h: only here does a wrong
// one show, as another key (the other backends translate the same names).
static_assert(vk::SPACE == VK_SPACE && vk::LEFT == VK_LEFT && vk::UP == VK_UP && vk::RIGHT == VK_RIGHT &&
                  vk::DOWN == VK_DOWN && vk::F1 == VK_F1 && vk::F2 == VK_F2 && vk::F3 == VK_F3 &&
                  vk::F4 == VK_F4 && vk::LEFT_CONTROL == VK_LCONTROL && vk::RIGHT_CONTROL == VK_RCONTROL &&
                  vk::ESCAPE == VK_ESCAPE && vk::M == 'M',
              "key_codes.h must use Win32's own virtual-key codes");

// GetAsyncKeyState and XInput see input meant for any application: the game
// takes it only while its own window is in front. The game has one window,
// so any window of this process in front is the game's.
bool gameHasFocus() {
    HWND front = GetForegroundWindow();
    if (!front) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(front, &process);
    return process == GetCurrentProcessId();
}

// XInput is looked up at run time, newest first, so that the game still
// starts where none is installed (it then plays with the keyboard alone).
using XInputGetStateProc = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

XInputGetStateProc loadXInput() {
    static const char* const names[] = {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"};
    for (const char* name : names) {
        if (HMODULE library = LoadLibraryA(name)) {
            // Through void*: GetProcAddress's own type is a function without parameters.
            void* address = reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState"));
            if (address) return reinterpret_cast<XInputGetStateProc>(address);
            FreeLibrary(library);
        }
    }
    return nullptr;
}

// Bit of GetAsyncKeyState's result that says the key is down now (the low
// bit, "pressed since the last call", is not wanted).
constexpr SHORT KEY_DOWN_BIT = static_cast<SHORT>(0x8000);

// Some drivers answer an unknown name with a small integer or -1 instead of null.
bool isValidProcAddress(PROC address) {
    const auto value = reinterpret_cast<intptr_t>(address);
    return value != 0 && value != 1 && value != 2 && value != 3 && value != -1;
}

}  // namespace

namespace platform {

int64_t performanceCounter() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t performanceFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

void sleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

void showErrorBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_ICONERROR);
}

bool isKeyDown(int virtualKey) {
    return gameHasFocus() && (GetAsyncKeyState(virtualKey) & KEY_DOWN_BIT) != 0;
}

bool windowHasFocus() { return gameHasFocus(); }

GamepadState gamepadState() {
    static const XInputGetStateProc getState = loadXInput();
    static xinput::SlotPoller slots;
    if (!getState || !gameHasFocus()) return GamepadState();
    const double now =
        static_cast<double>(performanceCounter()) / static_cast<double>(performanceFrequency());
    return slots.poll(now, [](int slot, GamepadState& state) {
        XINPUT_STATE raw{};
        if (getState(static_cast<DWORD>(slot), &raw) != ERROR_SUCCESS) return false;
        state = xinput::gamepadFrom(raw.Gamepad);
        return true;
    });
}

void* glProcAddress(const char* name) {
    PROC address = wglGetProcAddress(name);
    // wglGetProcAddress knows only extension functions; GL 1.1 ones are
    // exported by opengl32.dll itself.
    if (!isValidProcAddress(address)) {
        HMODULE library = GetModuleHandleA("opengl32.dll");
        address = library ? GetProcAddress(library, name) : nullptr;
    }
    return reinterpret_cast<void*>(address);
}

bool glContextCurrent() { return wglGetCurrentContext() != nullptr; }

// Only the executable's folder: the Windows game is not installed anywhere
// else (the zip's folder holds Mirelo.exe beside data/), but a shortcut or a
// command line may start it from another folder.
std::vector<std::string> dataFolders() {
    constexpr size_t LONGEST_PATH = 32768;  // in UTF-16 units, the most Windows allows
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= LONGEST_PATH) return {};
        path.resize(path.size() * 2);  // cut short: ask again with room for a longer path
    }
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    path.resize(slash + 1);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                          nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string folder(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), folder.data(), bytes, nullptr,
                        nullptr);
    return {folder};
}

}  // namespace platform
