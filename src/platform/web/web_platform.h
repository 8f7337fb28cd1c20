#pragma once

#include <functional>
#include <string>

// What the browser host offers beyond the seam: a callback per animation
// frame instead of a loop that owns the thread, the page's test hooks, and
// the key state the Window's keyboard events keep.
namespace web {

// Calls pass(arg) once per animation frame of the page, from when main
// returns; the page's script keeps the program alive between calls.
using FrameCallback = void (*)(void* arg);
void runEveryAnimationFrame(FrameCallback pass, void* arg);
// No further calls; the last frame stays on the canvas.
void stopAnimationFrames();

// Sets window.mireloDone = true: a run with frames= has ended.
void announceDone();
// What window.mireloState() returns, as JSON text; empty until it is set.
void setStateReport(std::function<std::string()> report);
// What the page's mute button does (Module._mirelo_toggle_mute(), which
// answers whether the game is now muted).
void setMuteToggle(std::function<bool()> toggle);

// The keys platform::isKeyDown reports as held (Win32 virtual-key codes).
void setKeyDown(int virtualKey, bool down);
void releaseAllKeys();

}  // namespace web
