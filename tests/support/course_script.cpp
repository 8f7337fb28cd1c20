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

}  // namespace

std::optional<std::string> courseScript() {
    std::unique_ptr<Game> game = startedGame();
    Autopilot pilot(playthroughCourse());
    std::ostringstream script;
    script << "# The designed course through all eight rooms, for mirelo-headless at its\n"
              "# default dt of 0.016 s. Written by course-script-writer\n"
              "# (tests/playthrough/make_course_script.cpp); do not edit by hand.\n"
              "# \"# frame N: LEG\": the autopilot saw LEG done before frame N.\n";
    std::string held;
    std::size_t leg = pilot.legIndex();
    std::string legName = pilot.currentLeg().name;
    for (long long frame = 0; frame < MAX_FRAMES && !pilot.finished(); ++frame) {
        const std::set<int> keys = pilot.keysFor(*game);
        if (pilot.legIndex() != leg) {
            script << "# frame " << frame << ": " << legName << "\n";
            leg = pilot.legIndex();
            if (!pilot.finished()) legName = pilot.currentLeg().name;
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
