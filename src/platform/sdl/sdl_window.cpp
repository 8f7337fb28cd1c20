#include "platform/sdl/sdl_window.h"

#include <cstdio>
#include <cstring>

#include "platform/backend.h"

static_assert(checkBackendWindow<Window>());

namespace {
constexpr const char* WINDOW_TITLE = "TAVO 6 Mirelo";
}

bool Window::create(int width, int height, int bitsPerPixel, bool wantFullscreen) {
    fullscreen = wantFullscreen;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return false;
    }
    // Without a display SDL falls back to drivers that draw nowhere; the game
    // would then run unseen and never end. Only a player who asks for one
    // (SDL_VIDEODRIVER) gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        !(asked && std::strcmp(asked, driver) == 0)) {
        std::fprintf(stderr, "SDL: no display to open a window on (only the %s video driver started)\n",
                     driver);
        return false;
    }
    // The keyboard plays the whole game: without controller support it goes on.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        std::fprintf(stderr, "SDL: no game controllers: %s\n", SDL_GetError());
    // 32 bits per pixel: 8 bits each of red, green and blue, no alpha; a
    // 16-bit depth buffer and double buffering.
    const int channelBits = bitsPerPixel >= 24 ? 8 : 5;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN;
    if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN;
    window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                              flags);
    // Kept by design: the game always asks for a window; F11 switches later.
    if (!window && fullscreen) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "", "Display mode failed", nullptr);
        fullscreen = false;
        flags &= ~static_cast<Uint32>(SDL_WINDOW_FULLSCREEN);
        window = SDL_CreateWindow(WINDOW_TITLE, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                                  height, flags);
    }
    if (!window) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return false;
    }
    if (fullscreen) {
        SDL_DisplayMode mode{};
        mode.w = width;
        mode.h = height;
        if (SDL_SetWindowDisplayMode(window, &mode) != 0) {
            SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "", "Display mode failed", nullptr);
            fullscreen = false;
            SDL_SetWindowFullscreen(window, 0);
        } else {
            SDL_ShowCursor(SDL_DISABLE);
        }
    }

    context = SDL_GL_CreateContext(window);
    if (!context) {
        std::fprintf(stderr, "OpenGL 3.0 is not supported, falling back to GL 2.1\n");
        SDL_GL_ResetAttributes();
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, channelBits);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, channelBits);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, channelBits);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        context = SDL_GL_CreateContext(window);
    }
    if (context) {
        SDL_GL_MakeCurrent(window, context);
        running = true;
    } else {
        // As on Win32, a failed context only shows up as failing GL later;
        // without one there is nothing to run.
        std::fprintf(stderr, "SDL: no OpenGL context: %s\n", SDL_GetError());
        return false;
    }
    // The Win32 window sends its first size message while being created.
    forwardSize();
    return true;
}

void Window::forwardSize() {
    // The game's resize sets the viewport, so it needs the context.
    if (!context) return;
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(window, &w, &h);
    events.resized(w, h);
}

void Window::pumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle(event);
}

void Window::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT: releaseContext(); break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE)
                releaseContext();
            else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                forwardSize();
            break;
        case SDL_KEYDOWN: handleKeyDown(event.key); break;
        // Also sent for each controller already connected at start.
        case SDL_CONTROLLERDEVICEADDED:
            if (!SDL_GameControllerOpen(event.cdevice.which))
                std::fprintf(stderr, "SDL: a game controller could not be opened: %s\n", SDL_GetError());
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (SDL_GameController* gone = SDL_GameControllerFromInstanceID(event.cdevice.which))
                SDL_GameControllerClose(gone);
            break;
        // A button has no auto-repeat: one event per press.
        case SDL_CONTROLLERBUTTONDOWN:
            if (event.cbutton.button == SDL_CONTROLLER_BUTTON_START) events.pauseKeyDown();
            break;
        default: break;
    }
}

void Window::handleKeyDown(const SDL_KeyboardEvent& key) {
    const SDL_Scancode code = key.keysym.scancode;
    if (code == SDL_SCANCODE_ESCAPE) {
        events.pauseKeyDown();
        return;
    }
    // A held key must not flip the screen back and forth.
    if (key.repeat) return;
    const bool altEnter =
        (code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER) && (key.keysym.mod & KMOD_ALT) != 0;
    if (code == SDL_SCANCODE_F11 || altEnter) toggleFullscreen();
}

// The picture keeps its aspect: the size change that follows reaches the
// game through forwardSize.
void Window::toggleFullscreen() {
    const bool goFullscreen = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) == 0;
    if (SDL_SetWindowFullscreen(window, goFullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        std::fprintf(stderr, "SDL: full screen could not be switched: %s\n", SDL_GetError());
        return;
    }
    SDL_ShowCursor(goFullscreen ? SDL_DISABLE : SDL_ENABLE);
}

void Window::releaseContext() {
    if (context) {
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    running = false;
}

void Window::swapBuffers() {
    if (context) SDL_GL_SwapWindow(window);
}

void Window::destroy() {
    // Full screen asked for at creation or switched on since.
    if (!window || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) == 0) return;
    SDL_SetWindowFullscreen(window, 0);
    SDL_ShowCursor(SDL_ENABLE);
}
