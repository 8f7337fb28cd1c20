// Test main for the whole-game GL tests: one offscreen Mesa context of the
// size the golden images were made at, run from the repository root so that
// the game finds data/.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "gfx/renderer.h"
#include "platform/headless/headless_platform.h"
#include "world_fixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::filesystem::current_path(MIRELO_SOURCE_DIR);
    if (!headless::createContext(WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT)) return 1;
    renderer.setViewport(0, 0, WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT);
    if (!renderer.initState()) return 1;
    const int result = RUN_ALL_TESTS();
    headless::destroyContext();
    return result;
}
