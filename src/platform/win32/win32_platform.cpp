#include <windows.h>

#include <cstdint>

#include "platform/platform.h"

namespace {

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

bool isKeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & KEY_DOWN_BIT) != 0; }

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

}  // namespace platform
