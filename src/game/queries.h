#pragma once

#include "game/room.h"
#include "math/vec.h"

// What the rendering and the update both ask of the world, answered without
// changing it: who reaches what, and where the camera looks. The update
// (gameplay/) acts on the answers; the rendering shows them. Every zone is an
// open box around its object, in the swimmer's coordinates.

// Whether the swimmer can reach a lever's handle: from just above its base to
// four units over it, three units to each side.
bool inLeverZone(const Vec3& swimmer, const Lever& lever);

// Whether the swimmer picks up a key lying at this room position: from one
// unit under it (keys lie on plates and blocks whose top the swimmer rests
// on) to four over it, two to each side.
bool inKeyZone(const Vec3& swimmer, const Vec3& key);

// Whether the swimmer passes through an open door: within the doorway, two
// units to either side of the wall, under water.
bool inDoorPassage(const Vec3& swimmer, const Door& door);
// Whether the swimmer is near enough a locked door to open its lock: four
// units to either side of the wall, so a lock opens before the swimmer
// reaches the leaves.
bool inDoorUnlockZone(const Vec3& swimmer, const Door& door);

// The middle of a door's leaves in the swimmer's coordinates: where the
// camera looks while it slides open, and where its sounds come from.
Vec3 doorCentre(const Door& door);
// A key's or a lever's stored height above the floor as the swimmer's depth.
inline Vec3 depthPlace(const Vec3& roomPosition) {
    return Vec3(roomPosition.x, roomPosition.y, roomPosition.z - DEPTH_OFFSET);
}

// The room a door leads into, or null when it leads nowhere.
Room* neighbourThrough(const Room& room, const Door& door);
