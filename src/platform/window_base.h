#pragma once

#include <utility>

#include "platform/window_events.h"

// What every backend's Window has in common: where size changes go, the
// pause flag, and whether the window still runs. A backend's Window derives
// from this and adds create, pumpMessages, swapBuffers and destroy
// (platform/backend.h).
class WindowBase {
public:
    WindowBase() = default;
    // A Window stands for one system window and is never copied.
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    void setResizeTarget(WindowEvents::ResizeTarget target) { events.setResizeTarget(std::move(target)); }
    bool isRunning() const { return running; }
    bool isActive() const { return events.isActive(); }

protected:
    ~WindowBase() = default;

    WindowEvents events;
    bool running = false;
};
