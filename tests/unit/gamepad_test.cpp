// Controllers: the standard layout as the keys it stands for, merged with
// the keys in InputState, several controllers as one, Start's pause once per
// press, and XInput's report as a GamepadState.
#include <gtest/gtest.h>

#include <vector>

#include "input/gamepad_inputs.h"
#include "input/input_state.h"
#include "platform/headless/headless_window.h"
#include "platform/platform.h"
#include "platform/win32/xinput_pad.h"

namespace {

GamepadState stick(float x, float y) {
    GamepadState s;
    s.stickX = x;
    s.stickY = y;
    return s;
}

GamepadState buttons(uint32_t held) {
    GamepadState s;
    s.buttons = held;
    return s;
}

// left right up down swim lever help mute, as a string of 0/1 for readable failures.
std::string held(const GamepadInputs& in) {
    std::string s;
    for (bool b : {in.left, in.right, in.up, in.down, in.swim, in.pullLever, in.help, in.mute})
        s += b ? '1' : '0';
    return s;
}

}  // namespace

TEST(GamepadInputs, StickPastTheDeadZoneAndTheButtonsActAsTheirKeys) {
    const float justAbove = 0.5001f;
    const struct {
        GamepadState pad;
        const char* expected;  // left right up down swim lever help mute
    } cases[] = {
        {stick(0, 0), "00000000"},
        {stick(0.5f, 0), "00000000"},  // exactly on the dead zone: not yet
        {stick(-0.5f, 0), "00000000"},
        {stick(0, 0.5f), "00000000"},
        {stick(0, -0.5f), "00000000"},
        {stick(justAbove, 0), "01000000"},
        {stick(-justAbove, 0), "10000000"},
        {stick(0, justAbove), "00100000"},  // pushed away: dives, as Up
        {stick(0, -justAbove), "00010000"},
        {stick(1, -1), "01010000"},
        {stick(0.6f, 0.6f), "01100000"},  // a diagonal past it on both axes holds both
        {stick(-0.6f, -0.6f), "10010000"},
        {stick(0.45f, 0.45f), "00000000"},  // off centre, but neither axis is past it
        {stick(0.8f, 0.3f), "01000000"},    // mostly sideways: only the turn
        {buttons(pad::DPAD_LEFT), "10000000"},
        {buttons(pad::DPAD_RIGHT), "01000000"},
        {buttons(pad::DPAD_UP), "00100000"},
        {buttons(pad::DPAD_DOWN), "00010000"},
        {buttons(pad::A), "00001000"},
        {buttons(pad::X), "00000100"},
        {buttons(pad::RIGHT_SHOULDER), "00000100"},
        {buttons(pad::BACK), "00000010"},
        {buttons(pad::Y), "00000001"},
        {buttons(pad::START), "00000000"},  // the window's, like Escape
        {buttons(pad::A | pad::DPAD_UP | pad::X), "00101100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(held(gamepadInputs(c.pad)), c.expected)
            << "buttons " << c.pad.buttons << " stick " << c.pad.stickX << "," << c.pad.stickY;
    // The D-pad and the stick together: either holds the direction.
    GamepadState both = buttons(pad::DPAD_LEFT);
    both.stickX = 0.9f;
    EXPECT_EQ(held(gamepadInputs(both)), "11000000");
}

namespace {

struct KeysAndPad : ::testing::Test {
    InputState sampled(const std::set<int>& keys, const GamepadState& pad) {
        InputState s;
        s.holdScripted(keys, pad);
        s.sample();
        return s;
    }
};

}  // namespace

TEST_F(KeysAndPad, AKeyAndItsButtonCountAsHeldWhenEitherIs) {
    const struct {
        std::set<int> keys;
        GamepadState pad;
        bool space, leftControl, f1;
        float x, y;
    } cases[] = {
        {{}, {}, false, false, false, 0, 0},
        {{vk::SPACE}, buttons(pad::A), true, false, false, 0, 0},
        {{}, buttons(pad::A), true, false, false, 0, 0},
        {{vk::SPACE}, {}, true, false, false, 0, 0},
        {{vk::LEFT_CONTROL}, buttons(pad::X), false, true, false, 0, 0},
        {{}, buttons(pad::RIGHT_SHOULDER), false, true, false, 0, 0},
        {{vk::RIGHT_CONTROL}, {}, false, false, false, 0, 0},
        {{}, buttons(pad::BACK), false, false, true, 0, 0},
        // The stick is digital here, like the arrows: exactly 1 past the dead zone.
        {{}, stick(0.7f, -0.7f), false, false, false, 1, -1},
        {{}, stick(0.3f, 0.2f), false, false, false, 0, 0},
        // Across a key and the controller the arrows' rules still hold:
        // Left beats Right, Up beats Down.
        {{vk::RIGHT}, buttons(pad::DPAD_LEFT), false, false, false, -1, 0},
        {{vk::UP}, stick(0, -1), false, false, false, 0, 1},
        {{vk::DOWN}, buttons(pad::DPAD_UP), false, false, false, 0, 1},
    };
    for (const auto& c : cases) {
        const InputState s = sampled(c.keys, c.pad);
        SCOPED_TRACE(::testing::Message() << "buttons " << c.pad.buttons << " keys " << c.keys.size());
        EXPECT_EQ(s.isSpaceDown(), c.space);
        EXPECT_EQ(s.isLeftControlDown(), c.leftControl);
        EXPECT_EQ(s.isF1Down(), c.f1);
        for (const Vec2* axis : {&s.getAxisA(), &s.getAxisB(), &s.getAxisC()}) {
            EXPECT_EQ(axis->x, c.x);
            EXPECT_EQ(axis->y, c.y);
        }
    }
}

TEST(MergeGamepads, AnyControllerDrivesAndAnIdleOneMasksNothing) {
    GamepadState busy = stick(-0.9f, 0.6f);
    busy.buttons = pad::A;
    const GamepadState idle;
    for (const GamepadState& merged : {mergeGamepads(busy, idle), mergeGamepads(idle, busy)}) {
        EXPECT_EQ(merged.buttons, static_cast<uint32_t>(pad::A));
        EXPECT_EQ(merged.stickX, -0.9f);
        EXPECT_EQ(merged.stickY, 0.6f);
    }
    // Buttons add up; each axis follows the controller pushed furthest on it.
    GamepadState other = stick(0.3f, -0.8f);
    other.buttons = pad::X;
    const GamepadState merged = mergeGamepads(busy, other);
    EXPECT_EQ(merged.buttons, static_cast<uint32_t>(pad::A | pad::X));
    EXPECT_EQ(merged.stickX, -0.9f);
    EXPECT_EQ(merged.stickY, -0.8f);
    // Full deflection either way reads 1, whatever the raw range's asymmetry.
    EXPECT_EQ(stickAxis(32767), 1.0f);
    EXPECT_EQ(stickAxis(-32768), -1.0f);
    EXPECT_EQ(stickAxis(0), 0.0f);
}

// Start pauses on the press and resumes on the next press; holding it does
// not flicker the pause as a held Escape's key repeats do.
TEST(StartButton, TogglesThePauseOncePerPress) {
    WindowEvents events;
    const struct {
        bool startHeld;
        bool active;
    } steps[] = {{false, true},  {true, false}, {true, false}, {true, false}, {false, false},
                 {false, false}, {true, true},  {true, true},  {false, true}};
    for (size_t i = 0; i < sizeof steps / sizeof steps[0]; ++i) {
        events.startButtonPolled(steps[i].startHeld);
        EXPECT_EQ(events.isActive(), steps[i].active) << "step " << i;
    }
    // The key's repeats, by contrast, each toggle.
    for (bool expected : {false, true, false}) {
        events.pauseKeyDown();
        EXPECT_EQ(events.isActive(), expected);
    }
}

// A script's Escape and Start each pause once per press, as a key-down and a
// button press would; while a script drives, the player's own do nothing.
TEST(StartButton, AScriptPausesOncePerPressOfItsEscapeOrStart) {
    Window window;  // no context needed: only the pause flag is read
    const struct {
        bool escape, start;
    } passes[] = {{false, false}, {false, true}, {false, true}, {true, true},  {false, false},
                  {false, true},  {true, false}, {true, false}, {false, false}};
    std::vector<bool> active;
    for (const auto& p : passes) {
        window.followScript(p.escape, p.start);
        active.push_back(window.isActive());
    }
    EXPECT_EQ(active, (std::vector<bool>{true, false, false, true, true, false, true, true, true}));

    WindowEvents events;
    events.followScript(false, false);
    events.pauseKeyDown();
    events.startButtonPolled(true);
    EXPECT_TRUE(events.isActive());
}

namespace {

// Same fields as XInput's XINPUT_GAMEPAD.
struct FakeXInputGamepad {
    uint16_t wButtons;
    uint8_t bLeftTrigger;
    uint8_t bRightTrigger;
    int16_t sThumbLX;
    int16_t sThumbLY;
    int16_t sThumbRX;
    int16_t sThumbRY;
};

}  // namespace

TEST(XInput, TheReportBecomesTheStandardLayoutWithTheStickUpPushedAway) {
    const struct {
        FakeXInputGamepad raw;
        uint32_t buttons;
        float x, y;
        const char* inputs;  // left right up down swim lever help mute
    } cases[] = {
        {{0x1000, 0, 0, 0, 0, 0, 0}, pad::A, 0, 0, "00001000"},
        {{0x4000, 0, 0, 0, 0, 0, 0}, pad::X, 0, 0, "00000100"},
        {{0x0200, 0, 0, 0, 0, 0, 0}, pad::RIGHT_SHOULDER, 0, 0, "00000100"},
        {{0x0010, 0, 0, 0, 0, 0, 0}, pad::START, 0, 0, "00000000"},
        {{0x0020, 0, 0, 0, 0, 0, 0}, pad::BACK, 0, 0, "00000010"},
        {{0x8000, 0, 0, 0, 0, 0, 0}, pad::Y, 0, 0, "00000001"},
        {{0x0001, 0, 0, 0, 0, 0, 0}, pad::DPAD_UP, 0, 0, "00100000"},
        {{0x0002, 0, 0, 0, 0, 0, 0}, pad::DPAD_DOWN, 0, 0, "00010000"},
        {{0x0004, 0, 0, 0, 0, 0, 0}, pad::DPAD_LEFT, 0, 0, "10000000"},
        {{0x0008, 0, 0, 0, 0, 0, 0}, pad::DPAD_RIGHT, 0, 0, "01000000"},
        // B, the left shoulder, the thumb clicks, the triggers and the
        // right stick do nothing.
        {{0x21C0, 255, 255, 0, 0, 32767, -32768}, 0, 0, 0, "00000000"},
        // XInput's thumb y grows upwards: pushed away dives, as Up.
        {{0, 0, 0, 0, 32767, 0, 0}, 0, 0, 1, "00100000"},
        {{0, 0, 0, 0, -32768, 0, 0}, 0, 0, -1, "00010000"},
        {{0, 0, 0, -32768, 0, 0, 0}, 0, -1, 0, "10000000"},
        {{0, 0, 0, 32767, 0, 0, 0}, 0, 1, 0, "01000000"},
        // Half way is the dead zone's edge: 16383 is just inside, 16384 just past.
        {{0, 0, 0, 16383, -16383, 0, 0}, 0, 16383 / 32767.0f, -16383 / 32767.0f, "00000000"},
        {{0, 0, 0, 16384, -16384, 0, 0}, 0, 16384 / 32767.0f, -16384 / 32767.0f, "01010000"},
    };
    for (const auto& c : cases) {
        const GamepadState s = xinput::gamepadFrom(c.raw);
        SCOPED_TRACE(::testing::Message() << "wButtons " << c.raw.wButtons << " thumb " << c.raw.sThumbLX
                                          << "," << c.raw.sThumbLY);
        EXPECT_EQ(s.buttons, c.buttons);
        EXPECT_FLOAT_EQ(s.stickX, c.x);
        EXPECT_FLOAT_EQ(s.stickY, c.y);
        EXPECT_EQ(held(gamepadInputs(s)), c.inputs);
    }
}

// An empty slot is asked again only EMPTY_SLOT_RETRY_SECONDS after it was
// found empty; a connected one on every poll, and what each reports is merged.
TEST(XInput, EmptySlotsAreAskedRarelyAndAControllerPluggedInLaterIsFound) {
    xinput::SlotPoller slots;
    constexpr double RETRY = xinput::SlotPoller::EMPTY_SLOT_RETRY_SECONDS;
    int asked[xinput::SlotPoller::SLOTS] = {};
    bool slot2Connected = false;
    auto read = [&](int slot, GamepadState& state) {
        ++asked[slot];
        if (slot == 0) {
            state = buttons(pad::A);
            return true;
        }
        if (slot == 2 && slot2Connected) {
            state = stick(0, -1);
            state.buttons = pad::X;
            return true;
        }
        return false;
    };
    const double start = 1000.0;
    GamepadState merged = slots.poll(start, read);
    EXPECT_EQ(merged.buttons, static_cast<uint32_t>(pad::A));
    EXPECT_EQ(asked[0], 1);
    EXPECT_EQ(asked[1], 1);
    // Plugged in during play: found when its slot is asked again, however
    // many polls come before (a paused game polls without pause).
    slot2Connected = true;
    for (int poll = 1; poll <= 500; ++poll) merged = slots.poll(start + RETRY * 0.999 * poll / 500, read);
    EXPECT_EQ(asked[0], 501);
    EXPECT_EQ(asked[1], 1);
    EXPECT_EQ(asked[2], 1);
    EXPECT_EQ(merged.buttons, static_cast<uint32_t>(pad::A));
    merged = slots.poll(start + RETRY, read);
    EXPECT_EQ(asked[1], 2);
    EXPECT_EQ(asked[2], 2);
    EXPECT_EQ(merged.buttons, static_cast<uint32_t>(pad::A | pad::X));
    EXPECT_EQ(merged.stickY, -1.0f);
    // Now connected, it is asked on every poll; the empty ones wait again.
    slots.poll(start + RETRY + 0.01, read);
    EXPECT_EQ(asked[2], 3);
    EXPECT_EQ(asked[3], 2);
}
