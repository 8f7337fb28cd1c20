#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>

#include "input/input_state.h"
#include "platform/platform.h"
#include "started_game.h"

namespace {

struct FrameUpdate : ::testing::Test {
    std::unique_ptr<Game> game = startedGame();

    void TearDown() override { input.endScript(); }
    void hold(const std::set<int>& keys) { input.holdScripted(keys); }

    // The swimmer in the passage of room 0's east door, opened as its lever would.
    void atOpenEastDoorOfRoom0() {
        game->rooms[0].doors[0].open = true;
        game->swimmerPosition = Vec3(99, 50, -10);
    }
    // Faces the swimmer along a heading (degrees) and keeps it there.
    void face(float headingDegrees) {
        game->steering.x = -headingDegrees / 150.0f;
        game->swimmerObject.setAngleZ(headingDegrees);
    }
    // Plays frames until the current room is the one given; false after `frames`.
    bool swimInto(int room, int frames, float dt) {
        for (int i = 0; i < frames && roomIndex(*game) != room; ++i) game->update(dt);
        return roomIndex(*game) == room;
    }
};

}  // namespace

TEST_F(FrameUpdate, SeaweedSwaysWithinPlusMinusOneAndTurnsAtTheBounds) {
    SeaweedSegment& s = game->rooms[0].seaweed[0];
    s.offset = Vec3(0.5f, -0.5f, 0.0f);
    s.direction = Vec3(1, -1, 1);
    s.speed = Vec3(1, 1, 0.2f);
    game->update(0.5f);
    EXPECT_EQ(s.offset.x, 1.0f);
    EXPECT_EQ(s.direction.x, -1.0f);
    EXPECT_EQ(s.offset.y, -1.0f);
    EXPECT_EQ(s.direction.y, 1.0f);
    EXPECT_FLOAT_EQ(s.offset.z, 0.1f);
    game->update(0.5f);
    EXPECT_EQ(s.offset.x, 0.5f);
    EXPECT_EQ(s.offset.y, -0.5f);

    // It goes on during a fade-out, and never leaves the bounds.
    atOpenEastDoorOfRoom0();
    game->update(0.016f);
    ASSERT_TRUE(game->rooms[0].fadingOut);
    const float before = s.offset.z;
    game->update(0.1f);
    EXPECT_TRUE(game->rooms[0].fadingOut);
    EXPECT_NE(s.offset.z, before);
    const float steps[] = {0.016f, 0.05f, 0.3f, 1.7f};
    for (int frame = 0; frame < 400; ++frame) {
        game->update(steps[frame % 4]);
        for (const SeaweedSegment& segment : game->currentRoom->seaweed)
            for (const float offset : {segment.offset.x, segment.offset.y, segment.offset.z})
                ASSERT_TRUE(offset >= -1.0f && offset <= 1.0f) << frame;
    }
}

TEST_F(FrameUpdate, ADtAbove0_7CompletesAFadeOutInTheNextFrameAndTheFadeInInTheOneAfter) {
    atOpenEastDoorOfRoom0();
    Room& left = game->rooms[0];
    Room& entered = game->rooms[1];
    game->update(0.8f);
    EXPECT_TRUE(left.fadingOut);
    EXPECT_EQ(left.exitDoor, &left.doors[0]);
    EXPECT_EQ(left.transitionTimer, 0.0f);

    game->update(0.8f);
    EXPECT_EQ(roomIndex(*game), 1);
    EXPECT_EQ(game->swimmerPosition.x, 10.0f);
    EXPECT_EQ(game->swimmerPosition.y, 50.0f);
    EXPECT_EQ(game->swimmerPosition.z, -10.0f);
    EXPECT_FALSE(left.fadingOut);
    EXPECT_TRUE(left.fadingIn);  // armed for the way back
    EXPECT_EQ(left.transitionTimer, 0.0f);
    EXPECT_TRUE(entered.fadingIn);

    game->update(0.8f);
    EXPECT_FALSE(entered.fadingIn);
    EXPECT_FLOAT_EQ(entered.transitionTimer, 0.8f);  // not reset
}

TEST_F(FrameUpdate, EnteringARoomDressesTheSharedObjectsWithItsTextures) {
    Room& room2 = game->rooms[2];
    room2.doors[2].locked = false;
    room2.doors[2].open = true;
    game->currentRoom = &room2;
    game->swimmerPosition = Vec3(50, 97, -10);
    runFrames(*game, 2, 0.8f);
    ASSERT_EQ(roomIndex(*game), 3);
    EXPECT_EQ(game->tallWallObject.texture, &game->goldWallTexture);
    EXPECT_EQ(game->shortWallObject.texture, &game->goldWallTexture);
    EXPECT_EQ(game->floorObject.texture, &game->tileTexture);
    EXPECT_EQ(game->swimmerPosition.x, 50.0f);
    EXPECT_EQ(game->swimmerPosition.y, 10.0f);
}

TEST_F(FrameUpdate, TheFrameCompletingASwitchRunsNothingButTheMove) {
    // The red key placed at the arrival point, in reach of the arriving swimmer.
    game->rooms[1].keyPositions[KEY_RED] = Vec3(10, 50, 1);
    atOpenEastDoorOfRoom0();
    game->swimmerPosition.z = -17;
    game->update(0.5f);
    ASSERT_TRUE(game->rooms[0].fadingOut);

    game->speed = 5.0f;
    hold({vk::SPACE, vk::LEFT, vk::UP, vk::F1});
    const float hint = game->hintTimer;
    const float clock = game->swimClock;
    const Vec2 steering = game->steering;
    game->update(0.8f);  // 0.8 > 0.7: the switch
    ASSERT_EQ(roomIndex(*game), 1);
    EXPECT_EQ(game->hintTimer, hint);
    EXPECT_EQ(game->speed, 5.0f);
    EXPECT_EQ(game->steering.x, steering.x);
    EXPECT_EQ(game->steering.y, steering.y);
    EXPECT_EQ(game->swimClock, clock);
    EXPECT_FALSE(game->keysHeld[KEY_RED]);
    EXPECT_FALSE(game->keyWasDown[LATCH_SPACE]);

    game->update(0.01f);
    EXPECT_TRUE(game->keysHeld[KEY_RED]);
    EXPECT_GT(game->speed, 5.0f);
    EXPECT_EQ(game->hintTimer, 0.0f);  // F1 went down during the fade-out
}

TEST_F(FrameUpdate, EastThroughRoom0sDoorAndWestThroughRoom1sReturnsAt90_50) {
    atOpenEastDoorOfRoom0();
    game->swimmerPosition.x = 95;
    face(90.0f);
    hold({vk::SPACE});
    ASSERT_TRUE(swimInto(1, 200, 0.02f));
    EXPECT_EQ(game->swimmerPosition.x, 10.0f);

    // The fade-in does not hold the swimmer back.
    game->update(0.02f);
    EXPECT_TRUE(game->rooms[1].fadingIn);
    EXPECT_GT(game->swimmerPosition.x, 10.0f);

    hold({});
    runFrames(*game, 40, 0.02f);  // coast to a stop
    hold({vk::LEFT});
    runFrames(*game, 60, 0.02f);  // half a turn on the spot
    EXPECT_NEAR(game->swimmerObject.getAngleZ(), 270.0f, 0.05f);
    hold({vk::SPACE});
    ASSERT_TRUE(swimInto(0, 300, 0.02f));
    EXPECT_EQ(game->swimmerPosition.x, 90.0f);
    EXPECT_EQ(game->swimmerPosition.y, 50.0f);
    EXPECT_TRUE(game->rooms[0].fadingIn);
}

TEST_F(FrameUpdate, F1RestartsTheHelpOnAPressOnly) {
    game->hintTimer = 12.0f;
    hold({vk::F1});
    game->update(0.1f);
    EXPECT_EQ(game->hintTimer, 0.0f);
    game->update(0.1f);
    EXPECT_FLOAT_EQ(game->hintTimer, 0.1f);

    // The timer stops at the first value at or past the duration.
    hold({});
    game->hintTimer = 9.9f;
    game->update(0.3f);
    EXPECT_FLOAT_EQ(game->hintTimer, 10.2f);
    game->update(0.3f);
    EXPECT_FLOAT_EQ(game->hintTimer, 10.2f);
    game->hintTimer = 10.0f;
    game->update(0.3f);
    EXPECT_EQ(game->hintTimer, 10.0f);
}

TEST_F(FrameUpdate, F1HeldAcrossAFadeOutIsNotANewPress) {
    constexpr float dt = 0.125f;
    hold({vk::F1});
    runFrames(*game, 5, dt);  // pressed on the first frame, then held
    EXPECT_EQ(game->hintTimer, 0.5f);
    atOpenEastDoorOfRoom0();
    game->update(dt);
    ASSERT_TRUE(game->rooms[0].fadingOut);
    runFrames(*game, 5, dt);  // 0.625 s into the fade-out: the help timer stands still
    EXPECT_EQ(game->hintTimer, 0.625f);
    game->update(dt);
    ASSERT_EQ(roomIndex(*game), 1);
    game->update(dt);
    EXPECT_EQ(game->hintTimer, 0.75f);
}

TEST_F(FrameUpdate, AFrameWithoutAFiniteTimeChangesNothing) {
    hold({vk::SPACE});
    const Vec3 offset = game->rooms[0].seaweed[0].offset;
    for (const float dt : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                           -std::numeric_limits<float>::infinity()}) {
        game->update(dt);
        EXPECT_EQ(game->speed, 0.0f);
        EXPECT_EQ(game->hintTimer, 0.0f);
        EXPECT_EQ(game->rooms[0].seaweed[0].offset.x, offset.x);
        EXPECT_FALSE(game->keyWasDown[LATCH_SPACE]);
        EXPECT_EQ(game->swimmerPosition.x, 20.0f);
    }
    game->update(0.1f);
    EXPECT_FLOAT_EQ(game->speed, 0.7f);
}

TEST_F(FrameUpdate, AFadeOutWithNoDoorToPassFadesBackInWhereTheSwimmerIs) {
    Room& room = game->rooms[0];
    room.fadingOut = true;  // exitDoor stays null
    runFrames(*game, 3, 0.25f);
    EXPECT_EQ(roomIndex(*game), 0);
    EXPECT_FALSE(room.fadingOut);
    EXPECT_TRUE(room.fadingIn);
    EXPECT_EQ(game->swimmerPosition.x, 20.0f);
    EXPECT_EQ(game->swimmerPosition.y, 20.0f);
    runFrames(*game, 3, 0.25f);
    EXPECT_FALSE(room.fadingIn);
}

// Each case hinges on one pair of neighbouring steps of the update: run in
// the other order, the same frame ends differently.
TEST(UpdateOrder, EachStepSeesWhatTheStepBeforeItLeft) {
    constexpr float dt = 0.1f;
    // Space up at top speed: 10 - 14.29 * 0.1 = 8.57, so the frame moves
    // the swimmer about 0.86 along its heading.
    auto gliding = [](Game& g, int room, Vec3 at, float headingDegrees) {
        g.currentRoom = &g.rooms[room];
        g.swimmerPosition = at;
        g.steering.x = -headingDegrees / 150.0f;
        g.swimmerObject.setAngleZ(headingDegrees);
        g.speed = 10.0f;
    };
    const struct {
        const char* rule;
        std::set<int> keys;
        std::function<void(Game&)> setUp;
        std::function<bool(const Game&)> outcome;
    } cases[] = {
        {"speed before swimming: the first frame of Space already moves the swimmer",
         {vk::SPACE},
         [](Game& g) {
             g.currentRoom = &g.rooms[4];
             g.swimmerPosition = Vec3(50, 50, -10);
             g.steering.x = -90.0f / 150.0f;
             g.swimmerObject.setAngleZ(90.0f);
         },
         [](const Game& g) { return g.swimmerPosition.x > 50.06f; }},
        // Room 0's lever reaches to x < 48; the glide ends at x = 48.76.
        {"lever pull before swimming: the reach is judged where the frame starts",
         {vk::LEFT_CONTROL},
         [&](Game& g) { gliding(g, 0, Vec3(47.9f, 45, -12), 90.0f); },
         [](const Game& g) { return g.rooms[0].levers[0].pulling; }},
        // The passage of room 0's east door starts at x = 98.
        {"swimming before doors: a door is passed where the frame ends",
         {},
         [&](Game& g) {
             g.rooms[0].doors[0].open = true;
             gliding(g, 0, Vec3(97.5f, 50, -10), 90.0f);
         },
         [](const Game& g) { return g.rooms[0].fadingOut; }},
        // Room 4's blue key is in reach from x = 73.
        {"swimming before keys: a key is taken where the frame ends",
         {},
         [&](Game& g) { gliding(g, 4, Vec3(72.5f, 20, -17), 90.0f); },
         [](const Game& g) { return g.keysHeld[KEY_BLUE]; }},
        {"doors before levers: a door a lever opens starts sliding in the next frame",
         {},
         [](Game& g) {
             g.rooms[0].levers[0].pulling = true;
             g.rooms[0].levers[0].pullTimer = 0.95f;
         },
         [](const Game& g) { return g.rooms[0].doors[0].opening && g.rooms[0].doors[0].openTimer == 0.0f; }},
        // A lever whose flag uncovers a key: the key step of the same frame finds it.
        {"levers before keys: what a finished pull sets is there for the keys",
         {},
         [](Game& g) {
             Room& room = g.rooms[4];
             room.keyPositions[KEY_GOLD] = Vec3(60, 60, 1);
             Lever* lever = room.addLever(Vec3(30, 30, 0), nullptr);
             lever->linkedOpenFlag = &room.keyPresent[KEY_GOLD];
             lever->pulling = true;
             lever->pullTimer = 0.95f;
             g.currentRoom = &room;
             g.swimmerPosition = Vec3(60, 60, -17);
         },
         [](const Game& g) { return g.keysHeld[KEY_GOLD]; }},
        // One frame with nothing held first, so the previous sample is known to be empty.
        {"sampling before the press checks: F1 acts in the frame it goes down",
         {vk::F1},
         [](Game& g) {
             input.holdScripted({});
             g.update(dt);
             g.hintTimer = 5.0f;
         },
         [](const Game& g) { return g.hintTimer == 0.0f; }},
        {"sampling before the press checks: Left Control acts in the frame it goes down",
         {vk::LEFT_CONTROL},
         [](Game& g) {
             input.holdScripted({});
             g.currentRoom = &g.rooms[0];
             g.swimmerPosition = Vec3(45, 45, -12);
             g.update(dt);
         },
         [](const Game& g) { return g.rooms[0].levers[0].pulling; }},
    };
    for (const auto& c : cases) {
        std::unique_ptr<Game> game = startedGame();
        c.setUp(*game);
        input.holdScripted(c.keys);
        game->update(dt);
        EXPECT_TRUE(c.outcome(*game)) << c.rule;
    }
    input.endScript();
}
