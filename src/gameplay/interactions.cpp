// Keys, locks, doors and levers: what the swimmer can reach, and the timed
// animations that run while it is in the room. Every zone is an open box
// around the object.
#include <cmath>

#include "gameplay/play_steps.h"

namespace {

// A key is picked up from one unit under it (keys lie on plates and blocks
// whose top the swimmer rests on) to four units over it.
constexpr float KEY_REACH = 2.0f;
constexpr float KEY_GRAB_BELOW = 1.0f;
constexpr float KEY_GRAB_ABOVE = 4.0f;

// Doors are used only under water: near the surface the swimmer is above
// the doorway.
constexpr float DOOR_MAX_DEPTH = -6.0f;
// Along the wall a doorway is 10 wide; across it the passage zone is
// 4 deep and the unlock zone 8, so a lock opens before the swimmer reaches
// the leaves.
constexpr float DOOR_HALF_WIDTH = 5.0f;
constexpr float PASSAGE_HALF_DEPTH = 2.0f;
constexpr float UNLOCK_HALF_DEPTH = 4.0f;

bool closeTo(float value, float centre, float reach) { return std::fabs(value - centre) < reach; }

bool inKeyZone(const Vec3& p, const Vec3& key) {
    const float base = key.z - DEPTH_OFFSET;
    return closeTo(p.x, key.x, KEY_REACH) && closeTo(p.y, key.y, KEY_REACH) && base - KEY_GRAB_BELOW < p.z &&
           p.z < base + KEY_GRAB_ABOVE;
}

// halfDepth is measured across the door's wall, DOOR_HALF_WIDTH along it.
bool inDoorZone(const Vec3& p, const Door& door, float halfDepth) {
    const bool wallOfConstantX = door.orientation == DOOR_IN_X_WALL;
    const float reachX = wallOfConstantX ? halfDepth : DOOR_HALF_WIDTH;
    const float reachY = wallOfConstantX ? DOOR_HALF_WIDTH : halfDepth;
    return closeTo(p.x, door.position.x, reachX) && closeTo(p.y, door.position.y, reachY) &&
           p.z < DOOR_MAX_DEPTH;
}

void startOpening(Door& door) {
    door.opening = true;
    door.open = false;
    door.openTimer = 0.0f;
}

}  // namespace

Room* neighbourThrough(const Room& room, const Door& door) {
    if (!isDoorDirection(door.direction)) return nullptr;
    return room.neighbours[door.direction];
}

void pullLeversInReach(Game& game) {
    Room& room = *game.currentRoom;
    for (uint32_t i = 0; i < room.leverCount; ++i) {
        Lever& lever = room.levers[i];
        if (lever.pulled || lever.pulling || !inLeverZone(game.swimmerPosition, lever)) continue;
        lever.pulling = true;
        lever.pullTimer = 0.0f;
    }
}

void runDoors(Game& game, float dt) {
    Room& room = *game.currentRoom;
    const Vec3& swimmer = game.swimmerPosition;
    for (uint32_t i = 0; i < room.doorCount; ++i) {
        Door& door = room.doors[i];
        if (door.open) {
            // A door into no room is a wall: passing it would leave the
            // fade-out with nowhere to go.
            if (inDoorZone(swimmer, door, PASSAGE_HALF_DEPTH) && neighbourThrough(room, door)) {
                room.exitDoor = &door;
                room.fadingOut = true;
                room.transitionTimer = 0.0f;
            }
        } else if (door.opening) {
            door.openTimer += dt;
            if (door.openTimer > game.doorOpenDuration) {
                door.opening = false;
                door.open = true;
            }
        } else if (door.locked) {
            const KeyColour colour = door.lockColour;
            if (isKeyColour(colour) && game.keysHeld[colour] &&
                inDoorZone(swimmer, door, UNLOCK_HALF_DEPTH)) {
                startOpening(door);
                door.locked = false;
                game.keysHeld[colour] = false;
            }
        }
    }
}

void runLevers(Game& game, float dt) {
    Room& room = *game.currentRoom;
    for (uint32_t i = 0; i < room.leverCount; ++i) {
        Lever& lever = room.levers[i];
        if (!lever.pulling) continue;
        lever.pullTimer += dt;
        if (lever.pullTimer <= game.leverPullDuration) continue;
        lever.pulling = false;
        lever.pulled = true;
        if (lever.door) {
            // The lever opens its door whatever held it shut; a lock left
            // on an open doorway would still be drawn and reported.
            startOpening(*lever.door);
            lever.door->locked = false;
        }
        // The far side of the passage opens at once, without its own animation.
        if (lever.linkedOpenFlag) *lever.linkedOpenFlag = true;
    }
}

void pickUpKeys(Game& game) {
    Room& room = *game.currentRoom;
    for (int colour = KEY_RED; colour <= KEY_GOLD; ++colour) {
        if (room.keyPresent[colour] && inKeyZone(game.swimmerPosition, room.keyPositions[colour])) {
            game.keysHeld[colour] = true;
            room.keyPresent[colour] = false;
        }
    }
}
