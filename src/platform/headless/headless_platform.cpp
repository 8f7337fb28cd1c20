#include "platform/headless/headless_platform.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/platform.h"

namespace {

headless::CounterFunction scriptedCounter = nullptr;
long long scriptedFrequency = 1;
headless::SleepFunction scriptedSleep = nullptr;
headless::ErrorBoxFunction errorBox = nullptr;

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;

// Mesa's surfaceless platform needs neither an X server nor a GPU.
EGLDisplay openDisplay() {
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (getPlatformDisplay) {
        EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (d != EGL_NO_DISPLAY) return d;
    }
    return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

}  // namespace

namespace headless {

bool createContext(int width, int height, bool legacy) {
    display = openDisplay();
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        std::fprintf(stderr, "EGL: no display could be initialised\n");
        return false;
    }
    const EGLint configAttributes[] = {EGL_SURFACE_TYPE,
                                       EGL_PBUFFER_BIT,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_DEPTH_SIZE,
                                       16,
                                       EGL_RENDERABLE_TYPE,
                                       EGL_OPENGL_BIT,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(display, configAttributes, &config, 1, &configCount) || configCount < 1) {
        std::fprintf(stderr, "EGL: no RGBA pbuffer configuration with a depth buffer\n");
        return false;
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
    if (surface == EGL_NO_SURFACE) {
        std::fprintf(stderr, "EGL: the %dx%d pbuffer could not be created\n", width, height);
        return false;
    }
    eglBindAPI(EGL_OPENGL_API);
    const EGLint versionAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
    const EGLint legacyAttributes[] = {EGL_NONE};
    context =
        eglCreateContext(display, config, EGL_NO_CONTEXT, legacy ? legacyAttributes : versionAttributes);
    if (context == EGL_NO_CONTEXT && !legacy) {
        std::fprintf(stderr, "OpenGL 3.0 is not supported, falling back to GL 2.1\n");
        context = eglCreateContext(display, config, EGL_NO_CONTEXT, legacyAttributes);
    }
    if (context == EGL_NO_CONTEXT || !eglMakeCurrent(display, surface, surface, context)) {
        std::fprintf(stderr, "EGL: no OpenGL context could be made current\n");
        return false;
    }
    return true;
}

void destroyContext() {
    if (display == EGL_NO_DISPLAY) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
    if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
}

void setClock(CounterFunction counter, long long frequency, SleepFunction sleep) {
    scriptedCounter = counter;
    scriptedFrequency = frequency;
    scriptedSleep = sleep;
}

void setErrorBox(ErrorBoxFunction show) { errorBox = show; }

}  // namespace headless

namespace platform {

int64_t performanceCounter() {
    if (scriptedCounter) return scriptedCounter();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

int64_t performanceFrequency() { return scriptedCounter ? scriptedFrequency : 1000000000; }

void sleepMilliseconds(int milliseconds) {
    if (scriptedSleep) {
        scriptedSleep(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void showErrorBox(const char* text, const char* caption) {
    if (errorBox) {
        errorBox(text, caption);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption, text);
}

// No keyboard and no controller: a script's input enters above the seam
// (InputState::holdScripted).
bool isKeyDown(int) { return false; }

// No other window can take the focus from an offscreen surface.
bool windowHasFocus() { return true; }

GamepadState gamepadState() { return GamepadState(); }

void* glProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }

bool glContextCurrent() { return eglGetCurrentContext() != EGL_NO_CONTEXT; }

// mirelo-headless and the tests read data/ from where they run, by design.
std::vector<std::string> dataFolders() { return {}; }

}  // namespace platform
