#pragma once

// Offscreen GL through EGL without a display, no keyboard and no controller
// (scripted input enters above the seam, through InputState), a clock and an
// error box that can be replaced: what the tests and mirelo-headless run on.
namespace headless {

// Creates a pbuffer-backed context of the given size and makes it current.
// legacy = true asks for a plain context without a version (the 2.1-style
// fallback); otherwise a 3.0 context is requested. Prints the reason and
// returns false on failure.
bool createContext(int width, int height, bool legacy = false);
// Releases the context so that no context is current afterwards.
void destroyContext();

// Replaces the clock and sleep with a scripted one (tests of the frame loop).
// A null function restores the real one.
using CounterFunction = long long (*)();
using SleepFunction = void (*)(int);
void setClock(CounterFunction counter, long long frequency, SleepFunction sleep);

// Replaces how platform::showErrorBox reports (by default "caption: text" on
// standard error). A null function restores the default.
using ErrorBoxFunction = void (*)(const char* text, const char* caption);
void setErrorBox(ErrorBoxFunction show);

}  // namespace headless
