#pragma once

#include "game/game.h"

// The steps of one frame of play, in the order Game::update runs them
// (gameplay/update.cpp). Each acts on the current room and the swimmer.

// The swimmer's speed limit: movement holds it, the strokes' tempo follows it.
constexpr float TOP_SWIM_SPEED = 10.0f;

// Space held or not: the swimmer's speed, and its pitch levelling out at the
// surface or the floor (swimmer_movement.cpp).
void updateSpeed(Game& game, float dt);
// Left Control pressed: every idle lever in reach starts its pull (interactions.cpp).
void pullLeversInReach(Game& game);
// Steering, motion, the room's bounds, wall blocks and plates (swimmer_movement.cpp).
void swim(Game& game, float dt);
// Passing open doors, opening animations, unlocking with held keys (interactions.cpp).
void runDoors(Game& game, float dt);
// Pull animations and the doors they open (interactions.cpp).
void runLevers(Game& game, float dt);
// Keys in reach are picked up (interactions.cpp).
void pickUpKeys(Game& game);

// Sounds (play_sounds.cpp). A rule that fires starts its sound on the spot:
// it joins the frame's soundsStarted, and the end of the update plays the
// frame's starts in the mixer, heard from the camera as it then stands.
void startSound(Game& game, SoundId id, float pitch = 1.0f);
void startPlacedSound(Game& game, SoundId id, const Vec3& place, float pitch = 1.0f);
// Space held: a stroke now and then, quicker and higher the faster the
// swimmer goes; a press after a rest strokes at once, tapping no faster.
void strokeWhileAccelerating(Game& game, float dt);
void playStartedSounds(Game& game);
