#pragma once

#include <functional>
#include <utility>

// The part of every backend's Window that is the same everywhere: where size
// changes go, and the active flag that the pause key flips. A window knows
// nothing of the game; whoever drives it says where sizes go.
class WindowEvents {
public:
    // Receives the client area's width and height in pixels.
    using ResizeTarget = std::function<void(int width, int height)>;

    // An empty target drops size changes (before start-up, after shut-down).
    void setResizeTarget(ResizeTarget target) { resizeTarget = std::move(target); }
    void resized(int width, int height) const {
        if (resizeTarget) resizeTarget(width, height);
    }

    // Every key-down of the pause key flips the flag, key repeats included:
    // holding it flickers the pause at the keyboard's repeat rate.
    void pauseKeyDown() { active = !active; }
    // A controller's Start pauses and resumes too, but once per press: a
    // button has no auto-repeat, and a held one must not flicker. For
    // backends that poll their controllers: pass whether Start is held now.
    void startButtonPolled(bool down) {
        if (down && !startWasDown) pauseKeyDown();
        startWasDown = down;
    }
    bool isActive() const { return active; }

private:
    ResizeTarget resizeTarget;
    bool active = true;
    bool startWasDown = false;
};
