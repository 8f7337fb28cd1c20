// The rules of the drawn frame, pinned at chosen moments of play: the lock,
// the door leaves and the lever handle, the lever hint, the held-key icons,
// the black fade, the controls help and the depth state the overlays leave.
// Every probe measures a feature against the same frame drawn without it (the
// state that shows it switched off, or its object scaled to nothing) and
// places it through the game's own cameras, so the shaders' look may change
// while a broken rule still turns a test red.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "world_fixture.h"

namespace {

// A channel may move this much before a pixel counts as changed: llvmpipe
// draws the same state to the same bytes, and blended edges move by a little.
constexpr int CHANGE_TOLERANCE = 4;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

struct Point {
    double x = 0, y = 0;
};

// A pixel rectangle, x0 <= x < x1 and y0 <= y < y1, top row first.
struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    int area() const { return (x1 - x0) * (y1 - y0); }
};

// The pixels that differ between two frames.
struct Change {
    int width = 0, height = 0;
    std::vector<char> at;
    size_t count = 0;
    bool operator()(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && at[y * width + x];
    }
};

Change changeBetween(const RgbaImage& a, const RgbaImage& b) {
    Change c;
    c.width = a.width;
    c.height = a.height;
    c.at.assign(static_cast<size_t>(a.width) * a.height, 0);
    for (size_t i = 0; i < c.at.size(); ++i) {
        for (int k = 0; k < 3; ++k)
            if (std::abs(a.pixels[i * 4 + k] - b.pixels[i * 4 + k]) > CHANGE_TOLERANCE) c.at[i] = 1;
        c.count += c.at[i];
    }
    return c;
}

size_t changedIn(const Change& c, const Box& box) {
    size_t n = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) n += c(x, y);
    return n;
}

// Mean colour of the image over the changed pixels (within the box, if one is given).
Rgb meanOverChange(const RgbaImage& image, const Change& c, const Box* box = nullptr) {
    Rgb sum;
    size_t n = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            if (!c(x, y) || (box && !box->contains(x, y))) continue;
            const uint8_t* p = &image.pixels[(static_cast<size_t>(y) * image.width + x) * 4];
            sum.r += p[0];
            sum.g += p[1];
            sum.b += p[2];
            ++n;
        }
    if (n == 0) return sum;
    return {sum.r / n, sum.g / n, sum.b / n};
}

Point centroid(const Change& c) {
    Point sum;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c(x, y)) {
                sum.x += x + 0.5;
                sum.y += y + 0.5;
            }
    if (c.count == 0) return sum;
    return {sum.x / c.count, sum.y / c.count};
}

Rgb meanColour(const RgbaImage& image) {
    Rgb sum;
    const size_t n = image.pixels.size() / 4;
    for (size_t i = 0; i < n; ++i) {
        sum.r += image.pixels[i * 4];
        sum.g += image.pixels[i * 4 + 1];
        sum.b += image.pixels[i * 4 + 2];
    }
    return {sum.r / n, sum.g / n, sum.b / n};
}

// How far a colour leans to a key colour: red, green and blue by their own
// channel, gold by red and green together against blue.
double lean(const Rgb& c, int colour) {
    switch (colour) {
        case KEY_RED: return c.r - (c.g + c.b) / 2;
        case KEY_GREEN: return c.g - (c.r + c.b) / 2;
        case KEY_BLUE: return c.b - (c.r + c.g) / 2;
        default: return (c.r + c.g) / 2 - c.b;
    }
}

int strongestLean(const Rgb& c) {
    int best = 0;
    for (int k = 1; k < KEY_COLOURS; ++k)
        if (lean(c, k) > lean(c, best)) best = k;
    return best;
}

// Where a point lands in the frame (pixels, top row first) through a camera
// as the last render left it; objects are drawn with projection * view * model.
Point project(const Camera& camera, const Vec3& p) {
    const Mat4& v = camera.view();
    const Mat4& proj = camera.projection();
    const double in[4] = {p.x, p.y, p.z, 1.0};
    double eye[4], clip[4];
    for (int r = 0; r < 4; ++r)
        eye[r] = v[r] * in[0] + v[4 + r] * in[1] + v[8 + r] * in[2] + v[12 + r] * in[3];
    for (int r = 0; r < 4; ++r)
        clip[r] = proj[r] * eye[0] + proj[4 + r] * eye[1] + proj[8 + r] * eye[2] + proj[12 + r] * eye[3];
    return {(clip[0] / clip[3] + 1.0) / 2.0 * WORLD_TEST_WIDTH,
            (1.0 - clip[1] / clip[3]) / 2.0 * WORLD_TEST_HEIGHT};
}

// The pixels an overlay quad covers: the quad mesh spans 0..1 in x and y, and
// an overlay is placed at (x, y, 1) in the overlay camera's space and scaled.
Box overlayBox(const Game& game, float x, float y, float width, float height) {
    const Point a = project(game.hudCamera, Vec3(x, y, 1));
    const Point b = project(game.hudCamera, Vec3(x + width, y + height, 1));
    return {static_cast<int>(std::lround(std::fmin(a.x, b.x))),
            static_cast<int>(std::lround(std::fmin(a.y, b.y))),
            static_cast<int>(std::lround(std::fmax(a.x, b.x))),
            static_cast<int>(std::lround(std::fmax(a.y, b.y)))};
}

Box grown(Box b, int by) { return {b.x0 - by, b.y0 - by, b.x1 + by, b.y1 + by}; }

constexpr double PI = 3.14159265358979;
constexpr double DEGREES = PI / 180.0;

// The tilt of a lever handle in degrees (the rules' angle about x: 45 at
// rest, -45 pulled over), read from its pixels. Turned 90 about z, the
// handle leans along the room's x, so its middle lies toward
// foot + (sin t, 0, cos t); the t whose projection points from the foot to
// the middle of the handle's pixels is the tilt drawn.
double measuredTilt(const Camera& camera, const Change& handle, const Vec3& foot) {
    const Point base = project(camera, foot);
    const Point middle = centroid(handle);
    const double seen = std::atan2(middle.y - base.y, middle.x - base.x);
    double best = 0, bestError = 1e9;
    for (double t = -90; t <= 90; t += 0.25) {
        const Point p = project(camera, Vec3(foot.x + static_cast<float>(std::sin(t * DEGREES)), foot.y,
                                             foot.z + static_cast<float>(std::cos(t * DEGREES))));
        const double error = std::fabs(std::remainder(std::atan2(p.y - base.y, p.x - base.x) - seen, 2 * PI));
        if (error < bestError) {
            bestError = error;
            best = t;
        }
    }
    return best;
}

// How far from a door's centre its leaves begin, either way along the
// doorway, in world units: walking out from the centre at one height, the
// first point whose pixel the leaves cover.
struct LeafGap {
    double minus = -1, plus = -1;
};
LeafGap measuredGap(const Camera& camera, const Change& leaves, const Door& door, float height) {
    const Vec3 along = door.orientation == 0 ? Vec3(0, 1, 0) : Vec3(1, 0, 0);
    LeafGap gap;
    for (int side : {-1, 1}) {
        for (double s = 0; s <= 15.0; s += 0.02) {
            const float d = static_cast<float>(side * s);
            const Point p = project(camera, Vec3(door.position.x + along.x * d, door.position.y + along.y * d,
                                                 height - DEPTH_OFFSET));
            if (leaves(static_cast<int>(p.x), static_cast<int>(p.y))) {
                (side < 0 ? gap.minus : gap.plus) = s;
                break;
            }
        }
    }
    return gap;
}

// The lock a door would carry: the pixels that differ between the door drawn
// locked (with the given lock colour) and unlocked, their colour in the locked
// frame and their middle.
struct LockPatch {
    size_t pixels = 0;
    Rgb colour;
    Point centre;
};

}  // namespace

struct RenderRules : LoadedGame {
    Room& room() { return *game->currentRoom; }

    // The frame drawn with one value changed for this frame only.
    template <class T>
    RgbaImage renderWith(T& field, const T& value) {
        const T kept = field;
        field = value;
        RgbaImage frame = renderFrame();
        field = kept;
        return frame;
    }
    // What an object adds to the frame: the change when it is scaled to nothing.
    Change drawnBy(SceneObject& object) {
        const RgbaImage with = renderFrame();
        return changeBetween(with, renderWith(object.scaleFactor, Vec3(0, 0, 0)));
    }
};

TEST_F(RenderRules, LockIsDrawnInItsColourOnlyWhileItsDoorIsLocked) {
    enter(4);  // an empty room with the blue lock on its north door
    Door& door = room().doors[1];
    ASSERT_TRUE(door.locked);
    ASSERT_EQ(door.lockColour, KEY_BLUE);
    auto lockPatch = [&](int colour) {
        const KeyColour keptColour = door.lockColour;
        door.lockColour = static_cast<KeyColour>(colour);
        const RgbaImage locked = renderWith(door.locked, true);
        const RgbaImage unlocked = renderWith(door.locked, false);
        door.lockColour = keptColour;
        const Change c = changeBetween(locked, unlocked);
        return LockPatch{c.count, meanOverChange(locked, c), centroid(c)};
    };
    // The lock hangs in the doorway 5 above the floor; its quad is 2 high.
    auto lockMiddle = [&] {
        return project(game->worldCamera,
                       Vec3(door.position.x, door.position.y, door.position.z + 6 - DEPTH_OFFSET));
    };
    constexpr size_t MIN_LOCK_PIXELS = 120;  // seen from 45 away at 640 x 360 it covers about 300
    constexpr double CENTRE_TOLERANCE = 4.0;

    // Each colour's lock is its own: drawn with each lock colour in turn (set
    // here: the world has one lock per colour, in different rooms), the
    // patch of colour c leans to c more than the other three patches do.
    game->swimmerPosition = Vec3(44, 80, -12);  // facing the door from 17 away
    LockPatch patch[KEY_COLOURS];
    for (int c = 0; c < KEY_COLOURS; ++c) patch[c] = lockPatch(c);
    for (int c = 0; c < KEY_COLOURS; ++c) {
        EXPECT_GT(patch[c].pixels, MIN_LOCK_PIXELS) << "colour " << c;
        for (int k = 0; k < KEY_COLOURS; ++k)
            if (k != c) {
                EXPECT_GT(lean(patch[c].colour, c), lean(patch[k].colour, c))
                    << "colour " << c << " vs " << k;
            }
    }

    // The key opens it. The blue key lies at the far end of the room: it is
    // given here, and the swimmer put in the unlock zone short of the passage.
    game->keysHeld[KEY_BLUE] = true;
    game->swimmerPosition = Vec3(46, 94.5f, -10);  // beside the lock, not in front of it
    const struct {
        const char* moment;
        int framesBefore;  // played since the moment before
        bool locked;
    } moments[] = {
        {"in reach with the key, before the next update", 0, true},
        {"the frame the key turns", 1, false},
        {"while the door slides open (camera on the door)", 90, false},
        {"once the door stands open", 110, false},
    };
    for (const auto& m : moments) {
        SCOPED_TRACE(m.moment);
        play(m.framesBefore);
        EXPECT_EQ(door.locked, m.locked);
        EXPECT_EQ(game->keysHeld[KEY_BLUE], m.locked);
        const LockPatch p = lockPatch(KEY_BLUE);
        // Locked or not is all that decides: whatever else the door does, the
        // locked frame shows a blue patch in the doorway that the unlocked lacks.
        EXPECT_GT(p.pixels, MIN_LOCK_PIXELS);
        EXPECT_EQ(strongestLean(p.colour), KEY_BLUE);
        const Point middle = lockMiddle();
        EXPECT_NEAR(p.centre.x, middle.x, CENTRE_TOLERANCE);
        EXPECT_NEAR(p.centre.y, middle.y, CENTRE_TOLERANCE);
    }
    EXPECT_TRUE(door.open);
}

TEST_F(RenderRules, LeverHandleTiltsWhilePulledAndDoorLeavesSlideWhileOpening) {
    // Room 0: the lever on the tower roof opens the east door.
    Lever& lever = room().levers[0];
    Door& door = room().doors[0];
    const Vec3 foot(lever.position.x, lever.position.y, lever.position.z - DEPTH_OFFSET);
    game->swimmerPosition = Vec3(45, 47.5f, -11);  // within reach, behind the handle as the camera sees it
    play(1, {vk::LEFT_CONTROL});
    ASSERT_TRUE(lever.pulling);

    constexpr double TILT_TOLERANCE = 6.0;  // degrees; the handle is about 25 pixels long
    auto expectTilt = [&](double expected) {
        const double tilt = measuredTilt(game->worldCamera, drawnBy(game->leverObject), foot);
        EXPECT_NEAR(tilt, expected, TILT_TOLERANCE) << "pull timer " << lever.pullTimer;
    };
    // Frames after the press: the pull takes leverPullDuration (62.5 frames).
    for (int frames : {0, 15, 16, 15, 15}) {
        play(frames);
        ASSERT_TRUE(lever.pulling);
        expectTilt(45.0 - lever.pullTimer / game->leverPullDuration * 90.0);
    }

    // The pull ends and the door starts sliding; the camera turns to it.
    while (!door.opening) play(1);
    EXPECT_TRUE(lever.pulled);
    constexpr double LEAF_HALF_WIDTH = 5.0;   // the door mesh spans -1..1, scaled by 5
    constexpr double LEAF_TOLERANCE = 0.35;   // world units; a pixel is about 0.1 at the door
    constexpr float LEAF_HEIGHT = 4.0f;       // above the floor, clear of the seaweed's tips
    for (int frames : {0, 47, 47, 47, 46}) {  // through the 3 s of the opening
        play(frames);
        ASSERT_TRUE(door.opening);
        // Each leaf's centre slides from 5 to 10 off the doorway's centre.
        const double offset = 5.0 + door.openTimer / game->doorOpenDuration * 5.0;
        const LeafGap gap = measuredGap(game->worldCamera, drawnBy(game->doorObject), door, LEAF_HEIGHT);
        EXPECT_NEAR(gap.minus + LEAF_HALF_WIDTH, offset, LEAF_TOLERANCE) << "open timer " << door.openTimer;
        EXPECT_NEAR(gap.plus + LEAF_HALF_WIDTH, offset, LEAF_TOLERANCE) << "open timer " << door.openTimer;
    }

    // Open: the camera is back on the swimmer, and the handle stays pulled over.
    while (door.opening) play(1);
    EXPECT_TRUE(door.open);
    expectTilt(-45.0);
}

TEST_F(RenderRules, LeverHintShowsOnlyWithinReachOfALeverNotYetPulled) {
    // Room 0's lever stands at (45, 45) on a roof 6 above the floor: it can
    // be pulled from |dx| < 3, |dy| < 3 and a depth between -14 and -10.
    Lever& lever = room().levers[0];
    const Box hint = overlayBox(*game, -4.5f, -2.0f, 1.0f, 1.0f);
    auto expectHint = [&](bool shown, const std::string& where) {
        const Change c = drawnBy(game->ctrlHintObject);
        if (shown) {
            EXPECT_GT(changedIn(c, hint), static_cast<size_t>(hint.area() / 2)) << where;
        } else {
            EXPECT_EQ(changedIn(c, hint), 0u) << where;
        }
        EXPECT_EQ(changedIn(c, grown(hint, 2)), c.count) << where << ": drawn outside its place";
    };
    const struct {
        Vec3 swimmer;
        bool shown;
    } places[] = {
        // The zone's edges are the zone table's (doors_levers_keys_test.cpp):
        // here, that the hint follows the zone at all.
        {{45, 45, -12}, true},
        {{48, 45, -12}, false},
        {{45, 45, -10}, false},
    };
    for (const auto& p : places) {
        game->swimmerPosition = p.swimmer;
        expectHint(p.shown, "swimmer at " + std::to_string(p.swimmer.x) + ", " + std::to_string(p.swimmer.y) +
                                ", " + std::to_string(p.swimmer.z));
    }

    // Pulled in play, the lever offers no more pull, though the swimmer stays in reach.
    game->swimmerPosition = Vec3(45, 47.5f, -11);
    play(1, {vk::LEFT_CONTROL});
    ASSERT_TRUE(lever.pulling);
    expectHint(false, "while the lever is being pulled");
    while (!lever.pulled) play(1);
    expectHint(false, "once the lever is pulled");
}

TEST_F(RenderRules, HeldKeyIconsShowExactlyTheKeysHeldEachOnItsOwnRow) {
    // Icon c is a 0.5 x 1 quad at x = -4.5, y = 2 - c.
    Box row[KEY_COLOURS];
    for (int c = 0; c < KEY_COLOURS; ++c) row[c] = overlayBox(*game, -4.5f, 2.0f - c, 0.5f, 1.0f);
    auto expectIcons = [&](const bool(&held)[KEY_COLOURS], const char* what) {
        SCOPED_TRACE(what);
        for (int c = 0; c < KEY_COLOURS; ++c) EXPECT_EQ(game->keysHeld[c], held[c]) << "colour " << c;
        const RgbaImage frame = renderFrame();
        bool kept[KEY_COLOURS];
        std::copy_n(game->keysHeld, KEY_COLOURS, kept);
        std::fill_n(game->keysHeld, KEY_COLOURS, false);
        const Change icons = changeBetween(frame, renderFrame());
        std::copy_n(kept, KEY_COLOURS, game->keysHeld);
        size_t inRows = 0;
        for (int c = 0; c < KEY_COLOURS; ++c) {
            const size_t n = changedIn(icons, row[c]);
            inRows += n;
            if (!held[c]) {
                EXPECT_EQ(n, 0u) << "colour " << c;
                continue;
            }
            // The key shape covers a good part of its quad, in its own colour.
            EXPECT_GT(n, static_cast<size_t>(row[c].area() / 8)) << "colour " << c;
            EXPECT_EQ(strongestLean(meanOverChange(frame, icons, &row[c])), c) << "colour " << c;
        }
        EXPECT_EQ(inRows, icons.count) << "icon pixels outside the icon rows";
    };

    enter(1);  // the red key lies on the plates in the north-west corner, 1 above the floor
    expectIcons({false, false, false, false}, "no key yet");
    game->swimmerPosition = Vec3(6, 94, -17.5f);
    play(1);
    expectIcons({true, false, false, false}, "the red key picked up");
    // The other keys lie rooms apart: held sets are given from here on.
    const bool sets[][KEY_COLOURS] = {
        {false, false, true, false}, {false, true, false, true}, {true, true, true, true}};
    for (const auto& set : sets) {
        std::copy_n(set, KEY_COLOURS, game->keysHeld);
        expectIcons(set, "keys given");
    }
}

TEST_F(RenderRules, FadeDarkensToBlackAsARoomIsLeftAndClearsAsTheNextIsEntered) {
    // Room 5: the swimmer faces -y, so Space takes it through the open south
    // door into room 4. The controls help would cover part of the fade: gone.
    enter(5);
    game->hintTimer = game->hintDuration;
    game->swimmerPosition = Vec3(50, 14, -10);
    for (int i = 0; i < 200 && !room().fadingOut; ++i) play(1, {vk::SPACE});
    ASSERT_TRUE(room().fadingOut);

    // The black quad covers the frame with an opacity of the ratio, so every
    // channel keeps 1 - ratio of its unfaded mean.
    constexpr double TOLERANCE = 0.02;
    auto expectFade = [&](double expected) {
        Room& r = room();
        const RgbaImage faded = renderFrame();
        const bool out = r.fadingOut, in = r.fadingIn;
        r.fadingOut = r.fadingIn = false;
        const RgbaImage clear = renderFrame();
        r.fadingOut = out;
        r.fadingIn = in;
        const Rgb f = meanColour(faded), c = meanColour(clear);
        EXPECT_NEAR(1.0 - f.r / c.r, expected, TOLERANCE) << "timer " << r.transitionTimer;
        EXPECT_NEAR(1.0 - f.g / c.g, expected, TOLERANCE) << "timer " << r.transitionTimer;
        EXPECT_NEAR(1.0 - f.b / c.b, expected, TOLERANCE) << "timer " << r.transitionTimer;
        return 1.0 - (f.r + f.g + f.b) / (c.r + c.g + c.b);
    };
    const Room* left = game->currentRoom;
    double last = -1.0;
    for (int frames : {0, 10, 12, 13, 8}) {  // through the 0.7 s of the fade-out, play frozen
        play(frames);
        ASSERT_TRUE(room().fadingOut);
        const double dark = expectFade(room().transitionTimer / game->transitionDuration);
        EXPECT_GT(dark, last);
        last = dark;
    }
    while (game->currentRoom == left) play(1);
    ASSERT_EQ(game->currentRoom, &game->rooms[4]);
    last = 2.0;
    for (int frames : {0, 8, 12, 13, 10}) {  // through the fade-in, Space released, the swimmer gliding on
        play(frames);
        ASSERT_TRUE(room().fadingIn);
        const double dark =
            expectFade((game->transitionDuration - room().transitionTimer) / game->transitionDuration);
        EXPECT_LT(dark, last);
        last = dark;
    }
}

TEST_F(RenderRules, ControlsHelpShowsForTenSecondsFadingOverTheLastTwoAndReturnsOnF1) {
    // How strongly the help is drawn: the change it makes to the frame, as a
    // share of the change it makes drawn at full strength (hintTimer 0).
    const Box help = overlayBox(*game, -1.5f, -3.0f, 4.0f, 1.0f);
    auto expectHelp = [&](double expected) {
        const RgbaImage frame = renderFrame();
        const RgbaImage without = renderWith(game->hintTimer, game->hintDuration);
        const RgbaImage full = renderWith(game->hintTimer, 0.0f);
        double along = 0, whole = 0;
        for (size_t i = 0; i < frame.pixels.size(); ++i) {
            if (i % 4 == 3) continue;
            const double d = frame.pixels[i] - without.pixels[i], f = full.pixels[i] - without.pixels[i];
            along += d * f;
            whole += f * f;
        }
        ASSERT_GT(whole, 0.0);
        EXPECT_NEAR(along / whole, expected, 0.02) << "help timer " << game->hintTimer;
        const Change c = changeBetween(full, without);
        EXPECT_GT(changedIn(c, help), static_cast<size_t>(help.area() / 2));
        EXPECT_EQ(changedIn(c, grown(help, 2)), c.count) << "help drawn outside its place";
    };
    auto helpRatio = [&] {
        if (game->hintTimer >= game->hintDuration) return 0.0;
        return game->hintDuration - 2.0 > game->hintTimer ? 1.0
                                                          : (game->hintDuration - game->hintTimer) / 2.0;
    };
    // From the start, frames of 0.016 s, the swimmer idle.
    for (int frames : {1, 300, 199, 31, 32, 31, 31}) {  // to 0.016, 4.8, 8.0, 8.5, 9.0, 9.5, 10.0 s
        play(frames);
        expectHelp(helpRatio());
    }
    play(2);
    ASSERT_GE(game->hintTimer, game->hintDuration);
    expectHelp(0.0);
    play(1, {vk::F1});
    EXPECT_LT(game->hintTimer, game->hintDuration);
    expectHelp(1.0);
}

TEST_F(RenderRules, OverlaysLeaveNoDepthStateBehindForTheNextFrame) {
    // The context is shared by every test in this program: start from the
    // depth state the game sets up, whatever an earlier test left.
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    // Every overlay up (the help from the start, a fade-in given here, all
    // keys given), seen from above the water, whose surface writes depth
    // too, and from within reach of the lever, with its hint. Nothing moves
    // between the two frames.
    room().fadingIn = true;
    room().transitionTimer = 0.5f;
    for (bool& held : game->keysHeld) held = true;
    for (const Vec3& swimmer : {Vec3(20, 20, -5), Vec3(45, 45, -12)}) {
        game->swimmerPosition = swimmer;
        const RgbaImage first = renderFrame();
        const RgbaImage second = renderFrame();
        EXPECT_EQ(matchingShare(first, second, 0), 1.0) << "swimmer at " << swimmer.x << ", " << swimmer.y;
    }
}
