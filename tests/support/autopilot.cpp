#include "autopilot.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"
#include "started_game.h"

namespace {

constexpr float PI = 3.14159265f;
// Heading error (degrees) tolerated before an arrow is held.
constexpr float HEADING_SLACK = 2.0f;
// Beyond this heading error the swimmer slows down to turn tightly.
constexpr float SHARP_TURN = 40.0f;
constexpr float TURNING_SPEED = 1.0f;
// Closer than this in x and y, the direction to the target is noise.
constexpr float NO_TURN_RADIUS = 0.6f;
// Steering y wanted per unit of depth error, and its bound (75 degrees of pitch).
constexpr float PITCH_GAIN = 0.15f;
constexpr float MAX_PITCH = 0.5f;
constexpr float PITCH_SLACK = 0.02f;
// Wanted speed per unit of distance left, so that the swimmer coasts in.
constexpr float SPEED_GAIN = 1.5f;
constexpr float TOP_SPEED = 10.0f;

float wrapDegrees(float angle) {
    angle = std::fmod(angle, 360.0f);
    if (angle > 180.0f) angle -= 360.0f;
    if (angle <= -180.0f) angle += 360.0f;
    return angle;
}

std::function<bool(const Game&)> inRoom(int room) {
    return [room](const Game& game) { return roomIndex(game) == room; };
}

std::function<bool(const Game&)> holding(KeyColour colour) {
    return [colour](const Game& game) { return game.keysHeld[colour]; };
}

std::function<bool(const Game&)> leverStarted(int room) {
    return [room](const Game& game) {
        const Lever& lever = game.rooms[room].levers[0];
        return lever.pulling || lever.pulled;
    };
}

// Within a radius in x and y and a tolerance in depth of the point.
std::function<bool(const Game&)> near(Vec3 point, float radius = 1.5f, float depthSlack = 1.0f) {
    return [=](const Game& game) {
        const Vec3& p = game.swimmerPosition;
        return std::hypot(p.x - point.x, p.y - point.y) < radius && std::fabs(p.z - point.z) < depthSlack;
    };
}

}  // namespace

Autopilot::Autopilot(std::vector<CourseLeg> course_) : course(std::move(course_)) {}

std::set<int> Autopilot::keysFor(const Game& game) {
    while (leg < course.size() && course[leg].done(game)) ++leg;
    if (finished()) return {};
    const CourseLeg& current = course[leg];
    const Vec3& p = game.swimmerPosition;
    const Vec3& t = current.target;
    std::set<int> keys;

    const float dx = t.x - p.x, dy = t.y - p.y;
    const float distance = std::hypot(dx, dy);
    // The model moves along (sin h, -cos h) for heading h; Left raises h.
    const float wanted = std::atan2(dx, -dy) * 180.0f / PI;
    const float error = wrapDegrees(wanted - game.swimmerObject.getAngleZ());
    const bool turning = distance > NO_TURN_RADIUS && std::fabs(error) > HEADING_SLACK;
    if (turning) keys.insert(error > 0.0f ? vk::LEFT : vk::RIGHT);

    // A positive pitch dives; aim for a pitch proportional to the depth error.
    const float depthError = p.z - t.z;
    const float wantedPitch = std::clamp(PITCH_GAIN * depthError, -MAX_PITCH, MAX_PITCH);
    if (game.steering.y < wantedPitch - PITCH_SLACK)
        keys.insert(vk::UP);
    else if (game.steering.y > wantedPitch + PITCH_SLACK)
        keys.insert(vk::DOWN);

    float wantedSpeed = std::min(TOP_SPEED, SPEED_GAIN * std::hypot(distance, depthError));
    if (distance > NO_TURN_RADIUS && std::fabs(error) > SHARP_TURN)
        wantedSpeed = std::min(wantedSpeed, TURNING_SPEED);
    if (game.speed < wantedSpeed) keys.insert(vk::SPACE);

    // A press is a key going down: hold Control every other frame.
    if (current.pullLever && distance < 2.0f) {
        controlHeld = !controlHeld;
        if (controlHeld) keys.insert(vk::LEFT_CONTROL);
    } else {
        controlHeld = false;
    }
    return keys;
}

std::vector<CourseLeg> playthroughCourse() {
    // Depths: -11 clears every tall wall (top at -14) and stays in reach of
    // the levers on the tower roofs; -17 passes under plates (-14.75) and
    // over short walls (-18) to the keys on the floor. Doors need z < -6.
    const float over = -11.0f, under = -17.0f;
    std::vector<CourseLeg> c;
    auto leg = [&c](std::string name, Vec3 target, std::function<bool(const Game&)> done, bool pull = false) {
        c.push_back(CourseLeg{std::move(name), target, pull, std::move(done)});
    };
    leg("room 0: south of the tower, at roof height", Vec3(46, 28, over), near(Vec3(46, 28, over)));
    leg("room 0: the lever on the tower roof", Vec3(45, 45, over), leverStarted(0), true);
    leg("room 0: the east door", Vec3(99, 50, over), inRoom(1));

    leg("room 1: east of the walled corner", Vec3(18, 93, under), near(Vec3(18, 93, under)));
    leg("room 1: the red key under the plates", Vec3(6, 94, under), holding(KEY_RED));
    leg("room 1: out of the corner", Vec3(18, 92, under), near(Vec3(18, 92, under)));
    leg("room 1: the red lock", Vec3(99, 50, over), inRoom(2));

    leg("room 2: west of the green key", Vec3(68, 95, under), near(Vec3(68, 95, under)));
    leg("room 2: the green key", Vec3(75, 95, under), holding(KEY_GREEN));
    leg("room 2: up, clear of the pillars", Vec3(66, 93, over), near(Vec3(66, 93, over), 2.0f, 1.5f));
    leg("room 2: the lever in the south-east tower", Vec3(88, 8, over), leverStarted(2), true);
    leg("room 2: the east door", Vec3(99, 50, over), inRoom(4));

    leg("room 4: the blue key", Vec3(75, 20, under), holding(KEY_BLUE));
    leg("room 4: the blue lock", Vec3(50, 99, over), inRoom(5));

    leg("room 5: the lever on the floor", Vec3(12, 88, -17.5f), leverStarted(5), true);
    leg("room 5: the east door", Vec3(99, 50, over), inRoom(6));

    leg("room 6: the green lock", Vec3(50, 1, over), inRoom(7));

    leg("room 7: the gold key above the central block", Vec3(49, 50, -10.5f), holding(KEY_GOLD));
    leg("room 7: south of the block", Vec3(50, 42, over), near(Vec3(50, 42, over)));
    leg("room 7: the lever", Vec3(50, 36, under), leverStarted(7), true);
    leg("room 7: the west door", Vec3(1, 50, over), inRoom(4));

    leg("room 4: the west door", Vec3(1, 50, over), inRoom(2));
    leg("room 2: the gold lock", Vec3(50, 99, over), inRoom(3));
    return c;
}
