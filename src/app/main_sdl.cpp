// The Linux game: the shared frame loop on the SDL2 window.
#include <memory>

#include "app/data_folder.h"
#include "app/frame_loop.h"
#include "game/game.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_window.h"

int main(int, char**) {
    enterDataFolder(platform::dataFolders());
    Window window;
    auto game = std::make_unique<Game>();
    return runGame(window, game);
}
