#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "started_game.h"

namespace {

struct SwimmerMovement : ::testing::Test {
    std::unique_ptr<Game> game = startedGame();
    Vec3& position = game->swimmerPosition;

    void TearDown() override { headless::setKeysDown({}); }
    void hold(const std::set<int>& keys) { headless::setKeysDown(keys); }

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

TEST_F(SwimmerMovement, TheSwimmerStaysOneUnitInsideTheSidesAndBetweenFloorAndSurface) {
    hold({vk::SPACE});
    game->speed = 10.0f;
    inEmptyRoom(Vec3(98.5f, 50, -0.2f));
    face(90.0f, -30.0f);  // east and rising
    game->update(0.1f);
    EXPECT_EQ(position.x, 99.0f);
    EXPECT_EQ(position.z, 0.0f);

    inEmptyRoom(Vec3(50, 1.5f, -19.8f));
    face(0.0f, 30.0f);  // south and diving
    game->update(0.1f);
    EXPECT_EQ(position.y, 1.0f);
    EXPECT_EQ(position.z, -20.0f);
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
