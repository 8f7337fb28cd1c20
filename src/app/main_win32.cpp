// The Windows game: the shared frame loop on the Win32 window.
#include <memory>

#include "app/data_folder.h"
#include "app/frame_loop.h"
#include "game/game.h"
#include "platform/platform.h"
#include "platform/win32/win32_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    enterDataFolder(platform::dataFolders());
    Window window(instance);
    auto game = std::make_unique<Game>();
    return runGame(window, game);
}
