// Frames of one scene in one process, for callgrind, whose instruction counts
// do not depend on how busy the machine is (the wall clock here does);
// bench/frame_cost.sh runs it so and prints the count per frame.
// Options: --root DIR (holding data/; default the source tree), --scene
// start | garden-wall | course | R,X,Y,Z,HEADING (the swimmer idle at that
// place and heading in room R, the help gone), --size WxH (1280x720),
// --frames N (4; the course plays to its end instead), --every K (the
// course: every K-th frame drawn and measured, the others only updated; 250),
// --repeat-known-calls (the shader programs ask the driver everything again
// on every use) and --screenshot FILE.png (the last frame, to see what was
// measured). Three frames are drawn first, so that llvmpipe has compiled
// every shader variant. Callgrind is told to dump its counts after them and
// after each measured frame: a dump covers every thread (a reset would only
// clear the calling one, not llvmpipe's rasteriser threads).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define CALLGRIND_DUMP_STATS_AT(label)
#endif

#include "app/screenshot.h"
#include "bench_game.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "input/input_state.h"
#include "platform/headless/headless_platform.h"

namespace {

constexpr int WARM_UP_FRAMES = 3;

struct Options {
    std::string root = MIRELO_SOURCE_DIR;
    std::string scene = "garden-wall";
    int width = 1280, height = 720;
    int frames = 4;
    int every = 250;
    bool skipsKnownCalls = true;
    std::string screenshot;
    int room = -1;  // for a scene given as a place
    float x = 0, y = 0, z = 0, heading = 0;
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (arg == "--repeat-known-calls") {
            o.skipsKnownCalls = false;
            continue;
        }
        if (!value) return false;
        ++i;
        if (arg == "--root") {
            o.root = value;
        } else if (arg == "--scene") {
            o.scene = value;
        } else if (arg == "--size") {
            if (std::sscanf(value, "%dx%d", &o.width, &o.height) != 2 || o.width < 1 || o.height < 1)
                return false;
        } else if (arg == "--screenshot") {
            o.screenshot = value;
        } else if (arg == "--frames" || arg == "--every") {
            int& count = arg == "--frames" ? o.frames : o.every;
            count = std::atoi(value);
            if (count < 1) return false;
        } else {
            return false;
        }
    }
    if (o.scene == "start" || o.scene == "garden-wall" || o.scene == "course") return true;
    return std::sscanf(o.scene.c_str(), "%d,%f,%f,%f,%f", &o.room, &o.x, &o.y, &o.z, &o.heading) == 5 &&
           o.room >= 0 && o.room < ROOM_COUNT;
}

void playFrame(Game& game) {
    game.update(BENCH_DT);
    game.render();
    glFinish();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: mirelo_frame_cost [--root DIR] [--scene "
                     "start|garden-wall|course|R,X,Y,Z,HEADING] [--size WxH] "
                     "[--frames N] [--every K] [--repeat-known-calls] [--screenshot FILE.png]\n");
        return 2;
    }
    if (!headless::createContext(options.width, options.height)) return 1;
    renderer.setViewport(0, 0, options.width, options.height);
    if (!renderer.initState()) return 1;
    std::unique_ptr<Game> game = loadBenchGame({"measured", options.root, options.skipsKnownCalls});
    if (!game) return 1;
    game->resize(options.width, options.height);
    if (options.scene == "garden-wall") swimIntoGardenWall(*game);
    if (options.room >= 0) {
        game->currentRoom = &game->rooms[options.room];
        game->currentRoom->fadingIn = false;
        game->applyRoomTextures();
        game->hintTimer = game->hintDuration;
        game->swimmerPosition = Vec3(options.x, options.y, options.z);
        game->swimmerObject.setAngleZ(options.heading);
    }

    if (options.scene == "course") {
        InputScript script;
        long long frames = 0;
        if (!loadCourse(MIRELO_SOURCE_DIR, script, frames)) return 1;
        for (int i = 0; i < WARM_UP_FRAMES; ++i) {
            game->render();
            glFinish();
        }
        // The updates between the drawn frames go into the dump before each.
        CALLGRIND_DUMP_STATS_AT("warm-up");
        playCourse(*game, script, frames, options.every, [&](long long) {
            CALLGRIND_DUMP_STATS_AT("course updates");
            game->render();
            glFinish();
            CALLGRIND_DUMP_STATS_AT("one measured frame");
        });
    } else {
        for (int i = 0; i < WARM_UP_FRAMES; ++i) playFrame(*game);
        CALLGRIND_DUMP_STATS_AT("warm-up");
        for (int i = 0; i < options.frames; ++i) {
            playFrame(*game);
            CALLGRIND_DUMP_STATS_AT("one measured frame");
        }
    }
    const bool written =
        options.screenshot.empty() || writeScreenshot(options.screenshot, options.width, options.height);

    input.endScript();
    game.reset();
    headless::destroyContext();
    return written ? 0 : 1;
}
