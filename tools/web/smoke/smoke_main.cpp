// SMOKE TEST of the web toolchain, to be replaced by the web backend
// (src/platform/web/) and the frame loop it drives. It proves that the whole
// route works end to end: mirelo_core built with emcc, libpng from Debian's
// source, data/ packed into the page's file system, our own page, and the
// real Game loaded and drawn once on a WebGL 2 context through Emscripten's
// html5 API. It runs exactly one frame, as `mirelo-headless --seed N` does
// (update by 0.016 s, then render), and then sets window.mireloSmokeDone,
// with the number of GL errors the frame raised in window.mireloSmokeGlErrors.
//
// Arguments (the page passes them from its URL): [--seed N].
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "game/game.h"
#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "platform/platform.h"

namespace {

constexpr int CANVAS_WIDTH = 1280;
constexpr int CANVAS_HEIGHT = 720;
constexpr float FRAME_SECONDS = 0.016f;
constexpr const char* ERROR_CAPTION = "An error occurred";

EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;

// The shader loader does not choose the GLSL ES variants yet, so this test
// puts them where it reads from. The real build's loader picks
// data/shaders/es/ itself and data/ stays as packed.
bool useEsShaders() {
    const char* const names[] = {"basic-fixed", "basic-fixed-underwater", "water", "gameover-fixed",
                                 "seaweed",     "room-transition"};
    for (const char* name : names) {
        for (const char* stage : {".vert", ".frag"}) {
            const std::string from = std::string("data/shaders/es/") + name + stage;
            const std::string to = std::string("data/shaders/") + name + stage;
            std::ifstream in(from, std::ios::binary);
            std::ofstream out(to, std::ios::binary | std::ios::trunc);
            if (!in || !(out << in.rdbuf())) {
                std::fprintf(stderr, "smoke: cannot copy %s\n", from.c_str());
                return false;
            }
        }
    }
    return true;
}

int fail(const char* text) {
    platform::showErrorBox(text, ERROR_CAPTION);
    return 1;
}

}  // namespace

namespace platform {

int64_t performanceCounter() { return static_cast<int64_t>(emscripten_get_now() * 1000.0); }
int64_t performanceFrequency() { return 1000000; }
void sleepMilliseconds(int) {}

void showErrorBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    EM_ASM(
        {
            if (Module.showError) Module.showError(UTF8ToString($0), UTF8ToString($1));
        },
        text, caption);
}

bool isKeyDown(int) { return false; }
void* glProcAddress(const char* name) { return emscripten_webgl_get_proc_address(name); }
bool glContextCurrent() { return emscripten_webgl_get_current_context() != 0; }

}  // namespace platform

int main(int argc, char** argv) {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The desktop window has no alpha channel and no multisampling; the
    // canvas must not blend the game's alpha with the page behind it.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    // The test reads the canvas after the frame has been shown.
    attributes.preserveDrawingBuffer = EM_TRUE;
    context = emscripten_webgl_create_context("#canvas", &attributes);
    if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS)
        return fail("Unable to create the OpenGL Window");

    auto game = std::make_unique<Game>();
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::string(argv[i]) == "--seed")
            game->setSeaweedSeed(static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10)));
    renderer.setViewport(0, 0, CANVAS_WIDTH, CANVAS_HEIGHT);
    if (!renderer.initState()) return fail("This OpenGL driver lacks functions the game needs");
    if (!useEsShaders() || !game->load()) return fail("Could not initialize the application");
    game->resize(CANVAS_WIDTH, CANVAS_HEIGHT);
    game->update(FRAME_SECONDS);
    renderer.beginFrame();
    game->render();
    renderer.endFrame();
    int glErrors = 0;
    for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError(), ++glErrors)
        std::fprintf(stderr, "GL error 0x%04x\n", e);
    // The game stays alive with its context: the runtime is kept after main.
    game.release();
    EM_ASM(
        {
            window.mireloSmokeGlErrors = $0;
            window.mireloSmokeDone = true;
        },
        glErrors);
    return 0;
}
