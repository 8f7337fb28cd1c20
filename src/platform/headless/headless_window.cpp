#include "platform/headless/headless_window.h"

#include <GL/gl.h>

#include "platform/backend.h"
#include "platform/headless/headless_platform.h"

static_assert(checkBackendWindow<Window>());

Window::~Window() {
    if (created) headless::destroyContext();
}

bool Window::create(int width, int height, int /*bitsPerPixel*/, bool /*fullscreen*/) {
    created = headless::createContext(width, height);
    running = created;
    return created;
}

// Without this wait llvmpipe lets frames' commands queue up: they piled up
// for the whole run (1.6 GB after 1000 frames at 1280x720).
void Window::swapBuffers() {
    if (running) glFinish();
}
