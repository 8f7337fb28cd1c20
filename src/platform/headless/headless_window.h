#pragma once

#include <utility>

#include "platform/window_events.h"

// The headless backend's Window: an offscreen Mesa context of the requested
// size instead of a window, the injected key set instead of a keyboard
// (headless::setKeysDown), and a close that the driver asks for. Escape
// toggles the pause on each pass that sees it go down, as a key-down message
// would. Swapping waits for the frame to be drawn, as a window's swap does.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // The context goes last, after the frame loop has destroyed the game.
    ~Window();

    void setResizeTarget(WindowEvents::ResizeTarget target) { events.setResizeTarget(std::move(target)); }
    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    bool isRunning() const { return running; }
    bool isActive() const { return events.isActive(); }
    void pumpMessages();
    void swapBuffers();
    void destroy() {}
    // What a click on the close box would do: the loop ends after this pass.
    void close() { running = false; }

private:
    WindowEvents events;
    bool running = false;
    bool created = false;
    bool escapeWasDown = false;
};
