#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "input/input_state.h"
#include "platform/platform.h"
#include "started_game.h"

namespace {

// Multiples of two: timers add up exactly, so "more than 1 s" and "more
// than 3 s" fall on known frames.
constexpr float STEP = 0.25f;
// Room 0's lever stands on the tower roof; this is in its reach.
const Vec3 AT_ROOM0_LEVER(45, 45, -11);

struct DoorsLeversKeys : ::testing::Test {
    std::unique_ptr<Game> game = startedGame();

    void TearDown() override { input.endScript(); }
    void hold(const std::set<int>& keys) { input.holdScripted(keys); }
    void enter(int room, Vec3 at) {
        game->currentRoom = &game->rooms[room];
        game->swimmerPosition = at;
    }
    // One frame with Left Control down, then one with it up.
    void tapControl() {
        hold({vk::LEFT_CONTROL});
        game->update(STEP);
        hold({});
    }
};

}  // namespace

TEST_F(DoorsLeversKeys, ALeverFinishingOnALockedDoorOpensItWithoutAKey) {
    Door& door = game->rooms[0].doors[0];
    door.locked = true;
    door.lockColour = KEY_RED;
    const Lever& lever = game->rooms[0].levers[0];
    enter(0, AT_ROOM0_LEVER);

    tapControl();  // pullTimer 0.25
    EXPECT_TRUE(lever.pulling);
    runFrames(*game, 3, STEP);  // 1.0: not yet more than a second
    EXPECT_TRUE(lever.pulling);
    EXPECT_FALSE(door.opening);
    game->update(STEP);
    EXPECT_TRUE(lever.pulled);
    EXPECT_FALSE(lever.pulling);
    EXPECT_TRUE(door.opening);
    EXPECT_FALSE(door.locked);
    EXPECT_EQ(door.openTimer, 0.0f);

    runFrames(*game, 12, STEP);  // 3.0: still sliding
    EXPECT_TRUE(door.opening);
    EXPECT_FALSE(door.open);
    game->update(STEP);
    EXPECT_TRUE(door.open);
    EXPECT_FALSE(door.opening);
    EXPECT_TRUE(game->rooms[1].keyPresent[KEY_RED]);
    for (bool held : game->keysHeld) EXPECT_FALSE(held);
}

TEST_F(DoorsLeversKeys, AKeyPickedUpOpensItsLockOnlyFromTheNextFrame) {
    // Room 1's red key moved next to its red-locked east door.
    game->rooms[1].keyPositions[KEY_RED] = Vec3(97, 50, 1);
    const Door& lock = game->rooms[1].doors[1];
    enter(1, Vec3(97, 50, -17));

    game->update(STEP);
    EXPECT_TRUE(game->keysHeld[KEY_RED]);
    EXPECT_FALSE(game->rooms[1].keyPresent[KEY_RED]);
    EXPECT_TRUE(lock.locked);

    game->update(STEP);
    EXPECT_FALSE(game->keysHeld[KEY_RED]);
    EXPECT_FALSE(lock.locked);
    EXPECT_TRUE(lock.opening);
    EXPECT_EQ(lock.openTimer, 0.0f);  // one branch per door and frame
    game->update(STEP);
    EXPECT_EQ(lock.openTimer, STEP);
}

TEST_F(DoorsLeversKeys, KeysAreOnlyUsedOnTheirOwnColour) {
    game->keysHeld[KEY_GREEN] = true;
    game->keysHeld[KEY_GOLD] = true;
    enter(1, Vec3(99, 50, -10));  // in room 1's red lock's zone
    runFrames(*game, 4, STEP);
    EXPECT_TRUE(game->rooms[1].doors[1].locked);
    EXPECT_TRUE(game->keysHeld[KEY_GREEN]);
    EXPECT_TRUE(game->keysHeld[KEY_GOLD]);
}

TEST_F(DoorsLeversKeys, HoldingControlIntoALeversReachDoesNotPullIt) {
    const Lever& lever = game->rooms[0].levers[0];
    enter(0, Vec3(45, 45, -9));  // above the reach, which ends at -10
    hold({vk::LEFT_CONTROL});
    game->update(STEP);
    EXPECT_FALSE(lever.pulling);
    game->swimmerPosition.z = -11;
    runFrames(*game, 4, STEP);
    EXPECT_FALSE(lever.pulling);

    hold({});
    game->update(STEP);
    tapControl();
    EXPECT_TRUE(lever.pulling);
}

TEST_F(DoorsLeversKeys, OnePressStartsEveryLeverInReach) {
    Room& room = game->rooms[0];
    room.levers[1].position = Vec3(46, 46, 6);
    room.leverCount = 2;
    enter(0, AT_ROOM0_LEVER);
    tapControl();
    EXPECT_TRUE(room.levers[0].pulling);
    EXPECT_TRUE(room.levers[1].pulling);
    runFrames(*game, 4, STEP);
    EXPECT_TRUE(room.levers[0].pulled);
    EXPECT_TRUE(room.levers[1].pulled);  // a lever without a door is fine
    EXPECT_TRUE(room.doors[0].opening);

    // A pulled lever stays pulled.
    tapControl();
    EXPECT_FALSE(room.levers[0].pulling);
}

TEST_F(DoorsLeversKeys, RoomSevensLeverOpensRoomFoursDoorAtOnceAndItsOwnAfterThreeSeconds) {
    Door& ownDoor = game->rooms[7].doors[0];
    const Door& farSide = game->rooms[4].doors[2];
    enter(7, Vec3(50, 36, -17));
    tapControl();
    runFrames(*game, 4, STEP);
    EXPECT_TRUE(farSide.open);
    EXPECT_FALSE(farSide.opening);
    EXPECT_TRUE(ownDoor.opening);
    EXPECT_FALSE(ownDoor.open);
    runFrames(*game, 12, STEP);
    EXPECT_FALSE(ownDoor.open);
    game->update(STEP);
    EXPECT_TRUE(ownDoor.open);

    // Only the current room's animations advance.
    ownDoor.open = false;
    ownDoor.opening = true;
    ownDoor.openTimer = 1.0f;
    enter(4, Vec3(50, 50, -10));
    runFrames(*game, 20, STEP);
    EXPECT_EQ(ownDoor.openTimer, 1.0f);
}

TEST_F(DoorsLeversKeys, TheLastOpenDoorInListOrderIsTheOnePassed) {
    // Room 4's north door moved onto its west door: both hold the swimmer.
    Room& room = game->rooms[4];
    room.doors[1].position = Vec3(3, 50, 0);
    room.doors[1].orientation = DOOR_IN_X_WALL;
    room.doors[1].locked = false;
    room.doors[1].open = true;
    enter(4, Vec3(4, 50, -10));
    game->update(STEP);
    EXPECT_EQ(room.exitDoor, &room.doors[1]);
    runFrames(*game, 3, STEP);
    EXPECT_EQ(roomIndex(*game), 5);
    EXPECT_EQ(game->swimmerPosition.x, 50.0f);
    EXPECT_EQ(game->swimmerPosition.y, 10.0f);
}

TEST_F(DoorsLeversKeys, AnOpenDoorIntoNoRoomIsNotPassed) {
    Room& room = game->rooms[0];
    room.doors[0].open = true;
    for (const int32_t direction :
         {int32_t{DOOR_TOWARD_MINUS_X}, int32_t{7}, int32_t{-1}}) {  // no neighbour that way
        room.doors[0].direction = static_cast<DoorDirection>(direction);
        enter(0, Vec3(99, 50, -10));
        game->update(STEP);
        EXPECT_FALSE(room.fadingOut) << direction;
        EXPECT_EQ(room.exitDoor, nullptr) << direction;
    }
}

TEST_F(DoorsLeversKeys, AKeyOfAColourAlreadyHeldLeavesOneHeld) {
    game->keysHeld[KEY_BLUE] = true;
    enter(4, Vec3(75, 20, -17));
    game->update(STEP);
    EXPECT_TRUE(game->keysHeld[KEY_BLUE]);
    EXPECT_FALSE(game->rooms[4].keyPresent[KEY_BLUE]);
}

// Every zone is an open box: probed on each side of each axis exactly on its
// edge (outside) and a hundredth within it (inside), with the object at
// (50, 50) in an otherwise empty room and the swimmer at rest.
TEST(Zones, EachZoneIsAnOpenBoxAroundItsObject) {
    enum Action { PASS, UNLOCK, PULL, TAKE };
    constexpr float NONE = -std::numeric_limits<float>::infinity();  // no lower depth bound
    const struct {
        const char* name;
        Action action;
        DoorOrientation orientation;
        float halfX, halfY;
        float deepest, shallowest;  // the open depth range
    } zones[] = {
        {"passage through a door in a wall of constant x", PASS, DOOR_IN_X_WALL, 2, 5, NONE, -6},
        {"passage through a door in a wall of constant y", PASS, DOOR_IN_Y_WALL, 5, 2, NONE, -6},
        {"unlocking a door in a wall of constant x", UNLOCK, DOOR_IN_X_WALL, 4, 5, NONE, -6},
        {"unlocking a door in a wall of constant y", UNLOCK, DOOR_IN_Y_WALL, 5, 4, NONE, -6},
        {"pulling a lever 6 above the floor", PULL, DOOR_IN_X_WALL, 3, 3, -14, -10},
        {"taking a key 5 above the floor", TAKE, DOOR_IN_X_WALL, 2, 2, -16, -11},
    };
    auto acts = [](Action action, DoorOrientation orientation, const Vec3& at) {
        std::unique_ptr<Game> game = startedGame();
        Room& room = game->rooms[4];
        room.doorCount = 0;
        for (bool& present : room.keyPresent) present = false;
        const Vec3 centre(50, 50, 0);
        Door* door = room.addDoor(centre, orientation, DOOR_TOWARD_PLUS_X, Vec2(10, 50), action == PASS);
        if (action == UNLOCK) {
            lockDoor(door, KEY_BLUE);
            game->keysHeld[KEY_BLUE] = true;
        }
        const Lever* lever = room.addLever(Vec3(50, 50, 6), nullptr);
        if (action == TAKE) room.placeKey(KEY_GOLD, Vec3(50, 50, 5));
        game->currentRoom = &room;
        game->swimmerPosition = at;
        input.holdScripted(action == PULL ? std::set<int>{vk::LEFT_CONTROL} : std::set<int>{});
        game->update(STEP);
        input.holdScripted({});
        switch (action) {
            case PASS: return room.fadingOut;
            case UNLOCK: return !door->locked;
            case PULL: return lever->pulling;
            case TAKE: return game->keysHeld[KEY_GOLD];
        }
        return false;
    };
    constexpr float IN = 0.01f;
    for (const auto& z : zones) {
        const bool floorBound = std::isinf(z.deepest);  // doors reach down to the floor
        const float deepest = floorBound ? -20.0f : z.deepest;
        const float depth = floorBound ? -10.0f : (z.deepest + z.shallowest) / 2;  // well inside
        struct Probe {
            Vec3 at;
            bool inside;
            const char* where;
        };
        const std::vector<Probe> probes = {
            {{50, 50, depth}, true, "centre"},
            {{50 - z.halfX, 50, depth}, false, "low x edge"},
            {{50 - z.halfX + IN, 50, depth}, true, "inside the low x edge"},
            {{50 + z.halfX, 50, depth}, false, "high x edge"},
            {{50 + z.halfX - IN, 50, depth}, true, "inside the high x edge"},
            {{50, 50 - z.halfY, depth}, false, "low y edge"},
            {{50, 50 - z.halfY + IN, depth}, true, "inside the low y edge"},
            {{50, 50 + z.halfY, depth}, false, "high y edge"},
            {{50, 50 + z.halfY - IN, depth}, true, "inside the high y edge"},
            {{50, 50, z.shallowest}, false, "shallow edge"},
            {{50, 50, z.shallowest - IN}, true, "inside the shallow edge"},
            {{50, 50, deepest}, floorBound, "deep edge (the floor for doors)"},
            {{50, 50, deepest + IN}, true, "inside the deep edge"},
        };
        for (const Probe& p : probes)
            EXPECT_EQ(acts(z.action, z.orientation, p.at), p.inside) << z.name << ": " << p.where;
    }
}
