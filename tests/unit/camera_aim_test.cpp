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

TEST(WorldLinks, NeighboursAreReciprocalAndDoorsArriveNextToTheirTwin) {
    auto game = std::make_unique<Game>();
    game->setSeaweedSeed(3);
    game->buildWorld();
    const int opposite[DOOR_DIRECTIONS] = {1, 0, 3, 2};
    for (int i = 0; i < ROOM_COUNT; ++i) {
        const Room& room = game->rooms[i];
        for (int d = 0; d < DOOR_DIRECTIONS; ++d) {
            if (room.neighbours[d]) {
                EXPECT_EQ(room.neighbours[d]->neighbours[opposite[d]], &room) << i;
            }
        }
        for (uint32_t k = 0; k < room.doorCount; ++k) {
            const Door& door = room.doors[k];
            const Room* next = room.neighbours[door.direction];
            ASSERT_NE(next, nullptr) << "room " << i << " door " << k;
            const Door* twin = nullptr;
            for (uint32_t t = 0; t < next->doorCount; ++t)
                if (next->doors[t].direction == opposite[door.direction]) twin = &next->doors[t];
            ASSERT_NE(twin, nullptr) << "room " << i << " door " << k;
            // The arrival point lies just inside the twin door, within 10 units.
            EXPECT_LE(
                std::abs(door.arrival.x - twin->position.x) + std::abs(door.arrival.y - twin->position.y),
                10.0f);
        }
    }
    for (int i = ROOM_COUNT; i < ROOM_SLOTS; ++i) {
        const Room& room = game->rooms[i];
        EXPECT_EQ(room.shortWallCount + room.tallWallCount + room.plateCount + room.floorPlankCount +
                      room.leverCount + room.doorCount,
                  0u);
        for (const Room* n : room.neighbours) EXPECT_EQ(n, nullptr);
        for (bool present : room.keyPresent) EXPECT_FALSE(present);
    }
    EXPECT_EQ(game->rooms[7].levers[0].linkedOpenFlag, &game->rooms[4].doors[2].open);
    EXPECT_EQ(game->rooms[3].floorTexture, &game->tileTexture);
    EXPECT_EQ(game->rooms[2].shortWallTexture, &game->goldWallTexture);
    EXPECT_EQ(game->rooms[2].tallWallTexture, &game->wallTexture);
    EXPECT_EQ(game->rooms[7].tallWallTexture, &game->goldWallTexture);
    EXPECT_EQ(game->currentRoom, &game->rooms[0]);
    EXPECT_EQ(game->swimmerObject.collider, &game->quadCollider);
    EXPECT_EQ(game->seaweedObject.pivot.x, 0.5f);
    EXPECT_EQ(game->cliffPositions[14].z, 20.0f);
}
