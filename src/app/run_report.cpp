#include "app/run_report.h"

#include "game/game.h"

nlohmann::ordered_json runReport(const Game& game, long long framesRun, bool paused) {
    using nlohmann::ordered_json;
    ordered_json report;
    report["frame"] = framesRun;
    report["paused"] = paused;
    report["room"] = game.currentRoom - game.rooms;
    report["swimmer"] = {{"x", game.swimmerPosition.x},
                         {"y", game.swimmerPosition.y},
                         {"z", game.swimmerPosition.z},
                         {"speed", game.speed},
                         {"heading", game.swimmerObject.getAngleZ()},
                         {"pitch", game.swimmerObject.getAngleX()},
                         {"steeringX", game.steering.x},
                         {"steeringY", game.steering.y}};
    report["keysHeld"] = ordered_json::array();
    for (bool held : game.keysHeld) report["keysHeld"].push_back(held);
    report["hintTimer"] = game.hintTimer;
    ordered_json rooms = ordered_json::array();
    for (int i = 0; i < ROOM_COUNT; ++i) {
        const Room& room = game.rooms[i];
        ordered_json r;
        r["fadingIn"] = room.fadingIn;
        r["fadingOut"] = room.fadingOut;
        r["transitionTimer"] = room.transitionTimer;
        r["keyPresent"] = ordered_json::array();
        for (bool present : room.keyPresent) r["keyPresent"].push_back(present);
        r["doors"] = ordered_json::array();
        for (uint32_t d = 0; d < room.doorCount; ++d) {
            const Door& door = room.doors[d];
            r["doors"].push_back({{"open", door.open},
                                  {"locked", door.locked},
                                  {"lockColour", door.lockColour},
                                  {"opening", door.opening},
                                  {"openTimer", door.openTimer}});
        }
        r["levers"] = ordered_json::array();
        for (uint32_t l = 0; l < room.leverCount; ++l) {
            const Lever& lever = room.levers[l];
            r["levers"].push_back(
                {{"pulled", lever.pulled}, {"pulling", lever.pulling}, {"pullTimer", lever.pullTimer}});
        }
        rooms.push_back(r);
    }
    report["rooms"] = rooms;
    return report;
}
