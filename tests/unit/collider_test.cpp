#include <gtest/gtest.h>

#include "scene/collider.h"
#include "test_files.h"

namespace {

const char* const squareAndCircle = R"({"collider": {
    "vertices": [{"x": 0, "y": 0}, {"x": 1, "y": 0}, {"x": 1, "y": 1}, {"x": 0, "y": 1}],
    "indices": [{"a": 0, "b": 1}, {"a": 1, "b": 2}, {"a": 2, "b": 3}, {"a": 3, "b": 0}],
    "circles": [{"x": 0.5, "y": 0.25, "radius": 0.75}]}})";

void expectEmpty(const Collider& c) {
    EXPECT_EQ(c.circleCount(), 0u);
    EXPECT_EQ(c.segmentCount(), 0u);
    EXPECT_EQ(c.vertexCount(), 0u);
}

}  // namespace

TEST(Collider, ReadsVerticesSegmentsAndCircles) {
    TempDir dir;
    writeFile(dir.file("square.json"), squareAndCircle);
    Collider c;
    ASSERT_TRUE(c.load(dir.file("square.json")));
    EXPECT_EQ(c.vertexCount(), 4u);
    EXPECT_EQ(c.segmentCount(), 4u);
    EXPECT_EQ(c.circleCount(), 1u);
    EXPECT_EQ(c.circleX(0), 0.5f);
    EXPECT_EQ(c.circleY(0), 0.25f);
    EXPECT_EQ(c.circleRadius(0), 0.75f);
    float ax, ay, bx, by;
    ASSERT_TRUE(c.segmentEnds(1, ax, ay, bx, by));
    EXPECT_EQ(ax, 1.0f);
    EXPECT_EQ(ay, 0.0f);
    EXPECT_EQ(bx, 1.0f);
    EXPECT_EQ(by, 1.0f);
}

TEST(Collider, PathsWithoutJsonAreNotReadAndLeaveTheColliderAsItWas) {
    TempDir dir;
    writeFile(dir.file("square.json"), squareAndCircle);
    Collider c;
    EXPECT_TRUE(c.load(dir.file("missing.col")));
    expectEmpty(c);
    ASSERT_TRUE(c.load(dir.file("square.json")));
    EXPECT_TRUE(c.load(".json"));
    EXPECT_EQ(c.vertexCount(), 4u);
}

TEST(Collider, EmptyAndAbsentShapesGiveZeroCounts) {
    TempDir dir;
    writeFile(dir.file("none.json"), R"({"other": {"vertices": [{"x": 1, "y": 1}]}})");
    writeFile(dir.file("empty.json"), R"({"collider": {"vertices": [], "indices": [], "circles": []}})");
    for (const char* name : {"none.json", "empty.json"}) {
        Collider c;
        EXPECT_TRUE(c.load(dir.file(name))) << name;
        expectEmpty(c);
    }
}

TEST(Collider, OutOfRangeIndicesAreStoredButNeverFollowed) {
    TempDir dir;
    writeFile(dir.file("wild.json"), R"({"collider": {"vertices": [{"x": 2, "y": 3}],
        "indices": [{"a": 7, "b": -1}, {"a": 0, "b": 0}], "circles": []}})");
    Collider c;
    ASSERT_TRUE(c.load(dir.file("wild.json")));
    int32_t a = 0, b = 0;
    ASSERT_TRUE(c.segmentIndices(0, a, b));
    EXPECT_EQ(a, 7);
    EXPECT_EQ(b, -1);
    float ax = 9, ay = 9, bx = 9, by = 9;
    EXPECT_FALSE(c.segmentEnds(0, ax, ay, bx, by));
    EXPECT_EQ(ax + ay + bx + by, 0.0f);
    EXPECT_TRUE(c.segmentEnds(1, ax, ay, bx, by));
    EXPECT_EQ(bx, 2.0f);
    EXPECT_EQ(by, 3.0f);
    EXPECT_FALSE(c.segmentEnds(2, ax, ay, bx, by));
    EXPECT_FALSE(c.segmentIndices(2, a, b));
    EXPECT_EQ(c.circleX(0) + c.circleY(5) + c.circleRadius(99), 0.0f);
}

TEST(Collider, ARepeatedColliderMemberReplacesTheFirst) {
    TempDir dir;
    writeFile(dir.file("twice.json"), R"({"collider": {"vertices": [{"x": 0, "y": 0}, {"x": 1, "y": 1}],
        "indices": [{"a": 0, "b": 1}], "circles": [{"x": 0, "y": 0, "radius": 1}]},
        "collider": {"vertices": [{"x": 5, "y": 6}], "indices": [], "circles": []}})");
    Collider c;
    ASSERT_TRUE(c.load(dir.file("twice.json")));
    EXPECT_EQ(c.vertexCount(), 1u);
    EXPECT_EQ(c.segmentCount(), 0u);
    EXPECT_EQ(c.circleCount(), 0u);
}

TEST(Collider, UnreadableOrMalformedFilesFailNamingFileAndMember) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "not valid JSON"},
        {"{\"collider\": ", "not valid JSON"},
        {"\"collider\"", "the top level is not an object"},
        {R"({"collider": 3})", "\"collider\" is not an object"},
        {R"({"collider": {"vertices": [], "indices": []}})", "\"collider\" lacks \"circles\""},
        {R"({"collider": {"vertices": {}, "indices": [], "circles": []}})",
         "collider.vertices is not an array"},
        {R"({"collider": {"vertices": [], "indices": [], "circles": [{"x": 0, "y": 0}]}})",
         "collider.circles[0] lacks \"radius\""},
        {R"({"collider": {"vertices": [], "indices": [{"a": "0", "b": 1}], "circles": []}})",
         "collider.indices[0].a is not a number"},
        {R"({"collider": {"vertices": [], "indices": [{"a": 4294967296, "b": 1}], "circles": []}})",
         "collider.indices holds 4294967296, beyond 32 bits"},
    };
    TempDir dir;
    const std::string good = dir.file("square.json");
    writeFile(good, squareAndCircle);
    const std::string path = dir.file("bad.json");
    for (const auto& c : cases) {
        writeFile(path, c.first);
        Collider collider;
        ASSERT_TRUE(collider.load(good));
        const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(collider.load(path)) << c.first; });
        EXPECT_NE(out.err.find("Could not load collider: " + path + ": " + c.second), std::string::npos)
            << c.first << "\n"
            << out.err;
        expectEmpty(collider);
    }
    Collider missing;
    const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(missing.load(dir.file("missing.json"))); });
    EXPECT_NE(out.err.find("Could not load collider: " + dir.file("missing.json") + ": cannot open file"),
              std::string::npos);
}
