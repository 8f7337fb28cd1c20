#include "platform/sdl/sdl_window.h"

#include <cstdio>

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
        case SDL_KEYDOWN:
            if (event.key.keysym.scancode == SDL_SCANCODE_ESCAPE) events.pauseKeyDown();
            break;
        default: break;
    }
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
    if (!fullscreen) return;
    SDL_SetWindowFullscreen(window, 0);
    SDL_ShowCursor(SDL_ENABLE);
}
