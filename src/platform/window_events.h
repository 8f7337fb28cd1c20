#pragma once

#include <functional>
#include <utility>

// A button's press as polling sees it: true on the first poll that finds it
// down, then not again until a poll has found it up.
class PressEdge {
public:
    bool wentDown(bool down) {
        const bool press = down && !wasDown;
        wasDown = down;
        return press;
    }

private:
    bool wasDown = false;
};

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
    void pauseKeyDown() {
        if (!scripted) flip();
    }
    // A controller's Start pauses and resumes too, but once per press: a
    // button has no auto-repeat, and a held one must not flicker. For
    // backends that poll their controllers: pass whether Start is held now.
    void startButtonPolled(bool down) {
        if (startPress.wentDown(down) && !scripted) flip();
    }
    // A script drives the pause from the first call on (the frame loop calls
    // this on every pass while InputState holds a script): each pass on which
    // the script's Escape or its Start goes down flips the flag, and the
    // player's keys and controllers no longer do.
    void followScript(bool escapeDown, bool startDown) {
        scripted = true;
        if (scriptedEscape.wentDown(escapeDown)) flip();
        if (scriptedStart.wentDown(startDown)) flip();
    }
    bool isActive() const { return active; }

private:
    void flip() { active = !active; }

    ResizeTarget resizeTarget;
    bool active = true;
    bool scripted = false;
    PressEdge startPress;
    PressEdge scriptedEscape;
    PressEdge scriptedStart;
};
