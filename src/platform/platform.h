#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gamepad.h"
#include "platform/key_codes.h"

// The system-specific interface. Everything above this seam reaches the
// operating system, the window library and the GL driver only through these
// functions and through the backend's Window. What a backend provides, these
// functions included, is stated once, in platform/backend.h.
namespace platform {

// High-resolution counter reading and its ticks per second.
int64_t performanceCounter();
int64_t performanceFrequency();

// Gives up the processor for about this many milliseconds.
void sleepMilliseconds(int milliseconds);

// Shows a modal error box (icon: error); falls back to standard error where
// there is no display to show it on.
void showErrorBox(const char* text, const char* caption);

// Whether a key is held right now, in the game's window: keys held while
// another window has the keyboard focus do not count. Keys are named by
// Win32 virtual-key codes.
bool isKeyDown(int virtualKey);

// Whether the game's window has the keyboard focus (the page is in front, in
// a browser). The game is silent without it.
bool windowHasFocus();

// The game controllers connected now, merged into one (mergeGamepads): a
// button held on any of them, each stick axis from the one deflected most.
// Nothing held when there is none, or when the game's window does not have
// the focus. Controllers may come and go between two calls.
GamepadState gamepadState();

// Address of a GL entry point by name, from the current context; null if unknown.
void* glProcAddress(const char* name);

// Whether this thread has a current GL context (GPU releases are skipped without one).
bool glContextCurrent();

// Where the game's data/ folder may be when the working directory has none,
// in the order to look: the executable's own folder, then where an installed
// copy keeps its data. Paths in UTF-8. None for a host that only ever reads
// data/ where it runs (the headless runner, the browser's file system).
std::vector<std::string> dataFolders();

}  // namespace platform
