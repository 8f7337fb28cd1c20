#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "input/input_state.h"
#include "platform/platform.h"
#include "started_game.h"

namespace {

struct SwimmerMovement : ::testing::Test {
    std::unique_ptr<Game> game = startedGame();
    Vec3& position = game->swimmerPosition;

    void TearDown() override { input.endScript(); }
    void hold(const std::set<int>& keys) { input.holdScripted(keys); }

    // Points the model along a heading and keeps the steering there, so
    // the heading stays put while no arrow is held.
    void face(float headingDegrees, float pitchDegrees = 0.0f) {
        game->steering.x = -headingDegrees / 150.0f;
        game->steering.y = pitchDegrees / 150.0f;
        game->swimmerObject.setAngleZ(headingDegrees);
        game->swimmerObject.setAngleX(pitchDegrees);
    }

    // An empty room (no blocks, plates or planks), swimmer placed in it.
    void inEmptyRoom(Vec3 at) {
        game->currentRoom = &game->rooms[4];
        position = at;
    }
};

}  // namespace

TEST_F(SwimmerMovement, SpaceReachesTopSpeedInAbout1_43sAndReleasingStopsIn0_7s) {
    hold({vk::SPACE});
    runFrames(*game, 142, 0.01f);
    EXPECT_GT(game->speed, 9.9f);
    EXPECT_LT(game->speed, 10.0f);
    game->update(0.01f);
    EXPECT_EQ(game->speed, 10.0f);
    runFrames(*game, 50, 0.01f);
    EXPECT_EQ(game->speed, 10.0f);

    hold({});
    runFrames(*game, 69, 0.01f);
    EXPECT_GT(game->speed, 0.1f);
    runFrames(*game, 2, 0.01f);
    EXPECT_EQ(game->speed, 0.0f);
}

TEST_F(SwimmerMovement, PitchRelaxesOnlyAtTheSurfaceOrTheFloorWithSpaceUp) {
    for (const float depth : {0.0f, -20.0f}) {
        for (const float pitch : {0.3f, -0.3f}) {
            position.z = depth;
            game->steering.y = pitch;
            runFrames(*game, 29, 0.01f);
            EXPECT_EQ(std::signbit(game->steering.y), std::signbit(pitch)) << depth;
            EXPECT_GT(std::fabs(game->steering.y), 0.0f) << depth;
            runFrames(*game, 2, 0.01f);
            EXPECT_EQ(game->steering.y, 0.0f) << depth;
            EXPECT_EQ(game->swimmerObject.getAngleX(), 0.0f);
        }
    }

    position.z = -10.0f;
    game->steering.y = 0.3f;
    runFrames(*game, 100, 0.01f);
    EXPECT_FLOAT_EQ(game->steering.y, 0.3f);

    // Swimming on at the surface keeps the pitch.
    position.z = 0.0f;
    hold({vk::SPACE});
    game->update(0.01f);
    EXPECT_FLOAT_EQ(game->steering.y, 0.3f);
}

TEST_F(SwimmerMovement, TwoArrowsSteerAt0_707OfOneAndPitchIsHeldWithin84Degrees) {
    hold({vk::LEFT, vk::UP});
    game->update(0.1f);
    EXPECT_NEAR(game->steering.x, -0.0707f, 1e-6f);
    EXPECT_NEAR(game->steering.y, 0.0707f, 1e-6f);
    EXPECT_NEAR(game->swimmerObject.getAngleZ(), 10.605f, 1e-4f);
    EXPECT_NEAR(game->swimmerObject.getAngleX(), 10.605f, 1e-4f);
    EXPECT_FLOAT_EQ(game->swimClock, 0.1f);

    hold({vk::LEFT});
    game->update(0.1f);
    EXPECT_NEAR(game->steering.x, -0.1707f, 1e-6f);
    EXPECT_NEAR(game->steering.y, 0.0707f, 1e-6f);

    hold({vk::UP});
    runFrames(*game, 10, 0.1f);
    EXPECT_FLOAT_EQ(game->steering.y, 0.56f);
    EXPECT_FLOAT_EQ(game->swimmerObject.getAngleX(), 84.0f);
    hold({vk::DOWN});
    runFrames(*game, 20, 0.1f);
    EXPECT_FLOAT_EQ(game->steering.y, -0.56f);
    EXPECT_FLOAT_EQ(game->swimmerObject.getAngleX(), -84.0f);
}

TEST_F(SwimmerMovement, HeadingWrapsBelowZeroButLosesAtMostOneTurnAbove360) {
    hold({vk::RIGHT});
    game->update(0.1f);
    EXPECT_FLOAT_EQ(game->swimmerObject.getAngleZ(), 345.0f);  // right turns clockwise

    hold({});
    const struct {
        float steeringX, heading;
    } cases[] = {{-3.0f, 90.0f}, {-6.0f, 540.0f}, {2.4f, 0.0f}, {4.0f, 120.0f}, {-2.4f, 360.0f}};
    for (const auto& c : cases) {
        game->steering.x = c.steeringX;
        game->update(0.0f);
        EXPECT_NEAR(game->swimmerObject.getAngleZ(), c.heading, 1e-3f) << c.steeringX;
    }

    // Years of turning right: the heading still lands in one turn, at once.
    game->steering.x = 1e9f;
    game->update(0.0f);
    EXPECT_GE(game->swimmerObject.getAngleZ(), 0.0f);
    EXPECT_LE(game->swimmerObject.getAngleZ(), 360.0f);
}

TEST_F(SwimmerMovement, MotionFollowsTheAnglesTheModelWasDrawnWithLastFrame) {
    inEmptyRoom(Vec3(50, 50, -10));
    hold({vk::SPACE});
    game->speed = 10.0f;
    game->swimmerObject.setAngleZ(90.0f);  // steering still says heading 0
    game->update(0.1f);
    EXPECT_NEAR(position.x, 51.0f, 1e-4f);
    EXPECT_NEAR(position.y, 50.0f, 1e-4f);
    EXPECT_EQ(game->swimmerObject.getAngleZ(), 0.0f);
    game->update(0.1f);
    EXPECT_NEAR(position.x, 51.0f, 1e-4f);
    EXPECT_NEAR(position.y, 49.0f, 1e-4f);

    // A positive pitch dives.
    game->swimmerObject.setAngleX(30.0f);
    game->update(0.1f);
    EXPECT_NEAR(position.y, 49.0f - std::cos(0.5235988f), 1e-4f);
    EXPECT_NEAR(position.z, -10.5f, 1e-4f);
}

// Room 0's south row of short walls: x = 24..56 at y = 10, tops at depth -18.
TEST_F(SwimmerMovement, AShallowApproachAlongARowOfShortWallsSlidesJustOutsideIt) {
    position = Vec3(26, 11.2f, -19);
    face(78.463f);  // mostly east, a fifth of the way south
    game->speed = 10.0f;
    hold({vk::SPACE});
    const float outside = 10.0f + 1.0f + 0.0001f;
    for (int frame = 0; frame < 20; ++frame) {
        game->update(0.05f);
        ASSERT_GE(position.y, outside) << frame;
    }
    EXPECT_FLOAT_EQ(position.y, outside);
    EXPECT_GT(position.x, 35.0f);
    EXPECT_EQ(position.z, -19.0f);
}

TEST_F(SwimmerMovement, ABlockIsOnlyInTheWayOfASwimmerBelowItsTop) {
    game->speed = 10.0f;
    hold({vk::SPACE});
    position = Vec3(30, 12.5f, -17);  // above the row's tops at -18
    face(0.0f);
    runFrames(*game, 5, 0.1f);
    EXPECT_NEAR(position.y, 7.5f, 1e-4f);
    EXPECT_EQ(position.z, -17.0f);

    position = Vec3(30, 12.5f, -19);
    runFrames(*game, 5, 0.1f);
    EXPECT_FLOAT_EQ(position.y, 11.0001f);
}

TEST_F(SwimmerMovement, SinkingOntoABlockLandsOnItsTopUntilTheSwimmerLeavesIt) {
    position = Vec3(30, 10.5f, -17.5f);  // over block (30, 10)
    face(0.0f, 84.0f);                   // steep dive, drifting south
    game->speed = 10.0f;
    hold({vk::SPACE});
    for (int frame = 0; frame < 5; ++frame) {
        game->update(0.1f);
        ASSERT_EQ(position.z, -18.0f) << frame;
    }
    runFrames(*game, 15, 0.1f);  // drifts past the row's south face
    EXPECT_LT(position.y, 9.0f);
    EXPECT_LT(position.z, -18.5f);
}

TEST_F(SwimmerMovement, APlateSurfaceStopsCrossingsUpToItsVeryEdgeFromBothSides) {
    Room& room = game->rooms[4];
    room.plates[0] = Vec3(50, 50, 0);  // surface at depth -14.75
    room.plateCount = 1;
    game->speed = 10.0f;
    hold({vk::SPACE});

    inEmptyRoom(Vec3(51, 50, -14.5f));  // x exactly on the plate's edge
    face(0.0f, 84.0f);
    game->update(0.1f);
    EXPECT_EQ(position.z, -14.5f);

    inEmptyRoom(Vec3(51, 50, -15.0f));
    face(0.0f, -84.0f);
    game->update(0.1f);
    EXPECT_EQ(position.z, -15.0f);

    inEmptyRoom(Vec3(51.01f, 50, -14.5f));  // just off the edge
    face(0.0f, 84.0f);
    game->update(0.1f);
    EXPECT_LT(position.z, -15.0f);
}

TEST_F(SwimmerMovement, AClusterOfManyOffGridBlocksStillCarriesTheSwimmer) {
    // Twenty blocks a tenth apart, each widening the cluster: more than the
    // nine a cluster lists.
    Room& room = game->rooms[4];
    for (int i = 0; i < 20; ++i) room.shortWalls[i] = Vec3(50 + 0.1f * i, 50, 0);
    room.shortWallCount = 20;
    inEmptyRoom(Vec3(50.5f, 50.5f, -17.5f));
    face(0.0f, 84.0f);
    game->speed = 10.0f;
    hold({vk::SPACE});
    game->update(0.1f);
    EXPECT_EQ(position.z, -18.0f);

    // From the east, into the far end of the row: pushed out past the last block.
    inEmptyRoom(Vec3(53.5f, 50, -19));
    face(270.0f);
    game->update(0.1f);
    EXPECT_FLOAT_EQ(position.x, 51.9f + 1.0f + 0.0001f);
}

// One frame of swimming at top speed among a few blocks of an otherwise
// empty room. An expected component marked FREE is where the same frame
// ends without any block: the blocks leave that axis alone.
TEST(BlockCollision, SidesTopsCornersAndClusters) {
    constexpr float FREE = std::numeric_limits<float>::quiet_NaN();
    constexpr float GAP = 0.0001f;  // how far outside a face a push-out ends
    struct Blocks {
        std::vector<Vec3> shortWalls, tallWalls;
    };
    const Blocks none{};
    const Blocks one{{{50, 50, 0}}, {}};                // short, top at depth -18, sides at 49 and 51
    const Blocks tall{{}, {{50, 50, 0}}};               // top at -14
    const Blocks raised{{{50, 50, 8}}, {}};             // a short block 8 above the floor: top at -10
    const Blocks column{{{50, 50, 6}}, {{50, 50, 0}}};  // a short block on a tall one
    const Blocks square{{{50, 50, 0}, {52, 50, 0}, {50, 52, 0}, {52, 52, 0}}, {}};
    const Blocks mixed{{{50, 50, 0}}, {{52, 50, 0}}};
    const Blocks row{{{50, 50, 0}, {52, 50, 0}, {54, 50, 0}}, {}};
    const float corner = 0.04f * std::sqrt(2.0f);  // dt for a step of (0.4, 0.4) at 45 degrees
    const struct {
        const char* what;
        Blocks blocks;
        Vec3 start;
        float heading, pitch, dt;
        Vec3 expected;
    } cases[] = {
        // The room: one unit inside each side, between floor and surface.
        {"out of the west side", none, {1.5f, 50, -10}, 270, 0, 0.1f, {1, FREE, FREE}},
        {"out of the east side", none, {98.5f, 50, -10}, 90, 0, 0.1f, {99, FREE, FREE}},
        {"out of the south side", none, {50, 1.5f, -10}, 0, 0, 0.1f, {FREE, 1, FREE}},
        {"out of the north side", none, {50, 98.5f, -10}, 180, 0, 0.1f, {FREE, 99, FREE}},
        {"up through the surface", none, {50, 50, -0.5f}, 0, -84, 0.1f, {FREE, FREE, 0}},
        {"down through the floor", none, {50, 50, -19.5f}, 0, 84, 0.1f, {FREE, FREE, -20}},
        {"into the low-x face", one, {48.5f, 50, -19}, 90, 0, 0.1f, {49 - GAP, 50, -19}},
        {"into the high-x face", one, {51.5f, 50, -19}, 270, 0, 0.1f, {51 + GAP, 50, -19}},
        {"into the low-y face", one, {50, 48.5f, -19}, 180, 0, 0.1f, {50, 49 - GAP, -19}},
        {"into the high-y face", one, {50, 51.5f, -19}, 0, 0, 0.1f, {50, 51 + GAP, -19}},
        {"from a face exactly on it", one, {49, 50, -19}, 90, 0, 0.05f, {49 - GAP, 50, -19}},
        {"over a short block", one, {48.5f, 50, -17.9f}, 90, 0, 0.1f, {FREE, FREE, FREE}},
        {"a tall block above the short tops", tall, {48.5f, 50, -16}, 90, 0, 0.1f, {49 - GAP, 50, -16}},
        {"over a tall block", tall, {48.5f, 50, -13.9f}, 90, 0, 0.1f, {FREE, FREE, FREE}},
        {"a raised block, below its top", raised, {48.5f, 50, -10.5f}, 90, 0, 0.1f, {49 - GAP, 50, -10.5f}},
        {"over a raised block", raised, {48.5f, 50, -9.5f}, 90, 0, 0.1f, {FREE, FREE, FREE}},
        // The side tests ignore depth: a raised block's sides reach the floor.
        {"under a raised block", raised, {48.5f, 50, -19}, 90, 0, 0.1f, {49 - GAP, 50, -19}},
        // The tall blocks are searched first, and the hit one's top decides.
        {"a column, between the tops", column, {48.5f, 50, -13}, 90, 0, 0.1f, {FREE, FREE, FREE}},
        {"a column, below both tops", column, {48.5f, 50, -15}, 90, 0, 0.1f, {49 - GAP, 50, -15}},
        // Across a corner the x faces are tried first; y keeps its motion.
        {"into the low corner", one, {48.8f, 48.8f, -19}, 135, 0, corner, {49 - GAP, FREE, -19}},
        {"into the high corner", one, {51.2f, 51.2f, -19}, 315, 0, corner, {51 + GAP, FREE, -19}},
        {"past a corner", one, {48.8f, 48.2f, -19}, 135, 0, corner, {FREE, FREE, FREE}},
        // Steep dives (84 degrees) sink about 0.5 and drift 0.05 south.
        {"landing on a block", one, {50.5f, 50.5f, -17.8f}, 0, 84, 0.05f, {FREE, FREE, -18}},
        {"landing on a raised block", raised, {50.5f, 50.5f, -9.8f}, 0, 84, 0.05f, {FREE, FREE, -10}},
        {"landing on the far block of a square",
         square,
         {52.5f, 52.5f, -17.8f},
         0,
         84,
         0.05f,
         {FREE, FREE, -18}},
        {"landing inside a square", square, {51.5f, 51.5f, -17.8f}, 0, 84, 0.05f, {FREE, FREE, -18}},
        {"sinking just off a square", square, {53.01f, 51, -17.8f}, 0, 84, 0.05f, {FREE, FREE, FREE}},
        // The hit block's own top, not the tallest around.
        {"landing on a short block beside a tall one",
         mixed,
         {50.5f, 50.5f, -17.8f},
         0,
         84,
         0.05f,
         {FREE, FREE, -18}},
        {"landing on a tall block beside a short one",
         mixed,
         {52.5f, 50.5f, -13.8f},
         0,
         84,
         0.05f,
         {FREE, FREE, -14}},
        // A long sinking step from over the first block of a row enters the
        // second one's side and ends over the third: lifted onto the row.
        {"a long step along a row", row, {50.6f, 50, -17.9f}, 90, 20, 0.3f, {FREE, FREE, -18}},
    };
    auto swimOneFrame = [](const Blocks& blocks, const Vec3& start, float heading, float pitch, float dt) {
        std::unique_ptr<Game> game = startedGame();
        Room& room = game->rooms[4];  // no blocks of its own
        for (const Vec3& b : blocks.shortWalls) room.addShortWall(b.x, b.y, b.z);
        for (const Vec3& b : blocks.tallWalls) room.addTallWall(b.x, b.y, b.z);
        game->currentRoom = &room;
        game->swimmerPosition = start;
        game->steering = Vec2(-heading / 150.0f, pitch / 150.0f);
        game->swimmerObject.setAngleZ(heading);
        game->swimmerObject.setAngleX(pitch);
        game->speed = 10.0f;
        input.holdScripted({vk::SPACE});
        game->update(dt);
        input.holdScripted({});
        return game->swimmerPosition;
    };
    for (const auto& c : cases) {
        const Vec3 end = swimOneFrame(c.blocks, c.start, c.heading, c.pitch, c.dt);
        const Vec3 free = swimOneFrame(Blocks{}, c.start, c.heading, c.pitch, c.dt);
        const float expected[] = {std::isnan(c.expected.x) ? free.x : c.expected.x,
                                  std::isnan(c.expected.y) ? free.y : c.expected.y,
                                  std::isnan(c.expected.z) ? free.z : c.expected.z};
        const float actual[] = {end.x, end.y, end.z};
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(actual[axis], expected[axis], 1e-5f) << c.what << ", axis "
                                                             << "xyz"[axis];
    }
}
