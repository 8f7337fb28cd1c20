#include <gtest/gtest.h>

#include "input/input_state.h"
#include "platform/platform.h"

namespace {

struct InputTest : ::testing::Test {
    InputState sampled(const std::set<int>& keys) {
        InputState s;
        s.holdScripted(keys);
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
    EXPECT_FALSE(s.isSpaceDown() || s.isLeftControlDown() || s.isF1Down() || s.isF2Down() || s.isF3Down() ||
                 s.isF4Down());
}

TEST_F(InputTest, LeftBeatsRightAndUpBeatsDown) {
    expectAxes(sampled({vk::LEFT, vk::RIGHT}), -1, 0);
    expectAxes(sampled({vk::UP, vk::DOWN}), 0, 1);
    expectAxes(sampled({vk::RIGHT}), 1, 0);
    expectAxes(sampled({vk::DOWN}), 0, -1);
    // Diagonals are not normalised.
    expectAxes(sampled({vk::LEFT, vk::UP}), -1, 1);
    expectAxes(sampled({vk::RIGHT, vk::DOWN, vk::LEFT, vk::UP}), -1, 1);
}

TEST_F(InputTest, EachFlagFollowsItsOwnKey) {
    EXPECT_TRUE(sampled({vk::SPACE}).isSpaceDown());
    EXPECT_TRUE(sampled({vk::LEFT_CONTROL}).isLeftControlDown());
    EXPECT_FALSE(sampled({vk::RIGHT_CONTROL}).isLeftControlDown());
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
    InputState s;
    s.holdScripted({vk::SPACE, vk::LEFT});
    s.sample();
    s.sample();
    EXPECT_TRUE(s.isSpaceDown());
    expectAxes(s, -1, 0);
    s.holdScripted({});
    s.sample();
    EXPECT_FALSE(s.isSpaceDown());
    expectAxes(s, 0, 0);
}
