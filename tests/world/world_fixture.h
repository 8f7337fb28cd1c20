#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/gl_api.h"
#include "app/platform.h"
#include "app/platform/headless/headless_platform.h"
#include "game/game.h"
#include "golden_image.h"

constexpr int worldTestWidth = 640;
constexpr int worldTestHeight = 360;
constexpr unsigned worldTestSeed = 7;
// The frame time the tests play with, the one mirelo-headless uses by default.
constexpr float worldTestFrameSeconds = 0.016f;

// A game loaded from data/ with a fixed seaweed seed, sized to the surface.
struct LoadedGame : ::testing::Test {
    std::unique_ptr<Game> game;
    void SetUp() override {
        game = std::make_unique<Game>();
        game->setSeaweedSeed(worldTestSeed);
        ASSERT_TRUE(game->load());
        game->resize(worldTestWidth, worldTestHeight);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void TearDown() override {
        headless::setKeysDown({});
        game.reset();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    RgbaImage renderFrame() {
        game->render();
        RgbaImage image;
        image.width = worldTestWidth;
        image.height = worldTestHeight;
        image.pixels.resize(static_cast<size_t>(worldTestWidth) * worldTestHeight * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::vector<uint8_t> rows(image.pixels.size());
        glReadPixels(0, 0, worldTestWidth, worldTestHeight, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        const size_t stride = static_cast<size_t>(worldTestWidth) * 4;
        for (int y = 0; y < worldTestHeight; ++y)  // GL rows run bottom-up
            std::copy_n(rows.data() + (worldTestHeight - 1 - y) * stride, stride, image.pixels.data() + y * stride);
        return image;
    }
    // Plays frames (update only) holding exactly these keys, Win32 virtual-key codes.
    void play(int frames, const std::set<int>& keys = {}) {
        headless::setKeysDown(keys);
        for (int i = 0; i < frames; ++i) game->update(worldTestFrameSeconds);
    }
    void enter(int room) {
        game->currentRoom = &game->rooms[room];
        game->currentRoom->fadingIn = false;  // arrived long ago: no black fade
        game->applyRoomTextures();
    }
};
