#include <gtest/gtest.h>

#include "game/asset_manifest.h"
#include "world_fixture.h"

namespace {

struct TextureState {
    GLint mag, min, wrapS, wrapT;
};

TextureState stateOf(const Texture& t) {
    TextureState s{};
    t.bind();
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s.mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s.min);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &s.wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &s.wrapT);
    return s;
}

}  // namespace

using WorldRender = LoadedGame;

TEST_F(WorldRender, LoadSetsFiltersAndWrapsPerTexture) {
    // Every texture as the asset manifest says, its pixels released right after upload.
    for (const TextureAsset& asset : assetManifest(*game).textures) {
        const TextureState s = stateOf(asset.texture);
        const GLint filter = asset.filter == TextureFilter::NEAREST ? GL_NEAREST : GL_LINEAR;
        const GLint wrap = asset.wrap == WRAP_REPEAT ? GL_REPEAT : GL_MIRRORED_REPEAT;
        EXPECT_TRUE(s.mag == filter && s.min == filter && s.wrapS == wrap && s.wrapT == wrap) << asset.path;
        EXPECT_GT(asset.texture.width, 0) << asset.path;
        EXPECT_EQ(asset.texture.pixels, nullptr) << asset.path;
    }
    // The design's choices: tiled pixel art repeats, the other pixel art stays crisp.
    const TextureState wall = stateOf(game->wallTexture), lever = stateOf(game->leverTexture),
                       grass = stateOf(game->grassTexture);
    EXPECT_TRUE(wall.mag == GL_NEAREST && wall.wrapS == GL_REPEAT);
    EXPECT_TRUE(lever.mag == GL_NEAREST && lever.wrapS == GL_MIRRORED_REPEAT);
    EXPECT_TRUE(grass.mag == GL_LINEAR && grass.wrapS == GL_MIRRORED_REPEAT);
}

TEST_F(WorldRender, StartsInRoomZeroWithTheHelpShown) {
    EXPECT_EQ(game->currentRoom, &game->rooms[0]);
    EXPECT_EQ(game->swimmerPosition.x, 20.0f);
    EXPECT_EQ(game->swimmerPosition.y, 20.0f);
    EXPECT_EQ(game->swimmerPosition.z, -5.0f);
    EXPECT_EQ(game->hintTimer, 0.0f);
    EXPECT_EQ(game->floorObject.texture, &game->grassTexture);
    EXPECT_EQ(game->shortWallObject.texture, &game->wallTexture);
    EXPECT_NE(&game->wallMesh, &game->waterMesh);
    EXPECT_EQ(game->wallMesh.indexCount(), game->waterMesh.indexCount());
    EXPECT_NE(game->wallMesh.vertexGroup(), game->waterMesh.vertexGroup());
}

TEST_F(WorldRender, StartFrameMatchesGolden) {
    EXPECT_TRUE(matchesGolden(renderFrame(), "start-640x360.png"));
}

TEST_F(WorldRender, GoldRoomMatchesGolden) {
    enter(3);
    game->hintTimer = game->hintDuration;  // no help overlay
    game->swimmerPosition = Vec3(52, 20, -12);
    EXPECT_TRUE(matchesGolden(renderFrame(), "room3-640x360.png"));
}

TEST_F(WorldRender, EveryRoomRendersWithoutGlErrorsAndDrawsSomething) {
    game->hintTimer = game->hintDuration;
    for (int room = 0; room < ROOM_COUNT; ++room) {
        enter(room);
        const RgbaImage frame = renderFrame();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "room " << room;
        // Neither the white clear nor a black fade: the scene fills the frame.
        size_t white = 0, black = 0;
        for (size_t i = 0; i < frame.pixels.size(); i += 4) {
            const int sum = frame.pixels[i] + frame.pixels[i + 1] + frame.pixels[i + 2];
            white += sum == 3 * 255;
            black += sum < 30;
        }
        EXPECT_LT(white, frame.pixels.size() / 4 / 10) << "room " << room;
        EXPECT_LT(black, frame.pixels.size() / 4 / 10) << "room " << room;
    }
}

TEST_F(WorldRender, WaterSurfaceShowsOnlyWhereTheRuleSaysAndAZeroSizeWindowIsSafe) {
    game->hintTimer = game->hintDuration;
    game->swimmerPosition = Vec3(50, 50, -12.5f);  // eye at z = -0.5: underwater, no surface
    const RgbaImage below = renderFrame();
    game->swimmerPosition = Vec3(50, 50, -11.0f + 0.01f);  // eye just above 1: surface drawn
    const RgbaImage above = renderFrame();
    EXPECT_LT(matchingShare(below, above, 12), 0.9);
    game->resize(0, 0);
    game->render();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    game->resize(WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT);
}
