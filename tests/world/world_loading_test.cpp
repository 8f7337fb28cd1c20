// What the game does with a data/ folder that is not whole: the real data
// copied into a temporary folder, one file removed or broken, and the game
// loaded from there. An image is cosmetic (a blank texture and one line
// naming it), so is a shader (a line and a program that draws nothing
// useful); the rooms are made of the meshes and the collider, so without
// one of them the game does not start, and says which file it missed.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include "test_files.h"
#include "world_fixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

GLint uploadedWidth(const Texture& t) {
    GLint width = -1;
    t.bind();
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

struct LoadAttempt {
    std::unique_ptr<Game> game;
    bool loaded = false;
    std::string err;
};

// Loads the game with the working directory in a copy of data/ where `file`
// is gone (no contents) or holds the given bytes.
LoadAttempt loadFromCopy(const std::string& file, const std::optional<std::string>& contents) {
    TempDir dir;
    fs::copy(fs::path(MIRELO_SOURCE_DIR) / "data", fs::path(dir.path()) / "data",
             fs::copy_options::recursive);
    if (!file.empty()) {
        if (contents)
            writeFile(dir.file(file), *contents);
        else
            EXPECT_TRUE(fs::remove(dir.file(file))) << file;
    }
    const fs::path home = fs::current_path();
    fs::current_path(dir.path());
    LoadAttempt attempt;
    attempt.game = std::make_unique<Game>();
    attempt.game->setSeaweedSeed(WORLD_TEST_SEED);
    attempt.err = captureOutput([&] { attempt.loaded = attempt.game->load(); }).err;
    fs::current_path(home);
    return attempt;
}

// The game goes on: it plays and draws a frame, and GL reports no error.
void playOneFrame(Game& game) {
    game.resize(WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT);
    game.update(0.016f);
    game.render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

const std::string NOT_JSON = "{\"model\": [";
// Starts like a BMP and ends before its header does.
const std::string CUT_BMP = "BM\x36\x00\x00";

}  // namespace

TEST(WorldLoading, TheWholeCopyLoadsWithoutAWord) {
    const LoadAttempt a = loadFromCopy("", std::nullopt);
    EXPECT_TRUE(a.loaded);
    EXPECT_EQ(a.err, "");
}

TEST(WorldLoading, AMissingOrBrokenImageLeavesABlankTextureAndOneLineNamingIt) {
    const struct {
        const char* file;
        std::optional<std::string> contents;
        Texture Game::*texture;
    } cases[] = {{"data/grass.png", std::nullopt, &Game::grassTexture},
                 {"data/door.bmp", CUT_BMP, &Game::doorTexture},
                 {"data/font.bmp.fnt", std::nullopt, &Game::fontTexture}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        LoadAttempt a = loadFromCopy(c.file, c.contents);
        EXPECT_TRUE(a.loaded);
        const std::vector<std::string> lines = linesOf(a.err);
        ASSERT_EQ(lines.size(), 1u) << a.err;
        EXPECT_TRUE(startsWith(lines[0], std::string("Could not load image: ") + c.file + " ")) << lines[0];
        const Texture& blank = (*a.game).*c.texture;
        EXPECT_EQ(blank.width, 0);
        EXPECT_EQ(blank.height, 0);
        EXPECT_EQ(uploadedWidth(blank), 0);
        EXPECT_GT(uploadedWidth(a.game->wallTexture), 0);  // the others are whole
        playOneFrame(*a.game);
    }
}

TEST(WorldLoading, AMissingOrBrokenMeshOrColliderStopsTheLoadNamingTheFile) {
    const struct {
        const char* file;
        std::optional<std::string> contents;
    } cases[] = {{"data/meshes/display/lever.json", std::nullopt},
                 {"data/quad.json", NOT_JSON},
                 {"data/meshes/colliders/quadCollider.json", std::nullopt},
                 {"data/meshes/colliders/quadCollider.json", NOT_JSON}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const LoadAttempt a = loadFromCopy(c.file, c.contents);
        EXPECT_FALSE(a.loaded);
        const std::vector<std::string> lines = linesOf(a.err);
        ASSERT_FALSE(lines.empty());
        for (const std::string& line : lines) EXPECT_NE(line.find(c.file), std::string::npos) << line;
    }
}

TEST(WorldLoading, AMissingShaderIsReportedAndTheLoadGoesOn) {
    for (const char* file : {"data/shaders/water.frag", "data/shaders/basic-fixed.vert"}) {
        SCOPED_TRACE(file);
        LoadAttempt a = loadFromCopy(file, std::nullopt);
        EXPECT_TRUE(a.loaded);
        EXPECT_EQ(a.err, std::string("Could not load shader: ") + file + "\n");
        playOneFrame(*a.game);
    }
}
