// The Windows game: the shared frame loop on the Win32 window.
#include <windows.h>

#include <memory>

#include "app/frame_loop.h"
#include "app/platform/win32/win32_window.h"
#include "game/game.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    Window window(instance);
    auto game = std::make_unique<Game>();
    return runGame(window, game);
}
