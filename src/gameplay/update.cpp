// One frame of play. The order of the steps is part of the game's feel: a
// fade-out freezes everything but the seaweed, keys are sampled only by
// frames that play, and doors run before keys so that a key cannot open a
// lock in the frame it is picked up.
#include <cmath>

#include "game/queries.h"
#include "gameplay/play_steps.h"
#include "input/input_state.h"

namespace {

// Moves one sway channel and turns it round at +-1.
void sway(float& offset, float& direction, float speed, float dt) {
    offset += direction * speed * dt;
    if (offset >= 1.0f) {
        offset = 1.0f;
        direction = -1.0f;
    } else if (offset <= -1.0f) {
        offset = -1.0f;
        direction = 1.0f;
    }
}

void swaySeaweed(Room& room, float dt) {
    for (SeaweedSegment& s : room.seaweed) {
        sway(s.offset.x, s.direction.x, s.speed.x, dt);
        sway(s.offset.y, s.direction.y, s.speed.y, dt);
        sway(s.offset.z, s.direction.z, s.speed.z, dt);
    }
}

// A key is pressed on the first sampled frame it is down; the latch
// remembers it until a sampled frame sees it up.
bool pressed(bool& wasDown, bool down) {
    const bool press = down && !wasDown;
    wasDown = down;
    return press;
}

// Runs a fade-out; true while one runs (it freezes the rest of the frame).
// When it ends, the swimmer passes into the next room, which fades in.
bool advanceFadeOut(Game& game, float dt) {
    Room& room = *game.currentRoom;
    if (!room.fadingOut) return false;
    room.transitionTimer += dt;
    if (room.transitionTimer <= game.transitionDuration) return true;

    // The room left behind fades in again whenever it is next entered.
    room.fadingOut = false;
    room.transitionTimer = 0.0f;
    room.fadingIn = true;

    // A fade-out with no door or no room behind it (never armed by play)
    // just fades back in where the swimmer is.
    Door* door = room.exitDoor;
    Room* next = door ? neighbourThrough(room, *door) : nullptr;
    if (!next) return true;

    // Only x and y change: depth, speed, steering and heading carry over.
    game.swimmerPosition.x = door->arrival.x;
    game.swimmerPosition.y = door->arrival.y;
    game.currentRoom = next;
    game.applyRoomTextures();
    return true;
}

}  // namespace

void Game::update(float dt) {
    // A broken clock reading would turn every timer and the swimmer's
    // position into NaN for the rest of the run; such a frame is skipped.
    if (!std::isfinite(dt)) return;

    swaySeaweed(*currentRoom, dt);
    if (advanceFadeOut(*this, dt)) return;

    Room& room = *currentRoom;
    if (room.fadingIn) {
        room.transitionTimer += dt;
        if (room.transitionTimer > transitionDuration) room.fadingIn = false;
    }
    if (hintTimer < hintDuration) hintTimer += dt;

    input.sample();
    if (pressed(keyWasDown[LATCH_F1], input.isF1Down())) hintTimer = 0.0f;
    // F2 to F4 are latched like the others but do nothing in this game.
    pressed(keyWasDown[LATCH_F2], input.isF2Down());
    pressed(keyWasDown[LATCH_F3], input.isF3Down());
    pressed(keyWasDown[LATCH_F4], input.isF4Down());
    pressed(keyWasDown[LATCH_SPACE], input.isSpaceDown());

    updateSpeed(*this, dt);
    if (pressed(keyWasDown[LATCH_LEFT_CONTROL], input.isLeftControlDown())) pullLeversInReach(*this);
    swim(*this, dt);
    runDoors(*this, dt);
    runLevers(*this, dt);
    pickUpKeys(*this);
}
