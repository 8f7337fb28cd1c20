// Test main for the GL tests: one offscreen Mesa context for the whole binary,
// with the entry points loaded and the initial render state set.
#include <gtest/gtest.h>

#include <cstdio>

#include "gfx/renderer.h"
#include "gl_test_support.h"
#include "platform/headless/headless_platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!headless::createContext(GL_TEST_WIDTH, GL_TEST_HEIGHT)) {
        std::fprintf(stderr, "no offscreen GL context: the GL tests cannot run\n");
        return 1;
    }
    if (!renderer.initState()) {
        std::fprintf(stderr, "GL entry points missing\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    headless::destroyContext();
    return result;
}
