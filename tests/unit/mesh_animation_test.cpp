#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/mesh.h"
#include "scene/scene_object.h"
#include "test_files.h"

namespace {

// Keyframe f of a two-vertex mesh: vertex v at (10f + v, -f, 100f), uv (f, v),
// colour (f, f, 1).
std::string keyframe(int f, float startTime, int vertices = 2) {
    std::string pos, uv, col;
    for (int v = 0; v < vertices; ++v) {
        const std::string sep = v ? "," : "";
        pos += sep + "{\"x\":" + std::to_string(10 * f + v) + ",\"y\":" + std::to_string(-f) +
               ",\"z\":" + std::to_string(100 * f) + "}";
        uv += sep + "{\"u\":" + std::to_string(f) + ",\"v\":" + std::to_string(v) + "}";
        col += sep + "{\"r\":" + std::to_string(f) + ",\"g\":" + std::to_string(f) + ",\"b\":1}";
    }
    return "{\"startTime\":" + std::to_string(startTime) + ",\"vertices\":[" + pos + "],\"colors\":[" + col +
           "],\"uvs\":[" + uv + "]}";
}

const char* const twoVertexModel =
    R"("model": {"vertices": [{"x":0,"y":0,"z":0},{"x":1,"y":0,"z":0}], "uvs": [{"u":0,"v":0},{"u":1,"v":0}],
                 "colors": [{"r":0,"g":0,"b":0},{"r":0,"g":0,"b":0}], "indices": []})";

// Animation 0: keyframes 0, 1, 2 at 0, 1, 2 s; animation 1 (written as an
// object whose first child holds the keyframes): keyframes 3, 4 at 0, 0.5 s.
std::string twoAnimations() {
    return std::string("{\"animations\": [[[") + keyframe(0, 0) + "," + keyframe(1, 1) + "," +
           keyframe(2, 2) + "]], {\"frames\": [" + keyframe(3, 0) + "," + keyframe(4, 0.5f) +
           "], \"ignored\": 1}], " + twoVertexModel + "}";
}

void expectKeyframe(const MeshAnimation& a, float f) {
    EXPECT_EQ(a.currentPositions(), (std::vector<float>{10 * f, -f, 100 * f, 10 * f + 1, -f, 100 * f}));
    EXPECT_EQ(a.currentTexCoords(), (std::vector<float>{f, 0, f, 1}));
    EXPECT_EQ(a.currentColours(), (std::vector<float>{f, f, 1, f, f, 1}));
}

struct AnimatedMesh : ::testing::Test {
    TempDir dir;
    Mesh mesh;
    void SetUp() override {
        writeFile(dir.file("anim.json"), twoAnimations());
        ASSERT_TRUE(mesh.load(dir.file("anim.json")));
        ASSERT_NE(mesh.animation(), nullptr);
    }
    MeshAnimation& animation() { return *mesh.animation(); }
};

}  // namespace

TEST_F(AnimatedMesh, AnimationsSitBackToBack) {
    EXPECT_EQ(animation().animationCount(), 2u);
    EXPECT_EQ(animation().firstFrame(0), 0);
    EXPECT_EQ(animation().firstFrame(1), 3);
    EXPECT_EQ(animation().totalFrames(), 5);
    EXPECT_EQ(animation().vertexCount(), 2);
    EXPECT_EQ(animation().duration(0), 2.0f);
    EXPECT_EQ(animation().duration(1), 0.5f);
    EXPECT_EQ(animation().duration(2), -1.0f);
}

TEST_F(AnimatedMesh, SamplingClampsAtBothEndsAndHitsKeyframesExactly) {
    animation().sample(0, 5.0f);
    expectKeyframe(animation(), 2);  // animation 0's last keyframe, not a blend with animation 1
    animation().sample(0, -1.0f);
    expectKeyframe(animation(), 0);
    animation().sample(0, 1.0f);
    expectKeyframe(animation(), 1);
    animation().sample(1, 0.5f);
    expectKeyframe(animation(), 4);
    animation().sample(0, std::numeric_limits<float>::quiet_NaN());
    expectKeyframe(animation(), 0);

    animation().sample(0, 1.25f);
    EXPECT_FLOAT_EQ(animation().currentPositions()[0], 12.5f);
    EXPECT_FLOAT_EQ(animation().currentPositions()[2], 125.0f);
    EXPECT_FLOAT_EQ(animation().currentTexCoords()[0], 1.25f);
    animation().sample(1, 0.125f);
    EXPECT_FLOAT_EQ(animation().currentPositions()[0], 32.5f);

    const std::vector<float> before = animation().currentPositions();
    animation().sample(2, 0.3f);
    EXPECT_EQ(animation().currentPositions(), before);
}

TEST_F(AnimatedMesh, AdvanceReturnsTheOvershootPastTheLastKeyframe) {
    SceneObject o;
    o.init(0, 0, 0, &mesh, nullptr, nullptr);
    o.playAnimation(0);
    EXPECT_EQ(o.advanceAnimation(1.5f), -1.0f);
    EXPECT_EQ(o.advanceAnimation(0.5f), -1.0f);  // exactly at the last keyframe: not past it
    EXPECT_FLOAT_EQ(o.advanceAnimation(0.75f), 0.75f);
    EXPECT_FLOAT_EQ(o.animationTime, 2.75f);  // no wrap
    o.playAnimationAt(1, 0.4f);
    EXPECT_NEAR(o.advanceAnimation(0.2f), 0.1f, 1e-6f);
    o.setAnimationTime(0.0f);
    EXPECT_EQ(o.advanceAnimation(0.1f), -1.0f);
}

TEST(MeshAnimationLoad, MalformedAnimationsAreRejected) {
    const std::string k0 = keyframe(0, 0), k1 = keyframe(1, 1);
    const auto file = [](const std::string& animations) {
        return "{" + std::string(twoVertexModel) + ", \"animations\": " + animations + "}";
    };
    std::string shortUvs = k1;
    shortUvs.replace(shortUvs.find(",{\"u\""), shortUvs.find("]}") - shortUvs.find(",{\"u\""), "");
    std::string noStart = k1;
    noStart.replace(0, noStart.find(",\"vertices\""), "{\"start\":1");
    const std::pair<std::string, std::string> cases[] = {
        {file("7"), "\"animations\" is not an array or object"},
        {file("[]"), "\"animations\" holds no animation"},
        {file("[[" + k0 + "]]"), "animation 0 has no keyframe array"},
        {file("[[[" + k0 + "]], {\"a\": 1}]"), "animation 1 has no keyframe array"},
        {file("[[[" + k0 + "," + shortUvs + "]]]"),
         "animation 0 keyframe 1 \"uvs\" holds 1 entries, expected 2"},
        {file("[[[" + k0 + "]], [[" + keyframe(1, 0, 3) + "]]]"),
         "animation 1 keyframe 0 \"vertices\" holds 3"},
        {file("[[[" + k0 + "," + noStart + "]]]"), "animation 0 keyframe 1 lacks \"startTime\""},
        {file("[[[" + k0 + ", 5]]]"), "animation 0 keyframe 1 is not an object"},
        {file("[[[" + keyframe(0, 0, 3) + "]]]"), "animation keyframes hold 3 vertices, the model 2"},
    };
    TempDir dir;
    const std::string path = dir.file("bad.json");
    for (const auto& c : cases) {
        writeFile(path, c.first);
        Mesh m;
        const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(m.load(path)) << c.first; });
        EXPECT_NE(out.err.find("Could not load mesh: " + path + ": " + c.second), std::string::npos)
            << c.first << "\n"
            << out.err;
        EXPECT_EQ(m.animation(), nullptr);
        EXPECT_EQ(m.positionCount(), 0);
    }
}
