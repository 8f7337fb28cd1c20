#pragma once

#include <cstdint>

// The system-specific interface. Everything above this seam reaches the
// operating system, the window library and the GL driver only through these
// functions and through the backend's Window class. Each backend
// (platform/win32, platform/sdl, platform/headless) implements all of them.
namespace platform {

// High-resolution counter reading and its ticks per second.
int64_t performanceCounter();
int64_t performanceFrequency();

// Gives up the processor for about this many milliseconds.
void sleepMilliseconds(int milliseconds);

// Shows a modal error box (icon: error); falls back to standard error where
// there is no display to show it on.
void showErrorBox(const char* text, const char* caption);

// Whether a key is held right now. Keys are named by Win32 virtual-key codes.
bool isKeyDown(int virtualKey);

// Address of a GL entry point by name, from the current context; null if unknown.
void* glProcAddress(const char* name);

// Whether this thread has a current GL context (GPU releases are skipped without one).
bool glContextCurrent();

}  // namespace platform

// Win32 virtual-key codes of the keys the game reads.
namespace vk {
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int F1 = 0x70;
constexpr int F2 = 0x71;
constexpr int F3 = 0x72;
constexpr int F4 = 0x73;
constexpr int LeftControl = 0xA2;
constexpr int RightControl = 0xA3;
constexpr int Escape = 0x1B;
}  // namespace vk
