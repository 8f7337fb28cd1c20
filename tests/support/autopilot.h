#pragma once

#include <cstddef>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "game/game.h"

// One stretch of a course: a point of the current room to swim to (z is the
// swimmer's depth) and the state of the game that ends the stretch.
struct CourseLeg {
    std::string name;
    Vec3 target;
    // Press Left Control, once per two frames, while near the target.
    bool pullLever = false;
    std::function<bool(const Game&)> done;
};

// Plays a course the way a player at the keyboard would: it only chooses
// which keys to hold for the next frame, from what it reads of the game.
// It turns toward the target, pitches toward its depth and swims, slowing
// down for sharp turns and close to the target. It never moves the swimmer
// itself, so everything it achieves is achieved by the game's own rules.
class Autopilot {
public:
    explicit Autopilot(std::vector<CourseLeg> course);

    // The virtual-key codes to hold for the next frame. Legs whose goal the
    // game already meets are skipped first; nothing is held once all are done.
    std::set<int> keysFor(const Game& game);

    bool finished() const { return leg >= course.size(); }
    std::size_t legIndex() const { return leg; }
    const CourseLeg& currentLeg() const { return course[leg]; }

private:
    std::vector<CourseLeg> course;
    std::size_t leg = 0;
    bool controlHeld = false;
};

// The course of the building from the start: room 0's lever, the red key
// (room 1), the green key and the lever (room 2), the blue key (room 4), the
// lever of room 5, the green lock (room 6), the gold key and the lever
// (room 7), back through room 4 to the gold lock of room 2, into room 3.
std::vector<CourseLeg> playthroughCourse();
