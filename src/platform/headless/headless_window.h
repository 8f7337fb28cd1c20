#pragma once

#include "platform/window_base.h"

// The headless backend's Window: an offscreen Mesa context of the requested
// size instead of a window, no keyboard or controller (a script's input and
// its pause come through InputState and WindowBase::followScript), and a
// close that the driver asks for. Swapping waits for the frame to be drawn,
// as a window's swap does.
class Window : public WindowBase {
public:
    Window() = default;
    // The context goes last, after the frame loop has destroyed the game.
    ~Window();

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    // No messages: nothing is queued for a window that is not there.
    void pumpMessages() {}
    void swapBuffers();
    void destroy() {}
    // What a click on the close box would do: the loop ends after this pass.
    void close() { running = false; }

private:
    bool created = false;
};
