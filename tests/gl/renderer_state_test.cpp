#include <gtest/gtest.h>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gl_test_support.h"

TEST(RendererState, InitialStateIsWhiteBlendedDepthTestedAndCulled) {
    ASSERT_TRUE(renderer.initState());
    GLfloat clear[4] = {0, 0, 0, 0};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    for (float c : clear) EXPECT_EQ(c, 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint src = 0, dst = 0;
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint depthFunc = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    EXPECT_EQ(depthFunc, GL_LEQUAL);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    GLint cullFace = 0, frontFace = 0, activeTexture = 0, alignment = 0;
    glGetIntegerv(GL_CULL_FACE_MODE, &cullFace);
    glGetIntegerv(GL_FRONT_FACE, &frontFace);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(cullFace, GL_BACK);
    EXPECT_EQ(frontFace, GL_CCW);
    EXPECT_EQ(activeTexture, GL_TEXTURE0);
    EXPECT_EQ(alignment, 4);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(RendererState, ClearFillsWhiteAndResetsDepth) {
    renderer.setViewport(0, 0, GL_TEST_WIDTH, GL_TEST_HEIGHT);
    renderer.clear();
    const auto p = pixelAt(10, 10);
    EXPECT_EQ(p, (std::vector<uint8_t>{255, 255, 255, 255}));
    GLfloat depth = 0;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST(RendererState, DepthMaskFalseStopsDepthWritesUntilTrue) {
    glClearDepth(1.0);
    renderer.clear();
    renderer.setDepthMask(false);
    GLboolean mask = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_FALSE);
    // A depth clear honours the write mask: depth stays as it was.
    glClearDepth(0.25);
    glClear(GL_DEPTH_BUFFER_BIT);
    GLfloat depth = 0;
    glReadPixels(5, 5, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
    renderer.setDepthMask(true);
    glClear(GL_DEPTH_BUFFER_BIT);
    glReadPixels(5, 5, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_NEAR(depth, 0.25f, 1e-4f);  // a 16-bit depth buffer
    glClearDepth(1.0);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    EXPECT_EQ(mask, GL_TRUE);
}

TEST(RendererState, DepthTestTogglesAndViewportIsSet) {
    renderer.setDepthTest(false);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    renderer.setDepthTest(true);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint viewport[4] = {0, 0, 0, 0};
    renderer.setViewport(1, 2, 30, 40);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 1);
    EXPECT_EQ(viewport[3], 40);
    renderer.setViewport(0, 0, GL_TEST_WIDTH, GL_TEST_HEIGHT);
}

TEST(RendererState, EveryEntryPointTheGameCallsIsLoadedAndTextureNamesAreFresh) {
    EXPECT_TRUE(missingGlEntryPoints().empty());
    EXPECT_NE(mirelo_glGenBuffers, nullptr);
    EXPECT_NE(mirelo_glActiveTexture, nullptr);
    const uint32_t a = renderer.genTexture();
    const uint32_t b = renderer.genTexture();
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    GLuint names[2] = {a, b};
    glDeleteTextures(2, names);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
