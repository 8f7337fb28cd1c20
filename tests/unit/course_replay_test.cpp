// The committed course script, played through the game as mirelo-headless
// plays it (keys per frame, dt 0.016, seaweed seed 7), must make the story
// the room tables tell; and it must be exactly what the autopilot writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/input_script.h"
#include "course_script.h"
#include "input/input_state.h"
#include "platform/key_codes.h"
#include "started_game.h"
#include "test_files.h"

namespace {

const std::string COURSE = std::string(MIRELO_SOURCE_DIR) + "/tests/playthrough/course.keys";
constexpr float DT = 0.016f;
// Played on after the script's last line, to see that nothing more happens.
constexpr long long FRAMES_AFTER = 625;

const char* const COLOURS[KEY_COLOURS] = {"red", "green", "blue", "gold"};

// What the replay watches, taken before and after every frame.
struct Snapshot {
    int room = 0;
    bool fadingOut[ROOM_COUNT] = {};
    bool keysHeld[KEY_COLOURS] = {};
    bool keyPresent[ROOM_COUNT][KEY_COLOURS] = {};
    struct DoorState {
        bool open, opening, locked;
    } doors[ROOM_COUNT][MAX_DOORS] = {};
    struct LeverState {
        bool pulling, pulled;
    } levers[ROOM_COUNT][MAX_LEVERS] = {};

    explicit Snapshot(const Game& g) : room(roomIndex(g)) {
        for (int c = 0; c < KEY_COLOURS; ++c) keysHeld[c] = g.keysHeld[c];
        for (int r = 0; r < ROOM_COUNT; ++r) {
            const Room& room_ = g.rooms[r];
            fadingOut[r] = room_.fadingOut;
            for (int c = 0; c < KEY_COLOURS; ++c) keyPresent[r][c] = room_.keyPresent[c];
            for (uint32_t d = 0; d < room_.doorCount; ++d)
                doors[r][d] = {room_.doors[d].open, room_.doors[d].opening, room_.doors[d].locked};
            for (uint32_t l = 0; l < room_.leverCount; ++l)
                levers[r][l] = {room_.levers[l].pulling, room_.levers[l].pulled};
        }
    }
};

std::string heldText(const bool (&held)[KEY_COLOURS]) {
    std::string text;
    for (int c = 0; c < KEY_COLOURS; ++c)
        if (held[c]) text += (text.empty() ? "" : "+") + std::string(COLOURS[c]);
    return text.empty() ? "nothing" : text;
}

// Everything that changed in one frame, as one line ("" when nothing did).
std::string eventsBetween(const Snapshot& a, const Snapshot& b) {
    std::vector<std::string> events;
    auto id = [](int r, int i) { return std::to_string(r) + "." + std::to_string(i); };
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (int l = 0; l < MAX_LEVERS; ++l) {
            if (!a.levers[r][l].pulling && b.levers[r][l].pulling)
                events.push_back("lever " + id(r, l) + " pulling");
            if (!a.levers[r][l].pulled && b.levers[r][l].pulled)
                events.push_back("lever " + id(r, l) + " pulled");
        }
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (int d = 0; d < MAX_DOORS; ++d) {
            if (a.doors[r][d].locked && !b.doors[r][d].locked)
                events.push_back("door " + id(r, d) + " unlocked holding " + heldText(a.keysHeld));
            if (!a.doors[r][d].opening && b.doors[r][d].opening)
                events.push_back("door " + id(r, d) + " opening");
            if (!a.doors[r][d].open && b.doors[r][d].open) events.push_back("door " + id(r, d) + " open");
        }
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (int c = 0; c < KEY_COLOURS; ++c)
            if (a.keyPresent[r][c] && !b.keyPresent[r][c])
                events.push_back(std::string(COLOURS[c]) + " key taken in room " + std::to_string(r));
    if (a.room != b.room) events.push_back("room " + std::to_string(b.room));
    std::string line;
    for (const std::string& e : events) line += (line.empty() ? "" : "; ") + e;
    return line;
}

// The sounds a frame must start, from what changed in it: a lever's pull
// starting, a door starting to slide, a lock opened with a key (a key fewer
// held), a key taken, a fade-out starting. Sorted, as a line.
std::string soundsBetween(const Snapshot& a, const Snapshot& b) {
    std::vector<std::string> sounds;
    int keysUsed = 0;
    for (int c = 0; c < KEY_COLOURS; ++c) keysUsed += a.keysHeld[c] && !b.keysHeld[c];
    for (int r = 0; r < ROOM_COUNT; ++r) {
        for (int l = 0; l < MAX_LEVERS; ++l)
            if (!a.levers[r][l].pulling && b.levers[r][l].pulling) sounds.push_back("lever");
        for (int d = 0; d < MAX_DOORS; ++d) {
            if (a.doors[r][d].locked && !b.doors[r][d].locked && keysUsed-- > 0) sounds.push_back("unlock");
            if (!a.doors[r][d].opening && b.doors[r][d].opening) sounds.push_back("door");
        }
        for (int c = 0; c < KEY_COLOURS; ++c)
            if (a.keyPresent[r][c] && !b.keyPresent[r][c]) sounds.push_back("key");
        if (!a.fadingOut[r] && b.fadingOut[r]) sounds.push_back("fade");
    }
    std::sort(sounds.begin(), sounds.end());
    std::string line;
    for (const std::string& s : sounds) line += s + " ";
    return line;
}

// The frame's started sounds but the strokes (and the ambience, on the first).
std::string soundsStarted(const Game& game) {
    std::vector<std::string> sounds;
    for (const SoundStart& s : game.soundsStarted)
        if (s.id != SOUND_SWIM && s.id != SOUND_AMBIENCE) sounds.push_back(SOUND_FILES[s.id].name);
    std::sort(sounds.begin(), sounds.end());
    std::string line;
    for (const std::string& s : sounds) line += s + " ";
    return line;
}

}  // namespace

// The course the room tables make: in room 0 a lever opens the east door
// (door 0, into room 1); room 1's red key opens its red lock (door 1, east
// into room 2); in room 2 the green key, then the lever of the east door
// (door 1, into room 4); room 4's blue key opens its blue lock (door 1,
// north into room 5) while the green key is still carried; room 5's lever
// opens its east door (door 1, into room 6); the green key opens room 6's
// green lock (door 1, south into room 7); in room 7 the gold key, then the
// lever of the west door (door 0), which opens the far side of that passage
// (room 4's door 2) at once; back west through room 4's open west door into
// room 2, whose gold lock (door 2, north) leads into room 3. A pulled lever
// starts its door opening when its one-second pull ends, and a door opens
// three seconds after it starts; a lock starts opening at once. Each key is
// used up by its lock. On the way, every frame starts the sounds of what
// changed in it, nothing else, and the ambience once, on the first frame;
// strokes only while Space is held.
TEST(CourseReplay, TheCommittedScriptPlaysTheCourseTheRoomTablesMake) {
    const std::vector<std::string> expected = {
        "lever 0.0 pulling",
        "lever 0.0 pulled; door 0.0 opening",
        "door 0.0 open",
        "room 1",
        "red key taken in room 1",
        "door 1.1 unlocked holding red; door 1.1 opening",
        "door 1.1 open",
        "room 2",
        "green key taken in room 2",
        "lever 2.0 pulling",
        "lever 2.0 pulled; door 2.1 opening",
        "door 2.1 open",
        "room 4",
        "blue key taken in room 4",
        "door 4.1 unlocked holding green+blue; door 4.1 opening",
        "door 4.1 open",
        "room 5",
        "lever 5.0 pulling",
        "lever 5.0 pulled; door 5.1 opening",
        "door 5.1 open",
        "room 6",
        "door 6.1 unlocked holding green; door 6.1 opening",
        "door 6.1 open",
        "room 7",
        "gold key taken in room 7",
        "lever 7.0 pulling",
        "lever 7.0 pulled; door 4.2 open; door 7.0 opening",
        "door 7.0 open",
        "room 4",
        "room 2",
        "door 2.2 unlocked holding gold; door 2.2 opening",
        "door 2.2 open",
        "room 3",
    };

    std::ifstream file(COURSE);
    ASSERT_TRUE(file) << COURSE;
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(file, error)) << error;
    ASSERT_FALSE(script.changes().empty());

    std::unique_ptr<Game> game = startedGame();
    std::vector<std::string> happened;
    const long long frames = script.changes().back().frame + FRAMES_AFTER;
    std::vector<long long> ambience;
    int strokes = 0;
    for (long long frame = 0; frame < frames; ++frame) {
        const Snapshot before(*game);
        input.holdScripted(script.keysAt(frame));
        game->update(DT);
        const Snapshot after(*game);
        const std::string events = eventsBetween(before, after);
        if (!events.empty()) happened.push_back(events);
        EXPECT_EQ(soundsStarted(*game), soundsBetween(before, after)) << "frame " << frame << ": " << events;
        for (const SoundStart& s : game->soundsStarted) {
            if (s.id == SOUND_AMBIENCE) ambience.push_back(frame);
            if (s.id == SOUND_SWIM) {
                ++strokes;
                EXPECT_TRUE(script.keysAt(frame).count(vk::SPACE))
                    << "a stroke without Space, frame " << frame;
            }
        }
    }
    input.endScript();
    EXPECT_EQ(ambience, std::vector<long long>{0});
    EXPECT_GT(strokes, 0);
    // One frame per line, so that a failure shows a line diff.
    auto lines = [](const std::vector<std::string>& frames) {
        std::string text;
        for (const std::string& f : frames) text += f + "\n";
        return text;
    };
    EXPECT_EQ(lines(happened), lines(expected));
}

TEST(CourseReplay, TheCommittedScriptIsWhatTheAutopilotWrites) {
    const std::optional<std::string> written = courseScript();
    ASSERT_TRUE(written) << "the autopilot did not finish the course";
    const std::vector<uint8_t> committed = readFile(COURSE);
    // Compared as text so that a difference shows where it starts.
    EXPECT_EQ(*written, std::string(committed.begin(), committed.end()))
        << "regenerate it: build/tests/course-script-writer > tests/playthrough/course.keys";
}
