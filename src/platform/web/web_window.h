#pragma once

#include <emscripten/html5.h>

#include "platform/window_base.h"

// The game's window in a browser, a backend as platform/backend.h states it:
// a WebGL 2 context on the page's canvas (#canvas) through Emscripten's html5
// API. Keyboard events on the canvas keep the key state (by
// KeyboardEvent.code, so the layout does not matter) and every Escape
// key-down, repeats included, toggles the pause; the keys the game reads are
// kept from the page (no scrolling, no browser help on F1); losing the focus
// lets go of every key. A change of the canvas's drawing size is forwarded as
// a resize. A page has no close box: the window runs until the page goes.
class Window : public WindowBase {
public:
    Window() = default;

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    void pumpMessages();
    // The browser shows the canvas after each animation frame by itself.
    void swapBuffers() {}
    void destroy();

    // For the keyboard callbacks.
    bool keyEvent(int eventType, const EmscriptenKeyboardEvent& event);
    void focusLost();

private:
    void forwardSizeIfChanged();

    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    int canvasWidth = 0;
    int canvasHeight = 0;
};
