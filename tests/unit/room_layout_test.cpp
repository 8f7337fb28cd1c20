#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "game/room.h"
#include "started_game.h"

namespace {

std::unique_ptr<Room[]> buildAll(unsigned seed) {
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

}  // namespace

// The layout is checked by what it has to make possible, not by copying its
// tables: the links, doors, arrivals, keys and levers must fit together so
// that the building can be played from room 0 to the end.
namespace {

// DoorDirection: 0 towards -x, 1 towards +x, 2 towards +y, 3 towards -y.
const int OPPOSITE[DOOR_DIRECTIONS] = {1, 0, 3, 2};
const int STEP_X[DOOR_DIRECTIONS] = {-1, 1, 0, 0};
const int STEP_Y[DOOR_DIRECTIONS] = {0, 0, 1, -1};

int indexOf(const Game& g, const Room* room) { return room ? static_cast<int>(room - g.rooms) : -1; }

// Whether (x, y) lies within the footprint of a wall block (whose sides
// stop the swimmer at any depth), or, given a depth, inside its solid part.
bool inBlock(const Room& room, float x, float y, float depth = -DEPTH_OFFSET) {
    auto hits = [&](const Vec3* blocks, uint32_t count, float height) {
        for (uint32_t i = 0; i < count; ++i)
            if (std::fabs(x - blocks[i].x) < 1 && std::fabs(y - blocks[i].y) < 1 &&
                depth < blocks[i].z + height - DEPTH_OFFSET)
                return true;
        return false;
    };
    return hits(room.shortWalls, room.shortWallCount, 2) || hits(room.tallWalls, room.tallWallCount, 6);
}

// Inside the space the swimmer is kept in: 1 to 99 across, -20 to 0 deep.
bool inSwimmerSpace(float x, float y, float depth) {
    return x >= 1 && x <= 99 && y >= 1 && y <= 99 && depth >= -20 && depth <= 0;
}

}  // namespace

TEST(World, LinksAreReciprocalAndPlaceTheRoomsOnOneGrid) {
    const std::unique_ptr<Game> game = startedGame();
    const Game& g = *game;
    // Walk the links from room 0, giving each room a cell; every link must
    // agree with the cells, and no two rooms share one.
    int cellX[ROOM_COUNT], cellY[ROOM_COUNT];
    bool placed[ROOM_COUNT] = {true};
    cellX[0] = cellY[0] = 0;
    std::vector<int> queue = {0};
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int r = queue[i];
        for (int d = 0; d < DOOR_DIRECTIONS; ++d) {
            const int n = indexOf(g, g.rooms[r].neighbours[d]);
            if (n < 0) continue;
            ASSERT_LT(n, ROOM_COUNT) << "room " << r << " links to an unbuilt slot";
            EXPECT_EQ(g.rooms[n].neighbours[OPPOSITE[d]], &g.rooms[r]) << "room " << r << " direction " << d;
            if (!placed[n]) {
                placed[n] = true;
                cellX[n] = cellX[r] + STEP_X[d];
                cellY[n] = cellY[r] + STEP_Y[d];
                queue.push_back(n);
            }
            EXPECT_EQ(cellX[n], cellX[r] + STEP_X[d]) << "room " << r << " direction " << d;
            EXPECT_EQ(cellY[n], cellY[r] + STEP_Y[d]) << "room " << r << " direction " << d;
        }
    }
    EXPECT_EQ(queue.size(), static_cast<std::size_t>(ROOM_COUNT));
    for (int a = 0; a < ROOM_COUNT; ++a)
        for (int b = a + 1; b < ROOM_COUNT; ++b)
            EXPECT_FALSE(placed[a] && placed[b] && cellX[a] == cellX[b] && cellY[a] == cellY[b])
                << a << " " << b;
    // Two rows: nothing below room 0's row, nothing above the next one.
    for (int r = 0; r < ROOM_COUNT; ++r) EXPECT_TRUE(cellY[r] == 0 || cellY[r] == 1) << r;

    // A room links exactly where it has a door; the unbuilt slots are empty.
    for (int r = 0; r < ROOM_COUNT; ++r) {
        const Room& room = g.rooms[r];
        for (int d = 0; d < DOOR_DIRECTIONS; ++d) {
            int doors = 0;
            for (uint32_t i = 0; i < room.doorCount; ++i) doors += room.doors[i].direction == d;
            EXPECT_EQ(doors, room.neighbours[d] ? 1 : 0) << "room " << r << " direction " << d;
        }
    }
    for (int r = ROOM_COUNT; r < ROOM_SLOTS; ++r) {
        const Room& room = g.rooms[r];
        EXPECT_EQ(room.shortWallCount + room.tallWallCount + room.plateCount + room.floorPlankCount +
                      room.leverCount + room.doorCount,
                  0u)
            << r;
        for (int d = 0; d < DOOR_DIRECTIONS; ++d) EXPECT_EQ(room.neighbours[d], nullptr) << r;
        for (bool present : room.keyPresent) EXPECT_FALSE(present) << r;
    }
}

TEST(World, DoorsSitOnTheirWallAndArrivalsLandClearBesideTheWayBack) {
    const std::unique_ptr<Game> game = startedGame();
    const Game& g = *game;
    for (int r = 0; r < ROOM_COUNT; ++r) {
        const Room& room = g.rooms[r];
        for (uint32_t i = 0; i < room.doorCount; ++i) {
            const Door& door = room.doors[i];
            SCOPED_TRACE(::testing::Message() << "room " << r << " door " << i);
            const int d = door.direction;
            ASSERT_TRUE(d >= 0 && d < DOOR_DIRECTIONS);
            // In the wall of its side: a door to -x or +x stands in a wall of
            // constant x, within 5 of it, and its passage (2 deep) reaches
            // into the swimmer's space.
            const bool alongY = d == DOOR_TOWARD_MINUS_X || d == DOOR_TOWARD_PLUS_X;
            EXPECT_EQ(door.orientation, alongY ? 0 : 1);
            const float across = alongY ? door.position.x : door.position.y;
            const float wall = (d == DOOR_TOWARD_PLUS_X || d == DOOR_TOWARD_PLUS_Y) ? 100.0f : 0.0f;
            EXPECT_LE(std::fabs(across - wall), 5.0f);
            EXPECT_TRUE(across - 2 < 99 && across + 2 > 1);
            const float along = alongY ? door.position.y : door.position.x;
            EXPECT_TRUE(along >= 6 && along <= 94) << along;

            // The arrival: inside the next room, on no block, beside that
            // room's door back and outside its passage, so that arriving
            // does not send the swimmer straight back.
            const Room* next = room.neighbours[d];
            ASSERT_NE(next, nullptr);
            EXPECT_TRUE(inSwimmerSpace(door.arrival.x, door.arrival.y, -10));
            EXPECT_FALSE(inBlock(*next, door.arrival.x, door.arrival.y));
            const Door* back = nullptr;
            for (uint32_t k = 0; k < next->doorCount; ++k)
                if (next->doors[k].direction == OPPOSITE[d]) back = &next->doors[k];
            ASSERT_NE(back, nullptr);
            const float dx = door.arrival.x - back->position.x, dy = door.arrival.y - back->position.y;
            EXPECT_LE(std::hypot(dx, dy), 10.0f);
            EXPECT_FALSE(std::fabs(alongY ? dx : dy) < 2 && std::fabs(alongY ? dy : dx) < 5);
        }
    }
}

TEST(World, EveryLockOpensWithAKeyFoundBeforeItAndEveryRoomIsReached) {
    // Plays the rules on the room graph, without moving: from room 0, take
    // every key, pull every lever and open every lock that can be reached
    // through open doors, until nothing changes.
    const std::unique_ptr<Game> game = startedGame();
    Game& g = *game;
    bool held[KEY_COLOURS] = {};
    bool reached[ROOM_COUNT] = {};
    for (bool changed = true; changed;) {
        changed = false;
        std::fill(std::begin(reached), std::end(reached), false);
        reached[0] = true;
        std::vector<int> queue = {0};
        for (std::size_t i = 0; i < queue.size(); ++i)
            for (uint32_t k = 0; k < g.rooms[queue[i]].doorCount; ++k) {
                const Door& door = g.rooms[queue[i]].doors[k];
                const int n = indexOf(g, g.rooms[queue[i]].neighbours[door.direction]);
                if (door.open && n >= 0 && !reached[n]) {
                    reached[n] = true;
                    queue.push_back(n);
                }
            }
        for (const int r : queue) {
            Room& room = g.rooms[r];
            for (int c = 0; c < KEY_COLOURS; ++c)
                if (room.keyPresent[c]) {
                    room.keyPresent[c] = false;
                    held[c] = changed = true;
                }
            for (uint32_t l = 0; l < room.leverCount; ++l) {
                Lever& lever = room.levers[l];
                if (lever.pulled) continue;
                lever.pulled = changed = true;
                if (lever.door) lever.door->open = true;
                if (lever.linkedOpenFlag) *lever.linkedOpenFlag = true;
            }
            for (uint32_t k = 0; k < room.doorCount; ++k) {
                Door& door = room.doors[k];
                if (door.locked && !door.open && held[door.lockColour]) {
                    held[door.lockColour] = false;
                    door.open = changed = true;
                }
            }
        }
    }
    for (int r = 0; r < ROOM_COUNT; ++r) {
        EXPECT_TRUE(reached[r]) << "room " << r;
        for (uint32_t k = 0; k < g.rooms[r].doorCount; ++k)
            EXPECT_TRUE(g.rooms[r].doors[k].open) << r << "." << k;
        for (bool present : g.rooms[r].keyPresent) EXPECT_FALSE(present) << "room " << r;
    }
    // Every key found a lock of its colour.
    for (bool h : held) EXPECT_FALSE(h);
}

TEST(World, KeysAndLeversLieInReachAndLeversOpenTheirOwnPassage) {
    const std::unique_ptr<Game> game = startedGame();
    const Game& g = *game;
    int keys[KEY_COLOURS] = {}, locks[KEY_COLOURS] = {};
    for (int r = 0; r < ROOM_COUNT; ++r) {
        const Room& room = g.rooms[r];
        SCOPED_TRACE(::testing::Message() << "room " << r);
        // The middle of each reach (keys: 21 to 16 below their height,
        // levers: 20 to 16) is open water the swimmer can be in.
        for (int c = 0; c < KEY_COLOURS; ++c) {
            if (!room.keyPresent[c]) continue;
            ++keys[c];
            const Vec3& k = room.keyPositions[c];
            EXPECT_TRUE(inSwimmerSpace(k.x, k.y, k.z - 18.5f)) << c;
            EXPECT_FALSE(inBlock(room, k.x, k.y, k.z - 18.5f)) << c;
        }
        for (uint32_t i = 0; i < room.doorCount; ++i)
            if (room.doors[i].locked) ++locks[room.doors[i].lockColour];
        for (uint32_t l = 0; l < room.leverCount; ++l) {
            const Lever& lever = room.levers[l];
            const Vec3& p = lever.position;
            EXPECT_TRUE(inSwimmerSpace(p.x, p.y, p.z - 18));
            EXPECT_FALSE(inBlock(room, p.x, p.y, p.z - 18));
            // It opens a shut door of its own room; a linked flag opens the
            // far side of that same passage.
            ASSERT_NE(lever.door, nullptr);
            const std::ptrdiff_t door = lever.door - room.doors;
            ASSERT_TRUE(door >= 0 && door < static_cast<std::ptrdiff_t>(room.doorCount));
            EXPECT_FALSE(lever.door->open || lever.door->locked);
            if (!lever.linkedOpenFlag) continue;
            const Room* next = room.neighbours[lever.door->direction];
            ASSERT_NE(next, nullptr);
            bool farSide = false;
            for (uint32_t k = 0; k < next->doorCount; ++k)
                farSide |= lever.linkedOpenFlag == &next->doors[k].open &&
                           next->doors[k].direction == OPPOSITE[lever.door->direction];
            EXPECT_TRUE(farSide);
        }
    }
    for (int c = 0; c < KEY_COLOURS; ++c) {
        EXPECT_EQ(keys[c], 1) << "keys of colour " << c;
        EXPECT_EQ(locks[c], 1) << "locks of colour " << c;
    }
    // Room 0's tower ring around x, y = 40..52 is open at (46, 40) alone.
    int ring = 0;
    for (uint32_t i = 0; i < g.rooms[0].tallWallCount; ++i) {
        const Vec3& b = g.rooms[0].tallWalls[i];
        ring += (b.x == 40 || b.x == 52 || b.y == 40 || b.y == 52) && b.x >= 40 && b.x <= 52 && b.y >= 40 &&
                b.y <= 52;
        EXPECT_FALSE(b.x == 46 && b.y == 40);
    }
    EXPECT_EQ(ring, 4 * 6 - 1);
}

TEST(World, OnlyTheStartRoomIsEnteredWithoutAFade) {
    const std::unique_ptr<Game> game = startedGame();
    EXPECT_FALSE(game->rooms[0].fadingIn);
    for (int r = 0; r < ROOM_COUNT; ++r) {
        EXPECT_EQ(game->rooms[r].fadingIn, r != 0) << r;
        EXPECT_FALSE(game->rooms[r].fadingOut) << r;
        EXPECT_EQ(game->rooms[r].exitDoor, nullptr) << r;
    }
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
