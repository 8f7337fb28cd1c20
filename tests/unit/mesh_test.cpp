#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "scene/mesh.h"
#include "test_files.h"

namespace {

const char* const triangleModel =
    R"("model": {"vertices": [{"x": 0, "y": 0, "z": 0}, {"x": 1, "y": 0, "z": 0}, {"x": 0, "y": 1, "z": 0.5}],
                 "uvs": [{"u": 0, "v": 0}, {"u": 1, "v": 0}, {"u": 0, "v": 1}],
                 "colors": [{"r": 1, "g": 1, "b": 1}, {"r": 1, "g": 1, "b": 1}, {"r": 1, "g": 1, "b": 1}],
                 "indices": [{"a": 0, "b": 1, "c": 2}]})";

struct Binary {
    std::vector<uint8_t> bytes;
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void f32(float f) {
        uint32_t u = 0;
        std::memcpy(&u, &f, 4);
        u32(u);
    }
    void u16(uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
};

// One triangle: positions 1..9, colours 11..19, texture coordinates 21..26, indices 2, 1, 0.
Binary binaryTriangle() {
    Binary b;
    b.i32(3);
    b.i32(1);
    for (int i = 1; i <= 9; ++i) b.f32(static_cast<float>(i));
    for (int i = 11; i <= 19; ++i) b.f32(static_cast<float>(i));
    for (int i = 21; i <= 26; ++i) b.f32(static_cast<float>(i));
    for (uint16_t i : {2, 1, 0}) b.u16(i);
    return b;
}

void expectEmpty(const Mesh& m) {
    EXPECT_EQ(m.positionCount() + m.colourCount() + m.indexCount() + m.texCoordCount(), 0);
    EXPECT_TRUE(m.positions().empty() && m.indices().empty());
    EXPECT_EQ(m.animation(), nullptr);
}

}  // namespace

TEST(MeshJson, ReadsTheFourArraysAndIgnoresOtherMembers) {
    TempDir dir;
    const std::string path = dir.file("tri.json");
    writeFile(path, std::string(R"({"meta": {"author": "x"}, )") + triangleModel + R"(, "extra": [1, 2]})");
    Mesh m;
    ASSERT_TRUE(m.load(path));
    EXPECT_EQ(m.positionCount(), 9);
    EXPECT_EQ(m.colourCount(), 9);
    EXPECT_EQ(m.texCoordCount(), 6);
    EXPECT_EQ(m.indexCount(), 3);
    EXPECT_EQ(m.positions()[8], 0.5f);
    EXPECT_EQ(m.texCoords()[5], 1.0f);
    EXPECT_EQ(m.indices(), (std::vector<uint16_t>{0, 1, 2}));
    EXPECT_EQ(m.animation(), nullptr);
}

TEST(MeshJson, NoModelLeavesTheMeshEmpty) {
    TempDir dir;
    writeFile(dir.file("none.json"), R"({"other": 1})");
    Mesh m;
    EXPECT_TRUE(m.load(dir.file("none.json")));
    expectEmpty(m);
}

TEST(MeshJson, NumbersConvertAsIntegersOrFloats) {
    TempDir dir;
    const std::string path = dir.file("conv.json");
    writeFile(path, R"({"model": {"vertices": [{"x": true, "y": null, "z": -2.5}, {"x": 0, "y": 0, "z": 0}],
        "uvs": [{"u": 0, "v": 0}, {"u": 0, "v": 0}], "colors": [{"r": 0, "g": 0, "b": 0}, {"r": 0, "g": 0, "b": 0}],
        "indices": [{"a": 65536, "b": 65537, "c": 1.9}, {"a": -65535, "b": true, "c": null}]}})");
    Mesh m;
    ASSERT_TRUE(m.load(path));
    EXPECT_EQ(m.positions()[0], 1.0f);
    EXPECT_EQ(m.positions()[1], 0.0f);
    EXPECT_EQ(m.positions()[2], -2.5f);
    EXPECT_EQ(m.indices(), (std::vector<uint16_t>{0, 1, 1, 1, 1, 0}));
}

TEST(MeshJson, JsonAnywhereFromTheSecondCharacterSelectsTheJsonLoader) {
    TempDir dir;
    writeFile(dir.file("tri.json.bak"), std::string("{") + triangleModel + "}");
    Mesh m;
    EXPECT_TRUE(m.load(dir.file("tri.json.bak")));
    EXPECT_EQ(m.indexCount(), 3);

    // ".json" at index 0 only: the raw loader reads it.
    writeFile(dir.file(".json"), binaryTriangle().bytes);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    Mesh raw;
    const CapturedOutput out = captureOutput([&] { EXPECT_TRUE(raw.load(".json")); });
    std::filesystem::current_path(previous);
    EXPECT_EQ(out.out, "pas d'anim\n");
    EXPECT_EQ(raw.positionCount(), 9);
}

TEST(MeshBinary, ReadsTheLayoutAndReportsTheMarker) {
    TempDir dir;
    Binary b = binaryTriangle();
    writeFile(dir.file("plain.bin"), b.bytes);
    b.bytes.push_back(0);
    writeFile(dir.file("one.bin"), b.bytes);
    b.bytes.push_back(0);
    writeFile(dir.file("marked.bin"), b.bytes);

    Mesh m;
    CapturedOutput out = captureOutput([&] { EXPECT_TRUE(m.load(dir.file("plain.bin"))); });
    EXPECT_EQ(out.out, "pas d'anim\n");
    EXPECT_EQ(m.positionCount(), 9);
    EXPECT_EQ(m.colourCount(), 9);
    EXPECT_EQ(m.texCoordCount(), 6);
    EXPECT_EQ(m.positions()[8], 9.0f);
    EXPECT_EQ(m.colours()[0], 11.0f);
    EXPECT_EQ(m.texCoords()[5], 26.0f);
    EXPECT_EQ(m.indices(), (std::vector<uint16_t>{2, 1, 0}));

    out = captureOutput([&] { EXPECT_TRUE(m.load(dir.file("one.bin"))); });
    EXPECT_EQ(out.out, "pas d'anim\n");
    out = captureOutput([&] { EXPECT_TRUE(m.load(dir.file("marked.bin"))); });
    EXPECT_EQ(out.out, "des anims!\n");
    EXPECT_EQ(m.animation(), nullptr);
}

TEST(MeshBinary, CountsBeyondTheFileAreRejectedWithoutPrintingTheMarkerLine) {
    TempDir dir;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    Binary truncated = binaryTriangle();
    truncated.bytes.resize(truncated.bytes.size() - 1);
    cases.push_back({"truncated.bin", truncated.bytes, "truncated"});
    cases.push_back({"short.bin", {3, 0, 0}, "truncated"});
    Binary huge;
    huge.i32(0x7fffffff);
    huge.i32(0x7fffffff);
    cases.push_back({"huge.bin", huge.bytes, "truncated"});
    Binary negative;
    negative.i32(-1);
    negative.i32(0);
    cases.push_back({"negative.bin", negative.bytes, "negative"});
    Binary badIndex = binaryTriangle();
    badIndex.bytes[badIndex.bytes.size() - 2] = 3;
    cases.push_back({"index.bin", badIndex.bytes, "refers to vertex 3 of 3"});

    for (const Case& c : cases) {
        writeFile(dir.file(c.name), c.bytes);
        Mesh m;
        const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(m.load(dir.file(c.name))) << c.name; });
        EXPECT_EQ(out.out, "") << c.name;
        EXPECT_NE(out.err.find("Could not load mesh: " + dir.file(c.name) + ": "), std::string::npos)
            << out.err;
        EXPECT_NE(out.err.find(c.reason), std::string::npos) << out.err;
        expectEmpty(m);
    }
}

TEST(MeshJson, MalformedFilesAreLoadFailuresNamingFileAndMember) {
    const std::string vertices3 =
        R"("vertices": [{"x":0,"y":0,"z":0},{"x":1,"y":0,"z":0},{"x":0,"y":1,"z":0}])";
    const std::string uvs3 = R"("uvs": [{"u":0,"v":0},{"u":0,"v":0},{"u":0,"v":0}])";
    const std::string colors3 = R"("colors": [{"r":0,"g":0,"b":0},{"r":0,"g":0,"b":0},{"r":0,"g":0,"b":0}])";
    const std::string tri = R"("indices": [{"a":0,"b":1,"c":2}])";
    const auto model = [](const std::string& body) { return "{\"model\": {" + body + "}}"; };
    const std::pair<std::string, std::string> cases[] = {
        {"{\"model\": ", "not valid JSON"},
        {"[1, 2]", "top level is not an object"},
        {R"({"model": [1]})", "\"model\" is not an object"},
        {model(vertices3 + "," + colors3 + "," + tri), "lacks \"uvs\""},
        {model(vertices3 + "," + uvs3 + "," + colors3 + R"(, "indices": {"a": 0})"),
         "model.indices is not an array"},
        {model(R"("vertices": [{"x":0,"z":0}], "uvs": [{"u":0,"v":0}], "colors": [{"r":0,"g":0,"b":0}],
                  "indices": [])"),
         "model.vertices[0] lacks \"y\""},
        {model(vertices3 + "," + uvs3 + R"(, "colors": [{"r":0,"g":0,"b":0},{"r":0,"g":"1","b":0},)" +
               R"({"r":0,"g":0,"b":0}],)" + tri),
         "model.colors[1].g is not a number"},
        {model(vertices3 + "," + uvs3 + "," + colors3 + R"(, "indices": [7])"),
         "model.indices[0] is not an object"},
        {model(vertices3 + R"(, "uvs": [{"u":0,"v":0}],)" + colors3 + "," + tri), "differ in length"},
        {model(vertices3 + "," + uvs3 + "," + colors3 + R"(, "indices": [{"a":0,"b":1,"c":65539}])"),
         "model.indices[0] refers to vertex 3 of 3"},
        {model(vertices3 + "," + uvs3 + "," + colors3 + R"(, "indices": [{"a":0,"b":1,"c":1e30}])"),
         "model.indices[0].c is not a number in range"},
        {model(
             R"("vertices": [{"x":1e300,"y":0,"z":0}], "uvs": [{"u":0,"v":0}], "colors": [{"r":0,"g":0,"b":0}],
                  "indices": [])"),
         "model.vertices[0].x is not a number in range"},
    };
    TempDir dir;
    const std::string path = dir.file("bad.json");
    for (const auto& c : cases) {
        writeFile(path, c.first);
        Mesh m;
        const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(m.load(path)) << c.first; });
        EXPECT_NE(out.err.find("Could not load mesh: " + path + ": "), std::string::npos) << out.err;
        EXPECT_NE(out.err.find(c.second), std::string::npos) << c.first << "\n" << out.err;
        expectEmpty(m);
    }
}

TEST(MeshJson, MissingOrUnreadableFilesFailAndEmptyAnEarlierLoad) {
    TempDir dir;
    const std::string good = dir.file("tri.json");
    writeFile(good, std::string("{") + triangleModel + "}");
    Mesh m;
    ASSERT_TRUE(m.load(good));
    for (const std::string& path :
         {dir.file("missing.json"), dir.path() + "/sub.json", dir.file("missing.bin")}) {
        if (path == dir.path() + "/sub.json") std::filesystem::create_directory(path);
        const CapturedOutput out = captureOutput([&] { EXPECT_FALSE(m.load(path)) << path; });
        EXPECT_EQ(out.err.rfind("Could not load mesh: " + path + ": cannot ", 0), 0u) << out.err;
        EXPECT_EQ(out.out, "");
        expectEmpty(m);
    }
}
