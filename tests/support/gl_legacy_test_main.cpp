// Test main for the legacy-context GL tests: the same offscreen Mesa set-up as
// gl_test_main.cpp, but with the plain (2.1-style) context the game falls back
// to when OpenGL 3.0 is not offered.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gl_test_support.h"
#include "platform/headless/headless_platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Mesa gives a plain context its newest compatibility version; hold it to
    // what an old driver offers, GL 2.1 with GLSL 1.20 (unless the caller
    // chose otherwise).
    setenv("MESA_GL_VERSION_OVERRIDE", "2.1", 0);
    setenv("MESA_GLSL_VERSION_OVERRIDE", "120", 0);
    if (!headless::createContext(GL_TEST_WIDTH, GL_TEST_HEIGHT, /*legacy=*/true)) {
        std::fprintf(stderr, "no legacy offscreen GL context: the legacy GL tests cannot run\n");
        return 1;
    }
    if (!renderer.initState()) {
        std::fprintf(stderr, "GL entry points missing in the legacy context\n");
        return 1;
    }
    std::printf("legacy context: OpenGL %s, GLSL %s\n",
                reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION)));
    const int result = RUN_ALL_TESTS();
    headless::destroyContext();
    return result;
}
