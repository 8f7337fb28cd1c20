#include "course_script.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "autopilot.h"
#include "input/input_state.h"
#include "platform/platform.h"
#include "started_game.h"

namespace {

constexpr float DT = 0.016f;
constexpr long long MAX_FRAMES = 60000;

std::string keyList(const std::set<int>& keys) {
    static const struct {
        int code;
        const char* name;
    } names[] = {{vk::SPACE, "space"}, {vk::LEFT, "left"}, {vk::RIGHT, "right"},
                 {vk::UP, "up"},       {vk::DOWN, "down"}, {vk::LEFT_CONTROL, "lctrl"}};
    std::string list;
    for (const auto& n : names) {
        if (!keys.count(n.code)) continue;
        if (!list.empty()) list += ",";
        list += n.name;
    }
    return list.empty() ? "-" : list;
}

const char* boolText(bool b) { return b ? "true" : "false"; }

// A jq expression that holds for the state dump of exactly this progress.
std::string progressCheck(const Game& g) {
    std::ostringstream jq;
    jq << ".room == " << roomIndex(g) << " and .keysHeld == [";
    for (int c = 0; c < KEY_COLOURS; ++c) jq << (c ? "," : "") << boolText(g.keysHeld[c]);
    jq << "] and [.rooms[].keyPresent[]] == [";
    const char* sep = "";
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (int c = 0; c < KEY_COLOURS; ++c, sep = ",") jq << sep << boolText(g.rooms[r].keyPresent[c]);
    jq << "] and [.rooms[].doors[] | [.open, .locked]] == [";
    sep = "";
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (uint32_t d = 0; d < g.rooms[r].doorCount; ++d, sep = ",")
            jq << sep << "[" << boolText(g.rooms[r].doors[d].open) << ","
               << boolText(g.rooms[r].doors[d].locked) << "]";
    jq << "] and [.rooms[].levers[] | .pulled or .pulling] == [";
    sep = "";
    for (int r = 0; r < ROOM_COUNT; ++r)
        for (uint32_t l = 0; l < g.rooms[r].leverCount; ++l, sep = ",")
            jq << sep << boolText(g.rooms[r].levers[l].pulled || g.rooms[r].levers[l].pulling);
    jq << "]";
    return jq.str();
}

}  // namespace

std::optional<std::string> courseScript() {
    std::unique_ptr<Game> game = startedGame();
    Autopilot pilot(playthroughCourse());
    std::ostringstream script;
    script
        << "# The designed course through all eight rooms, for mirelo-headless at its\n"
           "# default dt of 0.016 s. Written by course-script-writer\n"
           "# (tests/playthrough/make_course_script.cpp); do not edit by hand.\n"
           "# A \"# check FRAMES EXPR\" line: after FRAMES frames, the jq EXPR holds for the state dump.\n";
    std::string held;
    std::size_t leg = pilot.legIndex();
    for (long long frame = 0; frame < MAX_FRAMES && !pilot.finished(); ++frame) {
        const std::set<int> keys = pilot.keysFor(*game);
        if (pilot.legIndex() != leg) {
            script << "# milestone: " << (pilot.finished() ? "the course is complete" : "leg done")
                   << "\n# check " << frame << " " << progressCheck(*game) << "\n";
            leg = pilot.legIndex();
        }
        const std::string list = keyList(keys);
        if (list != held) {
            script << frame << " " << list << "\n";
            held = list;
        }
        input.holdScripted(keys);
        game->update(DT);
    }
    input.endScript();
    if (!pilot.finished()) return std::nullopt;
    return script.str();
}
