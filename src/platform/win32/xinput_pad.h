#pragma once

#include <cstdint>

#include "platform/gamepad.h"

// What XInput reports, as the game's GamepadState. Free of windows.h so that
// the translation can be tested anywhere: the button bits are XInput's own
// (win32_platform.cpp checks them against xinput.h).
namespace xinput {

constexpr uint16_t DPAD_UP = 0x0001;
constexpr uint16_t DPAD_DOWN = 0x0002;
constexpr uint16_t DPAD_LEFT = 0x0004;
constexpr uint16_t DPAD_RIGHT = 0x0008;
constexpr uint16_t START = 0x0010;
constexpr uint16_t BACK = 0x0020;
constexpr uint16_t RIGHT_SHOULDER = 0x0200;
constexpr uint16_t A = 0x1000;
constexpr uint16_t X = 0x4000;
constexpr uint16_t Y = 0x8000;

// An XINPUT_GAMEPAD, or anything with its fields wButtons, sThumbLX and
// sThumbLY. XInput's thumb y grows upwards, as GamepadState's does.
template <class XInputGamepad>
GamepadState gamepadFrom(const XInputGamepad& gamepad) {
    static const struct {
        uint16_t from;
        pad::Button to;
    } buttons[] = {{A, pad::A},
                   {X, pad::X},
                   {Y, pad::Y},
                   {RIGHT_SHOULDER, pad::RIGHT_SHOULDER},
                   {START, pad::START},
                   {BACK, pad::BACK},
                   {DPAD_UP, pad::DPAD_UP},
                   {DPAD_DOWN, pad::DPAD_DOWN},
                   {DPAD_LEFT, pad::DPAD_LEFT},
                   {DPAD_RIGHT, pad::DPAD_RIGHT}};
    GamepadState state;
    for (const auto& b : buttons)
        if (gamepad.wButtons & b.from) state.buttons |= b.to;
    state.stickX = stickAxis(gamepad.sThumbLX);
    state.stickY = stickAxis(gamepad.sThumbLY);
    return state;
}

// XInput's four user slots, merged. Asking an empty slot is slow (XInput's
// documentation advises against doing it every frame), so a slot found empty
// is asked again only EMPTY_SLOT_RETRY_SECONDS later: a controller plugged in
// during play is picked up within that time. Time, not a count of polls: a
// paused game polls far more often than it draws.
class SlotPoller {
public:
    static constexpr int SLOTS = 4;
    static constexpr double EMPTY_SLOT_RETRY_SECONDS = 1.0;

    // now: seconds on any steady clock. read(slot, state) fills the state
    // and returns true when a controller is connected in that slot.
    template <class ReadSlot>
    GamepadState poll(double now, ReadSlot read) {
        GamepadState merged;
        for (int slot = 0; slot < SLOTS; ++slot) {
            if (now < askAgainAt[slot]) continue;
            GamepadState one;
            if (read(slot, one))
                merged = mergeGamepads(merged, one);
            else
                askAgainAt[slot] = now + EMPTY_SLOT_RETRY_SECONDS;
        }
        return merged;
    }

private:
    double askAgainAt[SLOTS] = {};
};

}  // namespace xinput
