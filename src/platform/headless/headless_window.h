#pragma once

#include "platform/window_base.h"

// The headless backend's Window: an offscreen Mesa context of the requested
// size instead of a window, the injected key set and controller instead of a
// keyboard and gamepads (headless::setKeysDown, headless::setGamepad), and a
// close that the driver asks for. Escape and the controller's Start each
// toggle the pause on each pass that sees them go down, as a key-down message
// or a button press would. Swapping waits for the frame to be drawn, as a window's swap does.
class Window : public WindowBase {
public:
    Window() = default;
    // The context goes last, after the frame loop has destroyed the game.
    ~Window();

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    void pumpMessages();
    void swapBuffers();
    void destroy() {}
    // What a click on the close box would do: the loop ends after this pass.
    void close() { running = false; }

private:
    bool created = false;
    bool escapeWasDown = false;
};
