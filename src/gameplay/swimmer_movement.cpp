// How the swimmer answers the controls, and how walls, blocks and plates
// answer the swimmer. The swimmer is a point; every correction below works
// on the position it reached this frame and the one it started from.
#include <cmath>

#include "gameplay/play_steps.h"
#include "input/input_state.h"
#include "math/angles.h"

namespace {

// Space held: speed grows by acceleration * 10 per second; released, it
// shrinks by (1 / acceleration) * 10, so stopping is quicker than starting.
constexpr float SPEED_RATE = 10.0f;

constexpr float SURFACE_DEPTH = 0.0f;
constexpr float FLOOR_DEPTH = -20.0f;
// The swimmer never gets closer than this to a room's side.
constexpr float SIDE_MARGIN = 1.0f;

// An arrow axis counts as pressed once its square reaches this.
constexpr float AXIS_DEAD_ZONE_SQUARED = 0.04f;
constexpr float DIAGONAL_AXIS = 0.5f;
// Two arrows at once would steer faster than one; this brings the pair
// back to about unit length.
constexpr float DIAGONAL_SCALE = 0.707f;

// One unit of accumulated steering turns the model this many degrees.
constexpr float DEGREES_PER_STEERING = 150.0f;
constexpr float FULL_TURN = 360.0f;
// Pitch is held within +-84 degrees: the swimmer never points straight down.
constexpr float MAX_PITCH_STEERING = 0.56f;

constexpr float BLOCK_HALF_WIDTH = 1.0f;
constexpr float SHORT_WALL_HEIGHT = 2.0f;
constexpr float TALL_WALL_HEIGHT = 6.0f;
// Blocks closer than this to the hit one (on the 2-unit grid: its
// neighbours) are pushed out of as one piece, so that the swimmer slides
// along a row instead of catching on the seams between its blocks.
constexpr float CLUSTER_REACH = 3.0f;
constexpr int MAX_CLUSTER_BLOCKS = 9;
// Pushed-out positions end just outside the face, never on it, so the
// next frame does not count the swimmer as entering the block again.
constexpr float PUSH_OUT_GAP = 0.0001f;

constexpr float PLATE_HALF_WIDTH = 1.0f;
constexpr float PLATE_SURFACE_HEIGHT = 5.25f;

// Which of the two axis readings steer this frame: a single arrow as it
// is, two at once slowed down.
Vec2 steeringVector(const Vec2& axisA, const Vec2& axisC) {
    const bool xHeld = axisA.x * axisA.x >= AXIS_DEAD_ZONE_SQUARED;
    const bool yHeld = axisA.y * axisA.y >= AXIS_DEAD_ZONE_SQUARED;
    if (xHeld != yHeld) return axisA;
    if (std::fabs(axisC.x) > DIAGONAL_AXIS && std::fabs(axisC.y) > DIAGONAL_AXIS)
        return Vec2(axisC.x * DIAGONAL_SCALE, axisC.y * DIAGONAL_SCALE);
    return axisC;
}

// The model's heading for an accumulated steering. Negative headings are
// wrapped into [0, 360]; positive ones lose at most one full turn, so a
// swimmer that kept turning left carries a heading above 360, which draws
// and moves the same. The remainder is taken directly rather than by adding
// 360 in a loop: the result is the same, and a huge steering cannot hang the frame.
float headingDegrees(float steeringX) {
    float heading = -DEGREES_PER_STEERING * steeringX;
    if (heading < 0.0f) {
        const float rest = std::fmod(heading, FULL_TURN);  // in (-360, 0]
        heading = rest < 0.0f ? rest + FULL_TURN : 0.0f;
    }
    if (heading > FULL_TURN) heading -= FULL_TURN;
    return heading;
}

void keepInsideRoom(const Room& room, Vec3& p) {
    if (p.z < FLOOR_DEPTH) p.z = FLOOR_DEPTH;
    if (p.z > SURFACE_DEPTH) p.z = SURFACE_DEPTH;
    if (p.x < room.minX + SIDE_MARGIN) p.x = room.minX + SIDE_MARGIN;
    if (p.x > room.maxX - SIDE_MARGIN) p.x = room.maxX - SIDE_MARGIN;
    if (p.y < room.minY + SIDE_MARGIN) p.y = room.minY + SIDE_MARGIN;
    if (p.y > room.maxY - SIDE_MARGIN) p.y = room.maxY - SIDE_MARGIN;
}

// Strictly inside the open interval centre +- halfWidth.
bool within(float value, float centre, float halfWidth) {
    return centre - halfWidth < value && value < centre + halfWidth;
}

// Whether moving from old to p went into block b through one of its four
// sides (at any depth) or down through its top.
bool entersBlock(const Vec3& b, float height, const Vec3& old, const Vec3& p) {
    const float lowX = b.x - BLOCK_HALF_WIDTH, highX = b.x + BLOCK_HALF_WIDTH;
    const float lowY = b.y - BLOCK_HALF_WIDTH, highY = b.y + BLOCK_HALF_WIDTH;
    const float top = b.z + height - DEPTH_OFFSET;
    const bool inY = within(p.y, b.y, BLOCK_HALF_WIDTH);
    const bool inX = within(p.x, b.x, BLOCK_HALF_WIDTH);
    return (old.x <= lowX && lowX < p.x && inY) || (old.x >= highX && highX > p.x && inY) ||
           (old.y <= lowY && lowY < p.y && inX) || (old.y >= highY && highY > p.y && inX) ||
           (old.z >= top && top > p.z && inX && inY);
}

// The hit block and its neighbours no taller than it, as one rectangle of
// block centres.
struct Cluster {
    Vec2 lo, hi;
    const Vec3* blocks[MAX_CLUSTER_BLOCKS];
    int count = 0;
    float top = 0.0f;  // height of the hit block's top above the floor

    void gather(const Vec3& hit, const Vec3* list, uint32_t listCount, float height) {
        for (uint32_t i = 0; i < listCount; ++i) {
            const Vec3& b = list[i];
            if (std::fabs(b.x - hit.x) >= CLUSTER_REACH || std::fabs(b.y - hit.y) >= CLUSTER_REACH ||
                b.z + height > top)
                continue;
            const Vec2 before[2] = {lo, hi};
            lo = Vec2(std::fmin(lo.x, b.x), std::fmin(lo.y, b.y));
            hi = Vec2(std::fmax(hi.x, b.x), std::fmax(hi.y, b.y));
            const bool grew =
                lo.x != before[0].x || lo.y != before[0].y || hi.x != before[1].x || hi.y != before[1].y;
            // Blocks on the room grid list at most five; off-grid data that
            // would list more still widens the rectangle, it just cannot
            // lift the swimmer through the blocks past the ninth.
            if (grew && count < MAX_CLUSTER_BLOCKS) blocks[count++] = &b;
        }
    }
};

void collideWithWallBlocks(const Room& room, const Vec3& old, Vec3& p) {
    const Vec3* hit = nullptr;
    float hitHeight = 0.0f;
    for (uint32_t i = 0; i < room.tallWallCount && !hit; ++i)
        if (entersBlock(room.tallWalls[i], TALL_WALL_HEIGHT, old, p)) {
            hit = &room.tallWalls[i];
            hitHeight = TALL_WALL_HEIGHT;
        }
    for (uint32_t i = 0; i < room.shortWallCount && !hit; ++i)
        if (entersBlock(room.shortWalls[i], SHORT_WALL_HEIGHT, old, p)) {
            hit = &room.shortWalls[i];
            hitHeight = SHORT_WALL_HEIGHT;
        }
    if (!hit) return;

    Cluster cluster;
    cluster.lo = cluster.hi = Vec2(hit->x, hit->y);
    cluster.blocks[cluster.count++] = hit;
    cluster.top = hit->z + hitHeight;
    cluster.gather(*hit, room.shortWalls, room.shortWallCount, SHORT_WALL_HEIGHT);
    cluster.gather(*hit, room.tallWalls, room.tallWallCount, TALL_WALL_HEIGHT);

    const float topDepth = cluster.top - DEPTH_OFFSET;
    if (p.z >= topDepth) return;  // passing over the blocks

    const float lowX = cluster.lo.x - BLOCK_HALF_WIDTH, highX = cluster.hi.x + BLOCK_HALF_WIDTH;
    const float lowY = cluster.lo.y - BLOCK_HALF_WIDTH, highY = cluster.hi.y + BLOCK_HALF_WIDTH;
    auto inRangeY = [&] { return lowY < p.y && p.y < highY; };
    auto inRangeX = [&] { return lowX < p.x && p.x < highX; };
    if (old.x <= lowX && lowX < p.x && inRangeY()) p.x = lowX - PUSH_OUT_GAP;
    if (old.x >= highX && highX > p.x && inRangeY()) p.x = highX + PUSH_OUT_GAP;
    if (old.y <= lowY && lowY < p.y && inRangeX()) p.y = lowY - PUSH_OUT_GAP;
    if (old.y >= highY && highY > p.y && inRangeX()) p.y = highY + PUSH_OUT_GAP;

    // Still inside: the swimmer came in from above, so it rests on the blocks.
    if (!inRangeX() || !inRangeY()) return;
    for (int i = 0; i < cluster.count; ++i) {
        const Vec3& k = *cluster.blocks[i];
        if (within(p.x, k.x, BLOCK_HALF_WIDTH) && within(p.y, k.y, BLOCK_HALF_WIDTH)) {
            p.z = topDepth;
            return;
        }
    }
}

// Plates are thin: only crossing their surface is undone, and sideways
// motion under or over them is free.
void collideWithPlates(const Room& room, const Vec3& old, Vec3& p) {
    for (uint32_t i = 0; i < room.plateCount; ++i) {
        const Vec3& plate = room.plates[i];
        const float surface = plate.z + PLATE_SURFACE_HEIGHT - DEPTH_OFFSET;
        const bool crossed = (old.z <= surface && surface < p.z) || (surface <= old.z && p.z < surface);
        if (crossed && std::fabs(p.x - plate.x) <= PLATE_HALF_WIDTH &&
            std::fabs(p.y - plate.y) <= PLATE_HALF_WIDTH)
            p.z = old.z;
    }
}

}  // namespace

void updateSpeed(Game& game, float dt) {
    float& speed = game.speed;
    if (input.isSpaceDown()) {
        speed += game.acceleration * SPEED_RATE * dt;
        if (speed >= TOP_SWIM_SPEED) speed = TOP_SWIM_SPEED;
        return;
    }
    speed -= (1.0f / game.acceleration) * SPEED_RATE * dt;
    if (speed < 0.0f) speed = 0.0f;

    // Resting against the surface or the floor, the swimmer levels out by itself.
    const float z = game.swimmerPosition.z;
    const bool atSurfaceOrFloor = z >= SURFACE_DEPTH || z <= FLOOR_DEPTH;
    Vec2& steering = game.steering;
    if (steering.y != 0.0f && atSurfaceOrFloor) {
        const float magnitude = std::fabs(steering.y) - dt;
        steering.y = magnitude <= 0.0f ? 0.0f : std::copysign(magnitude, steering.y);
    }
}

void swim(Game& game, float dt) {
    Vec2& steering = game.steering;
    Vec3& swimmerPosition = game.swimmerPosition;
    SceneObject& swimmerObject = game.swimmerObject;
    const Vec2 steer = steeringVector(input.getAxisA(), input.getAxisC());
    steering.x += steer.x * dt;
    steering.y += steer.y * dt;
    game.swimClock += dt;

    // Move along the direction the model was drawn with last frame: its -y
    // axis pitched about x, then turned about z.
    const Vec3 old = swimmerPosition;
    const float heading = toRadians(swimmerObject.getAngleZ());
    const float pitch = toRadians(swimmerObject.getAngleX());
    const float distance = game.speed * dt;
    swimmerPosition.x += std::sin(heading) * std::cos(pitch) * distance;
    swimmerPosition.y += -std::cos(heading) * std::cos(pitch) * distance;
    swimmerPosition.z += -std::sin(pitch) * distance;
    keepInsideRoom(*game.currentRoom, swimmerPosition);

    swimmerObject.setAngleZ(headingDegrees(steering.x));
    if (steering.y > MAX_PITCH_STEERING) steering.y = MAX_PITCH_STEERING;
    if (steering.y < -MAX_PITCH_STEERING) steering.y = -MAX_PITCH_STEERING;
    swimmerObject.setAngleX(DEGREES_PER_STEERING * steering.y);

    collideWithWallBlocks(*game.currentRoom, old, swimmerPosition);
    collideWithPlates(*game.currentRoom, old, swimmerPosition);
}
