#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/gl_api.h"
#include "gfx/renderer.h"
#include "gfx/shader_program.h"
#include "gfx/texture.h"
#include "gl_test_support.h"
#include "platform/platform.h"
#include "scene/camera.h"
#include "scene/mesh.h"
#include "scene/scene_object.h"
#include "test_files.h"

namespace {

// The game's scene programs read the three attributes and both matrices;
// this one shows the bound texture unchanged.
const char* const vertexSource = R"(#version 120
attribute vec3 inVertex;
attribute vec2 inTexCoord;
attribute vec3 inNormal;
uniform mat4 mvMat;
uniform mat4 projMat;
varying vec2 coord;
void main() {
    coord = inTexCoord + inNormal.xy * 0.0;
    gl_Position = projMat * mvMat * vec4(inVertex, 1.0);
}
)";
const char* const fragmentSource = R"(#version 120
uniform sampler2D tex;
varying vec2 coord;
void main() { gl_FragColor = texture2D(tex, coord); }
)";

// A unit quad in the XY plane, counter-clockwise seen from +Z.
std::string quadModel() {
    return R"("model": {"vertices": [{"x": 0, "y": 0, "z": 0}, {"x": 1, "y": 0, "z": 0}, {"x": 1, "y": 1, "z": 0}, {"x": 0, "y": 1, "z": 0}],
        "uvs": [{"u": 0, "v": 0}, {"u": 1, "v": 0}, {"u": 1, "v": 1}, {"u": 0, "v": 1}],
        "colors": [{"r": 0, "g": 0, "b": 1}, {"r": 0, "g": 0, "b": 1}, {"r": 0, "g": 0, "b": 1},
                   {"r": 0, "g": 0, "b": 1}],
        "indices": [{"a": 0, "b": 1, "c": 2}, {"a": 0, "b": 2, "c": 3}]})";
}

// One keyframe of the quad, shifted by dx along X.
std::string quadKeyframe(float startTime, float dx) {
    std::string v, uv, c;
    const float xs[] = {0, 1, 1, 0}, ys[] = {0, 0, 1, 1};
    for (int i = 0; i < 4; ++i) {
        const std::string sep = i ? "," : "";
        v += sep + "{\"x\":" + std::to_string(xs[i] + dx) + ",\"y\":" + std::to_string(ys[i]) + ",\"z\":0}";
        uv += sep + "{\"u\":" + std::to_string(xs[i]) + ",\"v\":" + std::to_string(ys[i]) + "}";
        c += sep + "{\"r\":0,\"g\":0,\"b\":1}";
    }
    return "{\"startTime\":" + std::to_string(startTime) + ",\"vertices\":[" + v + "],\"uvs\":[" + uv +
           "],\"colors\":[" + c + "]}";
}

// 2 x 2 texels, bottom row first: red, green; blue, yellow.
std::vector<uint8_t> quadrantBmp() {
    const uint8_t rows[2][8] = {{0, 0, 255, 0, 255, 0, 0, 0},
                                {255, 0, 0, 0, 255, 255, 0, 0}};  // B, G, R + padding
    std::vector<uint8_t> b = {'B', 'M'};
    auto u32 = [&b](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&b](uint16_t v) {
        b.push_back(static_cast<uint8_t>(v));
        b.push_back(static_cast<uint8_t>(v >> 8));
    };
    u32(54 + 16);
    u32(0);
    u32(54);
    u32(40);
    u32(2);
    u32(2);
    u16(1);
    u16(24);
    for (int i = 0; i < 6; ++i) u32(0);
    for (const auto& row : rows) b.insert(b.end(), row, row + 8);
    return b;
}

// Every GL name the mesh's buffers were given.
std::vector<GLuint> bufferNames(const Mesh& m) {
    std::vector<GLuint> names;
    if (const BufferGroup* g = renderer.group(m.vertexGroup())) names = g->ids;
    names.push_back(renderer.bufferName(m.indexBuffer()));
    for (int i = 0; i < 3; ++i)
        if (m.animationBuffer(i) >= 0) names.push_back(renderer.bufferName(m.animationBuffer(i)));
    return names;
}

const std::vector<uint8_t> red = {255, 0, 0, 255}, green = {0, 255, 0, 255}, blue = {0, 0, 255, 255},
                           yellow = {255, 255, 0, 255}, white = {255, 255, 255, 255};

// A program, a nearest-filtered quadrant texture and a camera where one eye
// unit is one pixel and the eye origin is the surface's centre.
struct SceneDraw : ::testing::Test {
    TempDir dir;
    ShaderProgram program;
    Texture texture;
    Camera camera;

    void SetUp() override {
        writeFile(dir.file("scene.vert"), vertexSource);
        writeFile(dir.file("scene.frag"), fragmentSource);
        program.load(dir.file("scene"));
        program.setVariables({{"mvMat", 0, 16}, {"projMat", 0, 16}});
        program.compileAndLink();
        program.use();
        writeFile(dir.file("quadrants.bmp"), quadrantBmp());
        texture.load(dir.file("quadrants.bmp"));
        texture.upload();
        texture.setFilter(false);
        camera.resetView();
        camera.lookAt(0, 0, 10, 0, 0, -10, 0, 10, 0);
        camera.resetProjection();
        camera.ortho(-GL_TEST_WIDTH / 2.0f, GL_TEST_WIDTH / 2.0f, -GL_TEST_HEIGHT / 2.0f,
                     GL_TEST_HEIGHT / 2.0f, 1, 100);
        program.setMatrix4("projMat", camera.projection());
        renderer.setViewport(0, 0, GL_TEST_WIDTH, GL_TEST_HEIGHT);
        renderer.clear();
    }
    void TearDown() override {
        texture.deleteTexture();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void load(Mesh& mesh, const std::string& json) {
        writeFile(dir.file("mesh.json"), json);
        ASSERT_TRUE(mesh.load(dir.file("mesh.json")));
        mesh.upload();
    }
};

}  // namespace

TEST_F(SceneDraw, TexturedQuadLandsPlacedScaledPivotedAndTurned) {
    Mesh quad;
    load(quad, "{" + quadModel() + "}");
    SceneObject object;
    object.init(4, -12, 0, &quad, &texture, &camera);
    object.setScale(16, 16, 1);
    object.setPivot(0.5f, 0.5f);
    object.draw();
    // Eye (4, -12) is pixel (36, 20); the quad covers pixels 28..44 by 12..28.
    EXPECT_EQ(pixelAt(30, 14), red);
    EXPECT_EQ(pixelAt(42, 14), green);
    EXPECT_EQ(pixelAt(30, 26), blue);
    EXPECT_EQ(pixelAt(42, 26), yellow);
    EXPECT_EQ(pixelAt(26, 20), white);
    EXPECT_EQ(pixelAt(46, 20), white);
    EXPECT_EQ(pixelAt(36, 30), white);

    // A quarter turn about the pivot moves the red corner to the lower right.
    renderer.clear();
    object.setAngleZ(90);
    object.draw();
    EXPECT_EQ(pixelAt(42, 14), red);
    EXPECT_EQ(pixelAt(42, 26), green);
    EXPECT_EQ(pixelAt(30, 14), blue);
}

TEST_F(SceneDraw, PlayingAnimationDrawsTheSampledKeyframes) {
    Mesh quad;
    const std::string keyframes = quadKeyframe(0, 0) + "," + quadKeyframe(1, 1);
    load(quad, "{" + quadModel() + R"(, "animations": [[[)" + keyframes + "]]]}");
    SceneObject object;
    object.init(-16, -8, 0, &quad, &texture, &camera);
    object.setScale(16, 16, 1);
    object.playAnimationAt(0, 5.0f);  // clamped to the last keyframe, one quad width to the right
    object.draw();
    // Eye x 0..16, pixels 32..48; the static quad would cover pixels 16..32.
    EXPECT_EQ(pixelAt(34, 26), red);
    EXPECT_EQ(pixelAt(18, 26), white);
    renderer.clear();
    object.setAnimationTime(0.5f);  // half-way
    object.draw();
    EXPECT_EQ(pixelAt(26, 26), red);
    EXPECT_EQ(pixelAt(22, 26), white);
    // The static draw still uses the untouched vertex group.
    renderer.clear();
    object.animationPlaying = false;
    object.draw();
    EXPECT_EQ(pixelAt(18, 26), red);
    EXPECT_EQ(pixelAt(34, 26), white);
}

TEST_F(SceneDraw, ReleaseDeletesExactlyTheBuffersUploadCreated) {
    Mesh still, animated;
    load(still, "{" + quadModel() + "}");
    load(animated, "{" + quadModel() + R"(, "animations": [[[)" + quadKeyframe(0, 0) + "]]]}");
    const std::vector<GLuint> stillNames = bufferNames(still), animatedNames = bufferNames(animated);
    ASSERT_EQ(stillNames.size(), 4u);
    ASSERT_EQ(animatedNames.size(), 7u);
    for (GLuint name : animatedNames) EXPECT_TRUE(isBuffer(name));
    still.release();
    for (GLuint name : stillNames) EXPECT_FALSE(isBuffer(name));
    for (GLuint name : animatedNames) EXPECT_TRUE(isBuffer(name));
    animated.release();
    for (GLuint name : animatedNames) EXPECT_FALSE(isBuffer(name));
    animated.release();  // a second release has nothing left to delete
    EXPECT_EQ(animated.vertexGroup(), -1);

    // The destructor releases too; a mesh never uploaded has nothing to release.
    std::vector<GLuint> names;
    {
        Mesh scoped, neverUploaded;
        load(scoped, "{" + quadModel() + "}");
        names = bufferNames(scoped);
    }
    for (GLuint name : names) EXPECT_FALSE(isBuffer(name));
}
