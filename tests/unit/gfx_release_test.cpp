// The game is destroyed after its window has dropped the GL context, so the
// releases that run then must not reach GL. This binary never loads the entry
// points: a GL call through the table would crash the test.
#include <gtest/gtest.h>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gfx/shader_program.h"
#include "platform/platform.h"

TEST(ReleasesWithoutContext, BufferDeletionsMakeNoGlCall) {
    clearGlEntryPoints();
    ASSERT_FALSE(platform::glContextCurrent());
    Renderer lists;
    lists.buffers = {5, 6};
    lists.bufferGroups.push_back(BufferGroup{{7, 8, 9}, 3});
    lists.deleteBuffer(0);
    lists.deleteBuffer(1);
    lists.deleteBufferGroup(0);
    EXPECT_EQ(lists.bufferName(1), 6u);
    ASSERT_NE(lists.group(0), nullptr);
    EXPECT_EQ(lists.group(0)->ids.size(), 3u);
}

TEST(ReleasesWithoutContext, DestroyedProgramMakesNoGlCallAndIsNoLongerCurrent) {
    clearGlEntryPoints();
    ASSERT_FALSE(platform::glContextCurrent());
    {
        ShaderProgram program;
        program.objects = ShaderObjects{3, 1, 2};
        program.setVariables({{"mvMat", 0, 16}});
        currentProgram = &program;
    }
    EXPECT_EQ(currentProgram, nullptr);
}
