#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "game/game.h"
#include "gfx/gl_api.h"
#include "golden_image.h"
#include "input/input_state.h"
#include "platform/platform.h"

constexpr int WORLD_TEST_WIDTH = 640;
constexpr int WORLD_TEST_HEIGHT = 360;
constexpr unsigned WORLD_TEST_SEED = 7;
// The frame time the tests play with, the one mirelo-headless uses by default.
constexpr float WORLD_TEST_FRAME_SECONDS = 0.016f;

// A game loaded from data/ with a fixed seaweed seed, sized to the surface.
struct LoadedGame : ::testing::Test {
    std::unique_ptr<Game> game;
    void SetUp() override {
        game = std::make_unique<Game>();
        game->setSeaweedSeed(WORLD_TEST_SEED);
        ASSERT_TRUE(game->load());
        game->resize(WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void TearDown() override {
        input.endScript();
        game.reset();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    RgbaImage renderFrame() {
        game->render();
        RgbaImage image;
        image.width = WORLD_TEST_WIDTH;
        image.height = WORLD_TEST_HEIGHT;
        image.pixels.resize(static_cast<size_t>(WORLD_TEST_WIDTH) * WORLD_TEST_HEIGHT * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::vector<uint8_t> rows(image.pixels.size());
        glReadPixels(0, 0, WORLD_TEST_WIDTH, WORLD_TEST_HEIGHT, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
        const size_t stride = static_cast<size_t>(WORLD_TEST_WIDTH) * 4;
        for (int y = 0; y < WORLD_TEST_HEIGHT; ++y)  // GL rows run bottom-up
            std::copy_n(rows.data() + (WORLD_TEST_HEIGHT - 1 - y) * stride, stride,
                        image.pixels.data() + y * stride);
        return image;
    }
    // Plays frames (update only) holding exactly these keys, Win32 virtual-key codes.
    void play(int frames, const std::set<int>& keys = {}) {
        input.holdScripted(keys);
        for (int i = 0; i < frames; ++i) game->update(WORLD_TEST_FRAME_SECONDS);
    }
    void enter(int room) {
        game->currentRoom = &game->rooms[room];
        game->currentRoom->fadingIn = false;  // arrived long ago: no black fade
        game->applyRoomTextures();
    }
};
