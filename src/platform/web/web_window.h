#pragma once

#include <emscripten/html5.h>

#include <set>
#include "platform/window_base.h"

// The game's window in a browser: a WebGL 2 context on the page's canvas
// (#canvas) through Emscripten's html5 API. Keyboard events on the canvas
// keep the key state (by KeyboardEvent.code, so the layout does not matter);
// every Escape key-down, repeats included, toggles the pause, as the Win32
// window's key messages do; the keys the game reads are kept from the page
// (no scrolling, no browser help on F1); losing the focus lets go of every
// key. A change of the canvas's drawing size is forwarded as a resize. A page
// has no close box: the window runs until the page goes.
class Window : public WindowBase {
public:
    Window() = default;

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    void pumpMessages();
    // The browser shows the canvas after each animation frame by itself.
    void swapBuffers() {}
    void destroy();

    // A key script drives the game instead of the keyboard from the first
    // call on: exactly these keys are held, and an Escape that goes down
    // toggles the pause as its key-down would (the page's input= hook).
    void holdScriptedKeys(const std::set<int>& keys);

    // For the keyboard callbacks.
    bool keyEvent(int eventType, const EmscriptenKeyboardEvent& event);
    void focusLost();

private:
    void forwardSizeIfChanged();

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    bool scripted = false;
    bool scriptedEscapeDown = false;
    int canvasWidth = 0;
    int canvasHeight = 0;
};
