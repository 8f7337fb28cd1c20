// One frame of play. The order of the steps is part of the game's feel: a
// fade-out freezes everything but the seaweed, keys are sampled only by
// frames that play, and doors run before keys so that a key cannot open a
// lock in the frame it is picked up. Sounds start where their rules fire
// and are played at the end of the update, whichever way the frame ends.
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

// The frame's rules, in their order (see the top of the file).
void playFrame(Game& game, float dt) {
    swaySeaweed(*game.currentRoom, dt);
    if (advanceFadeOut(game, dt)) return;

    Room& room = *game.currentRoom;
    if (room.fadingIn) {
        room.transitionTimer += dt;
        if (room.transitionTimer > game.transitionDuration) room.fadingIn = false;
    }
    if (game.hintTimer < game.hintDuration) game.hintTimer += dt;

    input.sample();
    bool* latch = game.keyWasDown;
    if (pressed(latch[LATCH_F1], input.isF1Down())) game.hintTimer = 0.0f;
    // F2 to F4 are latched like the others but do nothing in this game.
    pressed(latch[LATCH_F2], input.isF2Down());
    pressed(latch[LATCH_F3], input.isF3Down());
    pressed(latch[LATCH_F4], input.isF4Down());
    pressed(latch[LATCH_SPACE], input.isSpaceDown());
    if (pressed(latch[LATCH_MUTE], input.isMuteDown())) game.soundMuted = !game.soundMuted;

    updateSpeed(game, dt);
    strokeWhileAccelerating(game, dt);
    if (pressed(latch[LATCH_LEFT_CONTROL], input.isLeftControlDown())) pullLeversInReach(game);
    swim(game, dt);
    runDoors(game, dt);
    runLevers(game, dt);
    pickUpKeys(game);
}

}  // namespace

void Game::update(float dt) {
    soundsStarted.clear();
    // A broken clock reading would turn every timer and the swimmer's
    // position into NaN for the rest of the run; such a frame is skipped.
    if (!std::isfinite(dt)) return;

    // The water is heard from the first frame on, under everything else.
    if (!ambienceStarted) {
        startSound(*this, SOUND_AMBIENCE);
        ambienceStarted = true;
    }
    playFrame(*this, dt);
    playStartedSounds(*this);
}
