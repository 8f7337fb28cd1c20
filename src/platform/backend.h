#pragma once

#include <type_traits>
#include <utility>

#include "platform/window_events.h"

// What a platform backend provides, written once; every other comment points
// here. A backend is a folder under platform/ (win32, sdl, headless, web),
// declared in CMakeLists.txt with mirelo_backend, with:
//
// - the services declared in platform/platform.h, each defined once (a
//   missing one fails the link):
//     performanceCounter / performanceFrequency  a 64-bit counter and its ticks per second
//     sleepMilliseconds                          gives up the processor for about that long
//     showErrorBox                               a modal error message (standard error without a display)
//     isKeyDown                                  whether a key (a Win32 virtual-key code) is held now,
//                                                in the game's window (not while another has the focus)
//     windowHasFocus                             whether the game's window has the keyboard focus
//     gamepadState                               the connected controllers merged into one GamepadState
//                                                (a backend never knows of scripted input: a script's
//                                                keys and controller enter above the seam, InputState)
//     glProcAddress                              a GL entry point by name, from the current context
//     glContextCurrent                           whether this thread has a current GL context
//     dataFolders                                where data/ may be beside the working directory
//
// - the sound device of platform/audio_output.h, fed from the game's thread
//   (no callback): openAudioOutput (false, with the reason, when there is no
//   device: the game then plays silently), audioFramesWanted, queueAudio,
//   closeAudioOutput; 48 kHz stereo 16-bit, whatever the device plays.
//
// - a class named Window deriving from WindowBase (platform/window_base.h),
//   with these public operations, which the frame loop (app/frame_loop.h) is
//   written against:
//     Window()                  no window yet, no system call
//     create(w, h, bpp, full)   opens the window with its GL context current; false on failure
//     setResizeTarget(target)   where size changes go (WindowEvents::ResizeTarget; empty drops them)
//     isRunning()               true from create until the window is closed
//     pumpMessages()            handles everything queued without blocking; a close clears running,
//                               releases the context, the pause key flips isActive (its
//                               repeats too), a controller's Start flips it once per press,
//                               and, where there is a screen, F11 or Alt+Enter switch
//                               between the window and full screen
//     isActive()                false while paused
//     followScript(esc, start)  a script's pause keys for this pass (WindowBase's; then only they pause)
//     swapBuffers()             shows the frame (every pass, paused or not)
//     destroy()                 restores the display after full screen; the window goes with the process
//
// - an entry point src/app/main_NAME.cpp that drives that Window with the
//   frame loop (runGame, or FrameLoop passes from the host's callback), or a
//   scripted run (app/scripted_run.h).
//
// checkBackendWindow<Window>() is instantiated in every backend's window
// source, so a backend that misses an operation or gets a signature wrong
// does not build.
template <class Window>
constexpr bool checkBackendWindow() {
    using W = Window;
    static_assert(std::is_default_constructible_v<W>, "Window() must exist and touch no system call");
    static_assert(!std::is_copy_constructible_v<W>, "a Window owns one system window and cannot be copied");
    static_assert(std::is_same_v<decltype(std::declval<W&>().create(0, 0, 0, false)), bool>,
                  "bool Window::create(int width, int height, int bitsPerPixel, bool fullscreen)");
    static_assert(
        std::is_same_v<decltype(std::declval<W&>().setResizeTarget(WindowEvents::ResizeTarget())), void>,
        "void Window::setResizeTarget(WindowEvents::ResizeTarget)");
    static_assert(std::is_same_v<decltype(std::declval<const W&>().isRunning()), bool>,
                  "bool Window::isRunning() const");
    static_assert(std::is_same_v<decltype(std::declval<W&>().pumpMessages()), void>,
                  "void Window::pumpMessages()");
    static_assert(std::is_same_v<decltype(std::declval<const W&>().isActive()), bool>,
                  "bool Window::isActive() const");
    static_assert(std::is_same_v<decltype(std::declval<W&>().followScript(false, false)), void>,
                  "void Window::followScript(bool escapeDown, bool startDown)");
    static_assert(std::is_same_v<decltype(std::declval<W&>().swapBuffers()), void>,
                  "void Window::swapBuffers()");
    static_assert(std::is_same_v<decltype(std::declval<W&>().destroy()), void>, "void Window::destroy()");
    return true;
}
