// The whole building played through with the real rules: an autopilot holds
// keys frame by frame as a player would, and the milestones of the designed
// course are checked in the game's own state.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "autopilot.h"
#include "input/input_state.h"
#include "started_game.h"

namespace {

// The headless runner's default frame time.
constexpr float DT = 0.016f;
// A leg takes at most about 900 frames, waiting for a door included.
constexpr int FRAMES_PER_LEG = 3000;

struct Playthrough : ::testing::Test {
    std::unique_ptr<Game> game = startedGame();
    std::set<int> roomsVisited;

    void TearDown() override { input.endScript(); }

    // Plays until the autopilot moves past the leg it is on; false on timeout.
    bool finishLeg(Autopilot& pilot) {
        const std::size_t leg = pilot.legIndex();
        for (int frame = 0; frame < FRAMES_PER_LEG; ++frame) {
            const std::set<int> keys = pilot.keysFor(*game);
            if (pilot.legIndex() != leg) return true;
            input.holdScripted(keys);
            game->update(DT);
            roomsVisited.insert(roomIndex(*game));
        }
        return false;
    }
};

}  // namespace

TEST_F(Playthrough, TheDesignedCourseLeadsThroughAllEightRoomsIntoTheGoldRoom) {
    const Game& g = *game;
    auto held = [&g](std::initializer_list<int> colours) {
        for (int c = 0; c < KEY_COLOURS; ++c) {
            const bool expected = std::find(colours.begin(), colours.end(), c) != colours.end();
            if (g.keysHeld[c] != expected) return false;
        }
        return true;
    };
    const Room* rooms = g.rooms;
    // What must hold once each leg is done; every leg of the course has an entry.
    const std::map<std::string, std::function<bool()>> milestones = {
        {"room 0: south of the tower, at roof height", [&] { return roomIndex(g) == 0; }},
        {"room 0: the lever on the tower roof", [&] { return rooms[0].levers[0].pulling; }},
        {"room 0: the east door", [&] { return roomIndex(g) == 1 && rooms[0].doors[0].open; }},
        {"room 1: east of the walled corner", [&] { return held({}); }},
        {"room 1: the red key under the plates",
         [&] { return held({KEY_RED}) && !rooms[1].keyPresent[KEY_RED]; }},
        {"room 1: out of the corner", [&] { return rooms[1].doors[1].locked; }},
        {"room 1: the red lock",
         [&] {
             return roomIndex(g) == 2 && held({}) && rooms[1].doors[1].open && !rooms[1].doors[1].locked;
         }},
        {"room 2: west of the green key", [&] { return rooms[2].keyPresent[KEY_GREEN]; }},
        {"room 2: the green key", [&] { return held({KEY_GREEN}); }},
        {"room 2: up, clear of the pillars", [&] { return !rooms[2].doors[1].open; }},
        {"room 2: the lever in the south-east tower", [&] { return rooms[2].levers[0].pulling; }},
        {"room 2: the east door", [&] { return roomIndex(g) == 4 && rooms[2].doors[1].open; }},
        {"room 4: the blue key",
         [&] {
             return held({KEY_GREEN, KEY_BLUE});
         }},
        {"room 4: the blue lock",
         [&] { return roomIndex(g) == 5 && held({KEY_GREEN}) && rooms[4].doors[1].open; }},
        {"room 5: the lever on the floor", [&] { return rooms[5].levers[0].pulling; }},
        {"room 5: the east door", [&] { return roomIndex(g) == 6 && rooms[5].doors[1].open; }},
        {"room 6: the green lock", [&] { return roomIndex(g) == 7 && held({}) && rooms[6].doors[1].open; }},
        {"room 7: the gold key above the central block",
         [&] { return held({KEY_GOLD}) && !rooms[7].keyPresent[KEY_GOLD]; }},
        {"room 7: south of the block", [&] { return !rooms[4].doors[2].open; }},
        {"room 7: the lever", [&] { return rooms[7].levers[0].pulling; }},
        {"room 7: the west door",
         [&] { return roomIndex(g) == 4 && rooms[7].doors[0].open && rooms[4].doors[2].open; }},
        {"room 4: the west door", [&] { return roomIndex(g) == 2 && held({KEY_GOLD}); }},
        {"room 2: the gold lock",
         [&] {
             return roomIndex(g) == 3 && held({}) && rooms[2].doors[2].open && !rooms[2].doors[2].locked;
         }},
    };

    Autopilot pilot(playthroughCourse());
    std::size_t legsChecked = 0;
    while (!pilot.finished()) {
        const std::string leg = pilot.currentLeg().name;
        const Vec3& p = g.swimmerPosition;
        ASSERT_TRUE(finishLeg(pilot)) << "stuck on \"" << leg << "\" in room " << roomIndex(g) << " at ("
                                      << p.x << ", " << p.y << ", " << p.z << ")";
        const auto milestone = milestones.find(leg);
        ASSERT_NE(milestone, milestones.end()) << leg;
        EXPECT_TRUE(milestone->second()) << leg;
        ++legsChecked;
    }
    EXPECT_EQ(legsChecked, milestones.size());
    EXPECT_EQ(roomIndex(g), 3);
    EXPECT_EQ(roomsVisited.size(), static_cast<std::size_t>(ROOM_COUNT));
    for (const Room* room = rooms; room != rooms + ROOM_COUNT; ++room)
        for (uint32_t i = 0; i < room->leverCount; ++i) EXPECT_TRUE(room->levers[i].pulled);
}
