#pragma once

#include <utility>

#include "platform/window_events.h"

// The headless backend's Window: an offscreen Mesa context of the requested
// size instead of a window, the injected key set and controller instead of a
// keyboard and gamepads (headless::setKeysDown, headless::setGamepad), and a
// close that the driver asks for. Escape and the controller's Start each
// toggle the pause on each pass that sees them go down, as a key-down message
// or a button press would. Swapping waits for the frame to be drawn, as a window's swap does.
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
