#include "game/room.h"

#include <cmath>
#include <cstddef>
#include <initializer_list>

#include "game/seaweed_random.h"

namespace {

constexpr float ROOM_SIZE = 100.0f;
// Seaweed never stands right against the west wall, where the doors are.
constexpr float SEAWEED_MIN_X = 3.0f;

// Appends every point from `from` to `to` inclusive in steps of `step`.
template <class Add>
void addRun(Vec3 from, Vec3 to, Vec3 step, Add add) {
    auto axisSteps = [](float a, float b, float s) {
        return s == 0.0f ? -1 : static_cast<int>((b - a) / s + 0.5f);
    };
    int n = -1;
    for (int candidate :
         {axisSteps(from.x, to.x, step.x), axisSteps(from.y, to.y, step.y), axisSteps(from.z, to.z, step.z)})
        if (candidate > n) n = candidate;
    if (n < 0) n = 0;
    for (int i = 0; i <= n; ++i) add(from.x + step.x * i, from.y + step.y * i, from.z + step.z * i);
}

float randomFraction(SeaweedRandom& random) { return static_cast<float>(random.next() % 1000) / 1000.0f; }

}  // namespace

void fillBorderRing(Vec3 (&ring)[BORDER_SLOTS], float height) {
    int i = 0;
    for (float x : {0.0f, ROOM_SIZE})
        for (int k = 0; k < 5; ++k) ring[i++] = Vec3(x, 20.0f * k, height);
    for (int k = 0; k < 5; ++k) ring[i++] = Vec3(20.0f * k, ROOM_SIZE, height);
}

void Room::reset(unsigned seaweedSeed) {
    minX = 0.0f;
    minY = 0.0f;
    maxX = ROOM_SIZE;
    maxY = ROOM_SIZE;
    scatterSeaweed(seaweedSeed);
    exitDoor = nullptr;
    fadingOut = false;
    fadingIn = true;
    transitionTimer = 0.0f;
    for (bool& present : keyPresent) present = false;
    fillBorderRing(bankPositions, 0.0f);
}

void Room::scatterSeaweed(unsigned seaweedSeed) {
    SeaweedRandom random(seaweedSeed);
    for (int stalk = 0; stalk < SEAWEED_SEGMENTS / SEGMENTS_PER_STALK; ++stalk) {
        float x = static_cast<float>(random.next() % static_cast<int>(maxX));
        const float y = static_cast<float>(random.next() % static_cast<int>(maxY));
        if (x < SEAWEED_MIN_X) x = SEAWEED_MIN_X;
        for (int k = 0; k < SEGMENTS_PER_STALK; ++k) {
            SeaweedSegment& s = seaweed[stalk * SEGMENTS_PER_STALK + k];
            s.position = Vec3(x, y, 0.0f);
            float* offset[] = {&s.offset.x, &s.offset.y, &s.offset.z};
            float* direction[] = {&s.direction.x, &s.direction.y, &s.direction.z};
            for (int axis = 0; axis < 3; ++axis) {
                *offset[axis] = static_cast<float>(random.next() % 1000 - 500) / 1000.0f;
                *direction[axis] = *offset[axis] > 0.0f ? 1.0f : -1.0f;
            }
            float* speed[] = {&s.speed.x, &s.speed.y, &s.speed.z};
            for (float* component : speed) {
                *component = randomFraction(random);
                if (*component < 0.2f) *component = 0.2f;
            }
            // Two separate statements: the order of the draws matters.
            s.tilt.x = static_cast<float>(random.next() % 60 - 30);
            s.tilt.y = static_cast<float>(random.next() % 60 - 30);
        }
    }
}

namespace {
// The lists are fixed arrays: an entry past the end is dropped, never written.
template <size_t N>
void append(Vec3 (&list)[N], uint32_t& count, float x, float y, float z) {
    if (count < N) list[count++] = Vec3(x, y, z);
}
}  // namespace

void Room::addShortWall(float x, float y, float z) { append(shortWalls, shortWallCount, x, y, z); }
void Room::addTallWall(float x, float y, float z) { append(tallWalls, tallWallCount, x, y, z); }
void Room::addPlate(float x, float y, float z) { append(plates, plateCount, x, y, z); }
void Room::addFloorPlank(float x, float y, float z) { append(floorPlanks, floorPlankCount, x, y, z); }

void Room::addShortWalls(Vec3 from, Vec3 to, Vec3 step) {
    addRun(from, to, step, [this](float x, float y, float z) { addShortWall(x, y, z); });
}
void Room::addTallWalls(Vec3 from, Vec3 to, Vec3 step) {
    addRun(from, to, step, [this](float x, float y, float z) { addTallWall(x, y, z); });
}
void Room::addPlates(Vec3 from, Vec3 to, Vec3 step) {
    addRun(from, to, step, [this](float x, float y, float z) { addPlate(x, y, z); });
}

Door* Room::addDoor(Vec3 position, DoorOrientation orientation, DoorDirection direction, Vec2 arrival,
                    bool open) {
    if (doorCount >= MAX_DOORS) return nullptr;
    Door& d = doors[doorCount++];
    d = Door();
    d.open = open;
    d.position = position;
    d.orientation = orientation;
    d.direction = direction;
    d.arrival = arrival;
    return &d;
}

Lever* Room::addLever(Vec3 position, Door* door) {
    if (leverCount >= MAX_LEVERS) return nullptr;
    Lever& l = levers[leverCount++];
    l = Lever();
    l.position = position;
    l.door = door;
    return &l;
}

void lockDoor(Door* door, KeyColour colour) {
    if (!door) return;
    door->locked = true;
    door->lockColour = colour;
}

void Room::placeKey(KeyColour colour, Vec3 position) {
    keyPresent[colour] = true;
    keyPositions[colour] = position;
}
