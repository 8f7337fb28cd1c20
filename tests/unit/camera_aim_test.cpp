#include <gtest/gtest.h>

#include <memory>

#include "game/game.h"

namespace {

struct CameraAim : ::testing::Test {
    std::unique_ptr<Game> game = std::make_unique<Game>();
    void SetUp() override {
        game->setSeaweedSeed(1);
        game->buildWorld();
        game->swimmerPosition = Vec3(20, 20, -5);
    }
};

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

}  // namespace

TEST_F(CameraAim, FollowsTheSwimmerFromBehindAndAbove) {
    const Game::CameraAim aim = game->aimWorldCamera();
    expectVec(aim.centre, 20, 20, -5);
    expectVec(aim.eye, 20, -5, 7);
}

TEST_F(CameraAim, AnOpeningDoorTakesTheCameraOver) {
    Room& room2 = game->rooms[2];
    game->currentRoom = &room2;
    room2.doors[2].opening = true;  // (50, 97.5), orientation 1
    Game::CameraAim aim = game->aimWorldCamera();
    expectVec(aim.centre, 50, 97.5f, -15);
    expectVec(aim.eye, 58, 72.5f, -17);

    room2.doors[1].opening = true;  // (100, 50), orientation 0, east half: earlier in the list wins
    aim = game->aimWorldCamera();
    expectVec(aim.centre, 100, 50, -15);
    expectVec(aim.eye, 75, 42, -17);

    Room& room1 = game->rooms[1];
    game->currentRoom = &room1;
    room1.doors[0].opening = true;  // (3, 50): the eye goes 25 toward +x
    aim = game->aimWorldCamera();
    expectVec(aim.eye, 28, 42, -17);
}

TEST(SceneProgramChoice, UnderwaterProgramAndWaterSurfaceByEyeHeight) {
    // At exactly 1: underwater, no surface.
    EXPECT_TRUE(Game::underwaterView(Vec3(0, 5, 1.0f)));
    EXPECT_FALSE(Game::waterSurfaceVisible(Vec3(0, 5, 1.0f)));
    // Just above 1: the ordinary program and the surface.
    EXPECT_FALSE(Game::underwaterView(Vec3(0, 5, 1.0001f)));
    EXPECT_TRUE(Game::waterSurfaceVisible(Vec3(0, 5, 1.0001f)));
    // Between 0 and 1 south of the room: underwater, no surface.
    EXPECT_TRUE(Game::underwaterView(Vec3(0, -3, 0.5f)));
    EXPECT_FALSE(Game::waterSurfaceVisible(Vec3(0, -3, 0.5f)));
    // Below 0 south of the room: underwater and the surface seen from below.
    EXPECT_TRUE(Game::underwaterView(Vec3(0, -3, -0.5f)));
    EXPECT_TRUE(Game::waterSurfaceVisible(Vec3(0, -3, -0.5f)));
    // Below 0 inside the room: no surface.
    EXPECT_FALSE(Game::waterSurfaceVisible(Vec3(0, 3, -0.5f)));
}
