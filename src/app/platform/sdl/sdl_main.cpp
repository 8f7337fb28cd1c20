// The Linux game: the shared frame loop on the SDL2 window.
#include <SDL.h>

#include <memory>

#include "app/frame_loop.h"
#include "app/platform/sdl/sdl_window.h"
#include "game/game.h"

int main(int, char**) {
    Window window;
    auto game = std::make_unique<Game>();
    const int code = runGame(window, game);
    SDL_Quit();
    return code;
}
