#pragma once

#include <SDL.h>

#include "platform/window_base.h"

// The game's window on SDL2, a backend as platform/backend.h states it. A GL
// 3.0 context without a profile mask when the driver offers one, the
// legacy context otherwise. Escape key-downs (repeats included) and each
// press of a controller's Start toggle active. Game controllers are opened
// as SDL reports them connected and closed when removed. F11 and Alt+Enter
// switch between the window and a borderless full screen at the display's
// own resolution (no mode change), the cursor hidden there.
class Window : public WindowBase {
public:
    Window() = default;
    // SDL goes last, after the frame loop has destroyed the game.
    ~Window() { SDL_Quit(); }

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    void pumpMessages();
    void swapBuffers();
    // Restores the display mode after full screen; the window itself goes with the process.
    void destroy();

private:
    void handle(const SDL_Event& event);
    void handleKeyDown(const SDL_KeyboardEvent& key);
    void toggleFullscreen();
    void releaseContext();
    void forwardSize();

    SDL_Window* window = nullptr;
    bool fullscreen = false;
    SDL_GLContext context = nullptr;
};
