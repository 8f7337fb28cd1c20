#pragma once

#include <SDL.h>

class Game;

// The game's window on SDL2: same operations and behaviour as the Win32 one.
// A GL 3.0 context without a profile mask when the driver offers one, the
// legacy context otherwise. Escape key-downs (repeats included) toggle active.
class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void setResizeTarget(Game* game) { resizeTarget = game; }
    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    bool isRunning() const { return running; }
    bool isActive() const { return active; }
    void pumpMessages();
    void swapBuffers();
    // Restores the display mode after full screen; the window itself goes with the process.
    void destroy();

private:
    void handle(const SDL_Event& event);
    void releaseContext();
    void forwardSize();

    bool active = true;
    SDL_Window* window = nullptr;
    Game* resizeTarget = nullptr;
    bool running = false;
    bool fullscreen = false;
    SDL_GLContext context = nullptr;
};
