// The Linux game: the shared frame loop on the SDL2 window.
#include <memory>

#include "app/frame_loop.h"
#include "game/game.h"
#include "platform/sdl/sdl_window.h"

int main(int, char**) {
    Window window;
    auto game = std::make_unique<Game>();
    return runGame(window, game);
}
