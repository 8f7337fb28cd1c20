// Keys, locks, doors and levers: what the swimmer's reach changes (the zones
// themselves are queries, game/queries.h), and the timed animations that run
// while it is in the room.
#include "game/queries.h"
#include "gameplay/play_steps.h"

namespace {

void startOpening(Game& game, Door& door) {
    startPlacedSound(game, SOUND_DOOR, doorCentre(door));
    door.opening = true;
    door.open = false;
    door.openTimer = 0.0f;
}

}  // namespace

void pullLeversInReach(Game& game) {
    Room& room = *game.currentRoom;
    for (uint32_t i = 0; i < room.leverCount; ++i) {
        Lever& lever = room.levers[i];
        if (lever.pulled || lever.pulling || !inLeverZone(game.swimmerPosition, lever)) continue;
        lever.pulling = true;
        lever.pullTimer = 0.0f;
        startPlacedSound(game, SOUND_LEVER, depthPlace(lever.position));
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
            if (inDoorPassage(swimmer, door) && neighbourThrough(room, door)) {
                room.exitDoor = &door;
                room.fadingOut = true;
                room.transitionTimer = 0.0f;
                startSound(game, SOUND_FADE);
            }
        } else if (door.opening) {
            door.openTimer += dt;
            if (door.openTimer > game.doorOpenDuration) {
                door.opening = false;
                door.open = true;
            }
        } else if (door.locked) {
            const KeyColour colour = door.lockColour;
            if (isKeyColour(colour) && game.keysHeld[colour] && inDoorUnlockZone(swimmer, door)) {
                startPlacedSound(game, SOUND_UNLOCK, doorCentre(door));
                startOpening(game, door);
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
            startOpening(game, *lever.door);
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
            startPlacedSound(game, SOUND_KEY, depthPlace(room.keyPositions[colour]), KEY_PITCH[colour]);
        }
    }
}
