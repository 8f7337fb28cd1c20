// The eight rooms of the building, as data. Coordinates are room-relative:
// x and y from 0 to 100, z the height above the floor.
#include "game/room.h"

namespace {

const Vec3 ALONG_X(2, 0, 0);
const Vec3 ALONG_Y(0, 2, 0);
const Vec3 BACK_ALONG_Y(0, -2, 0);

const Vec2 ARRIVE_FROM_WEST(10, 50);   // entering through a door at x = 3
const Vec2 ARRIVE_FROM_EAST(90, 50);   // entering through a door at x = 100
const Vec2 ARRIVE_FROM_SOUTH(50, 10);  // entering through a door at y = 2
const Vec2 ARRIVE_FROM_NORTH(50, 90);  // entering through a door at y = 97

const Vec3 WEST_DOOR(3, 50, 0);
const Vec3 EAST_DOOR(100, 50, 0);
const Vec3 SOUTH_DOOR(50, 2, 0);

constexpr bool OPEN = true;
constexpr bool SHUT = false;

}  // namespace

// The lever room: a walled garden, and a closed tower in the middle whose
// roof plates carry the lever that opens the east door.
void Room::buildRoom0(unsigned seaweedSeed) {
    reset(seaweedSeed);
    fadingIn = false;  // the game starts without a fade-in
    addShortWalls(Vec3(24, 10, 0), Vec3(56, 10, 0), ALONG_X);
    addShortWalls(Vec3(24, 70, 0), Vec3(56, 70, 0), ALONG_X);
    addShortWalls(Vec3(10, 24, 0), Vec3(10, 56, 0), ALONG_Y);
    addShortWalls(Vec3(70, 24, 0), Vec3(70, 56, 0), ALONG_Y);
    const Vec3 singles[] = {{6, 40, 0},  {40, 40, 6}, {52, 40, 6}, {40, 52, 6}, {52, 52, 6},
                            {40, 14, 0}, {40, 10, 0}, {52, 14, 0}, {52, 10, 0}, {22, 18, 0},
                            {58, 18, 0}, {64, 60, 0}, {16, 60, 0}};
    for (const Vec3& v : singles) addShortWall(v.x, v.y, v.z);

    // The tower ring around x, y = 40..52, with a one-block gap at (46, 40).
    addTallWalls(Vec3(40, 40, 0), Vec3(40, 52, 0), ALONG_Y);
    addTallWall(42, 40, 0);
    addTallWall(44, 40, 0);
    addTallWalls(Vec3(48, 40, 0), Vec3(52, 40, 0), ALONG_X);
    addTallWalls(Vec3(52, 42, 0), Vec3(52, 52, 0), ALONG_Y);
    addTallWalls(Vec3(42, 52, 0), Vec3(50, 52, 0), ALONG_X);

    for (float x = 42; x <= 50; x += 2)
        for (float y = 42; y <= 50; y += 2) addPlate(x, y, 0);

    const Vec3 planks[] = {{22, 16, 0}, {58, 16, 0}, {64, 58, 0}, {16, 58, 0}, {24, 16, 0}, {56, 16, 0},
                           {64, 56, 0}, {16, 56, 0}, {24, 18, 0}, {56, 18, 0}, {62, 56, 0}, {18, 56, 0},
                           {24, 14, 0}, {56, 14, 0}, {66, 56, 0}, {14, 56, 0}};
    for (const Vec3& v : planks) addFloorPlank(v.x, v.y, v.z);

    Door* east = addDoor(EAST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, ARRIVE_FROM_WEST, SHUT);
    addLever(Vec3(45, 45, 6), east);
}

// The red key lies in the walled north-west corner; the east door is red-locked.
void Room::buildRoom1(unsigned seaweedSeed) {
    reset(seaweedSeed);
    const Vec3 shorts[] = {{92, 35, 0}, {92, 65, 0}, {94, 35, 0}, {94, 65, 0},
                           {96, 35, 0}, {96, 65, 0}, {98, 35, 0}, {98, 65, 0}};
    for (const Vec3& v : shorts) addShortWall(v.x, v.y, v.z);

    addTallWalls(Vec3(2, 98, 0), Vec3(2, 70, 0), BACK_ALONG_Y);
    addTallWalls(Vec3(4, 98, 0), Vec3(24, 98, 0), ALONG_X);
    const Vec3 talls[] = {{8, 86, 0}, {10, 86, 0}, {4, 86, 0}, {6, 86, 0}};
    for (const Vec3& v : talls) addTallWall(v.x, v.y, v.z);

    addPlates(Vec3(4, 96, 0), Vec3(4, 88, 0), BACK_ALONG_Y);
    addPlates(Vec3(6, 96, 0), Vec3(12, 96, 0), ALONG_X);
    const Vec3 plateSingles[] = {{6, 94, 0}, {6, 92, 0}, {8, 94, 0}, {6, 90, 0}};
    for (const Vec3& v : plateSingles) addPlate(v.x, v.y, v.z);
    for (int i = 0; i < 10; ++i) addFloorPlank(plates[i].x, plates[i].y, plates[i].z);

    addDoor(WEST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_MINUS_X, ARRIVE_FROM_EAST, OPEN);
    lockDoor(addDoor(EAST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, ARRIVE_FROM_WEST, SHUT), KEY_RED);

    placeKey(KEY_RED, Vec3(6, 94, 1));
}

// The green key, a lever for the east door, and the gold-locked way north.
void Room::buildRoom2(unsigned seaweedSeed) {
    reset(seaweedSeed);
    // Both rows run on past the room's far edge.
    addShortWalls(Vec3(80, 20, 0), Vec3(80, 134, 0), Vec3(0, 6, 0));
    addShortWalls(Vec3(20, 20, 0), Vec3(20, 134, 0), Vec3(0, 6, 0));

    addTallWalls(Vec3(86, 6, 0), Vec3(90, 6, 0), ALONG_X);
    addTallWall(86, 8, 0);
    addTallWall(90, 8, 0);
    addTallWalls(Vec3(86, 10, 0), Vec3(90, 10, 0), ALONG_X);
    const Vec3 talls[] = {{75, 90, 0}, {73, 90, 0}, {77, 90, 0}, {25, 90, 0}, {23, 90, 0}, {27, 90, 0}};
    for (const Vec3& v : talls) addTallWall(v.x, v.y, v.z);

    addPlate(88, 8, 0);

    addDoor(WEST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_MINUS_X, ARRIVE_FROM_EAST, OPEN);
    Door* east = addDoor(EAST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, ARRIVE_FROM_WEST, SHUT);
    lockDoor(addDoor(Vec3(50, 97.5f, 0), DOOR_IN_Y_WALL, DOOR_TOWARD_PLUS_Y, ARRIVE_FROM_SOUTH, SHUT),
             KEY_GOLD);

    addLever(Vec3(88, 8, 6), east);
    placeKey(KEY_GREEN, Vec3(75, 95, 1));
}

// The gold room: a staircase of short walls between tall side walls.
void Room::buildRoom3(unsigned seaweedSeed) {
    reset(seaweedSeed);
    const float steps[][2] = {{40, 0}, {42, 2}, {44, 4}, {46, 6}, {48, 8}};
    for (const auto& step : steps)
        addShortWalls(Vec3(44, step[0], step[1]), Vec3(62, step[0], step[1]), ALONG_X);
    addShortWall(44, 54, 16);
    addShortWall(46, 54, 16);
    addShortWalls(Vec3(46, 54, 18), Vec3(56, 54, 18), ALONG_X);
    const Vec3 shorts[] = {{60, 54, 18}, {60, 54, 16}, {62, 54, 16}, {58, 54, 18}};
    for (const Vec3& v : shorts) addShortWall(v.x, v.y, v.z);

    addTallWalls(Vec3(42, 40, 0), Vec3(42, 48, 0), ALONG_Y);
    addTallWalls(Vec3(64, 40, 0), Vec3(64, 48, 0), ALONG_Y);
    addTallWalls(Vec3(42, 46, 6), Vec3(42, 54, 6), ALONG_Y);
    addTallWalls(Vec3(64, 46, 6), Vec3(64, 54, 6), ALONG_Y);
    addTallWall(42, 54, 12);
    addTallWall(64, 54, 12);

    addPlates(Vec3(44, 50, 5), Vec3(62, 50, 5), ALONG_X);
    addPlates(Vec3(44, 52, 5), Vec3(62, 52, 5), ALONG_X);

    addDoor(SOUTH_DOOR, DOOR_IN_Y_WALL, DOOR_TOWARD_MINUS_Y, ARRIVE_FROM_NORTH, OPEN);
}

// The blue key, the blue-locked way north and the shut passage east.
void Room::buildRoom4(unsigned seaweedSeed) {
    reset(seaweedSeed);
    addDoor(WEST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_MINUS_X, ARRIVE_FROM_EAST, OPEN);
    lockDoor(addDoor(Vec3(50, 97.5f, 0), DOOR_IN_Y_WALL, DOOR_TOWARD_PLUS_Y, ARRIVE_FROM_SOUTH, SHUT),
             KEY_BLUE);
    addDoor(EAST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, ARRIVE_FROM_WEST, SHUT);
    placeKey(KEY_BLUE, Vec3(75, 20, 1));
}

// A lever on the floor in the north-west corner opens the east door.
void Room::buildRoom5(unsigned seaweedSeed) {
    reset(seaweedSeed);
    addDoor(SOUTH_DOOR, DOOR_IN_Y_WALL, DOOR_TOWARD_MINUS_Y, ARRIVE_FROM_NORTH, OPEN);
    Door* east = addDoor(EAST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_PLUS_X, ARRIVE_FROM_WEST, SHUT);
    addLever(Vec3(12, 88, 0), east);
}

// The green lock on the way south.
void Room::buildRoom6(unsigned seaweedSeed) {
    reset(seaweedSeed);
    addDoor(WEST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_MINUS_X, ARRIVE_FROM_EAST, OPEN);
    lockDoor(addDoor(SOUTH_DOOR, DOOR_IN_Y_WALL, DOOR_TOWARD_MINUS_Y, ARRIVE_FROM_NORTH, SHUT), KEY_GREEN);
}

// The gold key above the central block, and the lever back to room 4.
void Room::buildRoom7(unsigned seaweedSeed) {
    reset(seaweedSeed);
    addShortWalls(Vec3(40, 40, 0), Vec3(24, 24, 0), Vec3(-4, -4, 0));
    addShortWalls(Vec3(60, 60, 0), Vec3(76, 76, 0), Vec3(4, 4, 0));
    addShortWalls(Vec3(60, 40, 0), Vec3(76, 24, 0), Vec3(4, -4, 0));
    addShortWalls(Vec3(40, 60, 0), Vec3(24, 76, 0), Vec3(-4, 4, 0));
    const Vec3 shorts[] = {{50, 38, 0}, {48, 38, 0}, {52, 38, 0}, {48, 36, 0}, {52, 36, 0}};
    for (const Vec3& v : shorts) addShortWall(v.x, v.y, v.z);

    addTallWalls(Vec3(48, 48, 0), Vec3(48, 52, 0), ALONG_Y);
    addTallWall(50, 48, 0);
    addTallWall(50, 52, 0);
    addTallWalls(Vec3(52, 48, 0), Vec3(52, 52, 0), ALONG_Y);
    const Vec3 talls[] = {{44, 44, 0}, {44, 56, 0}, {56, 44, 0}, {56, 56, 0}};
    for (const Vec3& v : talls) addTallWall(v.x, v.y, v.z);

    addPlate(50, 50, 0);

    Door* west = addDoor(WEST_DOOR, DOOR_IN_X_WALL, DOOR_TOWARD_MINUS_X, ARRIVE_FROM_EAST, SHUT);
    addDoor(Vec3(50, 97, 0), DOOR_IN_Y_WALL, DOOR_TOWARD_PLUS_Y, ARRIVE_FROM_SOUTH, OPEN);
    addLever(Vec3(50, 36, 0), west);
    placeKey(KEY_GOLD, Vec3(49, 50, 8));
}
