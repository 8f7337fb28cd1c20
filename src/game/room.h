#pragma once

#include <cstdint>

#include "math/vec.h"

class Texture;

// Key and lock colours; every four-element key/lock array is indexed by them.
enum KeyColour : int32_t { KEY_RED = 0, KEY_GREEN = 1, KEY_BLUE = 2, KEY_GOLD = 3 };
constexpr int KEY_COLOURS = 4;

// The side of a room a door leads through; indexes a room's neighbours.
enum DoorDirection : int32_t {
    DOOR_TOWARD_MINUS_X = 0,
    DOOR_TOWARD_PLUS_X = 1,
    DOOR_TOWARD_PLUS_Y = 2,
    DOOR_TOWARD_MINUS_Y = 3
};
constexpr int DOOR_DIRECTIONS = 4;

// The wall a door stands in, which decides how its leaves slide and which of
// its zones' sides lies across the wall.
enum DoorOrientation : uint8_t {
    DOOR_IN_X_WALL = 0,  // a wall of constant x (x = 3 or 100): the leaves slide along y
    DOOR_IN_Y_WALL = 1   // a wall of constant y (y = 2 or 97): the leaves slide along x
};

// Whether a stored value names one of the four colours / directions; data
// read from anywhere else is checked here, not at each use.
inline bool isKeyColour(KeyColour colour) { return colour >= KEY_RED && colour <= KEY_GOLD; }
inline bool isDoorDirection(DoorDirection direction) {
    return direction >= DOOR_TOWARD_MINUS_X && direction <= DOOR_TOWARD_MINUS_Y;
}

struct Door {
    bool open = false;
    Vec3 position;  // room-relative centre of the doorway
    DoorOrientation orientation = DOOR_IN_X_WALL;
    bool locked = false;
    KeyColour lockColour = KEY_RED;  // meaningful while locked
    bool opening = false;
    float openTimer = 0.0f;
    DoorDirection direction = DOOR_TOWARD_MINUS_X;  // which neighbour it leads to
    Vec2 arrival;                                   // where the swimmer lands in the neighbour
};

struct Lever {
    Door* door = nullptr;            // the door whose opening the pull starts
    bool* linkedOpenFlag = nullptr;  // set at once when the pull completes
    bool pulled = false;
    bool pulling = false;
    float pullTimer = 0.0f;
    Vec3 position;  // room-relative
};

struct SeaweedSegment {
    Vec3 position;   // room-relative base
    Vec3 offset;     // current sway, each component in [-1, 1]
    Vec3 direction;  // +1 or -1 per component
    Vec3 speed;      // each component in [0.2, 1.0)
    Vec2 tilt;       // whole degrees in [-30, 29]: drawn as the Y and X angles
};

// Room lists store heights above the floor; the swimmer's depth of a height h
// is h - DEPTH_OFFSET (the floor is at depth -20, the surface at 0).
constexpr float DEPTH_OFFSET = 20.0f;

constexpr int ROOM_SLOTS = 20;
constexpr int ROOM_COUNT = 8;
constexpr int SEAWEED_SEGMENTS = 120;
constexpr int SEGMENTS_PER_STALK = 6;
constexpr int MAX_SHORT_WALLS = 81;
constexpr int MAX_TALL_WALLS = 30;
constexpr int MAX_PLATES = 25;
constexpr int MAX_FLOOR_PLANKS = 16;
constexpr int BORDER_SLOTS = 16;
constexpr int BORDER_PIECES = 15;
constexpr int MAX_LEVERS = 5;
constexpr int MAX_DOORS = 3;

// One 100 x 100 room: its blocks, doors, levers, keys, seaweed and links.
// Lists are fixed arrays with a used count; nothing is appended in play.
struct Room {
    float minX = 0.0f, maxX = 0.0f, maxY = 0.0f, minY = 0.0f;
    SeaweedSegment seaweed[SEAWEED_SEGMENTS];
    Vec3 shortWalls[MAX_SHORT_WALLS];
    Vec3 tallWalls[MAX_TALL_WALLS];
    Vec3 plates[MAX_PLATES];
    Vec3 floorPlanks[MAX_FLOOR_PLANKS];
    Vec3 bankPositions[BORDER_SLOTS];
    Lever levers[MAX_LEVERS];
    Door doors[MAX_DOORS];
    uint32_t tallWallCount = 0, shortWallCount = 0, plateCount = 0, floorPlankCount = 0, leverCount = 0,
             doorCount = 0;
    bool keyPresent[KEY_COLOURS] = {false, false, false, false};
    Vec3 keyPositions[KEY_COLOURS];
    Texture* tallWallTexture = nullptr;
    Texture* shortWallTexture = nullptr;
    Texture* floorTexture = nullptr;
    Room* neighbours[DOOR_DIRECTIONS] = {nullptr, nullptr, nullptr, nullptr};
    bool fadingOut = false;
    bool fadingIn = false;
    float transitionTimer = 0.0f;
    Door* exitDoor = nullptr;

    // Extent, fresh seaweed from the seed, no transition, no keys, the bank ring.
    void reset(unsigned seaweedSeed);
    // Twenty stalks of six segments drawn from SeaweedRandom(seed), glibc's rand()
    // sequence on every platform.
    void scatterSeaweed(unsigned seaweedSeed);

    // One builder per room of the building; each starts with reset.
    void buildRoom0(unsigned seaweedSeed);
    void buildRoom1(unsigned seaweedSeed);
    void buildRoom2(unsigned seaweedSeed);
    void buildRoom3(unsigned seaweedSeed);
    void buildRoom4(unsigned seaweedSeed);
    void buildRoom5(unsigned seaweedSeed);
    void buildRoom6(unsigned seaweedSeed);
    void buildRoom7(unsigned seaweedSeed);

    // What the builders are made of. The lists are fixed arrays: an entry
    // that does not fit is dropped, never written over the last one, and the
    // door and lever appends then return null.
    void addShortWalls(Vec3 from, Vec3 to, Vec3 step);
    void addTallWalls(Vec3 from, Vec3 to, Vec3 step);
    void addPlates(Vec3 from, Vec3 to, Vec3 step);
    void addShortWall(float x, float y, float z);
    void addTallWall(float x, float y, float z);
    void addPlate(float x, float y, float z);
    void addFloorPlank(float x, float y, float z);
    // A door that starts open, or shut until a lever or its key opens it.
    Door* addDoor(Vec3 position, DoorOrientation orientation, DoorDirection direction, Vec2 arrival,
                  bool open);
    Lever* addLever(Vec3 position, Door* door);
    void placeKey(KeyColour colour, Vec3 position);
};

// Locks a shut door (if it was added) with a key colour.
void lockDoor(Door* door, KeyColour colour);

// The border ring shared by the bank pieces of every room (z = height) and
// the cliff pieces above them: x = 0 and x = 100 at y = 0..80, then y = 100
// at x = 0..80, each step 20. The side y = 0 has none.
void fillBorderRing(Vec3 (&ring)[BORDER_SLOTS], float height);
