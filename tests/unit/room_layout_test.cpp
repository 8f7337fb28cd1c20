#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "game/room.h"

namespace {

constexpr unsigned SEED = 1234;

std::unique_ptr<Room[]> buildAll(unsigned seed = SEED) {
    std::unique_ptr<Room[]> rooms(new Room[ROOM_COUNT]);
    rooms[0].buildRoom0(seed);
    rooms[1].buildRoom1(seed);
    rooms[2].buildRoom2(seed);
    rooms[3].buildRoom3(seed);
    rooms[4].buildRoom4(seed);
    rooms[5].buildRoom5(seed);
    rooms[6].buildRoom6(seed);
    rooms[7].buildRoom7(seed);
    return rooms;
}

void expectAt(const Vec3& v, float x, float y, float z) {
    EXPECT_EQ(v.x, x);
    EXPECT_EQ(v.y, y);
    EXPECT_EQ(v.z, z);
}

}  // namespace

TEST(RoomLayouts, ListCountsPerRoom) {
    auto rooms = buildAll();
    // short, tall, plates, planks, levers, doors
    const uint32_t expected[ROOM_COUNT][6] = {
        {81, 23, 25, 16, 1, 1}, {8, 30, 13, 10, 0, 2}, {40, 14, 1, 0, 1, 3}, {62, 22, 20, 0, 0, 1},
        {0, 0, 0, 0, 0, 3},     {0, 0, 0, 0, 1, 2},    {0, 0, 0, 0, 0, 2},   {25, 12, 1, 0, 1, 2}};
    for (int i = 0; i < ROOM_COUNT; ++i) {
        const Room& r = rooms[i];
        const uint32_t actual[6] = {r.shortWallCount,  r.tallWallCount, r.plateCount,
                                    r.floorPlankCount, r.leverCount,    r.doorCount};
        for (int k = 0; k < 6; ++k) EXPECT_EQ(actual[k], expected[i][k]) << "room " << i << " list " << k;
    }
}

TEST(RoomLayouts, RunsStartAndEndWhereTheLayoutSays) {
    auto rooms = buildAll();
    const Room& r0 = rooms[0];
    expectAt(r0.shortWalls[0], 24, 10, 0);
    expectAt(r0.shortWalls[16], 56, 10, 0);
    expectAt(r0.shortWalls[17], 24, 70, 0);
    expectAt(r0.shortWalls[34], 10, 24, 0);
    expectAt(r0.shortWalls[51], 70, 24, 0);
    expectAt(r0.shortWalls[67], 70, 56, 0);
    expectAt(r0.shortWalls[68], 6, 40, 0);
    expectAt(r0.shortWalls[69], 40, 40, 6);
    expectAt(r0.shortWalls[80], 16, 60, 0);
    expectAt(r0.tallWalls[6], 40, 52, 0);
    expectAt(r0.tallWalls[8], 44, 40, 0);
    expectAt(r0.tallWalls[9], 48, 40, 0);
    expectAt(r0.tallWalls[12], 52, 42, 0);
    expectAt(r0.tallWalls[22], 50, 52, 0);
    for (uint32_t i = 0; i < r0.tallWallCount; ++i)  // the one-block gap in the tower ring
        EXPECT_FALSE(r0.tallWalls[i].x == 46 && r0.tallWalls[i].y == 40);
    expectAt(r0.plates[0], 42, 42, 0);
    expectAt(r0.plates[1], 42, 44, 0);  // y is the inner loop
    expectAt(r0.plates[24], 50, 50, 0);
    expectAt(r0.floorPlanks[15], 14, 56, 0);

    const Room& r1 = rooms[1];
    expectAt(r1.tallWalls[0], 2, 98, 0);
    expectAt(r1.tallWalls[14], 2, 70, 0);
    expectAt(r1.tallWalls[25], 24, 98, 0);
    expectAt(r1.tallWalls[29], 6, 86, 0);
    expectAt(r1.plates[4], 4, 88, 0);
    expectAt(r1.plates[12], 6, 90, 0);
    for (int i = 0; i < 10; ++i) expectAt(r1.floorPlanks[i], r1.plates[i].x, r1.plates[i].y, r1.plates[i].z);

    const Room& r2 = rooms[2];
    expectAt(r2.shortWalls[19], 80, 134, 0);  // running on past the room's far edge
    expectAt(r2.shortWalls[39], 20, 134, 0);
    expectAt(r2.tallWalls[13], 27, 90, 0);
    expectAt(r2.plates[0], 88, 8, 0);

    const Room& r3 = rooms[3];
    expectAt(r3.shortWalls[9], 62, 40, 0);
    expectAt(r3.shortWalls[49], 62, 48, 8);
    expectAt(r3.shortWalls[52], 46, 54, 18);
    expectAt(r3.shortWalls[61], 58, 54, 18);
    expectAt(r3.tallWalls[20], 42, 54, 12);
    expectAt(r3.plates[19], 62, 52, 5);

    const Room& r7 = rooms[7];
    expectAt(r7.shortWalls[4], 24, 24, 0);
    expectAt(r7.shortWalls[14], 76, 24, 0);
    expectAt(r7.shortWalls[19], 24, 76, 0);
    expectAt(r7.shortWalls[24], 52, 36, 0);
    expectAt(r7.tallWalls[11], 56, 56, 0);
}

TEST(RoomLayouts, DoorTable) {
    auto rooms = buildAll();
    struct Row {
        int room, door;
        float x, y;
        int orientation;
        bool open, locked;
        int colour, direction;
        float ax, ay;
    };
    const Row table[] = {{0, 0, 100, 50, 0, false, false, 0, 1, 10, 50},
                         {1, 0, 3, 50, 0, true, false, 0, 0, 90, 50},
                         {1, 1, 100, 50, 0, false, true, KEY_RED, 1, 10, 50},
                         {2, 0, 3, 50, 0, true, false, 0, 0, 90, 50},
                         {2, 1, 100, 50, 0, false, false, 0, 1, 10, 50},
                         {2, 2, 50, 97.5f, 1, false, true, KEY_GOLD, 2, 50, 10},
                         {3, 0, 50, 2, 1, true, false, 0, 3, 50, 90},
                         {4, 0, 3, 50, 0, true, false, 0, 0, 90, 50},
                         {4, 1, 50, 97.5f, 1, false, true, KEY_BLUE, 2, 50, 10},
                         {4, 2, 100, 50, 0, false, false, 0, 1, 10, 50},
                         {5, 0, 50, 2, 1, true, false, 0, 3, 50, 90},
                         {5, 1, 100, 50, 0, false, false, 0, 1, 10, 50},
                         {6, 0, 3, 50, 0, true, false, 0, 0, 90, 50},
                         {6, 1, 50, 2, 1, false, true, KEY_GREEN, 3, 50, 90},
                         {7, 0, 3, 50, 0, false, false, 0, 0, 90, 50},
                         {7, 1, 50, 97, 1, true, false, 0, 2, 50, 10}};
    for (const Row& row : table) {
        const Door& d = rooms[row.room].doors[row.door];
        SCOPED_TRACE(::testing::Message() << "room " << row.room << " door " << row.door);
        expectAt(d.position, row.x, row.y, 0);
        EXPECT_EQ(d.orientation, row.orientation);
        EXPECT_EQ(d.open, row.open);
        EXPECT_EQ(d.locked, row.locked);
        EXPECT_EQ(d.lockColour, row.colour);
        EXPECT_EQ(d.direction, row.direction);
        EXPECT_EQ(d.arrival.x, row.ax);
        EXPECT_EQ(d.arrival.y, row.ay);
        EXPECT_FALSE(d.opening);
        EXPECT_EQ(d.openTimer, 0.0f);
    }
}

TEST(RoomLayouts, LeversKeysAndTransitionFlags) {
    auto rooms = buildAll();
    struct LeverRow {
        int room;
        float x, y, z;
        int door;
    };
    const LeverRow levers[] = {{0, 45, 45, 6, 0}, {2, 88, 8, 6, 1}, {5, 12, 88, 0, 1}, {7, 50, 36, 0, 0}};
    for (const LeverRow& row : levers) {
        const Lever& l = rooms[row.room].levers[0];
        expectAt(l.position, row.x, row.y, row.z);
        EXPECT_EQ(l.door, &rooms[row.room].doors[row.door]) << "room " << row.room;
        EXPECT_FALSE(l.pulled || l.pulling);
        EXPECT_EQ(l.linkedOpenFlag, nullptr);  // linked by the world builder
    }
    struct KeyRow {
        int room;
        KeyColour colour;
        float x, y, z;
    };
    const KeyRow keys[] = {{1, KEY_RED, 6, 94, 1},
                           {2, KEY_GREEN, 75, 95, 1},
                           {4, KEY_BLUE, 75, 20, 1},
                           {7, KEY_GOLD, 49, 50, 8}};
    int present = 0;
    for (int i = 0; i < ROOM_COUNT; ++i)
        for (int c = 0; c < KEY_COLOURS; ++c) present += rooms[i].keyPresent[c];
    EXPECT_EQ(present, 4);
    for (const KeyRow& row : keys) {
        EXPECT_TRUE(rooms[row.room].keyPresent[row.colour]);
        expectAt(rooms[row.room].keyPositions[row.colour], row.x, row.y, row.z);
    }
    EXPECT_FALSE(rooms[0].fadingIn);
    for (int i = 1; i < ROOM_COUNT; ++i) {
        EXPECT_TRUE(rooms[i].fadingIn) << i;
        EXPECT_FALSE(rooms[i].fadingOut);
        EXPECT_EQ(rooms[i].exitDoor, nullptr);
    }
}

TEST(RoomLayouts, ExtentAndBankRing) {
    auto rooms = buildAll();
    const Room& r = rooms[5];
    EXPECT_EQ(r.minX, 0.0f);
    EXPECT_EQ(r.minY, 0.0f);
    EXPECT_EQ(r.maxX, 100.0f);
    EXPECT_EQ(r.maxY, 100.0f);
    expectAt(r.bankPositions[0], 0, 0, 0);
    expectAt(r.bankPositions[4], 0, 80, 0);
    expectAt(r.bankPositions[5], 100, 0, 0);
    expectAt(r.bankPositions[10], 0, 100, 0);
    expectAt(r.bankPositions[14], 80, 100, 0);
    expectAt(r.bankPositions[15], 0, 0, 0);  // the unused sixteenth slot
}

TEST(Seaweed, RangesAndStalkSharing) {
    auto rooms = buildAll(98765);
    for (int i = 0; i < ROOM_COUNT; ++i) {
        for (int s = 0; s < SEAWEED_SEGMENTS; ++s) {
            const SeaweedSegment& seg = rooms[i].seaweed[s];
            const SeaweedSegment& root = rooms[i].seaweed[s - s % SEGMENTS_PER_STALK];
            EXPECT_GE(seg.position.x, 3.0f);
            EXPECT_LT(seg.position.x, 100.0f);
            EXPECT_GE(seg.position.y, 0.0f);
            EXPECT_LT(seg.position.y, 100.0f);
            EXPECT_EQ(seg.position.z, 0.0f);
            EXPECT_EQ(seg.position.x, root.position.x);
            EXPECT_EQ(seg.position.y, root.position.y);
            EXPECT_EQ(seg.position.x, std::floor(seg.position.x));
            for (float o : {seg.offset.x, seg.offset.y, seg.offset.z}) {
                EXPECT_GE(o, -0.5f);
                EXPECT_LT(o, 0.5f);
            }
            EXPECT_EQ(seg.direction.x, seg.offset.x > 0 ? 1.0f : -1.0f);
            EXPECT_EQ(seg.direction.z, seg.offset.z > 0 ? 1.0f : -1.0f);
            for (float sp : {seg.speed.x, seg.speed.y, seg.speed.z}) {
                EXPECT_GE(sp, 0.2f);
                EXPECT_LT(sp, 1.0f);
            }
            for (float t : {seg.tilt.x, seg.tilt.y}) {
                EXPECT_GE(t, -30.0f);
                EXPECT_LE(t, 29.0f);
                EXPECT_EQ(t, std::floor(t));
            }
        }
    }
}

TEST(Seaweed, SameSeedSameSeaweedDifferentSeedDifferent) {
    Room a, b, c;
    a.buildRoom4(42);
    b.buildRoom6(42);
    c.buildRoom4(43);
    bool anyDifferent = false;
    for (int s = 0; s < SEAWEED_SEGMENTS; ++s) {
        EXPECT_EQ(a.seaweed[s].position.x, b.seaweed[s].position.x);
        EXPECT_EQ(a.seaweed[s].offset.y, b.seaweed[s].offset.y);
        EXPECT_EQ(a.seaweed[s].tilt.x, b.seaweed[s].tilt.x);
        anyDifferent |= a.seaweed[s].position.x != c.seaweed[s].position.x;
    }
    EXPECT_TRUE(anyDifferent);
}

// The lists are fixed arrays: an append that does not fit goes nowhere; it
// must not replace the last entry (a door or lever written over another
// would change which doors a lever opens).
TEST(RoomLists, AppendsToAFullListAreDropped) {
    Room room;
    room.reset(1);
    Door* doors[MAX_DOORS] = {};
    for (int i = 0; i < MAX_DOORS; ++i)
        doors[i] =
            room.addDoor(Vec3(10.0f * i, 2, 0), DOOR_IN_Y_WALL, DOOR_TOWARD_MINUS_Y, Vec2(1, 1), i == 0);
    EXPECT_EQ(room.addDoor(Vec3(99, 99, 0), DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, Vec2(5, 5), true), nullptr);
    EXPECT_EQ(room.doorCount, static_cast<uint32_t>(MAX_DOORS));
    EXPECT_EQ(doors[MAX_DOORS - 1], &room.doors[MAX_DOORS - 1]);
    EXPECT_FLOAT_EQ(room.doors[MAX_DOORS - 1].position.x, 10.0f * (MAX_DOORS - 1));
    EXPECT_FALSE(room.doors[MAX_DOORS - 1].open);
    lockDoor(nullptr, KEY_GOLD);  // locking a dropped door is harmless

    for (int i = 0; i < MAX_LEVERS; ++i) EXPECT_NE(room.addLever(Vec3(1.0f * i, 0, 0), doors[0]), nullptr);
    EXPECT_EQ(room.addLever(Vec3(50, 50, 0), doors[1]), nullptr);
    EXPECT_EQ(room.leverCount, static_cast<uint32_t>(MAX_LEVERS));
    EXPECT_EQ(room.levers[MAX_LEVERS - 1].door, doors[0]);
    EXPECT_FLOAT_EQ(room.levers[MAX_LEVERS - 1].position.x, MAX_LEVERS - 1.0f);

    for (int i = 0; i <= MAX_SHORT_WALLS; ++i) room.addShortWall(1.0f * i, 0, 0);
    EXPECT_EQ(room.shortWallCount, static_cast<uint32_t>(MAX_SHORT_WALLS));
    EXPECT_FLOAT_EQ(room.shortWalls[MAX_SHORT_WALLS - 1].x, MAX_SHORT_WALLS - 1.0f);
}
