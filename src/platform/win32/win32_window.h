#pragma once

#include <windows.h>

#include "platform/window_base.h"

// The game's one top-level window with its device context and WGL context, a
// backend as platform/backend.h states it.
// The context is made during WM_CREATE (3.0 when the driver offers it, the
// legacy context otherwise) and dropped when the window is closed; the frame
// loop reads `running` and `active`; Escape key-downs and each press of a
// controller's Start toggle `active`. F11 and Alt+Enter switch between the
// window and a borderless full screen over its monitor (no mode change).
class Window : public WindowBase {
public:
    // The module's own instance: the entry point's argument, or GetModuleHandleA(nullptr).
    explicit Window(HINSTANCE instance = GetModuleHandleA(nullptr));

    bool create(int width, int height, int bitsPerPixel, bool fullscreen);
    // Dispatches everything queued, without blocking; WM_QUIT is not acted on.
    void pumpMessages();
    void swapBuffers();
    // Restores the display mode after full screen; the window, its DC and the
    // class go with the process.
    void destroy();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createContext(HWND window);
    void releaseContext();
    void toggleFullscreen();

    HWND hwnd = nullptr;
    bool fullscreen = false;
    HGLRC hglrc = nullptr;
    HDC hdc = nullptr;
    RECT rect{};
    HINSTANCE hinstance = nullptr;
    WNDCLASSEXA windowClass{};
    // Full screen on demand, and what to go back to.
    bool borderless = false;
    LONG_PTR windowedStyle = 0;
    WINDOWPLACEMENT windowedPlacement{};
};
