#pragma once

#include <utility>

#include "platform/window_events.h"

// The window the game is designed for: its client area and colour depth.
constexpr int WINDOW_WIDTH = 1280;
constexpr int WINDOW_HEIGHT = 720;
constexpr int WINDOW_BITS_PER_PIXEL = 32;

// What every backend's Window has in common: where size changes go, the
// pause flag (with a script's pause), and whether the window still runs. A
// backend's Window derives from this and adds create, pumpMessages,
// swapBuffers and destroy (platform/backend.h).
class WindowBase {
public:
    WindowBase() = default;
    // A Window stands for one system window and is never copied.
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    void setResizeTarget(WindowEvents::ResizeTarget target) { events.setResizeTarget(std::move(target)); }
    bool isRunning() const { return running; }
    bool isActive() const { return events.isActive(); }
    void followScript(bool escapeDown, bool startDown) { events.followScript(escapeDown, startDown); }

protected:
    ~WindowBase() = default;

    WindowEvents events;
    bool running = false;
};
