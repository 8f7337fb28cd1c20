#include "platform/web/web_window.h"

#include <cstdio>
#include <cstring>

#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/web/web_platform.h"

static_assert(checkBackendWindow<Window>());

namespace {

// The page's canvas (tools/web/page/index.html).
constexpr const char* CANVAS = "#canvas";

// KeyboardEvent.code of each key the game reads: the key's place on the
// keyboard, whatever the layout prints on it. Only the left Control counts
// as the lever key, as on the desktop.
struct KeyName {
    const char* code;
    int virtualKey;
};
constexpr KeyName GAME_KEYS[] = {
    {"Space", vk::SPACE},
    {"ArrowLeft", vk::LEFT},
    {"ArrowUp", vk::UP},
    {"ArrowRight", vk::RIGHT},
    {"ArrowDown", vk::DOWN},
    {"F1", vk::F1},
    {"F2", vk::F2},
    {"F3", vk::F3},
    {"F4", vk::F4},
    {"ControlLeft", vk::LEFT_CONTROL},
    {"ControlRight", vk::RIGHT_CONTROL},
    {"Escape", vk::ESCAPE},
    {"KeyM", vk::M},
};

int virtualKeyOf(const char* code) {
    for (const KeyName& key : GAME_KEYS)
        if (std::strcmp(code, key.code) == 0) return key.virtualKey;
    return -1;
}

EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void* window) {
    return static_cast<Window*>(window)->keyEvent(eventType, *event) ? EM_TRUE : EM_FALSE;
}

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void* window) {
    static_cast<Window*>(window)->focusLost();
    return EM_FALSE;
}

}  // namespace

bool Window::create(int width, int height, int /*bitsPerPixel*/, bool /*fullscreen*/) {
    // The drawing buffer has the game's size; the page scales the canvas
    // to fit its window.
    emscripten_set_canvas_element_size(CANVAS, width, height);
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // The desktop's pixel format: colour without alpha (the canvas must not
    // blend the game's alpha with the page behind it), a depth buffer, no
    // stencil, no multisampling.
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_TRUE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    // The last frame stays readable after it has been shown: a paused game
    // draws nothing new, and the page's tests read the canvas back.
    attributes.preserveDrawingBuffer = EM_TRUE;
    context = emscripten_webgl_create_context(CANVAS, &attributes);
    if (context <= 0) {
        std::fprintf(stderr, "WebGL 2: no context on the canvas (%d)\n", context);
        return false;
    }
    if (emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
        std::fprintf(stderr, "WebGL 2: the context cannot be made current\n");
        return false;
    }
    emscripten_set_keydown_callback(CANVAS, this, EM_TRUE, onKey);
    emscripten_set_keyup_callback(CANVAS, this, EM_TRUE, onKey);
    emscripten_set_blur_callback(CANVAS, this, EM_TRUE, onBlur);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onBlur);
    running = true;
    // The first size reaches the game during create (platform/backend.h).
    forwardSizeIfChanged();
    return true;
}

void Window::pumpMessages() {
    // Key and focus events come between animation frames, through the
    // callbacks; controllers are polled, and Start pauses once per press.
    forwardSizeIfChanged();
    events.startButtonPolled(platform::gamepadState().isDown(pad::START));
}

void Window::forwardSizeIfChanged() {
    int width = 0, height = 0;
    if (emscripten_get_canvas_element_size(CANVAS, &width, &height) != EMSCRIPTEN_RESULT_SUCCESS) return;
    if (width == canvasWidth && height == canvasHeight) return;
    canvasWidth = width;
    canvasHeight = height;
    events.resized(width, height);
}

bool Window::keyEvent(int eventType, const EmscriptenKeyboardEvent& event) {
    const int key = virtualKeyOf(event.code);
    if (key < 0) return false;  // the page's and the browser's, not the game's
    const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    if (down && key == vk::ESCAPE) events.pauseKeyDown();
    web::setKeyDown(key, down);
    return true;
}

void Window::focusLost() {
    // A key let go elsewhere never sends its key-up here.
    web::releaseAllKeys();
}

// No display mode to restore; the canvas and its context go with the page.
void Window::destroy() {}
