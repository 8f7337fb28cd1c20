#include "platform/win32/win32_window.h"

#include <cstdio>

#include "platform/backend.h"
#include "platform/platform.h"

static_assert(checkBackendWindow<Window>());

namespace {

constexpr const char* WINDOW_CLASS_NAME = "GLClass";
constexpr const char* WINDOW_TITLE = "TAVO 6 Mirelo";

// Colour and depth bits of the pixel format (no alpha, stencil or accumulation).
constexpr BYTE COLOUR_BITS = 32;
constexpr BYTE DEPTH_BITS = 16;

// WGL_ARB_create_context, named here so the backend needs no GL header.
using CreateContextAttribsProc = HGLRC(WINAPI*)(HDC, HGLRC, const int*);
constexpr int WGL_CONTEXT_MAJOR_VERSION_ARB = 0x2091;
constexpr int WGL_CONTEXT_MINOR_VERSION_ARB = 0x2092;

// Bits of a key message's lParam: Alt was held (WM_SYSKEYDOWN), and the key
// was already down (an auto-repeat).
constexpr LPARAM ALT_HELD_BIT = LPARAM(1) << 29;
constexpr LPARAM REPEAT_BIT = LPARAM(1) << 30;

}  // namespace

Window::Window(HINSTANCE instance) : hinstance(instance) {}

bool Window::create(int width, int height, int bitsPerPixel, bool wantFullscreen) {
    fullscreen = wantFullscreen;
    rect = RECT{0, 0, width, height};

    // Sizes come from sizeof: the 64-bit structures are larger than the
    // 32-bit ones, and RegisterClassExA rejects a wrong cbSize.
    windowClass = WNDCLASSEXA{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = hinstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WINDOW_CLASS_NAME;
    windowClass.hIconSm = LoadIconA(nullptr, IDI_WINLOGO);
    if (RegisterClassExA(&windowClass) == 0) return false;

    // Kept by design: the game always asks for a window; F11 switches later.
    if (fullscreen) {
        DEVMODEA mode{};
        mode.dmSize = sizeof(DEVMODEA);
        mode.dmPelsWidth = static_cast<DWORD>(width);
        mode.dmPelsHeight = static_cast<DWORD>(height);
        mode.dmBitsPerPel = static_cast<DWORD>(bitsPerPixel);
        mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
        if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) {
            MessageBoxA(nullptr, "Display mode failed", nullptr, MB_OK);
            fullscreen = false;
        }
    }

    DWORD exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    DWORD style = WS_OVERLAPPEDWINDOW;
    if (fullscreen) {
        exStyle = WS_EX_APPWINDOW;
        style = WS_POPUP;
        ShowCursor(FALSE);
    }
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);

    hwnd = CreateWindowExA(exStyle, WINDOW_CLASS_NAME, WINDOW_TITLE,
                           style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, hinstance, this);
    if (!hwnd) return false;
    // WM_CREATE made the context; a window without one has nothing to run.
    if (!running) return false;

    hdc = GetDC(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return true;
}

LRESULT CALLBACK Window::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A pointer needs the pointer-sized slot: GWL_USERDATA would cut it to 32 bits.
    Window* self = nullptr;
    if (message == WM_CREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        self = static_cast<Window*>(creation->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    // Messages that come before WM_CREATE (WM_NCCREATE and friends).
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    return self->handleMessage(window, message, wParam, lParam);
}

LRESULT Window::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: createContext(window); break;
        case WM_CLOSE:
        case WM_DESTROY:
            // The window stays until the process ends; the frame loop finishes
            // its pass and stops on the cleared running flag.
            releaseContext();
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            // The game's resize sets the viewport, so it needs the context:
            // size messages that come after the close are not passed on.
            if (running) events.resized(static_cast<int>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
            break;
        case WM_KEYDOWN:
            // Auto-repeat key-downs toggle too: holding Escape flickers the pause.
            if (wParam == VK_ESCAPE) events.pauseKeyDown();
            // A held F11 must not flip the screen back and forth.
            if (wParam == VK_F11 && (lParam & REPEAT_BIT) == 0) toggleFullscreen();
            break;
        case WM_SYSKEYDOWN:
            // Alt+F4 and the other system keys go on to DefWindowProcA.
            if (wParam == VK_RETURN && (lParam & ALT_HELD_BIT) != 0) {
                if ((lParam & REPEAT_BIT) == 0) toggleFullscreen();
                return 0;
            }
            break;
        case WM_SYSCHAR:
            // The system menu has no Alt+Enter: passed on, it would beep.
            if (wParam == VK_RETURN) return 0;
            break;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Window::createContext(HWND window) {
    hdc = GetDC(window);

    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = COLOUR_BITS;
    format.cDepthBits = DEPTH_BITS;
    format.iLayerType = PFD_MAIN_PLANE;
    // A format the driver cannot give shows up as a failed context below.
    SetPixelFormat(hdc, ChoosePixelFormat(hdc, &format), &format);

    // The 3.0 creation function can only be looked up with a context current.
    HGLRC legacy = wglCreateContext(hdc);
    if (!legacy) return;
    if (!wglMakeCurrent(hdc, legacy)) {
        wglDeleteContext(legacy);
        return;
    }
    const auto createContextAttribs =
        reinterpret_cast<CreateContextAttribsProc>(platform::glProcAddress("wglCreateContextAttribsARB"));
    // No flags and no profile mask: a 3.0 context keeps the compatibility behaviour.
    const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 0, 0};
    hglrc = createContextAttribs ? createContextAttribs(hdc, nullptr, attributes) : nullptr;
    if (hglrc) {
        wglDeleteContext(legacy);
    } else {
        // Also when the driver has the function but refuses 3.0: the legacy
        // context is still good, dropping it would leave none at all.
        std::fprintf(stderr, "OpenGL 3.0 is not supported, falling back to GL 2.1\n");
        hglrc = legacy;
    }
    if (!wglMakeCurrent(hdc, hglrc)) {
        wglDeleteContext(hglrc);
        hglrc = nullptr;
        return;
    }
    running = true;
}

void Window::releaseContext() {
    if (hglrc) {
        wglMakeCurrent(hdc, nullptr);
        wglDeleteContext(hglrc);
        hglrc = nullptr;
    }
    running = false;
}

void Window::pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // XInput has no button messages: Start is polled, once per pass.
    events.startButtonPolled(platform::gamepadState().isDown(pad::START));
}

// A borderless popup over the whole monitor the window is on, at the
// monitor's own resolution; on the way back the style and placement it had.
// The WM_SIZE that SetWindowPos and SetWindowPlacement send takes the new
// size to the game, which keeps the picture's aspect.
void Window::toggleFullscreen() {
    if (!borderless) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(MONITORINFO);
        windowedPlacement.length = sizeof(WINDOWPLACEMENT);
        if (!GetWindowPlacement(hwnd, &windowedPlacement) ||
            !GetMonitorInfoA(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor))
            return;
        windowedStyle = GetWindowLongPtrA(hwnd, GWL_STYLE);
        SetWindowLongPtrA(hwnd, GWL_STYLE, (windowedStyle & ~LONG_PTR(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
        const RECT& area = monitor.rcMonitor;
        SetWindowPos(hwnd, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOOWNERZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
        ShowCursor(FALSE);
    } else {
        SetWindowLongPtrA(hwnd, GWL_STYLE, windowedStyle);
        SetWindowPlacement(hwnd, &windowedPlacement);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
        ShowCursor(TRUE);
    }
    borderless = !borderless;
}

void Window::swapBuffers() { SwapBuffers(hdc); }

void Window::destroy() {
    if (borderless) ShowCursor(TRUE);
    if (!fullscreen) return;
    ChangeDisplaySettingsA(nullptr, 0);
    ShowCursor(TRUE);
}
