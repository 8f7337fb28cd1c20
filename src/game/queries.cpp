#include "game/queries.h"

#include <cmath>

#include "game/game.h"

namespace {

constexpr float LEVER_REACH = 3.0f;
constexpr float LEVER_GRAB_HEIGHT = 4.0f;

constexpr float KEY_REACH = 2.0f;
constexpr float KEY_GRAB_BELOW = 1.0f;
constexpr float KEY_GRAB_ABOVE = 4.0f;

// Doors are used only under water: near the surface the swimmer is above
// the doorway.
constexpr float DOOR_MAX_DEPTH = -6.0f;
// Along the wall a doorway is 10 wide; across it the passage zone is 4 deep
// and the unlock zone 8.
constexpr float DOOR_HALF_WIDTH = 5.0f;
constexpr float PASSAGE_HALF_DEPTH = 2.0f;
constexpr float UNLOCK_HALF_DEPTH = 4.0f;

// The follow camera sits 25 units south of the swimmer and 12 above it.
constexpr float FOLLOW_BEHIND = 25.0f;
constexpr float FOLLOW_ABOVE = 12.0f;
// A door sliding open takes the camera over: it looks at the middle of the
// leaves (15 under the door's stored height) from a little lower down, 25
// away on the room's side of a wall of constant x (the side nearer the
// room's middle) or south of a wall of constant y, and 8 to one side.
constexpr float DOOR_SHOT_CENTRE_DROP = 15.0f;
constexpr float DOOR_SHOT_EYE_DROP = 17.0f;
constexpr float DOOR_SHOT_DISTANCE = 25.0f;
constexpr float DOOR_SHOT_ASIDE = 8.0f;
constexpr float ROOM_MIDDLE = 50.0f;

bool closeTo(float value, float centre, float reach) { return std::fabs(value - centre) < reach; }

// halfDepth is measured across the door's wall, DOOR_HALF_WIDTH along it.
bool inDoorZone(const Vec3& p, const Door& door, float halfDepth) {
    const bool wallOfConstantX = door.orientation == DOOR_IN_X_WALL;
    const float reachX = wallOfConstantX ? halfDepth : DOOR_HALF_WIDTH;
    const float reachY = wallOfConstantX ? DOOR_HALF_WIDTH : halfDepth;
    return closeTo(p.x, door.position.x, reachX) && closeTo(p.y, door.position.y, reachY) &&
           p.z < DOOR_MAX_DEPTH;
}

}  // namespace

bool inLeverZone(const Vec3& swimmer, const Lever& lever) {
    const Vec3& l = lever.position;
    const float base = l.z - DEPTH_OFFSET;
    return closeTo(swimmer.x, l.x, LEVER_REACH) && closeTo(swimmer.y, l.y, LEVER_REACH) && base < swimmer.z &&
           swimmer.z < base + LEVER_GRAB_HEIGHT;
}

bool inKeyZone(const Vec3& p, const Vec3& key) {
    const float base = key.z - DEPTH_OFFSET;
    return closeTo(p.x, key.x, KEY_REACH) && closeTo(p.y, key.y, KEY_REACH) && base - KEY_GRAB_BELOW < p.z &&
           p.z < base + KEY_GRAB_ABOVE;
}

bool inDoorPassage(const Vec3& swimmer, const Door& door) {
    return inDoorZone(swimmer, door, PASSAGE_HALF_DEPTH);
}

bool inDoorUnlockZone(const Vec3& swimmer, const Door& door) {
    return inDoorZone(swimmer, door, UNLOCK_HALF_DEPTH);
}

Vec3 doorCentre(const Door& door) {
    return Vec3(door.position.x, door.position.y, door.position.z - DOOR_SHOT_CENTRE_DROP);
}

Room* neighbourThrough(const Room& room, const Door& door) {
    if (!isDoorDirection(door.direction)) return nullptr;
    return room.neighbours[door.direction];
}

Game::CameraAim Game::aimWorldCamera() const {
    CameraAim aim;
    aim.centre = swimmerPosition;
    aim.eye = Vec3(swimmerPosition.x, swimmerPosition.y - FOLLOW_BEHIND, swimmerPosition.z + FOLLOW_ABOVE);
    for (uint32_t i = 0; i < currentRoom->doorCount; ++i) {
        const Door& door = currentRoom->doors[i];
        if (!door.opening) continue;
        const Vec3& d = door.position;
        aim.centre = doorCentre(door);
        aim.eye.z = d.z - DOOR_SHOT_EYE_DROP;
        if (door.orientation == DOOR_IN_X_WALL) {
            aim.eye.x = d.x <= ROOM_MIDDLE ? d.x + DOOR_SHOT_DISTANCE : d.x - DOOR_SHOT_DISTANCE;
            aim.eye.y = d.y - DOOR_SHOT_ASIDE;
        } else {
            aim.eye.x = d.x + DOOR_SHOT_ASIDE;
            aim.eye.y = d.y - DOOR_SHOT_DISTANCE;
        }
        break;
    }
    return aim;
}
