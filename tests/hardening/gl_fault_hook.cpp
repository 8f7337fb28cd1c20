// Linked into a test build of mirelo-headless (its own main.cpp, unchanged):
// this glFinish shadows the GL library's. The runner calls glFinish once
// after each frame it renders; on the frame that MIRELO_GL_FAULT_FRAME names
// (0-based) this one first makes a call GL rejects, so that a test sees what
// --check-gl makes of a real GL error. The shipped runner has no such hook.
#include <GL/gl.h>
#include <dlfcn.h>

#include <cstdlib>

extern "C" GLAPI void GLAPIENTRY glFinish(void) {
    static long long framesRendered = 0;
    const char* faultFrame = std::getenv("MIRELO_GL_FAULT_FRAME");
    if (faultFrame && std::strtoll(faultFrame, nullptr, 10) == framesRendered)
        glEnable(0);  // no such capability: GL_INVALID_ENUM
    ++framesRendered;
    using Finish = void (*)();
    static const Finish glLibraryFinish = reinterpret_cast<Finish>(dlsym(RTLD_NEXT, "glFinish"));
    if (glLibraryFinish) glLibraryFinish();
}
