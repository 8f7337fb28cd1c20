#include <gtest/gtest.h>

#include "input/input_state.h"
#include "platform/platform.h"
#include "platform/headless/headless_platform.h"

namespace {

struct InputTest : ::testing::Test {
    void TearDown() override { headless::setKeysDown({}); }
    InputState sampled(const std::set<int>& keys) {
        headless::setKeysDown(keys);
        InputState s;
        s.sample();
        return s;
    }
};

void expectAxes(const InputState& s, float x, float y) {
    for (const Vec2* axis : {&s.getAxisA(), &s.getAxisB(), &s.getAxisC()}) {
        EXPECT_EQ(axis->x, x);
        EXPECT_EQ(axis->y, y);
    }
}

}  // namespace

TEST_F(InputTest, NothingHeldGivesZeroAxesAndNoFlags) {
    const InputState s = sampled({});
    expectAxes(s, 0, 0);
    EXPECT_FALSE(s.isSpaceDown() || s.isLeftControlDown() || s.isF1Down() || s.isF2Down() ||
                 s.isF3Down() || s.isF4Down());
}

TEST_F(InputTest, LeftBeatsRightAndUpBeatsDown) {
    expectAxes(sampled({vk::Left, vk::Right}), -1, 0);
    expectAxes(sampled({vk::Up, vk::Down}), 0, 1);
    expectAxes(sampled({vk::Right}), 1, 0);
    expectAxes(sampled({vk::Down}), 0, -1);
    // Diagonals are not normalised.
    expectAxes(sampled({vk::Left, vk::Up}), -1, 1);
    expectAxes(sampled({vk::Right, vk::Down, vk::Left, vk::Up}), -1, 1);
}

TEST_F(InputTest, EachFlagFollowsItsOwnKey) {
    EXPECT_TRUE(sampled({vk::Space}).isSpaceDown());
    EXPECT_TRUE(sampled({vk::LeftControl}).isLeftControlDown());
    EXPECT_FALSE(sampled({vk::RightControl}).isLeftControlDown());
    const InputState f = sampled({vk::F1, vk::F3});
    EXPECT_TRUE(f.isF1Down());
    EXPECT_FALSE(f.isF2Down());
    EXPECT_TRUE(f.isF3Down());
    EXPECT_FALSE(f.isF4Down());
    EXPECT_FALSE(f.isSpaceDown());
    EXPECT_TRUE(sampled({vk::F2}).isF2Down());
    EXPECT_TRUE(sampled({vk::F4}).isF4Down());
}

TEST_F(InputTest, SamplingTwiceReportsAHeldKeyBothTimesAndOverwritesEverything) {
    headless::setKeysDown({vk::Space, vk::Left});
    InputState s;
    s.sample();
    s.sample();
    EXPECT_TRUE(s.isSpaceDown());
    expectAxes(s, -1, 0);
    headless::setKeysDown({});
    s.sample();
    EXPECT_FALSE(s.isSpaceDown());
    expectAxes(s, 0, 0);
}
