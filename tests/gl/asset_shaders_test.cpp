// The six shader programs of data/shaders, built with plain GL calls on the
// test binary's context (the 3.0 one in mirelo_gl_tests, the legacy one in
// mirelo_gl_legacy_tests), and what they draw.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/asset_manifest.h"
#include "game/game.h"
#include "gfx/gl_api.h"
#include "gl_test_support.h"
#include "platform/platform.h"
#include "test_files.h"

namespace {

// The game never deletes a program, so the entry-point table has no slot for it.
void deleteProgram(GLuint program) {
    static const auto remove =
        reinterpret_cast<PFNGLDELETEPROGRAMPROC>(platform::glProcAddress("glDeleteProgram"));
    if (remove) remove(program);
}

// The game's programs, from its asset manifest.
std::vector<const char*> manifestPrograms() {
    const auto game = std::make_unique<Game>();  // only to name the members the manifest fills
    std::vector<const char*> names;
    for (const ShaderAsset& shader : assetManifest(*game).shaders) names.push_back(shader.name);
    return names;
}
const std::vector<const char*> programNames = manifestPrograms();

std::string shaderSource(const std::string& file) {
    const std::vector<uint8_t> bytes = readFile(std::string(MIRELO_SOURCE_DIR) + "/data/shaders/" + file);
    return std::string(bytes.begin(), bytes.end());
}

// One program built from base + ".vert" and ".frag"; `log` holds what the
// compiler and linker said when something failed.
struct Program {
    GLuint id = 0;
    std::string log;

    explicit Program(const std::string& base) {
        const GLuint vertex = compile(GL_VERTEX_SHADER, base + ".vert");
        const GLuint fragment = compile(GL_FRAGMENT_SHADER, base + ".frag");
        if (!vertex || !fragment) {
            if (vertex) glDeleteShader(vertex);
            if (fragment) glDeleteShader(fragment);
            return;
        }
        id = glCreateProgram();
        glAttachShader(id, vertex);
        glAttachShader(id, fragment);
        glLinkProgram(id);
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        GLint linked = 0;
        glGetProgramiv(id, GL_LINK_STATUS, &linked);
        if (!linked) {
            GLchar text[4096] = {0};
            glGetProgramInfoLog(id, sizeof text, nullptr, text);
            log += base + " does not link:\n" + text;
            deleteProgram(id);
            id = 0;
        }
    }
    ~Program() {
        if (id) deleteProgram(id);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    GLuint compile(GLenum stage, const std::string& file) {
        const std::string source = shaderSource(file);
        if (source.empty()) {
            log += file + " is missing or empty\n";
            return 0;
        }
        const GLuint shader = glCreateShader(stage);
        const GLchar* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        GLint compiled = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (!compiled) {
            GLchar message[4096] = {0};
            glGetShaderInfoLog(shader, sizeof message, nullptr, message);
            log += file + " does not compile:\n" + message;
            glDeleteShader(shader);
            return 0;
        }
        return shader;
    }

    void matrix(const char* name, const float* m) const {
        glUniformMatrix4fv(glGetUniformLocation(id, name), 1, GL_FALSE, m);
    }
};

const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A one-colour RGBA texture on unit 0, the unit the programs sample by default.
struct SolidTexture {
    GLuint id = 0;
    SolidTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
        const uint8_t texels[16] = {r, g, b, a, r, g, b, a, r, g, b, a, r, g, b, a};
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    }
    ~SolidTexture() { glDeleteTextures(1, &id); }
};

// Draws the quad with these four corners (mesh units, counter-clockwise
// seen from its front), every vertex with the given normal, through the
// program's attributes.
void drawCorners(const Program& program, const float (&positions)[12], const float normal[3]) {
    const float uvs[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    const float normals[12] = {normal[0], normal[1], normal[2], normal[0], normal[1], normal[2],
                               normal[0], normal[1], normal[2], normal[0], normal[1], normal[2]};
    struct Stream {
        const char* name;
        const float* data;
        GLint components;
        GLsizeiptr bytes;
    } streams[] = {{"inVertex", positions, 3, sizeof positions},
                   {"inTexCoord", uvs, 2, sizeof uvs},
                   {"inNormal", normals, 3, sizeof normals}};
    GLuint buffers[3];
    glGenBuffers(3, buffers);
    std::vector<GLint> enabled;
    for (int i = 0; i < 3; ++i) {
        glBindBuffer(GL_ARRAY_BUFFER, buffers[i]);
        glBufferData(GL_ARRAY_BUFFER, streams[i].bytes, streams[i].data, GL_STATIC_DRAW);
        const GLint location = glGetAttribLocation(program.id, streams[i].name);
        if (location < 0) continue;  // optimised away: nothing to feed
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), streams[i].components, GL_FLOAT, GL_FALSE, 0,
                              nullptr);
        enabled.push_back(location);
    }
    glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
    for (GLint location : enabled) glDisableVertexAttribArray(static_cast<GLuint>(location));
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDeleteBuffers(3, buffers);
}

// The quad x0..x1, y0..y1 at height z, front face toward +z.
void drawQuad(const Program& program, float x0, float y0, float x1, float y1, float z,
              const float normal[3]) {
    const float positions[12] = {x0, y0, z, x1, y0, z, x1, y1, z, x0, y1, z};
    drawCorners(program, positions, normal);
}

// The pixel under the normalised device position (x, y).
std::vector<uint8_t> pixelAtNdc(float x, float y) {
    return pixelAt(static_cast<int>((x + 1) / 2 * GL_TEST_WIDTH),
                   static_cast<int>((y + 1) / 2 * GL_TEST_HEIGHT));
}

const float facingViewer[3] = {0, 0, 1};

// 90-degree perspective: a quad at eye depth d covers x, y in [-d, d].
constexpr float NEAR_PLANE = 1, FAR_PLANE = 1000;
const float perspective90[16] = {1,
                                 0,
                                 0,
                                 0,
                                 0,
                                 1,
                                 0,
                                 0,
                                 0,
                                 0,
                                 -(FAR_PLANE + NEAR_PLANE) / (FAR_PLANE - NEAR_PLANE),
                                 -1,
                                 0,
                                 0,
                                 -2 * FAR_PLANE* NEAR_PLANE / (FAR_PLANE - NEAR_PLANE),
                                 0};

class AssetShaders : public ::testing::Test {
protected:
    void SetUp() override {
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override {
        glUseProgram(0);
        glClearColor(1, 1, 1, 1);  // the game's clear colour, as the other tests expect
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

}  // namespace

TEST_F(AssetShaders, EveryPairCompilesAndLinksWithTheInputsTheGameFeeds) {
    for (const char* name : programNames) {
        const Program program{std::string(name)};
        EXPECT_NE(program.id, 0u) << program.log;
        if (!program.id) continue;
        EXPECT_GE(glGetAttribLocation(program.id, "inVertex"), 0) << name;
        // All are textured; the water makes its own coordinates from the position.
        if (std::string(name) != "water") {
            EXPECT_GE(glGetAttribLocation(program.id, "inTexCoord"), 0) << name;
        }
        EXPECT_GE(glGetUniformLocation(program.id, "mvMat"), 0) << name;
        EXPECT_GE(glGetUniformLocation(program.id, "projMat"), 0) << name;
    }
    for (const char* lit : {"basic-fixed", "basic-fixed-underwater", "water", "seaweed"}) {
        const Program program(lit);
        EXPECT_GE(glGetAttribLocation(program.id, "inNormal"), 0) << lit;
    }
    const Program seaweed("seaweed");
    EXPECT_GE(glGetUniformLocation(seaweed.id, "offset"), 0);
    const Program transition("room-transition");
    EXPECT_GE(glGetUniformLocation(transition.id, "ratio"), 0);
}

TEST_F(AssetShaders, BasicLightsFacingSurfacesFullyAndCutsOutClearTexels) {
    const Program basic("basic-fixed");
    ASSERT_NE(basic.id, 0u) << basic.log;
    glUseProgram(basic.id);
    basic.matrix("mvMat", identity);
    basic.matrix("projMat", identity);
    {
        // Overlays face the overlay camera: they must keep their own colours.
        const SolidTexture texture(200, 120, 60, 255);
        drawQuad(basic, -1, -1, 0, 1, 0, facingViewer);
        const std::vector<uint8_t> lit = pixelAtNdc(-0.5f, 0);
        EXPECT_NEAR(lit[0], 200, 2);
        EXPECT_NEAR(lit[1], 120, 2);
        EXPECT_NEAR(lit[2], 60, 2);
        // A face turned away from the light is darker, but never black.
        const float sideways[3] = {-1, 0, 0};
        drawQuad(basic, 0, -1, 1, 1, 0, sideways);
        const std::vector<uint8_t> shaded = pixelAtNdc(0.5f, 0);
        EXPECT_LT(shaded[0], 190);
        EXPECT_GT(shaded[0], 70);
    }
    {
        // A clear texel neither shows nor writes depth: what lies behind it
        // still draws.
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const SolidTexture clear(255, 255, 255, 0);
        drawQuad(basic, -1, -1, 1, 1, 0, facingViewer);
        const SolidTexture green(0, 255, 0, 255);
        drawQuad(basic, -1, -1, 1, 1, 0.5f, facingViewer);  // farther away
        const std::vector<uint8_t> p = pixelAtNdc(0, 0);
        EXPECT_EQ(p[0], 0);
        EXPECT_EQ(p[1], 255);
    }
}

TEST_F(AssetShaders, UnderwaterFogIsLightNearbyAndThickFarAway) {
    const Program underwater("basic-fixed-underwater");
    ASSERT_NE(underwater.id, 0u) << underwater.log;
    glUseProgram(underwater.id);
    underwater.matrix("projMat", perspective90);
    underwater.matrix("mvMat", identity);
    const SolidTexture white(255, 255, 255, 255);
    drawQuad(underwater, -20, -20, 0, 20, -20, facingViewer);     // left half, 20 units away
    drawQuad(underwater, 0, -300, 300, 300, -300, facingViewer);  // right half, 300 units away
    const std::vector<uint8_t> nearby = pixelAtNdc(-0.5f, 0);
    const std::vector<uint8_t> far = pixelAtNdc(0.5f, 0);
    // Nearby: the white surface, tinted blue-green (red lowered most).
    EXPECT_GT(nearby[2], 200);
    EXPECT_LT(nearby[0], nearby[2]);
    // Far: the deep water colour, dark blue-green.
    EXPECT_LT(far[0], 30);
    EXPECT_LT(far[1], 80);
    EXPECT_LT(far[2], 100);
    EXPECT_GT(far[2], far[0]);
}

TEST_F(AssetShaders, TransitionScalesOpacityByRatio) {
    const Program transition("room-transition");
    ASSERT_NE(transition.id, 0u) << transition.log;
    glUseProgram(transition.id);
    transition.matrix("mvMat", identity);
    transition.matrix("projMat", identity);
    const SolidTexture white(255, 255, 255, 255);
    const GLint ratio = glGetUniformLocation(transition.id, "ratio");
    const float ratios[3] = {0.0f, 0.5f, 1.0f};
    for (int i = 0; i < 3; ++i) {
        glUniform1f(ratio, ratios[i]);
        const float x0 = -1.0f + static_cast<float>(i) * 2.0f / 3.0f;
        drawQuad(transition, x0, -1, x0 + 2.0f / 3.0f, 1, 0, facingViewer);
    }
    // Blended over black with source alpha, as the game draws its fades.
    EXPECT_NEAR(pixelAtNdc(-2.0f / 3.0f, 0)[0], 0, 2);
    EXPECT_NEAR(pixelAtNdc(0, 0)[0], 128, 3);
    EXPECT_NEAR(pixelAtNdc(2.0f / 3.0f, 0)[0], 255, 2);
}

TEST_F(AssetShaders, SeaweedKeepsItsRootAndSwaysItsTip) {
    const Program seaweed("seaweed");
    ASSERT_NE(seaweed.id, 0u) << seaweed.log;
    glUseProgram(seaweed.id);
    // Squash height so that the 8-unit blade stays inside the clip volume.
    const float squash[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0.1f, 0, 0, 0, 0, 1};
    seaweed.matrix("mvMat", squash);
    seaweed.matrix("projMat", identity);
    glUniform3f(glGetUniformLocation(seaweed.id, "offset"), 1.0f, 0.0f, 0.0f);
    const SolidTexture green(30, 200, 40, 255);
    drawQuad(seaweed, -0.7f, -0.6f, -0.3f, -0.2f, 0, facingViewer);  // at the root
    drawQuad(seaweed, -0.7f, 0.2f, -0.3f, 0.6f, 8, facingViewer);    // at the tip
    EXPECT_GT(pixelAtNdc(-0.5f, -0.4f)[1], 100);                     // root: where it was drawn
    EXPECT_LT(pixelAtNdc(-0.5f, 0.4f)[1], 20);                       // tip: moved away ...
    EXPECT_GT(pixelAtNdc(0.5f, 0.4f)[1], 100);                       // ... by the whole offset
}

TEST_F(AssetShaders, ARimOutlinesOnlyPartsMarkedByLongNormalsWhereTheyTurnAway) {
    // The swimmer's normals are twice the unit. Seen face on, a marked part
    // looks like any other; where its surface turns away from the viewer (a
    // normal across the line of sight) it gains a light rim, and an unmarked
    // surface turned the same way does not.
    const float sideways[3] = {1, 0, 0}, sidewaysMarked[3] = {2, 0, 0}, facingMarked[3] = {0, 0, 2};
    const SolidTexture texture(150, 40, 40, 255);
    for (const char* name : {"basic-fixed", "basic-fixed-underwater"}) {
        SCOPED_TRACE(name);
        const Program program(name);
        ASSERT_NE(program.id, 0u) << program.log;
        glUseProgram(program.id);
        program.matrix("mvMat", identity);
        program.matrix("projMat", perspective90);
        // A small quad straight ahead, 10 units away (all its corners seen
        // within 6 degrees of the line of sight), looked at in its middle.
        auto seen = [&](const float normal[3]) {
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            drawQuad(program, -1, -1, 1, 1, -10, normal);
            return pixelAtNdc(0.01f, 0.01f);
        };
        const std::vector<uint8_t> facing = seen(facingViewer), marked = seen(facingMarked);
        const std::vector<uint8_t> turned = seen(sideways), rim = seen(sidewaysMarked);
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(marked[c], facing[c], 3) << "channel " << c;
            EXPECT_GT(rim[c], turned[c] + 60) << "channel " << c;
        }
    }
}

TEST_F(AssetShaders, WaterRipplesKeepOneScaleOnEveryFaceAndItsSidesFoldAwayUnderTheSurface) {
    // The water box is the 2-unit block scaled (50, 50, 10). Wherever the
    // viewer looks at it, one room unit moves the picture by the same amount:
    // one copy of it over the 100-unit room, on the 20-unit-high sides too.
    // Alpha passes through the program unchanged, so a picture whose alpha
    // rises along x (or y) by one step per texel shows where it is sampled.
    const Program water("water");
    ASSERT_NE(water.id, 0u) << water.log;
    glUseProgram(water.id);
    // Seen from 10 above the surface (the box's top, 2 mesh units, is 20 up).
    const float boxScale[16] = {50, 0, 0, 0, 0, 50, 0, 0, 0, 0, 10, 0, 0, 0, -30, 1};
    water.matrix("mvMat", boxScale);
    auto ramp = [](bool alongX) {
        std::vector<uint8_t> texels(256 * 256 * 4, 255);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                texels[(y * 256 + x) * 4 + 3] = static_cast<uint8_t>(alongX ? x : y);
        GLuint id = 0;
        glGenTextures(1, &id);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 256, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        return id;
    };
    const GLuint alongX = ramp(true), alongY = ramp(false);
    // Picture units per room unit, read between two points a room apart
    // `span` along one direction of a face.
    auto picturePerUnit = [](float ndcX0, float ndcY0, float ndcX1, float ndcY1, double span) {
        const double a = pixelAtNdc(ndcX0, ndcY0)[3], b = pixelAtNdc(ndcX1, ndcY1)[3];
        return (b - a) / 256.0 / span;
    };
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    const float up[3] = {0, 0, 1}, south[3] = {0, -1, 0};
    // The top: room x and y across the view.
    const float topView[16] = {1.0f / 50, 0, 0, 0, 0, 1.0f / 50, 0, 0, 0, 0, 0, 0, -1, -1, 0, 1};
    water.matrix("projMat", topView);
    const float top[12] = {0, 0, 2, 2, 0, 2, 2, 2, 2, 0, 2, 2};
    glBindTexture(GL_TEXTURE_2D, alongX);
    drawCorners(water, top, up);
    const double topU = picturePerUnit(-0.6f, 0, 0.6f, 0, 60);
    glBindTexture(GL_TEXTURE_2D, alongY);
    drawCorners(water, top, up);
    const double topV = picturePerUnit(0, -0.6f, 0, 0.6f, 60);
    // The south side: room x across, height (eye z from -30 to -10) up the view.
    const float sideView[16] = {1.0f / 50, 0, 0, 0, 0, 0, 1, 0, 0, 1.0f / 10, 0, 0, -1, 2, 0, 1};
    water.matrix("projMat", sideView);
    const float side[12] = {0, 0, 0, 2, 0, 0, 2, 0, 2, 0, 0, 2};
    glBindTexture(GL_TEXTURE_2D, alongX);
    drawCorners(water, side, south);
    const double sideU = picturePerUnit(-0.6f, 0, 0.6f, 0, 60);
    glBindTexture(GL_TEXTURE_2D, alongY);
    drawCorners(water, side, south);
    const double sideV = picturePerUnit(0, -0.6f, 0, 0.6f, 12);
    // From under the surface the camera is in the water: the sides show
    // nothing (and the top is seen from below, which the game culls).
    const float underSurface[16] = {50, 0, 0, 0, 0, 50, 0, 0, 0, 0, 10, 0, 0, 0, -19, 1};
    water.matrix("mvMat", underSurface);
    const float sideViewBelow[16] = {1.0f / 50, 0, 0, 0, 0, 0, 1, 0, 0, 1.0f / 10, 0, 0, -1, 0.9f, 0, 1};
    water.matrix("projMat", sideViewBelow);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawCorners(water, side, south);
    const std::vector<uint8_t> behind = pixelAtNdc(0, 0);
    glEnable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glDeleteTextures(1, &alongX);
    glDeleteTextures(1, &alongY);
    constexpr double ONE_COPY_PER_ROOM = 1.0 / 100;
    for (double perUnit : {topU, topV, sideU, sideV}) EXPECT_NEAR(perUnit, ONE_COPY_PER_ROOM, 0.0005);
    EXPECT_EQ(behind[3], 0);
}
